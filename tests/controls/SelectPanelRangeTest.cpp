#include "SelectPanelFixture.h"

#include <cctype>

namespace vondrel::test {
namespace {

struct OrderCase {
    const char* Name;
    TValueType Type;
    const char* From;
    const char* To;
    const char* WantFrom;
    const char* WantTo;
    TDateType Date = dt_NoneCare;
    const char* Sign = "/";
    const char* Mask = "";
    const char* Discard = nullptr; ///< UseDiscard with this text
    bool AutoChange = true;
};

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << c.Name;
}

const OrderCase kOrderCases[] = {
    {"texts are swapped", vt_String, "USD", "EUR", "EUR", "USD"},
    {"the text 10 sorts before 9", vt_String, "10", "9", "10", "9"},
    {"numbers are swapped", vt_Number, "10", "9", "9", "10"},
    {"a text counts as the number 0", vt_Number, "abc", "-5", "-5", "abc"},
    {"blanks are trimmed", vt_String, "  EUR ", "USD  ", "EUR", "USD"},
    {"one end alone stays", vt_Number, " 10 ", "", "10", ""},
    {"times compare as texts", vt_Time, "18:00", "09:30", "09:30", "18:00"},
    {"dates without a layout compare as texts", vt_Date, "2024/05/01", "2024/01/31", "2024/01/31",
     "2024/05/01"},
    {"day-first dates in order", vt_Date, "31/01/2024", "01/05/2024", "31/01/2024", "01/05/2024",
     dt_DDMMYYYY},
    {"day-first dates swapped", vt_Date, "01/05/2024", "31/01/2024", "31/01/2024", "01/05/2024", dt_DDMMYYYY},
    {"month-first dates in order", vt_Date, "12/01/2023", "01/15/2024", "12/01/2023", "01/15/2024",
     dt_MMDDYYYY},
    {"two-digit ROC years in order", vt_Date, "99/01/05", "100/01/05", "99/01/05", "100/01/05", dt_YYMMDD},
    {"three-digit ROC years swapped", vt_Date, "101/01/05", "099/12/31", "099/12/31", "101/01/05",
     dt_YYYMMDD},
    {"the date sign of the panel", vt_Date, "2024-05-01", "2024-01-31", "2024-01-31", "2024-05-01",
     dt_YYYYMMDD, "-"},
    {"no date order without AutoChangeDateSite", vt_Date, "2024/05/01", "2024/01/31", "2024/05/01",
     "2024/01/31", dt_NoneCare, "/", "", nullptr, false},
    {"an end that is no date stays", vt_Date, "2024/01/31", "2024/13/45", "2024/01/31", "2024/13/45",
     dt_YYYYMMDD},
    {"an empty date field is no end", vt_Date, "2024/05/01", "", "2024/05/01", "    /  /  ", dt_YYYYMMDD, "/",
     "9999/99/99;1; "},
    {"a Discard end stays", vt_String, "Z", "*", "Z", "*", dt_NoneCare, "/", "", "*"},
    {"a Discard end stays among dates", vt_Date, "2024/05/01", " * ", "2024/05/01", "*", dt_NoneCare, "/", "",
     "*"},
    {"without UseDiscard the placeholder sorts", vt_String, "Z", "*", "*", "Z"},
    {"floats are swapped by value", vt_Float, "10.50", "9.5", "9.5", "10.50"},
    {"floats are rewritten", vt_Float, "007.25", "-3", "-3", "7.25"},
    {"equal floats stay", vt_Float, "1.50", "1.5", "1.50", "1.5"},
    {"negative floats by value", vt_Float, "-3", "-10.5", "-10.5", "-3"},
    {"floats without an integer part", vt_Float, ".5", "0.25", "0.25", "0.5"},
    {"no float rewrite for other numbers", vt_Float, "1e3", "2", "1e3", "2"},
    {"other masks are never ordered", vt_OtherMask, "B", "A", "B", "A"},
};

class SelectPanelOrderTest : public SelectPanelTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(SelectPanelOrderTest, LeavingThePanelPutsTheEndsInOrder) {
    const OrderCase& c = GetParam();
    sp05->SetValueType(c.Type);
    sp05->SetDateType(c.Date);
    sp05->SetDateSign(c.Sign);
    sp05->SetEditMask(c.Mask);
    sp05->SetAutoChangeDateSite(c.AutoChange);
    sp05->SetUseDiscard(c.Discard != nullptr);
    sp05->SetDiscard(c.Discard ? c.Discard : "");
    sp05->SetFromText(c.From);
    sp05->SetToText(c.To);
    std::string seenOnExit;
    sp05->OnExit = [&](TObject*) { seenOnExit = sp05->FromText() + "|" + sp05->ToText(); };
    form->Show();
    ASSERT_TRUE(User::Focus(*sp05->ToEdit()));
    ASSERT_TRUE(User::Focus(*sp05->FromEdit()));
    EXPECT_EQ(sp05->FromText(), sp05->FromEdit()->Text());
    EXPECT_TRUE(seenOnExit.empty()) << "moving inside the panel is no exit";
    ASSERT_TRUE(User::Focus(*form->ed01));
    EXPECT_EQ(sp05->FromText(), c.WantFrom);
    EXPECT_EQ(sp05->ToText(), c.WantTo);
    EXPECT_EQ(seenOnExit, std::string(c.WantFrom) + "|" + c.WantTo) << "OnExit comes after the exit handling";
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectPanelOrderTest, ::testing::ValuesIn(kOrderCases),
                         [](const ::testing::TestParamInfo<OrderCase>& info) {
                             std::string name;
                             for (const char* p = info.param.Name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             return name;
                         });

TEST_F(SelectPanelTest, AMaskThatLeadsWithBlanksKeepsThem) {
    sp05->SetEditMask("!cccccc;0; ");
    sp05->SetFromText("USD   ");
    sp05->SetToText("EUR   ");
    const std::string from = sp05->FromText();
    const std::string to = sp05->ToText();
    ASSERT_EQ(to, "EUR   ") << "the mask keeps the blanks";
    form->Show();
    User::Focus(*sp05->FromEdit());
    User::Focus(*form->ed01);
    EXPECT_EQ(sp05->FromText(), to) << "untrimmed, yet put in order";
    EXPECT_EQ(sp05->ToText(), from);
}

TEST_F(SelectPanelTest, TrimmingAndOrderingFireTheChangeEventsOfTheEnds) {
    int changes = 0;
    sp05->FromEdit()->OnChange = [&](TObject*) { ++changes; };
    sp05->SetFromText("EUR");
    changes = 0;
    sp05->SetToText("USD");
    form->Show();
    User::Focus(*sp05->FromEdit());
    User::Focus(*form->ed01);
    EXPECT_EQ(changes, 0) << "ends already in order are left alone";
    sp05->SetEditMask(">LLL;0; ");
    EXPECT_EQ(changes, 0) << "a new mask changes nothing the user sees as an edit";
}

} // namespace
} // namespace vondrel::test
