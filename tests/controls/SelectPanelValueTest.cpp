#include "SelectPanelFixture.h"

#include "lib/SqlConditions.h"

#include <algorithm>

namespace vondrel::test {
namespace {

// The separators of saved texts, spelt out so that a test fails on any other byte.
const std::string F(1, '\x03');
const std::string C(1, '\x01');
const std::string R(1, '\x04');

/// The panel's whole visible state, to tell whether something changed it.
std::string StateOf(const TSelectPanel& panel) {
    std::string state = panel.SavedText() + "|" + (panel.UserChoice() ? "T" : "F") + "|" + panel.FromText() +
                        "|" + panel.ToText() + "|" + panel.ListText();
    return state;
}

class SelectPanelValueTest : public SelectPanelTest {
protected:
    void FillCurrencies(TSelectPanel& panel) {
        panel.AddRow({"HKD", "港币"});
        panel.AddRow({"JPY"});
    }
};

TEST_F(SelectPanelValueTest, TheRangeValueHoldsTheMarkerAndBothEnds) {
    sp05->SetFromText("EUR");
    sp05->SetToText("USD");
    const Variant value = sp05->SelectionValue();
    EXPECT_EQ(value, VarArrayOf({std::string(1, '\x04'), "EUR", "USD"}));
    EXPECT_EQ(OptionValueKind(value), 0);

    sp05->SetFromText("");
    sp05->SetToText("");
    EXPECT_EQ(sp05->SelectionValue(), VarArrayOf({std::string(1, '\x04'), "", ""}))
        << "an empty range is recorded as it is";
}

TEST_F(SelectPanelValueTest, TheListValueHoldsOneArrayPerRow) {
    sp05->SetStyle(sp_Discrete);
    EXPECT_EQ(sp05->SelectionValue(), VarArrayOf({std::string(1, '\x05')}))
        << "an empty list: the marker alone";
    FillCurrencies(*sp05);
    const Variant value = sp05->SelectionValue();
    EXPECT_EQ(value,
              VarArrayOf({std::string(1, '\x05'), VarArrayOf({"HKD", "港币"}), VarArrayOf({"JPY", ""})}));
    EXPECT_EQ(value.LowBound(1), 0);
    EXPECT_EQ(OptionValueKind(value), 1);
}

TEST_F(SelectPanelValueTest, SavedTextsAreWrittenByteForByteAndReadBack) {
    struct Case {
        const char* Name;
        TSelectStyle Style;
        bool UserChoice;
        bool List;
        std::string Saved;
    };
    const std::string list = "HKD" + C + "港币" + R + "JPY" + C + R;
    const Case cases[] = {
        {"range", sp_Range, true, false, "sp_Range" + F + "EUR" + F + "USD"},
        {"list", sp_Discrete, true, true, "sp_Discrete" + F + list},
        {"empty list", sp_Discrete, true, false, "sp_Discrete" + F},
        {"choice of a range", sp_UserChoice, true, false,
         "sp_UserChoice" + F + "True" + F + "EUR" + F + "USD"},
        {"choice of a list", sp_UserChoice, false, true, "sp_UserChoice" + F + "False" + F + list},
        {"choice of an empty list", sp_UserChoice, false, false, "sp_UserChoice" + F + "False" + F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOwnedPtr<TfrmSelect> source(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *source->sp05;
        panel.SetStyle(c.Style);
        panel.SetUserChoice(c.UserChoice);
        panel.SetFromText("EUR");
        panel.SetToText("USD");
        if (c.List)
            FillCurrencies(panel);
        EXPECT_EQ(panel.SavedText(), c.Saved);

        TOwnedPtr<TfrmSelect> target(Create<TfrmSelect>(nullptr));
        target->sp05->AddRow({"XXX"});
        ASSERT_EQ(target->sp05->ReadSavedText(c.Saved), TSavedTextResult::Restored);
        EXPECT_EQ(target->sp05->Style(), c.Style);
        EXPECT_EQ(target->sp05->IsRangeMode(), panel.IsRangeMode());
        EXPECT_EQ(target->sp05->SavedText(), c.Saved);
        EXPECT_EQ(target->sp05->SelectionValue(), panel.SelectionValue());
    }
}

TEST_F(SelectPanelValueTest, ADatePanelWritesItsOwnEnds) {
    sp05->SetFromText("2024/01/05");
    sp05->SetToText("2024/01/31");
    EXPECT_EQ(sp05->SavedText("20240105", "20240131"), "sp_Range" + F + "20240105" + F + "20240131");
    sp05->SetStyle(sp_UserChoice);
    sp05->SetUserChoice(false);
    EXPECT_EQ(sp05->SavedText("20240105", "20240131"), "sp_UserChoice" + F + "False" + F)
        << "a list has no ends to replace";
}

TEST_F(SelectPanelValueTest, SavedTextsThatCannotBeReadLeaveThePanelAlone) {
    struct Case {
        const char* Name;
        std::string Text;
        TSavedTextResult Result;
    };
    const Case cases[] = {
        {"unknown style", "sp_Tree" + F + "A" + F + "B", TSavedTextResult::UnknownStyle},
        {"empty text", "", TSavedTextResult::UnknownStyle},
        {"separators only", F + F + R, TSavedTextResult::UnknownStyle},
        {"choice neither True nor False", "sp_UserChoice" + F + "Yes" + F + "A" + F + "B",
         TSavedTextResult::Failed},
        {"choice missing", "sp_UserChoice", TSavedTextResult::Failed},
        {"row too wide", "sp_Discrete" + F + "A" + std::string(TSelectPanel::kMaxColumns, '\x01') + R,
         TSavedTextResult::Failed},
        {"too many texts",
         "sp_UserChoice" + F + "False" + F + std::string(TSelectPanel::kMaxListCells / 8, '\x04') + "A" +
             std::string(15, '\x01') + R,
         TSavedTextResult::Failed},
    };
    sp05->SetStyle(sp_UserChoice);
    sp05->SetFromText("EUR");
    sp05->SetToText("USD");
    sp05->AddRow({"HKD", "港币"});
    int events = 0;
    sp05->OnStyleChanging = [&](TObject*, TSelectStyle, TSelectStyle&, bool&) { ++events; };
    sp05->OnTypeClick = [&](TObject*) { ++events; };
    const std::string before = StateOf(*sp05);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(sp05->ReadSavedText(c.Text), c.Result);
        EXPECT_EQ(StateOf(*sp05), before);
        EXPECT_EQ(events, 0);
    }
}

TEST_F(SelectPanelValueTest, ASavedStyleThePanelRefusesTakesNoSavedValues) {
    struct Case {
        const char* Name;
        std::string Text;
        bool Refuse; ///< else the handler redirects to sp_UserChoice
        TSelectStyle StyleAfterwards;
    };
    const Case cases[] = {
        {"list refused", "sp_Discrete" + F + "HKD" + R, true, sp_Range},
        {"list redirected", "sp_Discrete" + F + "HKD" + R, false, sp_UserChoice},
        {"choice refused", "sp_UserChoice" + F + "False" + F + "HKD" + R, true, sp_Range},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOwnedPtr<TfrmSelect> target(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *target->sp05;
        panel.SetFromText("EUR");
        panel.SetToText("USD");
        const bool refuse = c.Refuse;
        panel.OnStyleChanging = [refuse](TObject*, TSelectStyle, TSelectStyle& next, bool& accept) {
            if (refuse)
                accept = false;
            else
                next = sp_UserChoice;
        };
        EXPECT_EQ(panel.ReadSavedText(c.Text), TSavedTextResult::Failed);
        EXPECT_EQ(panel.Style(), c.StyleAfterwards);
        EXPECT_TRUE(panel.IsRangeMode());
        EXPECT_EQ(panel.RowCount(), 0) << "no rows hidden behind a range";
        EXPECT_EQ(panel.FromText() + "|" + panel.ToText(), "EUR|USD");
    }
}

TEST_F(SelectPanelValueTest, TheSavedTextIsReadBeforeTheEventsItCausesCanChangeIt) {
    // The caller's buffer, which a handler reuses: the panel must not read it afterwards.
    std::string saved = "sp_UserChoice" + F + "True" + F + "EUR" + F + "USD";
    const auto scribble = [&saved] { std::fill(saved.begin(), saved.end(), 'x'); };
    sp05->SetStyle(sp_UserChoice);
    sp05->SetUserChoice(false);
    sp05->OnTypeClick = [&](TObject*) { scribble(); };
    sp05->FromEdit()->OnChange = [&](TObject*) { scribble(); };
    ASSERT_EQ(sp05->ReadSavedText(saved), TSavedTextResult::Restored);
    EXPECT_EQ(sp05->FromText(), "EUR");
    EXPECT_EQ(sp05->ToText(), "USD");
}

TEST_F(SelectPanelValueTest, MalformedSavedTextsAreReadAsFarAsTheyGo) {
    struct Case {
        const char* Name;
        std::string Text;
        std::string From;
        std::string To;
        std::vector<TSelectRow> Rows;
    };
    const Case cases[] = {
        {"range without ends", "sp_Range", "", "", {}},
        {"range with one end", "sp_Range" + F + "EUR", "EUR", "", {}},
        {"range with a stray field", "sp_Range" + F + "EUR" + F + "USD" + F + "JPY", "EUR", "USD", {}},
        {"range with stray row marks",
         "sp_Range" + F + "E" + R + "UR" + F + "USD",
         "E" + R + "UR",
         "USD",
         {}},
        {"list without its field", "sp_Discrete", "", "", {}},
        {"last row not closed",
         "sp_Discrete" + F + "HKD" + R + "JPY" + C + "日元",
         "",
         "",
         {{"HKD", ""}, {"JPY", "日元"}}},
        {"empty rows", "sp_Discrete" + F + R + "HKD" + R + R, "", "", {{""}, {"HKD"}, {""}}},
        {"ragged rows",
         "sp_Discrete" + F + "A" + C + C + C + R + "B" + R,
         "",
         "",
         {{"A", "", "", ""}, {"B", "", "", ""}}},
        {"a stray field after the list", "sp_Discrete" + F + "HKD" + R + F + "JPY" + R, "", "", {{"HKD"}}},
        {"choice in other letters", "sp_UserChoice" + F + "false" + F + "HKD" + R, "", "", {{"HKD"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOwnedPtr<TfrmSelect> target(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *target->sp05;
        ASSERT_EQ(panel.ReadSavedText(c.Text), TSavedTextResult::Restored);
        EXPECT_EQ(panel.FromText(), c.From);
        EXPECT_EQ(panel.ToText(), c.To);
        std::vector<TSelectRow> rows;
        for (int i = 0; i < panel.RowCount(); ++i)
            rows.push_back(panel.Row(i));
        EXPECT_EQ(rows, c.Rows);
    }
}

TEST_F(SelectPanelValueTest, AHugeSavedListIsRebuilt) {
    std::string list;
    constexpr int kRows = 50000;
    for (int i = 0; i < kRows; ++i)
        list += "C" + std::to_string(kRows - i) + C + "名称" + R;
    sp05->SetCheckDuplicate(cd_CaseInsensitive);
    ASSERT_EQ(sp05->ReadSavedText("sp_Discrete" + F + list + "c1" + C + "名称" + R),
              TSavedTextResult::Restored);
    EXPECT_EQ(sp05->RowCount(), kRows) << "the repeat of C1 in other letters is dropped";
    EXPECT_EQ(sp05->Row(0), (TSelectRow{"C1", "名称"}));
    EXPECT_EQ(sp05->Row(kRows - 1), (TSelectRow{"C9999", "名称"}));
    EXPECT_EQ(sp05->SelectionValue().HighBound(1), kRows);
}

TEST_F(SelectPanelValueTest, ASavedListOfManyRepeatsKeepsEachCodeOnce) {
    // Repeats spread over the whole list, as a list saved before CheckDuplicate was set.
    std::string list;
    constexpr int kRows = 200000;
    constexpr int kCodes = 1000;
    for (int i = 0; i < kRows; ++i)
        list += (i % 2 ? "c" : "C") + std::to_string(i % kCodes) + C + std::to_string(i) + R;
    sp05->SetCheckDuplicate(cd_CaseInsensitive);
    ASSERT_EQ(sp05->ReadSavedText("sp_Discrete" + F + list), TSavedTextResult::Restored);
    ASSERT_EQ(sp05->RowCount(), kCodes);
    EXPECT_EQ(sp05->Row(0), (TSelectRow{"C0", "0"})) << "the first of the repeats in sorted order stays";
    EXPECT_EQ(sp05->Row(1), (TSelectRow{"c1", "1"}));
    EXPECT_EQ(sp05->Row(kCodes - 1), (TSelectRow{"c999", "100999"})) << "ties go by the second column";
}

TEST_F(SelectPanelValueTest, RebuildingReplacesTheRowsOrNothing) {
    sp05->SetStyle(sp_Discrete);
    sp05->AddRow({"EUR"});
    EXPECT_FALSE(sp05->RebuildList("A" + std::string(TSelectPanel::kMaxColumns, '\x01')));
    EXPECT_EQ(Codes(), (std::vector<std::string>{"EUR"}));
    EXPECT_TRUE(sp05->RebuildList("A" + std::string(TSelectPanel::kMaxColumns - 1, '\x01')));
    EXPECT_EQ(Codes(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(sp05->Columns(), TSelectPanel::kMaxColumns);
    EXPECT_TRUE(sp05->RebuildList(""));
    EXPECT_EQ(sp05->RowCount(), 0);
}

TEST_F(SelectPanelValueTest, LookupRowsTakeFourValuesOrJoinThemWithDiscard) {
    const Variant rows = VarArrayOf({VarArrayOf({"HKD", "港币", "HK", "3", "extra"}),
                                     VarArrayOf({"JPY", "日元"}), "USD", VarArrayOf({}), Variant::Null()});
    struct Case {
        const char* Name;
        TSelectPart Part;
        bool AllColumns;
        const char* Discard;
        std::vector<TSelectRow> Rows;
        const char* End;
    };
    const Case cases[] = {
        {"list, first four values",
         TSelectPart::List,
         false,
         nullptr,
         {{"HKD", "港币", "HK", "3"}, {"JPY", "日元", "", ""}, {"USD", "", "", ""}, {"", "", "", ""}},
         ""},
        {"list, all values",
         TSelectPart::List,
         true,
         nullptr,
         {{"HKD", "港币", "HK", "3", "extra"},
          {"JPY", "日元", "", "", ""},
          {"USD", "", "", "", ""},
          {"", "", "", "", ""}},
         ""},
        {"list, joined", TSelectPart::List, false, "-", {{"HKD-港币-HK-3"}, {"JPY-日元"}, {"USD"}, {""}}, ""},
        {"from end", TSelectPart::FromEdit, false, nullptr, {}, "HKD"},
        {"to end, joined", TSelectPart::ToEdit, false, " / ", {}, "HKD / 港币 / HK / 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOwnedPtr<TfrmSelect> target(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *target->sp05;
        panel.SetUseDiscard(c.Discard != nullptr);
        panel.SetDiscard(c.Discard ? c.Discard : "");
        ASSERT_TRUE(panel.TakeLookupResult(c.Part, rows, c.AllColumns));
        std::vector<TSelectRow> taken;
        for (int i = 0; i < panel.RowCount(); ++i)
            taken.push_back(panel.Row(i));
        EXPECT_EQ(taken, c.Rows);
        EXPECT_EQ(c.Part == TSelectPart::ToEdit ? panel.ToText() : panel.FromText(), c.End);
    }
}

TEST_F(SelectPanelValueTest, JoinedLookupValuesSkipTheSeparatorAfterEmptyOnes) {
    // The same rule as the form's F2 handling, so that a row reads alike on either path.
    struct Case {
        const char* Name;
        Variant Row;
        const char* Joined;
    };
    const Case cases[] = {
        {"empty first value", VarArrayOf({"", "港币"}), "港币"},
        {"empty middle value", VarArrayOf({"HKD", "", "HK"}), "HKD-HK"},
        {"empty last value", VarArrayOf({"HKD", ""}), "HKD-"},
        {"all empty", VarArrayOf({"", "", ""}), ""},
    };
    sp05->SetUseDiscard(true);
    sp05->SetDiscard("-");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        sp05->SetFromText("EUR");
        ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::FromEdit, VarArrayOf({c.Row})));
        EXPECT_EQ(sp05->FromText(), c.Joined);
    }
}

TEST_F(SelectPanelValueTest, LookupResultsOfOtherShapes) {
    EXPECT_FALSE(sp05->TakeLookupResult(TSelectPart::None, "X"));
    ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::FromEdit, "EUR"));
    EXPECT_EQ(sp05->FromText(), "EUR");
    ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::FromEdit, Variant()));
    ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::FromEdit, VarArrayOf({})));
    EXPECT_EQ(sp05->FromText(), "EUR") << "nothing chosen changes nothing";
    ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::ToEdit, VarArrayOf({"USD", "美元"})));
    EXPECT_EQ(sp05->ToText(), "USD") << "plain values are rows of one value each";

    Variant grid = VarArrayCreate({{1, 2}, {0, 1}});
    grid.At({1, 0}) = "HKD";
    grid.At({1, 1}) = "港币";
    grid.At({2, 0}) = "JPY";
    grid.At({2, 1}) = "日元";
    ASSERT_TRUE(sp05->TakeLookupResult(TSelectPart::List, grid));
    EXPECT_EQ(Rows(), (std::vector<TSelectRow>{{"HKD", "港币"}, {"JPY", "日元"}}));
}

TEST_F(SelectPanelValueTest, AFormAnsweringTheListButtonFillsTheList) {
    sp05->SetStyle(sp_Discrete);
    sp05->SetCheckDuplicate(cd_CheckCase);
    form->answer = [](TSelectPart part) {
        EXPECT_EQ(part, TSelectPart::List);
        return VarArrayOf(
            {VarArrayOf({"USD", "美元"}), VarArrayOf({"EUR", "欧元"}), VarArrayOf({"USD", "美元"})});
    };
    form->Show();
    ASSERT_TRUE(User::Click(*sp05->ListButton()));
    EXPECT_EQ(form->requests, (std::vector<std::string>{"lvList"}));
    EXPECT_EQ(Rows(), (std::vector<TSelectRow>{{"EUR", "欧元"}, {"USD", "美元"}}));
}

TEST_F(SelectPanelValueTest, SelectionValuesBecomeSqlConditionsAndOptionValues) {
    struct Case {
        const char* Name;
        TSelectStyle Style;
        std::vector<TSelectRow> Rows;
        const char* From;
        const char* To;
        std::string Where;
        const char* First;  ///< ReadOptionValue, sub-index 1, item 0 (null: not read)
        const char* Second; ///< ReadOptionValue, sub-index 9 (clamped), item 1
    };
    const std::string start = " WHERE 1=1  ";
    const Case cases[] = {
        {"range", sp_Range, {}, "EUR", "USD", start + " and  (MF001 Between 'EUR' and 'USD') ", "EUR", "USD"},
        {"range of one", sp_Range, {}, "EUR", "EUR", start + " and  (MF001='EUR') ", "EUR", "EUR"},
        {"open range", sp_Range, {}, "", "JPY", start + " and  (MF001<= 'JPY' OR MF001 IS NULL )", "", "JPY"},
        {"empty range", sp_Range, {}, "", "", start, "", ""},
        {"list",
         sp_Discrete,
         {{"HKD", "港币"}, {"O'X"}},
         "",
         "",
         start + " and (MF001 IN ('HKD', 'O''X'))",
         "HKD",
         ""},
        {"empty list", sp_Discrete, {}, "", "", start, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOwnedPtr<TfrmSelect> source(Create<TfrmSelect>(nullptr));
        TSelectPanel& panel = *source->sp05;
        panel.SetStyle(c.Style);
        panel.SetFromText(c.From);
        panel.SetToText(c.To);
        panel.AddRows(c.Rows);

        // The job's option values: the currencies at position 11.
        Variant options = VarArrayCreate({{1, 16}});
        options[11] = panel.SelectionValue();
        Variant value;
        ReadOptionValue(options, 11, -1, -1, value);
        std::string where = start;
        std::string condition;
        AddFieldCondition(where, "MF001", value, 1, condition);
        EXPECT_EQ(where, c.Where);

        if (!c.First)
            continue;
        Variant first;
        Variant second;
        ReadOptionValue(options, 11, 1, 0, first);
        ReadOptionValue(options, 11, 9, 1, second);
        EXPECT_EQ(VarToStr(first), c.First);
        EXPECT_EQ(VarToStr(second), c.Second);
    }
}

} // namespace
} // namespace vondrel::test
