#include "lib/Translator.h"

#include <vondrel/Exception.h>

#include "platform/Library.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vondrel {
namespace {

const std::string kSimplified = "损益结转 期间损益结转 汇兑损益结转";
const std::string kTraditional = "損益結轉 期間損益結轉 匯兌損益結轉";

TEST(Translator, ConvertsBothWaysThroughTheLibraryFoundByItsFileName) {
    const TTranslator translator;
    const struct {
        const char* name;
        std::string simplified;
        std::string traditional;
    } cases[] = {
        {"job captions", kSimplified, kTraditional},
        {"ASCII only", "OK 100%", "OK 100%"},
        {"empty", "", ""},
        {"bytes that are not UTF-8 are kept", "损\xFF益", "損\xFF益"},
        {"a NUL character is kept", std::string("损\0益", 7), std::string("損\0益", 7)},
        {"a long text", std::string(2000, 'a') + kSimplified, std::string(2000, 'a') + kTraditional},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(translator.TranslateToBig5(c.simplified), c.traditional);
        EXPECT_EQ(translator.TranslateToGB(c.traditional), c.simplified);
    }
}

TEST(Translator, EachTranslatorHoldsItsOwnLoad) {
    auto first = std::make_unique<TTranslator>();
    const TTranslator second;
    first.reset();
    EXPECT_EQ(second.TranslateToBig5("结转"), "結轉");
}

TEST(Translator, AMissingLibraryOrExportIsReportedWithTheSuitesTexts) {
    const struct {
        const char* name;
        std::string library;
        std::string message;
    } cases[] = {
        {"no such library", "NoSuchKmlanguage.dll", "Load Library NoSuchKmlanguage.dll Error!"},
        {"no such folder", "/no/such/folder/Kmlanguage.dll",
         "Load Library /no/such/folder/Kmlanguage.dll Error!"},
        {"one export missing", VONDREL_HALF_LIBRARY, "Get Library Procedure Address Error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            TTranslator translator(c.library);
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
}

/// The library's own contract, called directly.
class KmlanguageLibrary : public ::testing::Test {
protected:
    using ConvertProc = long (*)(const char*, char*, long);
    void SetUp() override {
        handle_ = LoadLibrary(kKmlanguageLibrary);
        ASSERT_NE(handle_, 0u) << LastLibraryError();
        gbToBig5_ = reinterpret_cast<ConvertProc>(GetProcAddress(handle_, "GBtoBIG5"));
        ASSERT_NE(gbToBig5_, nullptr);
    }
    void TearDown() override { FreeLibrary(handle_); }

    HMODULE handle_ = 0;
    ConvertProc gbToBig5_ = nullptr;
};

TEST_F(KmlanguageLibrary, ABufferTooSmallGetsTheLengthToAskFor) {
    const std::string expected = "結轉";
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(gbToBig5_("结转", small, sizeof small), static_cast<long>(expected.size()));
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(gbToBig5_("结转", nullptr, 0), static_cast<long>(expected.size()));
    char exact[7];
    EXPECT_EQ(gbToBig5_("结转", exact, sizeof exact), static_cast<long>(expected.size()));
    EXPECT_EQ(std::string(exact), expected);
    char tooShortByOne[6] = {'x'};
    EXPECT_EQ(gbToBig5_("结转", tooShortByOne, sizeof tooShortByOne), static_cast<long>(expected.size()));
    EXPECT_EQ(tooShortByOne[0], '\0');
}

TEST_F(KmlanguageLibrary, RefusesWhatItCannotConvert) {
    char buffer[16];
    EXPECT_EQ(gbToBig5_(nullptr, buffer, sizeof buffer), -1);
    EXPECT_EQ(gbToBig5_("a", buffer, -1), -1);
}

} // namespace
} // namespace vondrel
