#include "support/UiFixture.h"

#include "controls/KmRadioGroup.h"

#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

TEST(KmRadioButton, TheCaptionOffsetGrowsWithTheFontSize) {
    const std::pair<int, int> table[] = {{1, 17},  {8, 17},  {9, 19},  {15, 19}, {16, 20}, {17, 20},
                                         {18, 21}, {23, 21}, {24, 23}, {29, 23}, {30, 25}, {35, 25},
                                         {36, 27}, {41, 27}, {42, 29}, {43, 29}, {44, 31}, {60, 31},
                                         {61, 39}, {80, 39}, {81, 44}, {0, 44},  {-9, 44}};
    for (const auto& [points, offset] : table) {
        SCOPED_TRACE(points);
        EXPECT_EQ(KmRadioCaptionOffset(points), offset);
    }
}

class KmRadioTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TKmRadioButton* AddButton(const char* name, const char* caption) {
        auto* button = new TKmRadioButton(form.get());
        button->SetName(name);
        button->SetParent(form.get());
        button->SetCaption(caption);
        return button;
    }
    TOwnedPtr<TForm> form;
    TEdit* edit = nullptr;
};

TEST_F(KmRadioTest, PaintsItsCaptionOverTheButtonFace) {
    TKmRadioButton* button = AddButton("rdoQueue", "放入工作队列");
    EXPECT_EQ(button->Width(), 113);
    EXPECT_EQ(button->Height(), 17);
    button->Font()->SetSize(9);
    button->SetColor(clBtnFace);
    TCanvas canvas;
    button->Paint(canvas);
    const auto& ops = canvas.Ops();
    ASSERT_GE(ops.size(), 2u);
    const TDrawOp& fill = ops[ops.size() - 2];
    const TDrawOp& text = ops.back();
    EXPECT_EQ(fill.What, TDrawOp::Kind::FillRect);
    EXPECT_EQ(fill.Rect, Rect(19 - 4, -4, 113 + 4, 17 + 4));
    EXPECT_EQ(fill.Color, clBtnFace);
    EXPECT_EQ(text.Text, "放入工作队列");
    EXPECT_EQ(text.Rect, Rect(19, 0, 113, 17));
    EXPECT_EQ(text.Flags, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(text.FontHeight, -12);
    button->Font()->SetSize(24);
    EXPECT_EQ(button->CaptionRect().Left, 23);
}

TEST_F(KmRadioTest, CheckingOneUnchecksTheOthersAndMovesTheTabStop) {
    TKmRadioButton* queue = AddButton("rdoQueue", "放入工作队列");
    TKmRadioButton* realTime = AddButton("rdoRealTime", "实时生成信息(&R)");
    queue->SetChecked(true);
    std::vector<std::string> clicks;
    realTime->OnClick = [&](TObject*) { clicks.push_back("click"); };
    realTime->OnDblClick = [&](TObject*) { clicks.push_back("double"); };
    form->Show();
    User::Key('R', {ssAlt});
    EXPECT_TRUE(realTime->Focused()) << "the accelerator focuses it";
    EXPECT_FALSE(realTime->Checked()) << "without checking it";
    ASSERT_TRUE(User::DoubleClick(*realTime));
    EXPECT_EQ(clicks, (std::vector<std::string>{"click", "double"}));
    EXPECT_FALSE(queue->Checked());
    EXPECT_FALSE(queue->TabStop());
    EXPECT_TRUE(realTime->TabStop());
    realTime->SetClicksDisabled(true);
    realTime->SetChecked(false, TNotify::No);
    realTime->SetChecked(true);
    EXPECT_EQ(clicks.size(), 2u) << "clicks held back";
}

TEST(KmRadioGroup, LayoutSplitsTheButtonsIntoColumns) {
    // 5 items in 2 columns: 3 in the first, 2 in the second.
    const auto layout = KmRadioGroupLayout(5, 2, 210, 100, 13, false);
    ASSERT_EQ(layout.size(), 5u);
    const int width = (210 - 10) / 2;
    const int height = (100 - 13 - 5) / 3;
    const int top = (82 % 3) / 2 + 13 + 1;
    const std::vector<TRect> expected = {
        Bounds(8, top, width, height),
        Bounds(8, top + height, width, height),
        Bounds(8, top + 2 * height, width, height),
        Bounds(width + 8, top, width, height),
        Bounds(width + 8, top + height, width, height),
    };
    EXPECT_EQ(layout, expected);
    const auto mirrored = KmRadioGroupLayout(5, 2, 210, 100, 13, true);
    EXPECT_EQ(mirrored[0].Left, 210 - 8 - width);
    EXPECT_EQ(mirrored[3].Left, 210 - (width + 8) - width);
    EXPECT_EQ(KmRadioGroupLayout(3, 0, 210, 100, 13, false), KmRadioGroupLayout(3, 1, 210, 100, 13, false));
    EXPECT_EQ(KmRadioGroupLayout(3, 40, 210, 100, 13, false), KmRadioGroupLayout(3, 16, 210, 100, 13, false));
    EXPECT_TRUE(KmRadioGroupLayout(0, 2, 210, 100, 13, false).empty());
}

class KmRadioGroupTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        group = new TKmRadioGroup(form.get());
        group->SetName("rg01");
        group->SetParent(form.get());
        group->SetBounds(8, 8, 210, 60);
        group->SetCaption("转账类型");
        group->Items()->SetText("汇兑损益结转\r\n期间损益结转");
        group->OnClick = [this](TObject*) { clicks.push_back(group->ItemIndex()); };
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TKmRadioGroup* group = nullptr;
    TEdit* edit = nullptr;
    std::vector<int> clicks;
};

TEST_F(KmRadioGroupTest, HasOneButtonPerLineWithItsCaption) {
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(1)->Caption(), "期间损益结转");
    EXPECT_EQ(group->Buttons(0)->Parent(), group);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(group->Columns(), 1);
    group->Items()->Add("第三种");
    ASSERT_EQ(group->ButtonCount(), 3);
    group->Items()->Delete(0);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Caption(), "期间损益结转");
}

TEST_F(KmRadioGroupTest, ClickingAButtonChoosesItsLine) {
    form->Show();
    ASSERT_TRUE(User::Choose(*group, 1));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    ASSERT_TRUE(User::Click(*group->Buttons(0)));
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    ASSERT_TRUE(User::Choose(*group, "期间损益结转"));
    EXPECT_EQ(clicks, (std::vector<int>{1, 0, 1}));
    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(0)->Enabled());
    EXPECT_EQ(User::Choose(*group, 0).Reason, "rg01 is disabled");
}

TEST_F(KmRadioGroupTest, ItemIndexIsKeptInRangeAndSettingItClicksTheButton) {
    group->SetItemIndex(5);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    group->SetItemIndex(-7);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_EQ(group->SetPropText("ItemIndex", "0"), TPropResult::Ok);
    EXPECT_EQ(clicks, (std::vector<int>{1, 0})) << "a change of ItemIndex fires the group's click";
    group->Items()->SetText("汇兑损益结转\r\n期间损益结转");
    EXPECT_EQ(group->ItemIndex(), 0) << "new captions keep the choice";
    group->Items()->Clear();
    EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(KmRadioGroupTest, ColumnsAreKeptWithinOneAndSixteenAndLayoutFollowsSizeAndFont) {
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(99);
    EXPECT_EQ(group->Columns(), 16);
    group->SetColumns(2);
    const int width = (210 - 10) / 2;
    EXPECT_EQ(group->Buttons(1)->Left(), width + 8);
    group->SetWidth(310);
    EXPECT_EQ(group->Buttons(1)->Left(), (310 - 10) / 2 + 8);
    const int topBefore = group->Buttons(0)->Top();
    group->Font()->SetHeight(-20);
    EXPECT_GT(group->Buttons(0)->Top(), topBefore) << "a taller caption pushes the buttons down";
    group->SetBiDiMode(bdRightToLeft);
    group->ArrangeButtons();
    EXPECT_EQ(group->Buttons(0)->Left(), 310 - 8 - (310 - 10) / 2);
}

class TfrmGroup : public TForm {
public:
    explicit TfrmGroup(TComponent* owner) : TForm(owner) {
        group = new TKmRadioGroup(this);
        group->SetParent(this);
        group->SetItemIndex(1); // as a form file may: before the items
        group->Items()->SetText("a\r\nb\r\nc");
        group->SetColumns(2);
    }
    TKmRadioGroup* group;
};

TEST_F(UiTest, AnItemIndexSetWhileTheFormIsBuiltWaitsForTheItems) {
    TOwnedPtr<TfrmGroup> form(Create<TfrmGroup>(nullptr));
    EXPECT_EQ(form->group->ItemIndex(), 1);
    EXPECT_TRUE(form->group->Buttons(1)->Checked());
}

} // namespace
} // namespace vondrel::test
