#include "SelectPanelFixture.h"

#include "controls/BitCheckBox.h"
#include "controls/F2Button.h"

#include "ui/Label.h"
#include "ui/ListView.h"

namespace vondrel::test {
namespace {

TEST(SelectPanelEnums, KeepTheirNamesAndOrder) {
    struct Case {
        const TEnumInfo& Info;
        std::vector<std::string> Names;
    };
    const Case cases[] = {
        {TEnumTraits<TSelectStyle>::Info(), {"sp_Range", "sp_Discrete", "sp_UserChoice"}},
        {TEnumTraits<TValueType>::Info(),
         {"vt_String", "vt_Number", "vt_Date", "vt_Time", "vt_Float", "vt_OtherMask"}},
        {TEnumTraits<TDateType>::Info(),
         {"dt_NoneCare", "dt_YYYYMMDD", "dt_MMDDYYYY", "dt_DDMMYYYY", "dt_YYMMDD", "dt_YYYMMDD"}},
        {TEnumTraits<TCheckDuplicate>::Info(), {"cd_None", "cd_CheckCase", "cd_CaseInsensitive"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Info.TypeName());
        ASSERT_EQ(c.Info.Count(), static_cast<int>(c.Names.size()));
        for (int i = 0; i < c.Info.Count(); ++i)
            EXPECT_EQ(c.Info.NameOf(i), c.Names[static_cast<std::size_t>(i)]);
    }
}

TEST_F(SelectPanelTest, ANewPanelPublishesItsDefaults) {
    const std::pair<const char*, const char*> defaults[] = {
        {"Style", "sp_Range"},
        {"UserChoice", "True"},
        {"HintWord", "区间选择"},
        {"BeginWords", "起\r\n起\r\n"},
        {"FinalWords", "止\r\n止\r\n"},
        {"ChildHints",
         "用户自定输入方式\r\n区间选择-起始信息\r\n区间选择-起始信息开窗\r\n区间选择-截止信息\r\n"
         "区间选择-截止信息开窗\r\n多选-己选择的信息\r\n多选-信息开窗\r\n多选-删除一笔信息\r\n"
         "多选-删除己选信息\r\n"},
        {"EditMask", ""},
        {"ValueType", "vt_String"},
        {"DateType", "dt_NoneCare"},
        {"DateSign", "/"},
        {"AutoChangeDateSite", "True"},
        {"UseDiscard", "False"},
        {"Discard", ""},
        {"CanOpenWin", "True"},
        {"CheckDuplicate", "cd_None"},
        {"SortListBox", "False"},
        {"Columns", "1"},
        {"ColumnCaptions", "Data\r\n"},
        {"ShowColumnHeader", "False"},
        {"GlyphIndex", "8"},
        {"OtherWidth", "200"},
        {"OtherHeight", "105"},
        {"UseVertical", "False"},
        {"Width", "353"},
        {"Height", "45"},
    };
    for (const auto& [name, expected] : defaults) {
        SCOPED_TRACE(name);
        std::string text;
        ASSERT_EQ(sp05->GetPropText(name, text), TPropResult::Ok);
        EXPECT_EQ(text, expected);
    }
    for (const char* event : {"OnTypeClick", "OnStyleChanging", "OnStyleChange", "OnOpenWinClick",
                              "OnDeleteClick", "OnClearClick", "OnExit", "OnEnter", "OnItemSelect",
                              "OnItemChange", "OnItemChanging", "OnKeyDown", "OnKeyUp", "OnKeyPress"}) {
        const TPropInfo* info = sp05->FindProperty(event);
        ASSERT_NE(info, nullptr) << event;
        EXPECT_EQ(info->Kind, TPropKind::Event) << event;
    }
    EXPECT_TRUE(sp05->InheritsFrom("TGroupBox"));
    EXPECT_NE(sp05->GetPropObject("Items"), nullptr);
}

TEST_F(SelectPanelTest, ThePartsCarryTheirHintsAndTheListIsAReadOnlyMultiSelectReport) {
    const std::pair<const char*, const char*> hints[] = {
        {"chkChoice", "用户自定输入方式"},    {"edFrom", "区间选择-起始信息"},
        {"btnFrom", "区间选择-起始信息开窗"}, {"edTo", "区间选择-截止信息"},
        {"btnTo", "区间选择-截止信息开窗"},   {"lvList", "多选-己选择的信息"},
        {"btnList", "多选-信息开窗"},         {"btnDelete", "多选-删除一笔信息"},
        {"btnClear", "多选-删除己选信息"},
    };
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(Part(name).Hint(), hint) << name;
    auto& list = Part<TListView>("lvList");
    EXPECT_EQ(list.ViewStyle(), vsReport);
    EXPECT_TRUE(list.MultiSelect());
    EXPECT_TRUE(list.RowSelect());
    EXPECT_TRUE(list.ReadOnly());
    EXPECT_FALSE(list.ShowColumnHeaders());
    ASSERT_EQ(list.Columns()->Count(), 1);
    EXPECT_EQ(list.Columns()->Items(0)->Caption(), "Data");
    EXPECT_EQ(Part<TBitCheckBox>("chkChoice").Caption(), "区间选择");
    EXPECT_TRUE(Part<TBitCheckBox>("chkChoice").Checked());

    // A shorter list of hints leaves the later parts as they were.
    ASSERT_EQ(sp05->SetPropText("ChildHints", "选择方式\r\n起始"), TPropResult::Ok);
    EXPECT_EQ(Part("chkChoice").Hint(), "选择方式");
    EXPECT_EQ(Part("edFrom").Hint(), "起始");
    EXPECT_EQ(Part("btnFrom").Hint(), "区间选择-起始信息开窗");
    EXPECT_EQ(Part("btnClear").Hint(), "多选-删除己选信息");

    ASSERT_EQ(sp05->SetPropText("HintWord", "區間選擇"), TPropResult::Ok);
    EXPECT_EQ(Part<TBitCheckBox>("chkChoice").Caption(), "區間選擇");
}

TEST_F(SelectPanelTest, TheStyleAndTheChoiceDecideWhichPageShows) {
    struct Case {
        TSelectStyle Style;
        bool UserChoice;
        bool Range;
        bool ChoiceBox;
    };
    const Case cases[] = {
        {sp_Range, true, true, false},     {sp_Range, false, true, false},
        {sp_Discrete, true, false, false}, {sp_Discrete, false, false, false},
        {sp_UserChoice, true, true, true}, {sp_UserChoice, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TEnumTraits<TSelectStyle>::Info().NameOf(c.Style) +
                     (c.UserChoice ? " checked" : " unchecked"));
        sp05->SetStyle(c.Style);
        sp05->SetUserChoice(c.UserChoice);
        EXPECT_EQ(sp05->IsRangeMode(), c.Range);
        EXPECT_EQ(Part("pnlRange").Visible(), c.Range);
        EXPECT_EQ(Part("pnlList").Visible(), !c.Range);
        EXPECT_EQ(Part("chkChoice").Visible(), c.ChoiceBox);
        EXPECT_EQ(Part<TBitCheckBox>("chkChoice").Checked(), c.UserChoice);
    }
}

TEST_F(SelectPanelTest, UncheckingTheChoiceBoxShowsTheListAndTellsOnce) {
    sp05->SetStyle(sp_UserChoice);
    int typeClicks = 0;
    sp05->OnTypeClick = [&](TObject* sender) {
        EXPECT_EQ(sender, sp05);
        ++typeClicks;
    };
    form->Show();
    ASSERT_TRUE(Part("pnlRange").Showing());
    ASSERT_TRUE(User::Check(Part("chkChoice"), false));
    EXPECT_EQ(typeClicks, 1);
    EXPECT_FALSE(sp05->UserChoice());
    EXPECT_TRUE(Part("pnlList").Showing());
    EXPECT_FALSE(Part("pnlRange").Showing());

    // The panel itself offers the two modes as a choice.
    ASSERT_TRUE(User::Choose(*sp05, 0));
    EXPECT_TRUE(sp05->IsRangeMode());
    EXPECT_EQ(typeClicks, 2);
    ASSERT_TRUE(User::Choose(*sp05, 0));
    EXPECT_EQ(typeClicks, 2) << "choosing the mode it has clicks nothing";

    sp05->SetStyle(sp_Range);
    EXPECT_FALSE(User::Choose(*sp05, 1));
    EXPECT_EQ(typeClicks, 2);
}

TEST_F(SelectPanelTest, StyleChangesCanBeRefusedOrRedirected) {
    std::string log;
    bool accept = true;
    TSelectStyle redirect = sp_UserChoice;
    sp05->OnStyleChanging = [&](TObject*, TSelectStyle now, TSelectStyle& next, bool& ok) {
        log += "changing " + TEnumTraits<TSelectStyle>::Info().NameOf(now) + ">" +
               TEnumTraits<TSelectStyle>::Info().NameOf(next) + ";";
        next = redirect;
        ok = accept;
    };
    sp05->OnStyleChange = [&](TObject*, TSelectStyle old, TSelectStyle now) {
        log += "changed " + TEnumTraits<TSelectStyle>::Info().NameOf(old) + ">" +
               TEnumTraits<TSelectStyle>::Info().NameOf(now) + ";";
    };
    sp05->SetStyle(sp_Discrete);
    EXPECT_EQ(log, "changing sp_Range>sp_Discrete;changed sp_Range>sp_UserChoice;");
    EXPECT_EQ(sp05->Style(), sp_UserChoice);

    log.clear();
    accept = false;
    ASSERT_EQ(sp05->SetPropText("Style", "sp_Range"), TPropResult::Ok);
    EXPECT_EQ(log, "changing sp_UserChoice>sp_Range;");
    EXPECT_EQ(sp05->Style(), sp_UserChoice);

    log.clear();
    accept = true;
    redirect = sp_UserChoice;
    sp05->SetStyle(sp_Range);
    EXPECT_EQ(log, "changing sp_UserChoice>sp_Range;") << "redirected to the style it has: nothing changes";
}

TEST_F(SelectPanelTest, LeavingOrEnteringTheRangeStyleSwapsTheSizes) {
    struct Step {
        TSelectStyle Style;
        int Width;
        int Height;
    };
    const Step steps[] = {
        {sp_UserChoice, 200, 105}, {sp_Discrete, 200, 105}, {sp_Range, 353, 45}, {sp_Discrete, 200, 105}};
    for (const Step& step : steps) {
        SCOPED_TRACE(TEnumTraits<TSelectStyle>::Info().NameOf(step.Style));
        sp05->SetStyle(step.Style);
        EXPECT_EQ(sp05->Width(), step.Width);
        EXPECT_EQ(sp05->Height(), step.Height);
    }
    EXPECT_EQ(sp05->OtherWidth(), 353);
    EXPECT_EQ(sp05->OtherHeight(), 45);

    sp05->SetUseVertical(true);
    sp05->SetStyle(sp_Range);
    EXPECT_EQ(sp05->Width(), 200) << "a vertical panel keeps its size";
}

TEST_F(SelectPanelTest, AFormBeingBuiltKeepsThePanelsSize) {
    const TSelectStyle style = sp_UserChoice;
    TfrmSelect::styleAtLoad = &style;
    TOwnedPtr<TfrmSelect> loaded(Create<TfrmSelect>(nullptr));
    TfrmSelect::styleAtLoad = nullptr;
    EXPECT_EQ(loaded->sp05->Style(), sp_UserChoice);
    EXPECT_EQ(loaded->sp05->Width(), 353);
    EXPECT_EQ(loaded->sp05->Height(), 45);
    EXPECT_EQ(loaded->sp05->OtherWidth(), 200);
    loaded->sp05->SetStyle(sp_Range);
    EXPECT_EQ(loaded->sp05->Width(), 200) << "once the form is built the sizes are exchanged again";
    EXPECT_EQ(loaded->sp05->Height(), 105);
    EXPECT_EQ(loaded->sp05->OtherWidth(), 353);
}

TEST_F(SelectPanelTest, TheLabelsTakeTheEntryOfTheStyle) {
    struct Case {
        const char* Words;
        TSelectStyle Style;
        const char* Caption;
    };
    const Case cases[] = {
        {"起\r\n从", sp_Range, "起"},        {"起\r\n从", sp_Discrete, "起"},
        {"起\r\n从", sp_UserChoice, "从"},   {"From", sp_Range, "From"},
        {"From", sp_UserChoice, "From"},     {"", sp_UserChoice, ""},
        {"a\r\nb\r\nc", sp_UserChoice, "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Words) + " / " + TEnumTraits<TSelectStyle>::Info().NameOf(c.Style));
        sp05->SetStyle(c.Style);
        ASSERT_EQ(sp05->SetPropText("BeginWords", c.Words), TPropResult::Ok);
        ASSERT_EQ(sp05->SetPropText("FinalWords", c.Words), TPropResult::Ok);
        EXPECT_EQ(Part("lblFrom").Caption(), c.Caption);
        EXPECT_EQ(Part("lblTo").Caption(), c.Caption);
        EXPECT_LE(sp05->BeginWords()->Count(), 2) << "only two entries are kept";
    }
}

TEST_F(SelectPanelTest, ThePartsFitInsideThePanelWithoutOverlapping) {
    const auto inside = [](const TControl& part, const TControl& page) {
        return part.Left() >= 0 && part.Top() >= 0 && part.Left() + part.Width() <= page.Width() &&
               part.Top() + part.Height() <= page.Height();
    };
    const auto apart = [](const TControl& a, const TControl& b) {
        return a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
               a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
    };
    struct Case {
        TSelectStyle Style;
        bool UserChoice;
        bool Vertical;
        bool Buttons;
    };
    const Case cases[] = {{sp_Range, true, false, true},       {sp_Range, true, true, true},
                          {sp_Range, true, false, false},      {sp_UserChoice, true, false, true},
                          {sp_UserChoice, false, false, true}, {sp_Discrete, true, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(TEnumTraits<TSelectStyle>::Info().NameOf(c.Style) + (c.Vertical ? " vertical" : "") +
                     (c.Buttons ? "" : " without buttons"));
        TOwnedPtr<TfrmSelect> other(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *other->sp05;
        panel.SetUseVertical(c.Vertical);
        panel.SetCanOpenWin(c.Buttons);
        panel.SetStyle(c.Style);
        panel.SetUserChoice(c.UserChoice);
        if (c.Vertical)
            panel.SetHeight(80);
        const bool range = panel.IsRangeMode();
        TControl& page = range ? static_cast<TControl&>(*panel.RangePage()) : *panel.ListPage();
        EXPECT_TRUE(inside(page, panel));
        std::vector<TControl*> parts;
        if (range)
            parts = {panel.FromLabel(), panel.FromEdit(), panel.ToLabel(), panel.ToEdit()};
        else
            parts = {panel.List(), panel.DeleteButton(), panel.ClearButton()};
        if (c.Buttons && range)
            parts.insert(parts.end(), {panel.FromButton(), panel.ToButton()});
        if (c.Buttons && !range)
            parts.push_back(panel.ListButton());
        for (TControl* part : parts) {
            EXPECT_TRUE(part->Visible()) << part->Name();
            EXPECT_TRUE(inside(*part, page)) << part->Name();
            EXPECT_GT(part->Width(), 0) << part->Name();
            for (TControl* other : parts) {
                if (other != part) {
                    EXPECT_TRUE(apart(*part, *other)) << part->Name() << " and " << other->Name();
                }
            }
        }
        if (c.Vertical) {
            EXPECT_GT(panel.ToEdit()->Top(), panel.FromEdit()->Top());
        } else if (range) {
            EXPECT_GT(panel.ToEdit()->Left(), panel.FromEdit()->Left());
        }
        if (panel.ChoiceBox()->Visible()) {
            EXPECT_TRUE(inside(*panel.ChoiceBox(), panel));
            EXPECT_TRUE(apart(*panel.ChoiceBox(), page));
        }
    }
}

TEST_F(SelectPanelTest, TheLookupButtonsFocusTheirPartAskTheFormThenTell) {
    sp05->SetStyle(sp_UserChoice);
    std::vector<std::string> events;
    sp05->OnOpenWinClick = [&](TObject* sender, TWinControl* part) {
        EXPECT_EQ(sender, sp05);
        EXPECT_TRUE(part->Focused());
        events.push_back(part->Name() + " after " + std::to_string(form->requests.size()) + " request(s)");
    };
    form->Show();
    User::Focus(*form->ed01);
    ASSERT_TRUE(User::Click(Part("btnTo")));
    ASSERT_TRUE(User::Click(Part("btnFrom")));
    ASSERT_TRUE(User::Check(Part("chkChoice"), false));
    ASSERT_TRUE(User::Click(Part("btnList")));
    EXPECT_EQ(form->requests, (std::vector<std::string>{"edTo", "edFrom", "lvList"}));
    EXPECT_EQ(events, (std::vector<std::string>{"edTo after 1 request(s)", "edFrom after 2 request(s)",
                                                "lvList after 3 request(s)"}));
    EXPECT_TRUE(Part<TListView>("lvList").Focused());
}

TEST_F(SelectPanelTest, NoLookupWhileAnotherFieldKeepsTheFocus) {
    int told = 0;
    sp05->OnOpenWinClick = [&](TObject*, TWinControl*) { ++told; };
    form->Show();
    User::Focus(*form->ed01);
    form->ed01->OnExit = [this](TObject*) { form->ed01->SetFocus(); };
    User::Click(Part("btnFrom"));
    EXPECT_TRUE(form->requests.empty());
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(form->ed01->Focused());
}

TEST_F(SelectPanelTest, CanOpenWinAndGlyphIndexGoToTheThreeLookupButtons) {
    form->Show();
    sp05->SetCanOpenWin(false);
    for (const char* name : {"btnFrom", "btnTo", "btnList"})
        EXPECT_FALSE(Part(name).Visible()) << name;
    EXPECT_FALSE(User::Click(Part("btnFrom")));
    EXPECT_TRUE(form->requests.empty());
    sp05->SetCanOpenWin(true);
    ASSERT_EQ(sp05->SetPropValue("GlyphIndex", 9), TPropResult::Ok);
    for (const char* name : {"btnFrom", "btnTo", "btnList"})
        EXPECT_EQ(Part<TF2Button>(name).GlyphIndex(), 9) << name;
    EXPECT_NE(Part<TGSpeedButton>("btnDelete").GlyphIndex(), 9);
}

TEST_F(SelectPanelTest, AddedRowsGrowTheColumnsAndArePadded) {
    sp05->SetStyle(sp_Discrete);
    ASSERT_TRUE(sp05->AddRow({"JPY"}));
    ASSERT_TRUE(sp05->AddRow({"HKD", "港币", "HK"}));
    ASSERT_TRUE(sp05->AddRow({"USD", "美元"}));
    EXPECT_EQ(Rows(), (std::vector<TSelectRow>{{"JPY", "", ""}, {"HKD", "港币", "HK"}, {"USD", "美元", ""}}));
    EXPECT_EQ(sp05->Columns(), 3);
    EXPECT_EQ(sp05->ColumnCaptions()->Text(), "Data\r\nData2\r\nData3\r\n");
    EXPECT_FALSE(sp05->AddRow(TSelectRow{}));
    EXPECT_FALSE(sp05->AddRow(TSelectRow(TSelectPanel::kMaxColumns + 1, "x")));
    EXPECT_EQ(sp05->RowCount(), 3);

    // Widths fit the widest text of each column (the header counts when shown).
    const TListColumns& columns = *Part<TListView>("lvList").Columns();
    const TFont& font = *Part<TListView>("lvList").Font();
    EXPECT_EQ(columns.Items(1)->Width(), font.TextWidth("港币") + 12);
    sp05->SetShowColumnHeader(true);
    EXPECT_EQ(columns.Items(1)->Width(), font.TextWidth("Data2") + 12);
    sp05->SetColumnsAutoSize(false);
    sp05->AddRow({"EUR", "欧元欧元欧元欧元"});
    EXPECT_EQ(columns.Items(1)->Width(), font.TextWidth("Data2") + 12);
}

TEST_F(SelectPanelTest, ColumnsAndTheirCaptionsFollowEachOther) {
    ASSERT_EQ(sp05->SetPropValue("Columns", 3), TPropResult::Ok);
    EXPECT_EQ(sp05->ColumnCaptions()->Text(), "Data\r\nData2\r\nData3\r\n");
    ASSERT_EQ(sp05->SetPropText("ColumnCaptions", "币种\r\n名称"), TPropResult::Ok);
    EXPECT_EQ(sp05->Columns(), 2);
    EXPECT_EQ(Part<TListView>("lvList").Columns()->Items(1)->Caption(), "名称");
    ASSERT_EQ(sp05->SetPropText("ColumnCaptions", ""), TPropResult::Ok);
    EXPECT_EQ(sp05->Columns(), 1) << "a panel keeps one column";
    EXPECT_EQ(sp05->ColumnCaptions()->Text(), "Data\r\n");
    ASSERT_EQ(sp05->SetPropValue("Columns", 0), TPropResult::Ok);
    EXPECT_EQ(sp05->Columns(), 1);
}

TEST_F(SelectPanelTest, RepeatedCodesAreDroppedAsCheckDuplicateSays) {
    struct Case {
        TCheckDuplicate Check;
        std::vector<TSelectRow> Added;
        std::vector<std::string> Codes;
    };
    const Case cases[] = {
        {cd_None, {{"USD"}, {"usd"}, {"USD"}}, {"USD", "usd", "USD"}},
        {cd_CheckCase, {{"USD"}, {"usd"}}, {"USD", "usd"}},
        {cd_CheckCase, {{"USD"}, {"USD"}}, {"USD"}},
        {cd_CaseInsensitive, {{"USD"}, {"usd"}}, {"USD"}},
        {cd_CaseInsensitive, {{"usd", "b"}, {"USD", "a"}}, {"USD"}},
        // A case-insensitive order can put the repeat away from the first: it goes all the same.
        {cd_CheckCase, {{"USD"}, {"usd"}, {"USD"}}, {"USD", "usd"}},
        {cd_CaseInsensitive, {{"JPY"}, {"EUR"}, {"jpy"}, {"HKD"}}, {"EUR", "HKD", "JPY"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TEnumTraits<TCheckDuplicate>::Info().NameOf(c.Check) + " with " +
                     std::to_string(c.Added.size()) + " rows");
        sp05->ClearValues();
        sp05->SetSortListBox(false);
        sp05->SetCheckDuplicate(c.Check);
        EXPECT_EQ(sp05->SortListBox(), c.Check != cd_None);
        for (const TSelectRow& row : c.Added)
            sp05->AddRow(row);
        EXPECT_EQ(Codes(), c.Codes);
    }
}

TEST_F(SelectPanelTest, HeaderClicksSortWithTheTieRules) {
    sp05->SetStyle(sp_Discrete);
    sp05->SetShowColumnHeader(true);
    for (const TSelectRow& row : std::vector<TSelectRow>{
             {"B", "x", "2"}, {"a", "x", "1"}, {"C", "y", "0"}, {"A", "w", "3"}, {"c", "y", "9"}})
        sp05->AddRow(row);
    form->Show();
    auto& list = Part<TListView>("lvList");
    struct Click {
        int Column;
        std::vector<std::string> Codes;
    };
    const Click clicks[] = {
        // Column 0 is the sort column from the start: the first click on it reverses.
        {0, {"C", "c", "B", "a", "A"}}, {1, {"A", "a", "B", "C", "c"}}, {1, {"C", "c", "B", "a", "A"}},
        {2, {"C", "a", "B", "A", "c"}}, {0, {"A", "a", "B", "C", "c"}},
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE("column " + std::to_string(click.Column));
        ASSERT_TRUE(User::ClickColumn(list, click.Column));
        EXPECT_EQ(Codes(), click.Codes);
    }
    EXPECT_EQ(sp05->SortColumn(), 0);
    EXPECT_FALSE(sp05->SortDescending());

    // A sorted list keeps the order as rows arrive.
    sp05->SetSortListBox(true);
    sp05->AddRow({"b", "z", "5"});
    EXPECT_EQ(Codes(), (std::vector<std::string>{"A", "a", "B", "b", "C", "c"}));
}

TEST_F(SelectPanelTest, DeletingSelectedRowsAsksFirstAndClearingTellsAfterwards) {
    sp05->SetStyle(sp_Discrete);
    for (const char* code : {"EUR", "HKD", "JPY", "USD"})
        sp05->AddRow({code});
    bool accept = false;
    int asked = 0;
    sp05->OnDeleteClick = [&](TObject* sender, bool& ok) {
        EXPECT_EQ(sender, sp05);
        ++asked;
        ok = accept;
    };
    form->Show();
    ASSERT_TRUE(User::Select(*sp05, {1, 3})) << "the panel selects in its list";
    ASSERT_TRUE(User::Click(Part("btnDelete")));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sp05->RowCount(), 4) << "refused";
    accept = true;
    ASSERT_TRUE(User::Click(Part("btnDelete")));
    EXPECT_EQ(Codes(), (std::vector<std::string>{"EUR", "JPY"}));

    int rowsWhenTold = -1;
    sp05->OnClearClick = [&](TObject*) { rowsWhenTold = sp05->RowCount(); };
    User::Focus(*form->ed01);
    ASSERT_TRUE(User::Click(Part("btnClear")));
    EXPECT_EQ(rowsWhenTold, 0);
    EXPECT_TRUE(Part<TListView>("lvList").Focused());
}

TEST_F(SelectPanelTest, FocusingThePanelReachesItsEntryPart) {
    sp05->SetStyle(sp_UserChoice);
    form->Show();
    ASSERT_TRUE(User::Focus(*sp05));
    EXPECT_TRUE(Part<TMaskEdit>("edFrom").Focused());
    EXPECT_FALSE(User::Select(*sp05, {0})) << "no list to select in";
    sp05->SetUserChoice(false);
    User::Focus(*form->ed01);
    ASSERT_TRUE(User::Focus(*sp05));
    EXPECT_TRUE(Part<TListView>("lvList").Focused());
    EXPECT_EQ(sp05->EntryControl(), &Part("lvList"));
}

TEST_F(SelectPanelTest, RowAndKeyEventsArePassedOnAsThePanels) {
    sp05->SetStyle(sp_Discrete);
    sp05->AddRow({"EUR"});
    sp05->AddRow({"USD"});
    std::string log;
    sp05->OnItemSelect = [&](TObject* sender, TListItem* item, int index, bool selected) {
        EXPECT_EQ(sender, sp05);
        log += (selected ? "+" : "-") + item->Caption() + "@" + std::to_string(index) + ";";
    };
    sp05->OnItemChanging = [&](TObject* sender, TListItem*, TItemChange, bool&) {
        EXPECT_EQ(sender, sp05);
        log += "changing;";
    };
    sp05->OnItemChange = [&](TObject* sender, TListItem*, TItemChange change) {
        EXPECT_EQ(sender, sp05);
        log += change == ctState ? "state;" : "other;";
    };
    sp05->OnKeyDown = [&](TObject* sender, Word& key, TShiftState) {
        EXPECT_EQ(sender, sp05);
        log += "down " + std::to_string(key) + ";";
    };
    form->Show();
    ASSERT_TRUE(User::Choose(Part("lvList"), 1));
    EXPECT_EQ(log, "changing;state;+USD@1;");
    log.clear();
    ASSERT_TRUE(User::Key(Part("lvList"), VK_F2));
    EXPECT_EQ(log, "down " + std::to_string(VK_F2) + ";");

    sp05->SetStyle(sp_Range);
    log.clear();
    std::string typed;
    sp05->OnKeyPress = [&](TObject* sender, char32_t& key) {
        EXPECT_EQ(sender, sp05);
        typed += static_cast<char>(key);
    };
    ASSERT_TRUE(User::Type(Part("edTo"), "usd"));
    EXPECT_EQ(typed, "usd");
    EXPECT_EQ(sp05->ToText(), "usd");
}

} // namespace
} // namespace vondrel::test
