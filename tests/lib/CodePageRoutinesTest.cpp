#include "lib/CodePageRoutines.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <string>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::MakeDateTime;
using test::ScopedPlatform;
using test::TempInstall;

const std::string kGbk = "\xCB\xF0\xD2\xE6\xBD\xE1\xD7\xAA";  // 损益结转 in GBK
const std::string kBig5 = "\xB7\x6C\xAF\x71\xB5\xB2\xC2\xE0"; // 損益結轉 in Big5

TEST(CodePageRoutines, WideTextsGoToCodePagesAndBack) {
    const struct {
        const char* name;
        std::u16string wide;
        int codePage;
        std::string bytes;
    } cases[] = {
        {"GBK", u"损益结转", 936, kGbk},
        {"Big5", u"損益結轉", 950, kBig5},
        {"437", u"é", 437, "\x82"},
        {"UTF-8, the process's own", u"损益", kNarrowTextCodePage, "损益"},
        {"an unknown code page is the process's own", u"损益", 1234, "损益"},
        {"embedded NUL characters are kept", std::u16string(u"a\0损", 3), 936, std::string("a\0\xCB\xF0", 4)},
        {"empty", u"", 936, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WideToCodePage(c.wide, c.codePage), c.bytes);
        EXPECT_EQ(CodePageToWide(c.bytes, c.codePage), c.wide);
    }
}

TEST(CodePageRoutines, ACharacterWithoutBig5FormDoesNotCostTheRest) {
    // Of these simplified characters only 期 and 益 have Big5 forms.
    EXPECT_EQ(WideToCodePage(u"期间损益结转 Q1", 950), "\xB4\xC1??\xAF\x71?? Q1");
    EXPECT_EQ(CodePageToWide("\xB4\xC1\xFF\xAF\x71", 950), u"期\uFFFD益");
}

class VarCodePageRoutines : public ::testing::Test {
protected:
    TempInstall install;
    ScopedPlatform platform{FixedPlatformValues{.Now = MakeDateTime(2004, 3, 5, 14, 7, 9, 42)}};

    static Variant Nested(int depth, Variant innermost) {
        Variant value = std::move(innermost);
        for (int i = 0; i < depth; ++i)
            value = VarArrayOf({value});
        return value;
    }
    std::string LibStrsLog() const { return install.ReadFile("Log/Alert_libstrs_20040305.log"); }
};

TEST_F(VarCodePageRoutines, SingleValuesToCodePage) {
    const struct {
        const char* name;
        Variant value;
        Variant expected;
    } cases[] = {
        {"wide text", Variant(u"损益结转"), Variant(kGbk)},
        {"narrow text is converted as wide text", Variant("损益结转"), Variant(kGbk)},
        {"number", Variant(12), Variant(12)},
        {"empty", Variant(), Variant()},
        {"null", Variant::Null(), Variant::Null()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Variant result = VarWideToCodePage(c.value, 936);
        EXPECT_EQ(result.Type(), c.expected.Type());
        EXPECT_EQ(result, c.expected);
    }
}

TEST_F(VarCodePageRoutines, OneDimensionalArraysAreWalkedIntoTheirNestedArrays) {
    const Variant value = VarArrayOf(
        {Variant(u"损益结转"), Variant("损益"), 12, VarArrayOf({Variant(u"损益结转"), 3}), Variant::Null()});
    const Variant result = VarWideToCodePage(value, 936);
    ASSERT_EQ(result.HighBound(1), 4);
    EXPECT_EQ(result[0].Type(), VarType::String);
    EXPECT_EQ(result[0].AsString(), kGbk);
    EXPECT_EQ(result[1].AsString(), "损益") << "narrow texts in arrays stay as they are";
    EXPECT_EQ(result[2], Variant(12));
    EXPECT_EQ(result[3][0].AsString(), kGbk);
    EXPECT_EQ(result[3][1], Variant(3));
    EXPECT_TRUE(result[4].IsNull());
    EXPECT_EQ(value[0].Type(), VarType::WideString) << "the caller's array is not touched";
}

TEST_F(VarCodePageRoutines, TwoDimensionalArraysConvertOnlyTheirOwnElements) {
    Variant value = VarArrayCreate({{1, 2}, {0, 1}});
    value.At({1, 0}) = u"損益結轉";
    value.At({1, 1}) = VarArrayOf({Variant(u"損益結轉")});
    value.At({2, 0}) = "plain";
    value.At({2, 1}) = 7;
    const Variant result = VarWideToCodePage(value, 950);
    EXPECT_EQ(result.At({1, 0}).AsString(), kBig5);
    EXPECT_EQ(result.At({1, 1}), VarArrayOf({Variant(u"損益結轉")}));
    EXPECT_EQ(result.At({1, 1})[0].Type(), VarType::WideString);
    EXPECT_EQ(result.At({2, 0}), Variant("plain"));
    EXPECT_EQ(result.At({2, 1}), Variant(7));
}

TEST_F(VarCodePageRoutines, ArraysOfMoreDimensionsStayAsTheyAre) {
    Variant value = VarArrayCreate({{0, 1}, {0, 0}, {0, 0}});
    value.At({0, 0, 0}) = u"损益";
    const Variant result = VarWideToCodePage(value, 936);
    EXPECT_EQ(result.At({0, 0, 0}).Type(), VarType::WideString);
    EXPECT_EQ(VarCodePageToWide(result, 936).At({0, 0, 0}).Type(), VarType::WideString);
}

TEST_F(VarCodePageRoutines, SingleValuesToWideText) {
    const struct {
        const char* name;
        Variant value;
        int codePage;
        Variant expected;
    } cases[] = {
        {"GBK bytes", Variant(kGbk), 936, Variant(u"损益结转")},
        {"Big5 bytes", Variant(kBig5), 950, Variant(u"損益結轉")},
        {"the process's own text", Variant("损益"), kNarrowTextCodePage, Variant(u"损益")},
        {"wide text is read as narrow text first", Variant(u"损益"), kNarrowTextCodePage, Variant(u"损益")},
        {"date", Variant::FromDate(38051), 936, Variant::FromDate(38051)},
        {"null", Variant::Null(), 936, Variant::Null()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Variant result = VarCodePageToWide(c.value, c.codePage);
        EXPECT_EQ(result.Type(), c.expected.Type());
        EXPECT_EQ(result, c.expected);
    }
}

TEST_F(VarCodePageRoutines, ArraysToWideTextTakeOnlyWideElements) {
    const Variant plain = VarArrayOf({Variant(kGbk), Variant("损益"), 5});
    const Variant result = VarCodePageToWide(plain, 936);
    EXPECT_EQ(result, plain);
    EXPECT_EQ(result[0].Type(), VarType::String);

    const Variant mixed = VarArrayOf({Variant(u"损益"), VarArrayOf({Variant(u"结转"), Variant("x")})});
    const Variant wide = VarCodePageToWide(mixed, kNarrowTextCodePage);
    EXPECT_EQ(wide[0].Type(), VarType::WideString);
    EXPECT_EQ(wide[0].AsWideString(), u"损益");
    EXPECT_EQ(wide[1][0].AsWideString(), u"结转");
    EXPECT_EQ(wide[1][1].Type(), VarType::String);
}

TEST_F(VarCodePageRoutines, TheOptionArrayRoundTripsThroughTheProcessCodePage) {
    Variant options = VarArrayOf(
        {VarArrayOf({Variant(u"期间"), Variant(u"202403")}), VarArrayOf({Variant(u"损益结转"), 16, true})});
    const Variant sent = VarCodePageToWide(options, kNarrowTextCodePage);
    EXPECT_EQ(sent, options);
    const Variant back = VarWideToCodePage(sent, kNarrowTextCodePage);
    EXPECT_EQ(back[1][0].Type(), VarType::String);
    EXPECT_EQ(back[1][0].AsString(), "损益结转");
    EXPECT_EQ(back, options) << "the texts are the same, only narrow";
}

TEST_F(VarCodePageRoutines, FailuresAreLoggedAndGiveTheValueBack) {
    const Variant tooDeep = Nested(kMaxArrayNesting + 1, Variant(u"损益"));
    EXPECT_EQ(VarWideToCodePage(tooDeep, 936), tooDeep);
    EXPECT_EQ(VarCodePageToWide(tooDeep, 936), tooDeep);
    const std::string log = LibStrsLog();
    EXPECT_NE(
        log.find("[2004/03/05 14:07:09:042] LINE[2735] Variant arrays are nested more than 64 deep\r\n"),
        std::string::npos)
        << log;
    EXPECT_NE(log.find("[2004/03/05 14:07:09:042] LINE[115] Variant arrays are nested more than 64 deep\r\n"),
              std::string::npos)
        << log;

    const Variant deepEnough = Nested(kMaxArrayNesting - 1, Variant(u"损益"));
    Variant inner = VarWideToCodePage(deepEnough, 936);
    for (int i = 0; i < kMaxArrayNesting - 1; ++i)
        inner = Variant(inner[0]);
    EXPECT_EQ(inner, Variant("\xCB\xF0\xD2\xE6"));
}

} // namespace
} // namespace vondrel
