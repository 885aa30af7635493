#include <vondrel/Variant.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace vondrel {
namespace {

constexpr double kJan5th2004 = 37991; // 5 January 2004

Variant DateValue(double day) {
    return Variant::FromDate(day);
}

// ---- kinds ---------------------------------------------------------------------------

TEST(Variant, EachConstructorMakesItsKind) {
    struct Case {
        const char* name;
        Variant value;
        VarType type;
    };
    const Case cases[] = {
        {"default", Variant(), VarType::Empty},
        {"null", Variant::Null(), VarType::Null},
        {"bool", Variant(true), VarType::Boolean},
        {"int", Variant(-7), VarType::Integer},
        {"unsigned beyond int32", Variant(4000000000u), VarType::Int64},
        {"long long", Variant(1LL << 40), VarType::Int64},
        {"double", Variant(1.5), VarType::Double},
        {"date", DateValue(kJan5th2004), VarType::Date},
        {"char*", Variant("abc"), VarType::String},
        {"null char*", Variant(static_cast<const char*>(nullptr)), VarType::String},
        {"u16 text", Variant(u"损益"), VarType::WideString},
        {"array", VarArrayOf({1, 2}), VarType::Array},
        {"dispatch", Variant(DispatchPtr()), VarType::Dispatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.Type(), c.type);
        EXPECT_EQ(VarIsEmpty(c.value), c.type == VarType::Empty);
        EXPECT_EQ(VarIsNull(c.value), c.type == VarType::Null);
        EXPECT_EQ(VarIsArray(c.value), c.type == VarType::Array);
    }
}

// ---- conversions ---------------------------------------------------------------------

TEST(VariantConversion, AsString) {
    struct Case {
        const char* name;
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {"empty", Variant(), ""},
        {"true", Variant(true), "True"},
        {"false", Variant(false), "False"},
        {"negative int", Variant(-42), "-42"},
        {"int64 beyond double precision", Variant(9007199254740993LL), "9007199254740993"},
        {"double sum", Variant(0.1 + 0.2), "0.3"},
        {"double", Variant(-1.5), "-1.5"},
        {"large double", Variant(1e20), "1E20"},
        {"whole date", DateValue(kJan5th2004), "2004-01-05"},
        {"date with time", DateValue(kJan5th2004 + 0.5), "2004-01-05 12:00:00"},
        {"text", Variant("abc"), "abc"},
        {"wide text", Variant(u"损益结转"), "损益结转"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.AsString(), c.text);
        EXPECT_EQ(VarToStr(c.value), c.text);
    }
    EXPECT_EQ(VarToStr(Variant::Null()), "");
    EXPECT_EQ(Variant("损益").AsWideString(), u"损益");
    EXPECT_EQ(Variant(12).AsWideString(), u"12");
}

TEST(VariantConversion, AsIntegerRoundsAndReadsTexts) {
    struct Case {
        const char* name;
        Variant value;
        std::int32_t number;
    };
    const Case cases[] = {
        {"empty", Variant(), 0},
        {"true", Variant(true), -1},
        {"false", Variant(false), 0},
        {"int", Variant(-42), -42},
        {"int64 in range", Variant(2147483647LL), 2147483647},
        {"half to even down", Variant(2.5), 2},
        {"half to even up", Variant(3.5), 4},
        {"negative half", Variant(-2.5), -2},
        {"below half", Variant(2.49), 2},
        {"text", Variant("42"), 42},
        {"text with blanks", Variant(" 42 "), 42},
        {"hex text", Variant("$1F"), 31},
        {"decimal text", Variant("1.5"), 2},
        {"wide text", Variant(u"-17"), -17},
        {"date", DateValue(kJan5th2004 + 0.25), 37991},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.AsInteger(), c.number);
        EXPECT_EQ(c.value.AsInt64(), c.number);
    }
}

TEST(VariantConversion, NumbersBooleansAndDates) {
    EXPECT_EQ(Variant("1e3").AsDouble(), 1000.0);
    EXPECT_EQ(Variant(u" -0.5 ").AsDouble(), -0.5);
    EXPECT_EQ(Variant(true).AsDouble(), -1.0);
    EXPECT_EQ(Variant(9007199254740993LL).AsInt64(), 9007199254740993LL);
    EXPECT_EQ(Variant("-9223372036854775808").AsInt64(), std::numeric_limits<std::int64_t>::min());

    struct BoolCase {
        const char* name;
        Variant value;
        bool flag;
    };
    const BoolCase bools[] = {
        {"empty", Variant(), false},
        {"zero", Variant(0), false},
        {"minus one", Variant(-1), true},
        {"half", Variant(0.5), true},
        {"text true", Variant(" TRUE "), true},
        {"text false", Variant("false"), false},
        {"text number", Variant("0"), false},
        {"text non-zero", Variant("2.5"), true},
    };
    for (const BoolCase& c : bools) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.AsBoolean(), c.flag);
    }

    EXPECT_EQ(Variant("2004-01-05").AsDate(), kJan5th2004);
    EXPECT_EQ(Variant("2004/01/05 12:00").AsDate(), kJan5th2004 + 0.5);
    EXPECT_EQ(Variant("37991.25").AsDate(), kJan5th2004 + 0.25);
    EXPECT_EQ(Variant(37991).AsDate(), kJan5th2004);
    EXPECT_EQ(Variant().AsDate(), 0.0);
}

TEST(VariantConversion, FailingCastsRaiseWithTheKindsInTheMessage) {
    struct Case {
        const char* name;
        std::function<void()> convert;
        const char* message;
    };
    const Variant null = Variant::Null();
    const Variant array = VarArrayOf({1});
    const Case cases[] = {
        {"null as text", [&] { null.AsString(); },
         "Could not convert variant of type (Null) into type (String)"},
        {"null as wide text", [&] { null.AsWideString(); },
         "Could not convert variant of type (Null) into type (OleStr)"},
        {"null as integer", [&] { null.AsInteger(); },
         "Could not convert variant of type (Null) into type (Integer)"},
        {"null as int64", [&] { null.AsInt64(); },
         "Could not convert variant of type (Null) into type (Int64)"},
        {"null as double", [&] { null.AsDouble(); },
         "Could not convert variant of type (Null) into type (Double)"},
        {"null as boolean", [&] { null.AsBoolean(); },
         "Could not convert variant of type (Null) into type (Boolean)"},
        {"null as date", [&] { null.AsDate(); }, "Could not convert variant of type (Null) into type (Date)"},
        {"word as integer", [] { Variant("abc").AsInteger(); },
         "Could not convert variant of type (String) into type (Integer)"},
        {"wide word as integer", [] { Variant(u"abc").AsInteger(); },
         "Could not convert variant of type (OleStr) into type (Integer)"},
        {"word as double", [] { Variant("1,5").AsDouble(); },
         "Could not convert variant of type (String) into type (Double)"},
        {"word as boolean", [] { Variant("yes").AsBoolean(); },
         "Could not convert variant of type (String) into type (Boolean)"},
        {"word as date", [] { Variant("2004-13-01").AsDate(); },
         "Could not convert variant of type (String) into type (Date)"},
        {"array as text", [&] { array.AsString(); },
         "Could not convert variant of type (Array Variant) into type (String)"},
        {"array as integer", [&] { array.AsInteger(); },
         "Could not convert variant of type (Array Variant) into type (Integer)"},
        {"text as dispatch", [] { Variant("x").AsDispatch(); },
         "Could not convert variant of type (String) into type (Dispatch)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.convert();
            ADD_FAILURE() << "no exception";
        } catch (const EVariantTypeCastError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(VariantConversion, ValuesThatDoNotFitOverflow) {
    struct Case {
        const char* name;
        std::function<void()> convert;
        const char* message;
    };
    const Case cases[] = {
        {"int64 as integer", [] { Variant(2147483648LL).AsInteger(); },
         "Overflow while converting variant of type (Int64) into type (Integer)"},
        {"negative int64 as integer", [] { Variant(-2147483649LL).AsInteger(); },
         "Overflow while converting variant of type (Int64) into type (Integer)"},
        {"text as integer", [] { Variant("2147483648").AsInteger(); },
         "Overflow while converting variant of type (String) into type (Integer)"},
        {"double as integer", [] { Variant(1e300).AsInteger(); },
         "Overflow while converting variant of type (Double) into type (Integer)"},
        {"double as int64", [] { Variant(1e19).AsInt64(); },
         "Overflow while converting variant of type (Double) into type (Int64)"},
        {"infinity as int64", [] { Variant(std::numeric_limits<double>::infinity()).AsInt64(); },
         "Overflow while converting variant of type (Double) into type (Int64)"},
        {"nan as integer", [] { Variant(std::nan("")).AsInteger(); },
         "Overflow while converting variant of type (Double) into type (Integer)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.convert();
            ADD_FAILURE() << "no exception";
        } catch (const EVariantOverflowError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(Variant(-2147483648.0).AsInteger(), std::numeric_limits<std::int32_t>::min());
}

// ---- arrays --------------------------------------------------------------------------

TEST(VariantArray, EachDimensionHasItsOwnBounds) {
    Variant grid = VarArrayCreate({{1, 3}, {-2, 0}, {5, 5}});
    EXPECT_EQ(VarArrayDimCount(grid), 3);
    EXPECT_EQ(VarArrayLowBound(grid, 1), 1);
    EXPECT_EQ(VarArrayHighBound(grid, 1), 3);
    EXPECT_EQ(VarArrayLowBound(grid, 2), -2);
    EXPECT_EQ(VarArrayHighBound(grid, 2), 0);
    EXPECT_EQ(VarArrayLowBound(grid, 3), 5);
    EXPECT_EQ(grid.Array().Size(), 9u);

    for (int i = 1; i <= 3; ++i)
        for (int j = -2; j <= 0; ++j)
            grid.At({i, j, 5}) = i * 10 + j;
    for (int i = 1; i <= 3; ++i)
        for (int j = -2; j <= 0; ++j)
            EXPECT_EQ(grid.At({i, j, 5}).AsInteger(), i * 10 + j) << i << "," << j;
    // The last index varies fastest in storage.
    EXPECT_EQ(grid.Array().Items()[0].AsInteger(), 8);
    EXPECT_EQ(grid.Array().Items()[1].AsInteger(), 9);
    EXPECT_EQ(grid.Array().Items()[3].AsInteger(), 18);
}

TEST(VariantArray, BadIndexesAndDimensionsRaise) {
    Variant grid = VarArrayCreate({{1, 2}, {0, 1}});
    const Variant list = VarArrayOf({"a", "b"});
    EXPECT_THROW(grid.At({0, 0}), EVariantBadIndexError);
    EXPECT_THROW(grid.At({3, 0}), EVariantBadIndexError);
    EXPECT_THROW(grid.At({1, 2}), EVariantBadIndexError);
    EXPECT_THROW(grid.At({1}), EVariantBadIndexError);
    EXPECT_THROW(grid.At({1, 0, 0}), EVariantBadIndexError);
    EXPECT_THROW(grid[1], EVariantBadIndexError);
    EXPECT_THROW(list[-1], EVariantBadIndexError);
    EXPECT_THROW(list[2], EVariantBadIndexError);
    EXPECT_THROW(VarArrayLowBound(list, 0), EVariantBadIndexError);
    EXPECT_THROW(VarArrayHighBound(list, 2), EVariantBadIndexError);
    EXPECT_THROW(VarArrayCreate({}), EVariantBadIndexError);
    EXPECT_THROW(VarArrayCreate({{3, 1}}), EVariantBadIndexError);

    const Variant text("abc");
    EXPECT_EQ(VarArrayDimCount(text), 0);
    EXPECT_THROW(VarArrayLowBound(text, 1), EVariantInvalidOpError);
    EXPECT_THROW(text[0], EVariantInvalidOpError);
    EXPECT_THROW(text.At({0}), EVariantInvalidOpError);
    EXPECT_THROW(Variant().Array(), EVariantInvalidOpError);
}

TEST(VariantArray, BoundsWhoseCountDoesNotFitAreRefused) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case {
        const char* name;
        std::vector<VarBounds> bounds;
    };
    const Case cases[] = {
        {"count wraps to zero", {{kMin, kMax}}},
        {"count wraps negative", {{-1, kMax}}},
        {"count one beyond int", {{0, kMax}}},
        {"high bound at the end of int", {{kMax, kMax}}},
        {"product wraps to zero", {{0, 65535}, {0, 65535}, {0, 65535}, {0, 65535}}},
        {"product beyond int", {{0, 65535}, {0, 65535}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(VarArrayCreate(c.bounds), EVariantBadIndexError);
    }
    Variant list = VarArrayCreate({{kMin, kMin + 1}});
    list[kMin + 1] = "last";
    EXPECT_EQ(list[kMin + 1].AsString(), "last");
    EXPECT_THROW(list.Redim(kMax), EVariantBadIndexError);
    EXPECT_EQ(list[kMin + 1].AsString(), "last");
    list.Redim(kMin);
    EXPECT_EQ(list.Array().Size(), 1u);
    Variant grid = VarArrayCreate({{0, 65535}, {0, 0}});
    EXPECT_THROW(grid.Redim(65535), EVariantBadIndexError);
    EXPECT_EQ(grid.Array().Size(), 65536u);
}

TEST(VariantArray, EmptyArraysHaveHighBelowLow) {
    const Variant none = VarArrayOf({});
    EXPECT_TRUE(VarIsArray(none));
    EXPECT_EQ(VarArrayLowBound(none, 1), 0);
    EXPECT_EQ(VarArrayHighBound(none, 1), -1);
    EXPECT_THROW(none[0], EVariantBadIndexError);
    const Variant fromFive = VarArrayCreate({{5, 4}});
    EXPECT_EQ(fromFive.Array().Size(), 0u);
}

TEST(VariantArray, CopiesAreIndependent) {
    Variant original = VarArrayOf({1, VarArrayOf({"x", "y"})});
    Variant copy = original;
    copy[0] = 99;
    copy[1][0] = "changed";
    EXPECT_EQ(original[0].AsInteger(), 1);
    EXPECT_EQ(original[1][0].AsString(), "x");

    Variant assigned;
    assigned = original;
    original[1][1] = "later";
    EXPECT_EQ(assigned[1][1].AsString(), "y");

    auto changeByValue = [](Variant v) {
        v[0] = -1;
        return v;
    };
    const Variant changed = changeByValue(original);
    EXPECT_EQ(original[0].AsInteger(), 1);
    EXPECT_EQ(changed[0].AsInteger(), -1);

    // Self-assignment keeps the array.
    Variant& alias = original;
    original = alias;
    EXPECT_EQ(original[1][1].AsString(), "later");
}

TEST(VariantArray, NestedArraysKeepTheirShape) {
    Variant outer = VarArrayCreate({{1, 2}});
    outer[1] = VarArrayOf({"\x04", "A01", "A99"});
    outer[2] = VarArrayCreate({{0, 1}, {0, 1}});
    outer[2].At({1, 1}) = VarArrayOf({VarArrayOf({7})});

    EXPECT_EQ(VarArrayDimCount(outer[1]), 1);
    EXPECT_EQ(VarArrayHighBound(outer[1], 1), 2);
    EXPECT_EQ(outer[1][2].AsString(), "A99");
    EXPECT_EQ(VarArrayDimCount(outer[2]), 2);
    EXPECT_EQ(outer[2].At({1, 1})[0][0].AsInteger(), 7);
    EXPECT_TRUE(VarIsEmpty(outer[2].At({0, 0})));
}

TEST(VariantArray, RedimKeepsWhatRemains) {
    Variant list = VarArrayOf({"a", "b", "c"});
    list.Redim(4);
    EXPECT_EQ(VarArrayHighBound(list, 1), 4);
    EXPECT_EQ(list[2].AsString(), "c");
    EXPECT_TRUE(VarIsEmpty(list[4]));
    list.Redim(0);
    EXPECT_EQ(VarArrayHighBound(list, 1), 0);
    EXPECT_EQ(list[0].AsString(), "a");
    EXPECT_THROW(list[1], EVariantBadIndexError);
    list.Redim(-1);
    EXPECT_EQ(list.Array().Size(), 0u);
    EXPECT_THROW(list.Redim(-2), EVariantBadIndexError);

    Variant grid = VarArrayCreate({{1, 2}, {0, 1}});
    grid.At({1, 0}) = "r1c0";
    grid.At({2, 1}) = "r2c1";
    grid.Redim(2);
    EXPECT_EQ(grid.Array().Size(), 6u);
    EXPECT_EQ(grid.At({1, 0}).AsString(), "r1c0");
    EXPECT_EQ(grid.At({2, 1}).AsString(), "r2c1");
    EXPECT_TRUE(VarIsEmpty(grid.At({2, 2})));
    grid.Redim(0);
    EXPECT_EQ(grid.At({2, 0}).AsString(), "");
    EXPECT_EQ(grid.At({1, 0}).AsString(), "r1c0");

    Variant text("x");
    EXPECT_THROW(text.Redim(3), EVariantInvalidOpError);
}

TEST(VariantArray, RedimGrowsAnEmptyArray) {
    struct Case {
        const char* name;
        Variant array;
        std::size_t grownSize;
    };
    const Case cases[] = {
        {"empty list", VarArrayOf({}), 3},
        {"empty from one", VarArrayCreate({{1, 0}}), 2},
        {"grid with empty last dimension", VarArrayCreate({{0, 1}, {0, -1}}), 6},
        {"grid with empty first dimension", VarArrayCreate({{0, -1}, {0, 1}}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Variant array = c.array;
        array.Redim(2);
        EXPECT_EQ(array.Array().Size(), c.grownSize);
        for (Variant& item : array.Array().Items())
            EXPECT_TRUE(VarIsEmpty(item));
        if (array.DimCount() == 1) {
            array[2] = "last";
            EXPECT_EQ(array[2].AsString(), "last");
        } else if (c.grownSize > 0) {
            array.At({1, 2}) = "corner";
            EXPECT_EQ(array.Array().Items().back().AsString(), "corner");
        }
    }
}

// ---- equality ------------------------------------------------------------------------

TEST(VariantEquality, SameValueAcrossKinds) {
    struct Case {
        const char* name;
        Variant a;
        Variant b;
        bool equal;
    };
    Variant fromOne = Variant(VariantArray(1, 1));
    fromOne[1] = 1;
    const Case cases[] = {
        {"int and int64", Variant(1), Variant(1LL), true},
        {"int and double", Variant(1), Variant(1.0), true},
        {"int and other double", Variant(1), Variant(1.5), false},
        {"large int64s", Variant(9007199254740993LL), Variant(9007199254740992LL), false},
        {"narrow and wide", Variant("损益"), Variant(u"损益"), true},
        {"texts differ by case", Variant("a"), Variant("A"), false},
        {"text and number", Variant("1"), Variant(1), false},
        {"empty and empty", Variant(), Variant(), true},
        {"null and null", Variant::Null(), Variant::Null(), true},
        {"empty and null", Variant(), Variant::Null(), false},
        {"empty and empty text", Variant(), Variant(""), false},
        {"empty and zero", Variant(), Variant(0), false},
        {"date and same double", DateValue(1), Variant(1.0), false},
        {"dates", DateValue(2.5), DateValue(2.5), true},
        {"booleans", Variant(true), Variant(true), true},
        {"arrays", VarArrayOf({1, "a"}), VarArrayOf({1.0, u"a"}), true},
        {"arrays with other bounds", VarArrayOf({1}), fromOne, false},
        {"arrays of other length", VarArrayOf({1}), VarArrayOf({1, 1}), false},
        {"nested arrays", VarArrayOf({VarArrayOf({1})}), VarArrayOf({VarArrayOf({1})}), true},
        {"nested arrays differ", VarArrayOf({VarArrayOf({1})}), VarArrayOf({VarArrayOf({2})}), false},
        {"array and scalar", VarArrayOf({1}), Variant(1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
    }
}

} // namespace
} // namespace vondrel
