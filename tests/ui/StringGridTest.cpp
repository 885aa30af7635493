#include "support/UiFixture.h"

#include "ui/Form.h"
#include "ui/SpinEdit.h"
#include "ui/StringGrid.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class GridTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        grid = new TStringGrid(form.get());
        grid->SetName("sgRates");
        grid->SetParent(form.get());
        grid->SetColCount(3);
        grid->SetRowCount(3);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing, goTabs});
        grid->SetCells(1, 1, "7.1");
        grid->OnSetEditText = [this](TObject*, int col, int row, const std::string& text) {
            edits.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + text);
        };
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TStringGrid* grid = nullptr;
    std::vector<std::string> edits;
};

TEST_F(GridTest, TypingOnACellOpensTheEditorAndEveryChangeReachesTheCell) {
    ASSERT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    User::Key('8');
    EXPECT_TRUE(grid->EditorMode());
    User::Key(VK_OEM_PERIOD);
    User::Key('2');
    EXPECT_EQ(grid->Cells(1, 1), "8.2") << "typing over a cell replaces it";
    EXPECT_EQ(edits, (std::vector<std::string>{"1,1=8", "1,1=8.", "1,1=8.2"}));
    User::Key(VK_RETURN);
    EXPECT_FALSE(grid->EditorMode()) << "Enter closes the editor";
    User::Key(VK_RETURN);
    EXPECT_TRUE(grid->EditorMode()) << "and opens it again keeping the text";
    EXPECT_EQ(grid->EditorText(), "8.2");
}

TEST_F(GridTest, TabAndArrowsMoveAcrossCellsSkippingTheFixedOnes) {
    User::Key(VK_TAB);
    EXPECT_EQ(grid->Col(), 2);
    User::Key(VK_TAB);
    EXPECT_EQ(grid->Col(), 1) << "past the last column to the next row";
    EXPECT_EQ(grid->Row(), 2);
    User::Key(VK_TAB, {ssShift});
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    User::Key(VK_LEFT);
    User::Key(VK_LEFT);
    EXPECT_EQ(grid->Col(), 1) << "the fixed column cannot be entered";
    User::Key(VK_UP);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridTest, OnSelectCellMayRefuseAMove) {
    grid->OnSelectCell = [](TObject*, int col, int, bool& canSelect) { canSelect = col != 2; };
    EXPECT_FALSE(User::SelectCell(*grid, 2, 2));
    EXPECT_TRUE(User::SelectCell(*grid, 1, 2));
    EXPECT_EQ(grid->Row(), 2);
    grid->SetRowCount(4);
    EXPECT_TRUE(User::SelectCell(*grid, 1, 3)) << "an added row can be entered";
}

TEST_F(GridTest, SetTypesIntoTheCurrentCell) {
    ASSERT_TRUE(User::Set(*grid, "6.5"));
    EXPECT_EQ(grid->Cells(1, 1), "6.5");
    grid->SetOptions(grid->Options() - TGridOptions{goEditing});
    EXPECT_EQ(User::Set(*grid, "1").Reason, "sgRates cannot be edited");
}

TEST_F(UiTest, ASpinEditTakesDigitsAndSignsAndKeepsItsRangeOnExit) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* spin = new TSpinEdit(form.get());
    spin->SetName("edHour");
    spin->SetParent(form.get());
    spin->SetMinValue(0);
    spin->SetMaxValue(23);
    auto* other = new TSpinEdit(form.get());
    other->SetParent(form.get());
    form->Show();
    EXPECT_EQ(spin->Text(), "0");
    ASSERT_TRUE(User::Set(*spin, "2a5"));
    EXPECT_EQ(spin->Text(), "25") << "letters are dropped";
    EXPECT_EQ(spin->Value(), 25) << "the range applies when the field is left";
    User::Leave();
    EXPECT_EQ(spin->Text(), "23");
    User::Set(*spin, "x");
    EXPECT_EQ(spin->Text(), "23") << "a letter is no key for a spin edit";
    spin->SetText("x");
    EXPECT_EQ(spin->Value(), 0) << "no number reads as the minimum";
    User::Set(*spin, "5");
    User::Key(VK_UP);
    User::Key(VK_UP);
    EXPECT_EQ(spin->Value(), 7);
    spin->SetValue(99);
    EXPECT_EQ(spin->Text(), "23");
    spin->SetMaxValue(0);
    spin->SetValue(99);
    EXPECT_EQ(spin->Value(), 99) << "equal bounds mean no range";
}

} // namespace
} // namespace vondrel::test
