#include "support/UiFixture.h"

#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class ButtonTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    template <class T>
    T* Add(const char* name, TWinControl* parent = nullptr) {
        auto* control = new T(form.get());
        control->SetName(name);
        control->SetParent(parent ? parent : form.get());
        return control;
    }
    TOwnedPtr<TForm> form;
};

TEST_F(ButtonTest, ACheckBoxCyclesThroughItsStatesOneClickEach) {
    auto* check = Add<TCheckBox>("chk04");
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    check->SetAllowGrayed(true);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(User::Click(*check));
        states.push_back(check->State());
    }
    EXPECT_EQ(states, (std::vector<int>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(clicks, 3);
    check->SetAllowGrayed(false);
    ASSERT_TRUE(User::Check(*check, 1));
    EXPECT_TRUE(check->Checked());
    EXPECT_FALSE(User::Check(*check, 2)) << "no click brings it to grayed";
}

TEST_F(ButtonTest, CheckingARadioButtonUnchecksItsSiblingsAndMovesTheTabStop) {
    auto* panel = Add<TPanel>("pnlTime");
    auto* queue = Add<TRadioButton>("rdoQueue");
    auto* realTime = Add<TRadioButton>("rdoRealTime");
    auto* elsewhere = Add<TRadioButton>("rdoElsewhere", panel);
    elsewhere->SetChecked(true);
    std::string log;
    queue->OnClick = [&](TObject*) { log += "queue;"; };
    realTime->OnClick = [&](TObject*) { log += "realtime;"; };
    queue->SetChecked(true);
    EXPECT_TRUE(queue->TabStop());
    ASSERT_TRUE(User::Click(*realTime));
    EXPECT_FALSE(queue->Checked());
    EXPECT_FALSE(queue->TabStop());
    EXPECT_TRUE(realTime->TabStop());
    EXPECT_TRUE(elsewhere->Checked()) << "another parent is another group";
    ASSERT_TRUE(User::Click(*realTime));
    EXPECT_EQ(log, "queue;realtime;") << "clicking the checked button changes nothing";
    EXPECT_FALSE(User::Check(*realTime, false)) << "a person cannot uncheck a radio button";
}

TEST_F(ButtonTest, GroupedSpeedButtonsStayDownAndComeUpTogether) {
    auto* period = Add<TSpeedButton>("btnPeriod");
    auto* other = Add<TSpeedButton>("btnOther");
    period->SetGroupIndex(2);
    other->SetGroupIndex(2);
    int clicks = 0;
    period->OnClick = [&](TObject*) { clicks += period->Down() ? 1 : 10; };
    ASSERT_TRUE(User::Click(*period));
    EXPECT_TRUE(period->Down()) << "down before the click runs";
    ASSERT_TRUE(User::Click(*period));
    EXPECT_TRUE(period->Down()) << "without AllowAllUp it stays down";
    period->SetAllowAllUp(true);
    ASSERT_TRUE(User::Click(*period));
    EXPECT_FALSE(period->Down());
    EXPECT_EQ(clicks, 12);
    User::Click(*period);
    User::Click(*other);
    EXPECT_FALSE(period->Down());
    EXPECT_TRUE(other->Down());
    period->Click();
    EXPECT_FALSE(period->Down()) << "a click from code leaves the state alone";
    EXPECT_EQ(period->State(), bsUp);
    EXPECT_EQ(other->State(), bsExclusive);
}

TEST_F(ButtonTest, TheGlyphImageShownFollowsStateAndImageCount) {
    struct Case {
        int Images;
        TButtonState State;
        int Index;
        bool Greyed;
    };
    const Case cases[] = {
        {1, bsUp, 0, false},   {1, bsDisabled, 0, true},   {2, bsDisabled, 1, false},  {2, bsDown, 0, false},
        {3, bsDown, 2, false}, {3, bsExclusive, 2, false}, {4, bsExclusive, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Images) + " images, state " + std::to_string(c.State));
        const TBitmap glyph(16 * c.Images, 16);
        const TGlyphImage image = GlyphImageFor(glyph, c.Images, c.State);
        EXPECT_EQ(image.Index, c.Index);
        EXPECT_EQ(image.PlatformGreyed, c.Greyed);
        EXPECT_EQ(image.Source, Bounds(16 * c.Index, 0, 16, 16));
    }
}

TEST_F(ButtonTest, AssigningAGlyphCountsItsImages) {
    auto* bitBtn = Add<TBitBtn>("btnQuery");
    auto* speed = Add<TSpeedButton>("btnSpd");
    for (const auto& [width, count] : std::vector<std::pair<int, int>>{{32, 2}, {16, 1}, {48, 3}, {80, 1}}) {
        SCOPED_TRACE(width);
        const TBitmap glyph(width, 16);
        bitBtn->SetGlyph(const_cast<TBitmap*>(&glyph));
        speed->SetGlyph(const_cast<TBitmap*>(&glyph));
        EXPECT_EQ(bitBtn->NumGlyphs(), count);
        EXPECT_EQ(speed->NumGlyphs(), count);
    }
    bitBtn->SetEnabled(false);
    bitBtn->Glyph()->SetSize(32, 16);
    EXPECT_EQ(bitBtn->CurrentGlyph().Index, 1);
}

TEST_F(ButtonTest, ABitBtnKindSetsCaptionAndResult) {
    auto* ok = Add<TBitBtn>("btnOk");
    ok->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), "Cancel");
    EXPECT_EQ(ok->ModalResult(), mrCancel);
    EXPECT_TRUE(ok->Cancel());
}

TEST_F(ButtonTest, RadioMenuItemsOfOneGroupExcludeEachOther) {
    auto* menu = new TPopupMenu(form.get());
    TMenuItem* items[3];
    for (auto*& item : items) {
        item = new TMenuItem(form.get());
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        menu->Items()->Add(item);
    }
    items[2]->SetGroupIndex(2);
    items[2]->SetChecked(true);
    items[0]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked()) << "another group";
    items[1]->SetEnabled(false);
    EXPECT_FALSE(User::Click(*items[1]));
}

TEST_F(ButtonTest, RightClickShowsThePopupMenu) {
    auto* button = Add<TButton>("btnList");
    auto* menu = new TPopupMenu(form.get());
    menu->SetName("mnList");
    auto* item = new TMenuItem(form.get());
    item->SetName("N10");
    menu->Items()->Add(item);
    button->SetPopupMenu(menu);
    bool clicked = false;
    item->OnClick = [&](TObject*) { clicked = true; };
    Driver().AnswerPopup("mnList", "N10");
    ASSERT_TRUE(User::RightClick(*button));
    EXPECT_TRUE(clicked);
    EXPECT_EQ(menu->PopupComponent(), button);
    menu->Free();
    EXPECT_EQ(button->PopupMenu(), nullptr);
    EXPECT_FALSE(User::RightClick(*button));
}

} // namespace
} // namespace vondrel::test
