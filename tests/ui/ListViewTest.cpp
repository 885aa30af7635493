#include "support/UiFixture.h"

#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/UserSimulation.h"

#include "platform/SysUtils.h"

namespace vondrel::test {
namespace {

class ListViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        list = new TListView(form.get());
        list->SetName("lstCondition");
        list->SetParent(form.get());
        list->SetViewStyle(vsReport);
        list->Columns()->Add()->SetCaption("方案名称");
        list->Columns()->Add()->SetCaption("创建时间");
        for (const char* name : {"月结", "期末", "年度"}) {
            TListItem* item = list->Items()->Add();
            item->SetCaption(name);
            item->SubItems()->Add("2024/01/05");
        }
        list->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
            log += (selected ? "+" : "-") + item->Caption() + ";";
        };
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < list->Items()->Count(); ++i)
            captions.push_back(list->Items()->Item(i)->Caption());
        return captions;
    }

    TOwnedPtr<TForm> form;
    TListView* list = nullptr;
    std::string log;
};

TEST_F(ListViewTest, SelectingRowsFiresTheSelectionEvents) {
    ASSERT_TRUE(User::Select(*list, {1}));
    EXPECT_EQ(log, "+期末;");
    EXPECT_EQ(list->Selected()->Caption(), "期末");
    EXPECT_EQ(list->ItemFocused(), list->Items()->Item(1));
    ASSERT_TRUE(User::Choose(*list, 2));
    EXPECT_EQ(log, "+期末;-期末;+年度;");
    EXPECT_EQ(User::Select(*list, {0, 1}).Reason, "lstCondition selects one row at a time");
    list->SetMultiSelect(true);
    ASSERT_TRUE(User::Select(*list, {0, 1}));
    EXPECT_EQ(list->SelCount(), 2);
    ASSERT_TRUE(User::Select(*list, {}));
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_FALSE(User::Select(*list, {5}));
}

TEST_F(ListViewTest, OnChangingCanRefuseASelection) {
    list->OnChanging = [](TObject*, TListItem* item, TItemChange change, bool& allow) {
        allow = !(change == ctState && item->Caption() == "年度");
    };
    User::Select(*list, {2});
    EXPECT_EQ(list->Selected(), nullptr);
    User::Select(*list, {0});
    EXPECT_EQ(list->Selected(), list->Items()->Item(0));
}

TEST_F(ListViewTest, ASortedListKeepsCaptionOrderThroughOnCompareWhenAssigned) {
    list->SetSortType(stText);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"年度", "月结", "期末"}));
    list->Items()->Add()->SetCaption("Abc");
    EXPECT_EQ(Captions().front(), "Abc");
    list->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& result) {
        result = -CompareText(a->Caption(), b->Caption());
    };
    list->AlphaSort();
    EXPECT_EQ(Captions().back(), "Abc");
}

TEST_F(ListViewTest, InPlaceEditingAsksBeforeAndMayChangeTheNewCaption) {
    std::vector<std::string> edited;
    list->OnEdited = [&](TObject*, TListItem* item, std::string& caption) {
        edited.push_back(item->Caption() + "->" + caption);
        if (Trim(caption).empty())
            caption = item->Caption(); // a blank name keeps the old one
    };
    ASSERT_TRUE(User::EditCaption(*list, 0, "月末"));
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "月末");
    ASSERT_TRUE(User::EditCaption(*list, 0, "  "));
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "月末");
    EXPECT_EQ(edited, (std::vector<std::string>{"月结->月末", "月末->  "}));
    list->OnEditing = [](TObject*, TListItem*, bool& allow) { allow = false; };
    EXPECT_FALSE(User::EditCaption(*list, 1, "x"));
    list->SetReadOnly(true);
    EXPECT_EQ(User::EditCaption(*list, 1, "x").Reason, "lstCondition is read-only");
}

TEST_F(ListViewTest, ColumnClicksDoubleClicksAndDeletion) {
    std::vector<std::string> columns;
    list->OnColumnClick = [&](TObject*, TListColumn* column) { columns.push_back(column->Caption()); };
    ASSERT_TRUE(User::ClickColumn(*list, 1));
    EXPECT_EQ(columns, (std::vector<std::string>{"创建时间"}));
    list->SetShowColumnHeaders(false);
    EXPECT_FALSE(User::ClickColumn(*list, 1));
    int doubleClicks = 0;
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    User::Select(*list, {1});
    ASSERT_TRUE(User::DoubleClick(*list));
    EXPECT_EQ(doubleClicks, 1);
    std::vector<std::string> deleted;
    list->OnDeletion = [&](TObject*, TListItem* item) { deleted.push_back(item->Caption()); };
    list->Selected()->Delete();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"月结", "年度"}));
    EXPECT_EQ(list->Selected(), nullptr);
    list->Items()->Clear();
    EXPECT_EQ(deleted, (std::vector<std::string>{"期末", "年度", "月结"}));
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelection) {
    User::Select(*list, {0});
    User::Key(VK_DOWN);
    User::Key(VK_DOWN);
    User::Key(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 2);
    User::Key(VK_UP);
    EXPECT_EQ(list->ItemIndex(), 1);
}

} // namespace
} // namespace vondrel::test
