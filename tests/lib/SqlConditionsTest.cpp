#include "lib/SqlConditions.h"

#include <gtest/gtest.h>

namespace vondrel {
namespace {

const char* const kRange = "\x04";
const char* const kList = "\x05";

Variant Range(Variant start, Variant end) {
    return VarArrayOf({kRange, std::move(start), std::move(end)});
}

TEST(OptionValueKind, ClassifiesByTheMarker) {
    Variant fromOne = VarArrayCreate({{1, 2}});
    fromOne[1] = kRange;
    struct Case {
        const char* name;
        Variant value;
        int kind;
    };
    const Case cases[] = {
        {"plain text", "A", -1},
        {"empty", Variant(), -1},
        {"null", Variant::Null(), -1},
        {"number", 4, -1},
        {"range", Range("A", "B"), 0},
        {"range marker alone", VarArrayOf({kRange}), 0},
        {"list", VarArrayOf({kList, "A"}), 1},
        {"list marker alone", VarArrayOf({kList}), 1},
        {"wide marker", VarArrayOf({u"\x05", "A"}), 1},
        {"array without marker", VarArrayOf({"A", "B"}), -1},
        {"marker twice", VarArrayOf({"\x04\x04", "A"}), -1},
        {"marker with a blank", VarArrayOf({"\x04 ", "A"}), -1},
        {"empty array", VarArrayOf({}), -1},
        {"no element 0", fromOne, -1},
        {"array as element 0", VarArrayOf({VarArrayOf({kRange}), "A"}), -1},
        {"null element 0", VarArrayOf({Variant::Null(), "A"}), -1},
        {"number 4 is no marker", VarArrayOf({4, "A"}), -1},
        {"two dimensions", VarArrayCreate({{0, 1}, {0, 1}}), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OptionValueKind(c.value), c.kind);
    }
}

TEST(AddFieldCondition, ProducesTheExactText) {
    const char* const kJobWhere = " WHERE 1=1  ";
    struct Case {
        const char* name;
        const char* field;
        Variant value;
        int dataType;
        const char* whereBefore;
        const char* condition;
        const char* whereAfter;
    };
    const Case cases[] = {
        // Ranges of texts.
        {"range", "LE004", Range("A01", "A99"), 1, "", " (LE004 Between 'A01' and 'A99') ",
         "Where  (LE004 Between 'A01' and 'A99') "},
        {"range of one value", "LE004", Range("A01", "A01"), 1, "", " (LE004='A01') ",
         "Where  (LE004='A01') "},
        {"range without start", "LE004", Range("", "A99"), 1, kJobWhere, " (LE004<= 'A99' OR LE004 IS NULL )",
         " WHERE 1=1   and  (LE004<= 'A99' OR LE004 IS NULL )"},
        {"range without end", "F", Range("A", ""), 1, "", " (F>= 'A')", "Where  (F>= 'A')"},
        {"range of nothing", "F", Range("", ""), 1, kJobWhere, "", kJobWhere},
        {"ends differ in case", "F", Range("a", "A"), 1, "", " (F Between 'a' and 'A') ",
         "Where  (F Between 'a' and 'A') "},
        {"text keeps its blanks", "F", Range(" A", "A"), 1, "", " (F Between ' A' and 'A') ",
         "Where  (F Between ' A' and 'A') "},
        {"quotes doubled", "F", Range("O'Neil", "it''s"), 1, "", " (F Between 'O''Neil' and 'it''''s') ",
         "Where  (F Between 'O''Neil' and 'it''''s') "},
        {"null end", "F", Range("A", Variant::Null()), 1, "", " (F>= 'A')", "Where  (F>= 'A')"},
        {"range with the start only", "F", VarArrayOf({kRange, "A"}), 1, "", " (F>= 'A')",
         "Where  (F>= 'A')"},
        {"range marker only", "F", VarArrayOf({kRange}), 1, "x", "", "x"},
        {"wide texts", "F", Range(u"甲", u"乙"), 1, "", " (F Between '甲' and '乙') ",
         "Where  (F Between '甲' and '乙') "},
        // Ranges of numbers.
        {"number range", "F", Range(" 1", "2 "), 2, "", " (F Between 1 and 2) ",
         "Where  (F Between 1 and 2) "},
        {"number range, type 3", "F", Range(1, 2.5), 3, "", " (F Between 1 and 2.5) ",
         "Where  (F Between 1 and 2.5) "},
        {"equal after trimming", "F", Range(" 7", "7 "), 2, "", " (F=7) ", "Where  (F=7) "},
        {"number start only", "F", VarArrayOf({" 10 ", ""}), 2, "", " (F>=10)", "Where  (F>=10)"},
        {"number end only", "F", Range("", " 5"), 3, "", " (F<=5 OR F IS NULL )",
         "Where  (F<=5 OR F IS NULL )"},
        {"blank number range", "F", Range("  ", " "), 2, "w", "", "w"},
        {"number not a number is quoted", "F", Range("1;drop", "2"), 2, "", " (F Between '1;drop' and 2) ",
         "Where  (F Between '1;drop' and 2) "},
        {"number start cannot widen the condition", "F", Range("0) OR (1=1", ""), 3, "", " (F>='0) OR (1=1')",
         "Where  (F>='0) OR (1=1')"},
        {"number end cannot end the statement", "F", Range("", "5' --"), 2, "",
         " (F<='5'' --' OR F IS NULL )", "Where  (F<='5'' --' OR F IS NULL )"},
        {"signed and exponent numbers stay bare", "F", Range("-1.5", "+2E3"), 2, "",
         " (F Between -1.5 and +2E3) ", "Where  (F Between -1.5 and +2E3) "},
        // Ranges without marker and plain values.
        {"array without marker", "F", VarArrayOf({"A", "B"}), 1, "", " (F Between 'A' and 'B') ",
         "Where  (F Between 'A' and 'B') "},
        {"array of one element", "F", VarArrayOf({"A"}), 1, "", " (F>= 'A')", "Where  (F>= 'A')"},
        {"plain text", "F", "O'Neil", 1, "", " (F>= 'O''Neil')", "Where  (F>= 'O''Neil')"},
        {"plain number", "F", 10, 2, "", " (F>=10)", "Where  (F>=10)"},
        {"plain decimal", "F", 2.5, 3, "", " (F>=2.5)", "Where  (F>=2.5)"},
        {"plain empty", "F", Variant(), 1, "w", "", "w"},
        {"plain null", "F", Variant::Null(), 1, "w", "", "w"},
        // Data types that give no condition.
        {"data type 4", "F", Range("A", "B"), 4, "w", "", "w"},
        {"data type 0", "F", Range("A", "B"), 0, "w", "", "w"},
        {"negative data type", "F", "A", -1, "w", "", "w"},
        // Lists.
        {"list", "F", VarArrayOf({kList, "A", "", VarArrayOf({"B", "ignored"})}), 1, "", "(F IN ('A', 'B'))",
         "Where (F IN ('A', 'B'))"},
        {"list appended", "F", VarArrayOf({kList, "A"}), 1, "x", "(F IN ('A'))", "x and (F IN ('A'))"},
        {"list of empty items", "F", VarArrayOf({kList, "", ""}), 1, kJobWhere, "", kJobWhere},
        {"list marker only", "F", VarArrayOf({kList}), 1, "w", "", "w"},
        {"list ignores the data type", "F", VarArrayOf({kList, 1, "2"}), 2, "", "(F IN ('1', '2'))",
         "Where (F IN ('1', '2'))"},
        {"list with data type 4", "F", VarArrayOf({kList, "A"}), 4, "", "(F IN ('A'))", "Where (F IN ('A'))"},
        {"list item quoted", "F", VarArrayOf({kList, "O'Neil"}), 1, "", "(F IN ('O''Neil'))",
         "Where (F IN ('O''Neil'))"},
        {"list items kept as they are", "F", VarArrayOf({kList, " A "}), 1, "", "(F IN (' A '))",
         "Where (F IN (' A '))"},
        {"null and empty items dropped", "F", VarArrayOf({kList, Variant::Null(), Variant(), "C"}), 1, "",
         "(F IN ('C'))", "Where (F IN ('C'))"},
        {"item arrays without element 0", "F",
         VarArrayOf({kList, VarArrayOf({}), VarArrayOf({VarArrayOf({"deeper"})}), "D"}), 1, "",
         "(F IN ('D'))", "Where (F IN ('D'))"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string where = c.whereBefore;
        std::string condition = "left over";
        AddFieldCondition(where, c.field, c.value, c.dataType, condition);
        EXPECT_EQ(condition, c.condition);
        EXPECT_EQ(where, c.whereAfter);
    }
}

TEST(AddFieldCondition, ConditionsChainOnOneClause) {
    std::string where = " WHERE 1=1  ";
    std::string condition;
    AddFieldCondition(where, "LE004", Range("", "USD"), 1, condition);
    AddFieldCondition(where, "LE001", VarArrayOf({kList, "1001", "1002"}), 1, condition);
    AddFieldCondition(where, "LE005", Range("1", "9"), 2, condition);
    EXPECT_EQ(where,
              " WHERE 1=1   and  (LE004<= 'USD' OR LE004 IS NULL ) and (LE001 IN ('1001', '1002')) and "
              " (LE005 Between 1 and 9) ");
}

TEST(AddFieldCondition, ValuesOfUnexpectedShapeNeverRaise) {
    Variant grid = VarArrayCreate({{0, 1}, {0, 2}});
    grid.At({0, 0}) = kRange;
    Variant shifted = VarArrayCreate({{5, 7}});
    shifted[5] = kList;
    shifted[6] = "A";
    const Variant values[] = {
        grid,
        shifted,
        VarArrayOf({}),
        VarArrayOf({kRange, VarArrayOf({"A"}), VarArrayOf({"B"})}),
        VarArrayOf({kList, grid}),
        Variant(DispatchPtr()),
        VarArrayOf({kRange, Variant(DispatchPtr()), "B"}),
        Variant::FromDate(37998),
        Variant(true),
    };
    for (const Variant& value : values)
        for (int dataType : {1, 2, 3, 4}) {
            SCOPED_TRACE(testing::Message() << VarTypeName(value.Type()) << " " << dataType);
            std::string where = "w";
            std::string condition;
            EXPECT_NO_THROW(AddFieldCondition(where, "F", value, dataType, condition));
            EXPECT_EQ(where, condition.empty() ? "w" : "w and " + condition);
        }
    // Elements that are arrays or objects count as empty.
    std::string where, condition;
    AddFieldCondition(where, "F", VarArrayOf({kRange, VarArrayOf({"A"}), "B"}), 1, condition);
    EXPECT_EQ(condition, " (F<= 'B' OR F IS NULL )");
    AddFieldCondition(where, "F", Variant::FromDate(37998), 1, condition);
    EXPECT_EQ(condition, " (F>= '2004-01-12')");
}

class ReadOptionValueTest : public ::testing::Test {
protected:
    ReadOptionValueTest() {
        grid_ = VarArrayCreate({{0, 1}, {0, 1}});
        options_ = VarArrayOf({
            "plain",                                                            // 0
            Variant(),                                                          // 1
            Variant::Null(),                                                    // 2
            Range("A", "Z"),                                                    // 3
            VarArrayOf({kList, "x", VarArrayOf({"y", "y2"}), Variant()}),       // 4
            VarArrayOf({"s", "t"}),                                             // 5
            grid_,                                                              // 6
            VarArrayOf({}),                                                     // 7
            12,                                                                 // 8
            VarArrayOf({kRange}),                                               // 9
            VarArrayOf({kList, VarArrayOf({}), VarArrayOf({Variant::Null()})}), // 10
        });
    }

    Variant Read(int index, int subIndex, int itemIndex) const {
        Variant result = "previous";
        ReadOptionValue(options_, index, subIndex, itemIndex, result);
        return result;
    }

    Variant grid_;
    Variant options_;
};

TEST_F(ReadOptionValueTest, ReadsValuesEndsAndItems) {
    const Variant text = Variant(""); // an empty text, not an empty variant
    struct Case {
        const char* name;
        int index, subIndex, itemIndex;
        Variant result;
    };
    const Case cases[] = {
        {"plain value", 0, 0, -1, "plain"},
        {"plain value ignores the sub-index", 0, 5, 3, "plain"},
        {"empty gives an empty text", 1, 0, -1, text},
        {"null gives an empty text", 2, 0, -1, text},
        {"number", 8, 1, 0, 12},
        {"whole element", 3, -1, -1, Range("A", "Z")},
        {"whole empty element", 1, -1, -1, Variant()},
        {"whole null element", 2, -1, -1, Variant::Null()},
        {"range start", 3, 1, -1, "A"},
        {"range end", 3, 2, -1, "Z"},
        {"range sub-index 0 is the start", 3, 0, -1, "A"},
        {"range sub-index beyond is the end", 3, 9, -1, "Z"},
        {"range negative sub-index is the start", 3, -5, -1, "A"},
        {"range item index unused", 3, 1, 7, "A"},
        {"range of the marker only", 9, 1, -1, text},
        {"list item", 4, 1, -1, "x"},
        {"list item that is an array", 4, 2, -1, VarArrayOf({"y", "y2"})},
        {"member 0 of a list item", 4, 2, 0, "y"},
        {"member 1 of a list item", 4, 2, 1, "y2"},
        {"member beyond of a list item", 4, 2, 9, "y2"},
        {"member below 0 of a list item", 4, 2, -3, "y"},
        {"plain list item ignores the item index", 4, 1, 5, "x"},
        {"empty list item", 4, 3, 0, text},
        {"list sub-index beyond is the last item", 4, 9, 0, text},
        {"list sub-index 0 is the first item", 4, 0, 0, "x"},
        {"list negative sub-index is the first item", 4, -7, 0, "x"},
        {"empty list item array", 10, 1, 0, text},
        {"null member of a list item", 10, 2, 0, Variant::Null()},
        {"other array at the sub-index", 5, 1, -1, "t"},
        {"other array at sub-index 0", 5, 0, 0, "s"},
        {"other array beyond its end", 5, 2, -1, text},
        {"other array below its start", 5, -2, -1, text},
        {"two dimensions", 6, 0, 0, text},
        {"empty array", 7, 1, 0, text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Variant result = Read(c.index, c.subIndex, c.itemIndex);
        EXPECT_EQ(result.Type(), c.result.Type());
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(ReadOptionValueTest, IndexesOutsideTheArrayGiveEmpty) {
    for (int index : {-1, 11, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(VarIsEmpty(Read(index, 0, 0)));
        EXPECT_TRUE(VarIsEmpty(Read(index, -1, -1)));
    }
    for (const Variant& options : {Variant(), Variant("text"), grid_}) {
        Variant result = "previous";
        EXPECT_NO_THROW(ReadOptionValue(options, 0, 0, 0, result));
        EXPECT_TRUE(VarIsEmpty(result));
    }
}

TEST(QuotedSql, StandardStringLiterals) {
    EXPECT_EQ(QuotedSql("abc"), "'abc'");
    EXPECT_EQ(QuotedSql(""), "''");
    EXPECT_EQ(QuotedSql("O'Neil"), "'O''Neil'");
    EXPECT_EQ(QuotedSql("''"), "''''''");
    EXPECT_EQ(QuotedSql("损益"), "'损益'");
}

} // namespace
} // namespace vondrel
