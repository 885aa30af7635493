#include "support/UiFixture.h"

#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class PageControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        pages = new TPageControl(form.get());
        pages->SetName("pgOption");
        pages->SetParent(form.get());
        for (const char* caption : {"基本选项", "系统选项", "周期性设置"}) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
            sheet->OnShow = [this, caption](TObject*) { log += std::string("show ") + caption + ";"; };
            auto* edit = new TEdit(form.get());
            edit->SetParent(sheet);
            sheets.push_back(sheet);
            edits.push_back(edit);
        }
        pages->OnChanging = [this](TObject*, bool& allow) {
            log += "changing;";
            allow = allowChange;
        };
        pages->OnChange = [this](TObject*) { log += "change;"; };
        form->Show();
        log.clear();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }

    TOwnedPtr<TForm> form;
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    std::vector<TEdit*> edits;
    bool allowChange = true;
    std::string log;
};

TEST_F(PageControlTest, TheFirstPageIsActiveAndOnlyItIsVisible) {
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    EXPECT_TRUE(pages->Focused()) << "the page control is the first tab stop";
    EXPECT_FALSE(edits[1]->CanFocus()) << "controls of hidden pages cannot be reached";
}

TEST_F(PageControlTest, ChoosingATabAsksOnChangingThenChanges) {
    ASSERT_TRUE(User::Choose(*pages, 1));
    EXPECT_EQ(log, "changing;show 系统选项;change;");
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_FALSE(sheets[0]->Visible());
    allowChange = false;
    log.clear();
    EXPECT_FALSE(User::Choose(*pages, "周期性设置"));
    EXPECT_EQ(log, "changing;");
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
}

TEST_F(PageControlTest, SwitchingFromCodeFiresNeitherEvent) {
    pages->SetActivePage(sheets[2]);
    EXPECT_EQ(log, "show 周期性设置;");
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(pages->SetPropText("ActivePage", ""), TPropResult::Ok);
    EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST_F(PageControlTest, HiddenTabsAreSkippedWhenCounting) {
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->VisibleTabCount(), 2);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    EXPECT_EQ(pages->PageOfTab(1), sheets[2]);
    ASSERT_TRUE(User::Choose(*pages, 1));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_FALSE(User::Choose(*pages, "系统选项"));
    // Hiding the active tab shows the page of the tab that takes its place.
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
}

TEST_F(PageControlTest, AFreedPageLeavesThePageControl) {
    sheets[1]->Free();
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Pages(1), sheets[2]);
    sheets[0]->Free();
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the next page takes the active one's place";
    EXPECT_TRUE(sheets[2]->Visible());
}

TEST_F(PageControlTest, CtrlTabAndArrowsGoToTheNextPage) {
    User::Focus(*pages);
    User::Key(VK_RIGHT);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    pages->SelectNextPage(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    pages->SelectNextPage(false);
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "wraps around";
}

TEST_F(PageControlTest, APageStaysWhenTheFocusedControlOnItKeepsTheFocus) {
    User::Focus(*edits[0]);
    edits[0]->OnExit = [this](TObject*) { edits[0]->SetFocus(); };
    EXPECT_FALSE(pages->SetActivePage(sheets[1]));
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_FALSE(User::Choose(*pages, 1));
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(edits[0]->Focused());
    edits[0]->OnExit = nullptr;
    ASSERT_TRUE(User::Choose(*pages, 1));
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
}

TEST_F(PageControlTest, TabsAreDrawnByOnDrawTabWhenAssigned) {
    std::vector<std::string> drawn;
    pages->OnDrawTab = [&](TObject*, int tab, const TRect& rect, bool active) {
        drawn.push_back(std::to_string(tab) + (active ? "*" : "") + "@" + std::to_string(rect.Left));
    };
    TCanvas canvas;
    pages->Paint(canvas);
    const int first = pages->Font()->TextWidth("基本选项") + 12;
    EXPECT_EQ(drawn,
              (std::vector<std::string>{"0*@2", "1@" + std::to_string(2 + first),
                                        "2@" + std::to_string(2 + first + pages->TabRect(1).Width())}));
}

} // namespace
} // namespace vondrel::test
