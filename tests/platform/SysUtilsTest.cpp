#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace vondrel {
namespace {

TEST(FloatToStr, FifteenSignificantDigitsInThePlatformsLayout) {
    struct Case {
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"sum that is not exact", 0.1 + 0.2, "0.3"},
        {"tenth", 0.1, "0.1"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"whole", 100.0, "100"},
        {"negative", -2.5, "-2.5"},
        {"small fixed", 0.0001, "0.0001"},
        {"smaller is scientific", 0.00001, "1E-5"},
        {"scientific with digits", 1.5e-6, "1.5E-6"},
        {"negative small", -0.000012345, "-1.2345E-5"},
        {"large", 1e20, "1E20"},
        {"negative large", -1e20, "-1E20"},
        {"fifteen digits", 123456789012345.0, "123456789012345"},
        {"sixteen digits", 1234567890123456.0, "1.23456789012346E15"},
        {"ten to the fifteenth", 1e15, "1E15"},
        {"fifteen nines", 999999999999999.0, "999999999999999"},
        {"third", 1.0 / 3, "0.333333333333333"},
        {"two thirds", 2.0 / 3, "0.666666666666667"},
        {"rounds up past fifteen digits", 999999999999999.9, "1E15"},
        {"rounds up to one", 0.99999999999999994, "1"},
        {"amount", 1234567.125, "1234567.125"},
        {"tiny", 1e-300, "1E-300"},
        {"huge", 1.7976931348623157e308, "1.79769313486232E308"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {"infinity", std::numeric_limits<double>::infinity(), "INF"},
        {"minus infinity", -std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FloatToStr(c.value), c.text);
    }
}

TEST(TryStrToInt, WholeTextIntegers) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"42", 42},
        {" 42 ", 42},
        {"+42", 42},
        {"-42", -42},
        {"007", 7},
        {"$1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"4 2", std::nullopt},
        {"42abc", std::nullopt},
        {"1.0", std::nullopt},
        {"1e3", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"- 1", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"$G", std::nullopt},
        {"0x-1", std::nullopt},
        {"４２", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TryStrToInt(c.text), c.value);
        EXPECT_EQ(StrToIntDef(c.text, -99), c.value.value_or(-99));
    }
    EXPECT_EQ(TryStrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TryStrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(TryStrToInt64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(TryStrToInt64("-9223372036854775809"), std::nullopt);
    EXPECT_EQ(TryStrToInt64("$FFFFFFFF"), 4294967295LL);
}

TEST(TryStrToFloat, InvariantNotationOnly) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", 1.5},
        {" -1.5 ", -1.5},
        {"+.5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E-3", 0.001},
        {"1e+3", 1000.0},
        {"-0", -0.0},
        {"0.1", 0.1},
        {"1e308", 1e308},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e3", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"1,5", std::nullopt},
        {"1 5", std::nullopt},
        {"1.5.2", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"1e-400", 0.0},
        {"123.4e306", 1.234e308},
        {"0.0001e-320", 0.0},
        {"0.00001e313", 1e308},
        {"$10", std::nullopt},
        {"1.5f", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TryStrToFloat(c.text), c.value);
    }
}

TEST(TextHelpers, TrimCaseAndComparison) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("损益 "), "损益");
    EXPECT_EQ(UpperCase("abc损益xyz"), "ABC损益XYZ");
    EXPECT_EQ(LowerCase("ABC损益"), "abc损益");
    EXPECT_TRUE(SameText("Vondrel", "vONDREL"));
    EXPECT_FALSE(SameText("Vondrel", "Vondrel "));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_TRUE(StartsText("hex", "HEX(2):00"));
    EXPECT_FALSE(StartsText("hex(2)", "hex"));
    EXPECT_TRUE(EndsText(".DLL", "x.dll"));
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
}

} // namespace
} // namespace vondrel
