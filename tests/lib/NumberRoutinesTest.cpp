#include "lib/NumberRoutines.h"

#include "platform/PlatformServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vondrel {
namespace {

TEST(RoundDecimals, HalfAwayFromZeroOnTheShortestText) {
    struct Case {
        const char* name;
        int digits;
        double value;
        double result;
    };
    const Case cases[] = {
        {"binary value below the half", 2, 2.675, 2.68},
        {"negative", 2, -2.675, -2.68},
        {"zero", 2, 0.0, 0.0},
        {"half to a whole number", 0, 2.5, 3.0},
        {"negative half to a whole number", 0, -2.5, -3.0},
        {"half", 0, 0.5, 1.0},
        {"one decimal", 1, 0.05, 0.1},
        {"1.005", 2, 1.005, 1.01},
        {"1.0005", 3, 1.0005, 1.001},
        {"below the half", 2, 1.234, 1.23},
        {"just below the half", 2, 1.2349999, 1.23},
        {"sum that is not exact", 2, 0.1 + 0.2, 0.3},
        {"amount", 2, 1234567.125, 1234567.13},
        {"large amount", 2, 123456789012.345, 123456789012.35},
        {"already round", 2, 10.5, 10.5},
        {"more digits than the value has", 6, 1.5, 1.5},
        {"tiny negative becomes zero", 2, -0.001, 0.0},
        {"huge", 2, 1e20, 1e20},
        {"negative digits count as none", -1, 12.5, 13.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double result = RoundDecimals(c.digits, c.value);
        EXPECT_EQ(result, c.result);
        EXPECT_FALSE(result == 0 && std::signbit(result)) << "negative zero";
    }
    EXPECT_TRUE(std::isnan(RoundDecimals(2, std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(RoundDecimals(2, std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
}

TEST(RoundDecimals, EveryCentHalfRoundsUp) {
    // x.xx5 for every cent of the first hundred units: the decimal text decides, never
    // the binary value just below it.
    for (int mills = 5; mills < 100000; mills += 10) {
        const double value = mills / 1000.0;
        const double expected = (mills + 5) / 10 / 100.0;
        ASSERT_EQ(RoundDecimals(2, value), expected) << value;
        ASSERT_EQ(RoundDecimals(2, -value), -expected) << -value;
    }
}

TEST(RoundDecimals, ExactHalvesOfLargeAmountsRoundUp) {
    // Amounts large enough that the small nudge no longer changes them: an exact half must
    // still round away from zero, not to the even neighbour.
    for (long long units : {4096LL, 8192LL, 10000LL, 1234567LL, 99999999LL}) {
        for (int eighths = 0; eighths < 8; ++eighths) {
            const double value = static_cast<double>(units) + eighths / 8.0;
            const long long mills = units * 1000 + eighths * 125;
            SCOPED_TRACE(value);
            EXPECT_EQ(RoundDecimals(2, value), static_cast<double>((mills + 5) / 10) / 100);
            EXPECT_EQ(RoundDecimals(2, -value), -static_cast<double>((mills + 5) / 10) / 100);
            EXPECT_EQ(RoundDecimals(0, value), static_cast<double>((mills + 500) / 1000));
            EXPECT_EQ(RoundDecimals(1, value), static_cast<double>((mills + 50) / 100) / 10);
        }
    }
}

TEST(CompareFloat, EqualWithinTheTolerance) {
    struct Case {
        const char* name;
        double a, b;
        int result;
    };
    const Case cases[] = {
        {"sum that is not exact", 0.1 + 0.2, 0.3, 0},
        {"reversed", 0.3, 0.1 + 0.2, 0},
        {"small difference", 1, 1.0000001, -1},
        {"small difference, reversed", 1.0000001, 1, 1},
        {"below the tolerance", 1, 1 + 1e-11, 0},
        {"above the tolerance", 1, 1 + 2e-10, -1},
        {"near zero below the tolerance", 0, 0.99e-10, 0},
        {"near zero above the tolerance", 0, 1.01e-10, -1},
        {"negatives", -1, -2, 1},
        {"equal", -7.25, -7.25, 0},
        {"large numbers equal in fifteen digits", 1e20, 1e20 + 1e5, 0},
        {"large numbers differ in fifteen digits", 1e20, 1.00000000000001e20, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompareFloat(c.a, c.b), c.result);
    }
}

TEST(StrToFloatDefault, TheNumberOrTheDefault) {
    struct Case {
        const char* text;
        double result;
    };
    const Case cases[] = {
        {"1.5", 1.5}, {"-0.5", -0.5}, {"1e3", 1000}, {" 2 ", 2},   {"1,5", -1},   {"", -1},
        {"abc", -1},  {"1e999", -1},  {"NaN", -1},   {"0x10", -1}, {"1.5.1", -1}, {"12abc", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToFloatDefault(c.text, -1), c.result);
    }
}

TEST(Variants, IfThenVarAndVarIsBlank) {
    const Variant a = VarArrayOf({1, 2});
    const Variant b = "b";
    EXPECT_EQ(IfThenVar(true, a, b), a);
    EXPECT_EQ(IfThenVar(false, a, b), b);
    Variant chosen = IfThenVar(true, a, b);
    chosen[0] = 99;
    EXPECT_EQ(a[0].AsInteger(), 1);

    EXPECT_TRUE(VarIsBlank(Variant()));
    EXPECT_TRUE(VarIsBlank(Variant::Null()));
    EXPECT_FALSE(VarIsBlank(Variant("")));
    EXPECT_FALSE(VarIsBlank(Variant(0)));
    EXPECT_FALSE(VarIsBlank(VarArrayOf({})));
}

class TTempFolder : public TPlatformServices {
public:
    explicit TTempFolder(std::string path) : path_(std::move(path)) {}
    std::string TempPath() const override { return path_; }

private:
    std::string path_;
};

TEST(GetLongTempPath, IsThePlatformsTemporaryFolder) {
    const auto previous = SetPlatformServices(std::make_shared<TTempFolder>("/fixed/temp/"));
    EXPECT_EQ(GetLongTempPath(), "/fixed/temp/");
    SetPlatformServices(std::make_shared<TTempFolder>(""));
    EXPECT_EQ(GetLongTempPath(), "");
    SetPlatformServices(previous);
    EXPECT_EQ(GetLongTempPath(), Platform().TempPath());
}

} // namespace
} // namespace vondrel
