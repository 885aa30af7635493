#include "JobFormFixture.h"

#include "controls/ExtPageControl.h"
#include "controls/F2Button.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/MaskEdit.h"
#include "ui/Memo.h"
#include "ui/StringGrid.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

class KeysTest : public JobFormTest {
protected:
    TfrmTestJob* ShownForm() {
        TfrmTestJob* form = StartedForm();
        form->Show();
        return form;
    }
};

TEST_F(KeysTest, EscClosesTheForm) {
    TfrmTestJob* form = ShownForm();
    TComponentRef<TfrmTestJob> alive(form);
    ASSERT_TRUE(User::Key(*form->ed01, VK_ESCAPE).Ok);
    EXPECT_FALSE(alive);
}

TEST_F(KeysTest, EscClosesTheFormAlsoWithoutItsCancelButton) {
    TfrmTestJob* form = ShownForm();
    form->btnCancel->SetVisible(false);
    TComponentRef<TfrmTestJob> alive(form);
    ASSERT_TRUE(User::Key(*form->ed01, VK_ESCAPE).Ok);
    EXPECT_FALSE(alive);
}

TEST_F(KeysTest, F1ShowsTheProgramsHelp) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Key(*form->ed02, VK_F1).Ok);
    ASSERT_EQ(State().HelpCalls.size(), 1u);
    EXPECT_EQ(State().HelpCalls[0], VarArrayOf({"ZOR", "13710000"}));
}

TEST_F(KeysTest, F2GoesToTheFormsLookupHandling) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Key(*form->ed02, VK_F2).Ok);
    EXPECT_EQ(form->F2Requests, std::vector<std::string>{"ed02"});
    EXPECT_EQ(form->ActiveControl(), form->ed02);
}

TEST_F(KeysTest, F2OnThePrintDatePicksADate) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Key(VK_TAB, {ssCtrl}).Ok);
    ASSERT_EQ(form->ActiveControl(), form->edPrintDate);
    State().DateAnswers = {"20261231", ""};
    ASSERT_TRUE(User::Key(*form->edPrintDate, VK_F2).Ok);
    EXPECT_EQ(form->edPrintDate->Text(), "2026/12/31");
    ASSERT_TRUE(User::Key(*form->edPrintDate, VK_F2).Ok);
    EXPECT_EQ(form->edPrintDate->Text(), "2026/12/31") << "a cancelled choice keeps the date";

    form->LookupService = Variant();
    ASSERT_TRUE(User::Key(*form->edPrintDate, VK_F2).Ok);
    EXPECT_EQ(form->edPrintDate->Text(), "2026/12/31") << "without the date chooser the date stays";
}

TEST_F(KeysTest, TheF2ButtonAsksForItsFieldsLookup) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Choose(*form->pgOption, 1).Ok);
    State().DateAnswers = {"20260105"};
    ASSERT_TRUE(User::Click(*form->btnPrintDate).Ok);
    EXPECT_EQ(form->F2Requests, std::vector<std::string>{"edPrintDate"});
    EXPECT_EQ(form->edPrintDate->Text(), "2026/01/05");
    EXPECT_EQ(form->ActiveControl(), form->edPrintDate);
}

TEST_F(KeysTest, CtrlAltVOpensTheLibrarysProperties) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Key(*form->ed01, 'V', {ssCtrl, ssAlt}).Ok);
    std::vector<TShellExecuteInfo> calls;
    for (const TUiRecord& entry : Driver().Record())
        if (entry.What == TUiRecord::Kind::ShellExecute)
            calls.push_back(entry.Shell);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Verb, "properties");
    EXPECT_EQ(calls[0].Mask, 12u);
    EXPECT_EQ(calls[0].File, kTestModulePath);
    EXPECT_EQ(form->ed01->Text(), "") << "the key types nothing";
}

TEST_F(KeysTest, ControlKeysSwitchPages) {
    TfrmTestJob* form = ShownForm();
    const struct {
        Word Key;
        TShiftState Shift;
        TTabSheet* TfrmTestJob::*Page;
    } steps[] = {
        {VK_TAB, {ssCtrl}, &TfrmTestJob::tsOption2},  {VK_TAB, {ssCtrl, ssShift}, &TfrmTestJob::tsOption1},
        {VK_NEXT, {ssCtrl}, &TfrmTestJob::tsOption2}, {VK_PRIOR, {ssCtrl}, &TfrmTestJob::tsOption1},
        {VK_NEXT, {}, &TfrmTestJob::tsOption1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(KeyName(step.Key));
        ASSERT_TRUE(User::Key(step.Key, step.Shift).Ok);
        EXPECT_EQ(form->pgOption->ActivePage(), form->*step.Page);
    }
}

TEST_F(KeysTest, TheLookupRequestMessageNamesItsField) {
    TfrmTestJob* form = ShownForm();
    SendMessage(form->Handle(), WM_USER + 10, 0, form->ed02->Handle());
    EXPECT_EQ(form->F2Requests, std::vector<std::string>{"ed02"});
    EXPECT_EQ(form->ActiveControl(), form->ed02);
}

TEST_F(KeysTest, EnterMovesToTheNextField) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Key(*form->ed01, VK_RETURN).Ok);
    EXPECT_EQ(form->ActiveControl(), form->ed02);
    EXPECT_EQ(form->ed01->Text(), "");
}

TEST_F(KeysTest, EnterBreaksTheFirstTwoLinesOfAMemo) {
    TfrmTestJob* form = ShownForm();
    ASSERT_TRUE(User::Type(*form->me03, "a").Ok);
    ASSERT_TRUE(User::Key(VK_RETURN).Ok);
    EXPECT_EQ(form->ActiveControl(), form->me03);
    ASSERT_TRUE(User::Type(*form->me03, "b").Ok);
    ASSERT_TRUE(User::Key(VK_RETURN).Ok);
    EXPECT_EQ(form->ActiveControl(), form->me03);
    EXPECT_EQ(form->me03->CaretPos().Y, 2);
    ASSERT_TRUE(User::Key(VK_RETURN).Ok);
    EXPECT_EQ(form->ActiveControl(), form->sg04) << "from the third line Enter moves on";
    EXPECT_EQ(form->me03->Text(), "a\r\nb\r\n");
}

TEST_F(KeysTest, EnterWalksAGridAndAddsRows) {
    TfrmTestJob* form = ShownForm();
    TStringGrid& grid = *form->sg04;
    ASSERT_TRUE(User::SelectCell(grid, 1, 1).Ok);
    const struct {
        int Col;
        int Row;
        int RowCount;
    } steps[] = {{2, 1, 2}, {1, 2, 3}, {2, 2, 3}, {1, 3, 4}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.Col) + "," + std::to_string(step.Row));
        ASSERT_TRUE(User::Key(VK_RETURN).Ok);
        EXPECT_EQ(grid.Col(), step.Col);
        EXPECT_EQ(grid.Row(), step.Row);
        EXPECT_EQ(grid.RowCount(), step.RowCount);
        EXPECT_EQ(form->ActiveControl(), &grid);
    }
}

} // namespace
} // namespace vondrel::test
