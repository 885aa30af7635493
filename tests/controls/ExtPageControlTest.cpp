#include "support/UiFixture.h"

#include "controls/ExtPageControl.h"

#include "ui/Canvas.h"
#include "ui/Form.h"

namespace vondrel::test {
namespace {

class ExtPageControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        pages = new TExtPageControl(form.get());
        pages->SetParent(form.get());
        for (const char* caption : {"基本选项", "系统选项", "周期性设置"}) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
            sheets.push_back(sheet);
        }
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TExtPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
};

TEST_F(ExtPageControlTest, TheActiveTabIsInsetAndBoldOnTheActiveCaptionColour) {
    EXPECT_TRUE(pages->OwnerDraw());
    const TRect rect = Bounds(2, 2, 60, 19);
    const TTabLook active = pages->TabLook(0, rect, true);
    EXPECT_EQ(active.Rect, Rect(4, 4, 60, 19));
    EXPECT_EQ(active.Back, clActiveCaption);
    EXPECT_EQ(active.TextColor, clCaptionText);
    EXPECT_TRUE(active.Bold);
    EXPECT_EQ(active.TextOffset, 0);
    EXPECT_EQ(active.Text, "基本选项");
    const TTabLook inactive = pages->TabLook(1, rect, false);
    EXPECT_EQ(inactive.Rect, rect);
    EXPECT_EQ(inactive.Back, clInactiveCaption);
    EXPECT_EQ(inactive.TextColor, clInactiveCaptionText);
    EXPECT_FALSE(inactive.Bold);
    EXPECT_EQ(inactive.TextOffset, 2);
}

TEST_F(ExtPageControlTest, HiddenPagesAreSkippedWhenTabsAreCounted) {
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->TabLook(1, {}, false).Text, "周期性设置");
    TCanvas canvas;
    pages->Paint(canvas);
    std::vector<std::string> texts;
    for (const TDrawOp& op : canvas.Ops())
        if (op.What == TDrawOp::Kind::Text)
            texts.push_back(op.Text + (op.FontStyle.Contains(fsBold) ? "*" : ""));
    EXPECT_EQ(texts, (std::vector<std::string>{"基本选项*", "周期性设置"}));
}

TEST_F(ExtPageControlTest, DrawnTextIsCentredAndInactiveTextSitsLower) {
    TCanvas canvas;
    pages->Paint(canvas);
    std::vector<const TDrawOp*> texts;
    for (const TDrawOp& op : canvas.Ops())
        if (op.What == TDrawOp::Kind::Text)
            texts.push_back(&op);
    ASSERT_EQ(texts.size(), 3u);
    const TRect second = pages->TabRect(1);
    EXPECT_EQ(texts[1]->Rect, second.Offset(0, 2));
    EXPECT_EQ(texts[1]->Flags, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(texts[1]->Color, clInactiveCaptionText);
    EXPECT_EQ(texts[0]->Color, clCaptionText);
}

TEST_F(ExtPageControlTest, OnDrawTabDrawsInsteadWhenAssigned) {
    std::vector<std::pair<int, bool>> calls;
    pages->OnDrawTab = [&](TObject* control, int tab, const TRect& rect, bool active) {
        EXPECT_EQ(control, pages);
        EXPECT_EQ(rect, pages->TabRect(tab));
        EXPECT_NE(pages->Canvas(), nullptr);
        calls.emplace_back(tab, active);
    };
    pages->SetActivePage(sheets[2]);
    TCanvas canvas;
    pages->Paint(canvas);
    EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{0, false}, {1, false}, {2, true}}));
    for (const TDrawOp& op : canvas.Ops())
        EXPECT_NE(op.What, TDrawOp::Kind::Text);
}

} // namespace
} // namespace vondrel::test
