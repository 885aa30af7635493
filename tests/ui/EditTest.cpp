#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Memo.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class EditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        edit = Add<TEdit>("ed03");
        other = Add<TEdit>("ed07");
        memo = Add<TMemo>("Memo1");
        combo = Add<TComboBox>("cboDayofWeek");
        combo->Items()->SetCommaText("星期日,星期一,星期二");
        edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
        combo->OnClick = [this](TObject*) { comboLog += "click;"; };
        combo->OnChange = [this](TObject*) { comboLog += "change(" + combo->Text() + ");"; };
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    template <class T>
    T* Add(const char* name) {
        auto* control = new T(form.get());
        control->SetName(name);
        control->SetParent(form.get());
        return control;
    }

    TOwnedPtr<TForm> form;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    TMemo* memo = nullptr;
    TComboBox* combo = nullptr;
    std::vector<std::string> changes;
    std::string comboLog;
};

TEST_F(EditTest, TypingAppendsAndSetReplacesOneChangeAtATime) {
    edit->SetText("AB", TNotify::No);
    ASSERT_TRUE(User::Type(*edit, "C"));
    EXPECT_EQ(edit->Text(), "ABC") << "a click leaves the caret after the text";
    ASSERT_TRUE(User::Set(*edit, "xy"));
    EXPECT_EQ(edit->Text(), "xy");
    EXPECT_EQ(changes, (std::vector<std::string>{"ABC", "x", "xy"}));
    changes.clear();
    ASSERT_TRUE(User::Set(*edit, ""));
    EXPECT_EQ(changes, (std::vector<std::string>{""}));
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, TabbingIntoAFieldSelectsItsTextSoTypingReplacesIt) {
    other->SetText("old");
    User::Focus(*edit);
    User::Leave();
    ASSERT_TRUE(other->Focused());
    EXPECT_EQ(other->SelText(), "old");
    User::Key('N');
    EXPECT_EQ(other->Text(), "n") << "a key typed over the selection replaces it";
    User::Type(*other, "ew");
    EXPECT_EQ(other->Text(), "new");
}

TEST_F(EditTest, MaxLengthCountsTheCodePageWidthAndLimitsOnlyTyping) {
    edit->SetMaxLength(4);
    User::Set(*edit, "损益结");
    EXPECT_EQ(edit->Text(), "损益") << "two Chinese characters fill four positions";
    User::Set(*edit, "ab损c");
    EXPECT_EQ(edit->Text(), "ab损");
    edit->SetText("longer than four");
    EXPECT_EQ(edit->Text(), "longer than four");
}

TEST_F(EditTest, AReadOnlyEditRefusesTypingButTakesTheFocus) {
    edit->SetReadOnly(true);
    EXPECT_EQ(User::Type(*edit, "x").Reason, "ed03 is read-only");
    EXPECT_TRUE(User::Focus(*edit));
    User::Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditTest, CharCaseConvertsTypedLetters) {
    edit->SetCharCase(ecUpperCase);
    User::Set(*edit, "usd");
    EXPECT_EQ(edit->Text(), "USD");
}

TEST_F(EditTest, MemoLinesAndTextAreOneContentAndTheCaretKnowsItsLine) {
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond");
    User::Focus(*memo);
    EXPECT_EQ(memo->CaretPos().Y, 1);
    User::Type(*memo, "\nthird");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(2), "third");
    EXPECT_EQ(memo->CaretPos(), (TPoint{5, 2}));
    memo->SetCaretPos({0, 0});
    EXPECT_EQ(memo->CaretPos().Y, 0);
    memo->SetText("a\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 2) << "the line after the last break counts";
}

TEST_F(EditTest, ChoosingAComboItemClicksAndChangesSettingTheIndexDoesNot) {
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "星期一");
    EXPECT_EQ(comboLog, "");
    ASSERT_TRUE(User::Choose(*combo, 2));
    EXPECT_EQ(comboLog, "click;change(星期二);");
    EXPECT_EQ(combo->ItemIndex(), 2);
    comboLog.clear();
    ASSERT_TRUE(User::Choose(*combo, "星期日"));
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_FALSE(User::Choose(*combo, 7));
    EXPECT_FALSE(User::Choose(*combo, "星期八"));
    EXPECT_EQ(combo->SetPropText("ItemIndex", "2"), TPropResult::Ok);
    EXPECT_EQ(comboLog, "click;change(星期日);") << "written by name, as from code: silent";
}

TEST_F(EditTest, ArrowKeysChooseInAListAndTypingEditsAnEditableCombo) {
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(0);
    User::Focus(*combo);
    User::Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(comboLog, "click;change(星期一);");
    EXPECT_EQ(User::Type(*combo, "x").Reason, "cboDayofWeek is a list to choose from");
    combo->SetStyle(csDropDown);
    comboLog.clear();
    ASSERT_TRUE(User::Set(*combo, "星期二"));
    EXPECT_EQ(combo->ItemIndex(), 2) << "typed text that names an item selects it";
    User::Type(*combo, "!");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(comboLog, "change(星);change(星期);change(星期二);change(星期二!);");
}

TEST_F(EditTest, ClearingTheItemsClearsTheChoice) {
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(2);
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
}

} // namespace
} // namespace vondrel::test
