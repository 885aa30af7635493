#include "JobFormFixture.h"

#include "controls/ExtPageControl.h"
#include "controls/SelectPanel.h"
#include "platform/SysUtils.h"
#include "ui/Edit.h"
#include "ui/ListView.h"
#include "ui/MaskEdit.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

class PanelTest : public JobFormTest {
protected:
    TfrmTestJob* ShownForm() {
        TfrmTestJob* form = StartedForm();
        form->Show();
        return form;
    }
    static std::vector<TSelectRow> Rows(const TSelectPanel& panel) {
        std::vector<TSelectRow> rows;
        for (int i = 0; i < panel.RowCount(); ++i)
            rows.push_back(panel.Row(i));
        return rows;
    }
};

TEST_F(PanelTest, ALookupOnTheListAddsTheChosenRows) {
    TfrmTestJob* form = ShownForm();
    TSelectPanel& panel = *form->sp05;
    panel.SetStyle(sp_Discrete);
    State().LookupAnswers.push_back(std::vector<int>{0, 4});
    form->LookupIntoPanel(panel.List(), "CMSMF", "01", false, "", "");
    ASSERT_EQ(State().LookupRequests.size(), 1u);
    EXPECT_EQ(State().LookupRequests[0][3], Variant(true)) << "several rows may come back";
    EXPECT_EQ(Rows(panel),
              (std::vector<TSelectRow>{{"EUR", "欧元", "€", "Euro"}, {"USD", "美元", "$", "US Dollar"}}));
}

TEST_F(PanelTest, ALookupOnAnEndTakesTheFirstCode) {
    TfrmTestJob* form = ShownForm();
    TSelectPanel& panel = *form->sp05;
    State().LookupAnswers.push_back(std::vector<int>{2});
    form->LookupIntoPanel(panel.ToEdit(), "CMSMF", "01", false, "", "");
    EXPECT_EQ(State().LookupRequests[0][3], Variant(false));
    EXPECT_EQ(panel.ToText(), "JPY");
    EXPECT_EQ(panel.FromText(), "");

    form->LookupIntoPanel(panel.FromEdit(), "CMSMF", "01", false, "", "");
    EXPECT_EQ(panel.FromText(), "") << "nothing chosen changes nothing";
}

TEST_F(PanelTest, OnlyFourColumnsAreTakenUnlessAllAreAskedFor) {
    TfrmTestJob* form = ShownForm();
    TSelectPanel& panel = *form->sp05;
    panel.SetStyle(sp_Discrete);
    const Variant wide = VarArrayOf({VarArrayOf({"A", "B", "C", "D", "E"})});
    State().LookupResults = {wide, wide};
    form->LookupIntoPanel(panel.List(), "CMSMF", "01", false, "", "");
    form->LookupIntoPanel(panel.List(), "CMSMF", "01", true, "", "");
    EXPECT_EQ(Rows(panel), (std::vector<TSelectRow>{{"A", "B", "C", "D", ""}, {"A", "B", "C", "D", "E"}}));
}

TEST_F(PanelTest, WithDiscardTheColumnsAreJoined) {
    TfrmTestJob* form = ShownForm();
    TSelectPanel& panel = *form->sp05;
    panel.SetStyle(sp_UserChoice);
    panel.SetUseDiscard(true);
    panel.SetDiscard("|");
    const Variant rows = VarArrayOf({VarArrayOf({"A", "", "C", "D", "E"}), VarArrayOf({"", "B"})});
    State().LookupResults = {rows, rows, rows};
    form->LookupIntoPanel(panel.FromEdit(), "CMSMF", "01", false, "", "");
    EXPECT_EQ(panel.FromText(), "A|C|D");
    form->LookupIntoPanel(panel.ToEdit(), "CMSMF", "01", true, "", "");
    EXPECT_EQ(panel.ToText(), "A|C|D|E");
    panel.SetUserChoice(false);
    form->LookupIntoPanel(panel.List(), "CMSMF", "01", false, "", "");
    EXPECT_EQ(Rows(panel), (std::vector<TSelectRow>{{"A|C|D"}, {"B"}}));
}

TEST_F(PanelTest, AnythingButAPanelPartIsTold) {
    TfrmTestJob* form = ShownForm();
    form->LookupIntoPanel(form->ed01, "CMSMF", "01", false, "", "");
    form->LookupIntoPanel(form->sp05, "CMSMF", "01", false, "", "");
    // The converter's dialog leaves room after a Chinese text.
    const std::string told = "同学, 你吗帮帮忙, 这个 Procedure 是专门给TSelectPanel元件用的!";
    ASSERT_EQ(DialogTexts().size(), 2u);
    for (const std::string& text : DialogTexts())
        EXPECT_EQ(TrimRight(text), told);
    EXPECT_EQ(Driver().Dialogs()[0].DialogType, mtError);
    EXPECT_TRUE(State().LookupRequests.empty());
}

TEST_F(PanelTest, APanelFirstOnThePageIsEnteredByItsEntryPart) {
    const struct {
        TSelectStyle Style;
        bool ToList;
    } cases[] = {{sp_Range, false}, {sp_Discrete, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Style);
        TfrmTestJob* form = StartedForm();
        form->sp05->SetStyle(c.Style);
        form->sp05->SetTabOrder(0);
        form->Show();
        EXPECT_EQ(form->ActiveControl(), c.ToList ? static_cast<TWinControl*>(form->sp05->List())
                                                  : static_cast<TWinControl*>(form->sp05->FromEdit()));
        form->Free();
    }
}

TEST_F(PanelTest, APageChangeFromAPanelRunsThePanelsExitCheck) {
    TfrmTestJob* form = ShownForm();
    TSelectPanel& panel = *form->sp05;
    int checks = 0;
    panel.OnExit = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &panel);
        ++checks;
        form->ValidationFailed = panel.FromText().empty();
    });
    ASSERT_TRUE(User::Focus(*panel.FromEdit()).Ok);
    ASSERT_TRUE(User::Key(VK_TAB, {ssCtrl}).Ok);
    EXPECT_EQ(form->pgOption->ActivePage(), form->tsOption1);
    EXPECT_EQ(checks, 1);
}

TEST_F(PanelTest, APanelsColoursAreThoseOfItsParts) {
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->InitialColours.count("sp05"), 0u);
    EXPECT_EQ(form->InitialColours.at("sp05.edFrom"), form->sp05->FromEdit()->Color());
    EXPECT_EQ(form->InitialColours.at("sp05.edTo"), form->sp05->ToEdit()->Color());
    EXPECT_EQ(form->InitialColours.at("sp05.lvList"), form->sp05->List()->Color());
}

} // namespace
} // namespace vondrel::test
