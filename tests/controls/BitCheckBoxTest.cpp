#include "support/UiFixture.h"

#include "controls/BitCheckBox.h"

#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class BitCheckBoxTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        box = new TBitCheckBox(form.get());
        box->SetName("chkLog");
        box->SetParent(form.get());
        box->SetCaption("记录&Log");
        box->OnClick = [this](TObject*) { states.push_back(box->State()); };
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    std::vector<const TDrawOp*> Ops(TCanvas& canvas, TDrawOp::Kind kind) {
        canvas.Clear();
        box->Paint(canvas);
        std::vector<const TDrawOp*> ops;
        for (const TDrawOp& op : canvas.Ops())
            if (op.What == kind)
                ops.push_back(&op);
        return ops;
    }

    TOwnedPtr<TForm> form;
    TBitCheckBox* box = nullptr;
    TEdit* edit = nullptr;
    std::vector<int> states;
};

TEST_F(BitCheckBoxTest, IsCreatedAsATabStopOfItsSize) {
    EXPECT_EQ(box->Width(), 97);
    EXPECT_EQ(box->Height(), 17);
    EXPECT_TRUE(box->TabStop());
    EXPECT_TRUE(box->ParentCtl3D());
    EXPECT_EQ(box->Alignment(), taRightJustify);
    EXPECT_EQ(box->State(), cbUnchecked);
    for (TBitmap* glyph : {box->CheckedGlyph(), box->UncheckedGlyph(), box->GrayedGlyph()}) {
        EXPECT_EQ(glyph->Width(), 19);
        EXPECT_EQ(glyph->Height(), 14);
    }
    EXPECT_FALSE(box->CheckedGlyph()->SameAs(*box->UncheckedGlyph()));
    EXPECT_FALSE(box->CheckedGlyph()->SameAs(*box->GrayedGlyph()));
}

TEST_F(BitCheckBoxTest, ClicksCycleThroughTheStates) {
    form->Show();
    box->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(User::Click(*box));
    EXPECT_EQ(states, (std::vector<int>{cbGrayed, cbChecked, cbUnchecked}));
    box->SetAllowGrayed(false);
    states.clear();
    User::Click(*box);
    User::Click(*box);
    EXPECT_EQ(states, (std::vector<int>{cbChecked, cbUnchecked}));
    box->SetState(cbGrayed, TNotify::No);
    User::Click(*box);
    EXPECT_EQ(box->State(), cbChecked) << "grayed goes to checked";
}

TEST_F(BitCheckBoxTest, SpaceAndTheAcceleratorToggleIt) {
    form->Show();
    User::Focus(*edit);
    User::Key('L', {ssAlt});
    EXPECT_TRUE(box->Focused()) << "the accelerator also focuses it";
    EXPECT_TRUE(box->Checked());
    User::Key(VK_SPACE);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->SetPropText("State", "cbGrayed"), TPropResult::Ok);
    EXPECT_EQ(states.back(), cbGrayed);
}

TEST_F(BitCheckBoxTest, AGlyphsImageCountFollowsItsShapeWithinOneAndTwo) {
    struct Case {
        int Width;
        int Height;
        int Count;
    };
    const Case cases[] = {{38, 19, 2}, {19, 19, 1}, {57, 19, 2}, {19, 14, 1}, {40, 14, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        box->SetCheckedNumGlyphs(1);
        TBitmap glyph(c.Width, c.Height);
        box->SetCheckedGlyph(&glyph);
        EXPECT_EQ(box->CheckedNumGlyphs(), c.Count);
    }
    box->SetGrayedNumGlyphs(5);
    EXPECT_EQ(box->GrayedNumGlyphs(), 2);
    box->SetGrayedNumGlyphs(0);
    EXPECT_EQ(box->GrayedNumGlyphs(), 1);
    TBitmap wide(38, 19);
    box->SetUncheckedGlyph(&wide);
    ASSERT_EQ(box->UncheckedNumGlyphs(), 2);
    box->SetUncheckedGlyph(nullptr);
    EXPECT_EQ(box->UncheckedGlyph()->Width(), 19) << "no bitmap brings the default image back";
    EXPECT_EQ(box->UncheckedNumGlyphs(), 1);
}

TEST_F(BitCheckBoxTest, TheGlyphSitsLeftOrRightAndTheCaptionBesideIt) {
    TCanvas canvas;
    auto glyphs = Ops(canvas, TDrawOp::Kind::Glyph);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0]->Rect, Bounds(0, 1, 19, 14)) << "left edge, centred vertically";
    EXPECT_EQ(glyphs[0]->Bitmap, box->UncheckedGlyph());
    EXPECT_EQ(glyphs[0]->TransparentColor, box->UncheckedGlyph()->Pixel(0, 13));
    auto texts = Ops(canvas, TDrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Rect.Left, 23) << "glyph width + 4";
    EXPECT_EQ(texts[0]->Text, "记录Log");
    EXPECT_TRUE(texts[0]->Flags & DT_SINGLELINE);
    EXPECT_TRUE(texts[0]->Flags & DT_VCENTER);

    box->SetAlignment(taLeftJustify);
    box->SetState(cbChecked, TNotify::No);
    glyphs = Ops(canvas, TDrawOp::Kind::Glyph);
    EXPECT_EQ(glyphs[0]->Rect, Bounds(97 - 19, 1, 19, 14)) << "right edge";
    EXPECT_EQ(glyphs[0]->Bitmap, box->CheckedGlyph());
    EXPECT_EQ(Ops(canvas, TDrawOp::Kind::Text)[0]->Rect.Left, 1);
    EXPECT_EQ(canvas.Ops().front().What, TDrawOp::Kind::FillRect) << "the face is filled first";
}

TEST_F(BitCheckBoxTest, ADisabledBoxShowsTheSecondImageAndAnEmbossedCaption) {
    TBitmap twoImages(38, 19);
    box->SetUncheckedGlyph(&twoImages);
    box->SetEnabled(false);
    TCanvas canvas;
    auto glyphs = Ops(canvas, TDrawOp::Kind::Glyph);
    EXPECT_EQ(glyphs[0]->Source, Bounds(19, 0, 19, 19));
    auto texts = Ops(canvas, TDrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Color, clBtnHighlight);
    EXPECT_EQ(texts[0]->At.X, texts[1]->At.X + 1);
    EXPECT_EQ(texts[0]->At.Y, texts[1]->At.Y + 1);
    EXPECT_EQ(texts[1]->Color, clBtnShadow);
    box->SetCtl3D(false);
    texts = Ops(canvas, TDrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), 1u) << "no highlight without the 3-D look";
    EXPECT_EQ(texts[0]->Color, clBtnShadow);
    box->SetEnabled(true);
    EXPECT_EQ(Ops(canvas, TDrawOp::Kind::Glyph)[0]->Source, Bounds(0, 0, 19, 19));
}

TEST_F(BitCheckBoxTest, TheFocusRectangleSurroundsTheCaption) {
    TCanvas canvas;
    EXPECT_TRUE(Ops(canvas, TDrawOp::Kind::FocusRect).empty());
    form->Show();
    User::Focus(*box);
    const auto rects = Ops(canvas, TDrawOp::Kind::FocusRect);
    ASSERT_EQ(rects.size(), 1u);
    const int width = box->Font()->TextWidth("记录Log");
    const int height = box->Font()->TextHeight();
    const int top = (17 - height) / 2;
    EXPECT_EQ(rects[0]->Rect, Rect(22, top - 1, 23 + width + 1, top + height + 1));
}

} // namespace
} // namespace vondrel::test
