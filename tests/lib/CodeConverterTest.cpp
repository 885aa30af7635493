#include "lib/CodeConverter.h"

#include <vondrel/Dispatch.h>

#include "lib/CodePageRoutines.h"
#include "platform/Library.h"
#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempInstall;

/// A converter of its own (no owner), as a job's code makes one.
TOwnedPtr<TCodeConverter> NewConverter() {
    return TOwnedPtr<TCodeConverter>(Create<TCodeConverter>(nullptr));
}

const std::string kGB = "损益结转";
const std::string kBig5 = "損益結轉";

class CodeConverter : public ::testing::Test {
protected:
    TempInstall install;
    std::optional<ScopedPlatform> platform;

    /// Settings of a system code page and the [CodePage] section's keys.
    void Settings(const std::string& sysCodePage, const std::string& codePageLines) {
        platform.reset();
        platform.emplace(FixedPlatformValues{.SysCodePage = sysCodePage});
        install.WriteClientIni("[CodePage]\n" + codePageLines);
    }
    /// A traditional interface on a simplified database: modes 2 and 2.
    void TraditionalInterface() { Settings("936", "UICodePage=950\nDBCodePage=936\n"); }
    /// A simplified interface on a traditional system and database: modes 4 and 1.
    void TraditionalSystem() { Settings("950", "UICodePage=936\nDBCodePage=950\n"); }
};

TEST_F(CodeConverter, TakesItsCodePagesFromTheClientSettings) {
    const struct {
        const char* name;
        std::string system;
        std::string lines;
        const char* ui;
        const char* db;
        int uiMode;
        int dbMode;
        bool translator;
    } cases[] = {
        {"simplified everywhere", "936", "", "936", "936", 0, 0, false},
        {"western system", "1252", "", "437", "936", 0, 0, false},
        {"traditional interface", "936", "UICodePage=950\n", "950", "936", 2, 2, true},
        {"simplified interface on a traditional system", "950", "UICodePage=936\nDBCodePage=950\n", "936",
         "950", 4, 1, true},
        {"traditional database only", "936", "DBCodePage=950\n", "936", "950", 0, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings(c.system, c.lines);
        const auto converter = NewConverter();
        EXPECT_EQ(converter->UICodePage(), c.ui);
        EXPECT_EQ(converter->DBCodePage(), c.db);
        EXPECT_EQ(converter->UIConvertMode(), c.uiMode);
        EXPECT_EQ(converter->DBConvertMode(), c.dbMode);
        EXPECT_EQ(converter->HasTranslator(), c.translator);
        EXPECT_EQ(converter->DesignType(), TDesignType::dtClient);
    }
}

/// True while the conversion library is loaded in this process.
bool ConversionLibraryLoaded() {
    const std::string path = ResolveLibraryPath("Kmlanguage.dll");
    EXPECT_FALSE(path.empty());
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

TEST_F(CodeConverter, TheLibraryIsLoadedOnlyForAConvertedInterfaceAndOnlyWhileNeeded) {
    ASSERT_FALSE(ConversionLibraryLoaded());
    Settings("936", "DBCodePage=950\n");
    {
        const auto converter = NewConverter();
        converter->ConvertValue(2, kGB);
        converter->ConvertDBValue(kBig5);
        converter->ToDBValue(kGB);
        EXPECT_FALSE(ConversionLibraryLoaded());
    }
    TraditionalInterface();
    {
        const auto converter = NewConverter();
        EXPECT_TRUE(ConversionLibraryLoaded());
    }
    EXPECT_FALSE(ConversionLibraryLoaded());
}

TEST_F(CodeConverter, WithoutSettingsItKeepsItsOwnDefaults) {
    install.SetRegistryContent("REGEDIT4\n");
    platform.emplace(FixedPlatformValues{.SysCodePage = "950"});
    const auto converter = NewConverter();
    // The settings' defaults come from the system even when the registry fails.
    EXPECT_EQ(converter->SysCodePage(), "950");
    EXPECT_EQ(converter->UICodePage(), "950");
    EXPECT_EQ(converter->UIConvertMode(), 2);
    EXPECT_TRUE(converter->HasTranslator());
}

TEST_F(CodeConverter, ConvertsValuesOfEveryShape) {
    TraditionalInterface();
    const auto converter = NewConverter();
    Variant twoDims = VarArrayCreate({{0, 1}, {1, 2}});
    twoDims.At({0, 1}) = kGB;
    twoDims.At({0, 2}) = 5;
    twoDims.At({1, 1}) = VarArrayOf({Variant(kGB)});
    twoDims.At({1, 2}) = Variant::Null();
    Variant twoDimsBig5 = twoDims;
    twoDimsBig5.At({0, 1}) = kBig5;
    twoDimsBig5.At({0, 2}) = "5";
    twoDimsBig5.At({1, 1}) = VarArrayOf({Variant(kBig5)});
    Variant threeDims = VarArrayCreate({{0, 0}, {0, 0}, {0, 0}});
    threeDims.At({0, 0, 0}) = kGB;
    const struct {
        const char* name;
        int mode;
        Variant value;
        Variant expected;
    } cases[] = {
        {"text", 2, kGB, kBig5},
        {"wide text becomes narrow", 2, Variant(u"损益结转"), kBig5},
        {"back", 1, kBig5, kGB},
        {"a number becomes text", 2, 12, "12"},
        {"null stays null", 1, Variant::Null(), Variant::Null()},
        {"empty stays empty", 2, Variant(), Variant()},
        {"one dimension with a nested array", 2, VarArrayOf({Variant(kGB), 12, VarArrayOf({Variant(kGB)})}),
         VarArrayOf({Variant(kBig5), "12", VarArrayOf({Variant(kBig5)})})},
        {"null elements stay null", 2, VarArrayOf({Variant::Null(), Variant(kGB)}),
         VarArrayOf({Variant::Null(), Variant(kBig5)})},
        {"two dimensions", 2, twoDims, twoDimsBig5},
        {"three dimensions stay", 2, threeDims, threeDims},
        {"mode 0 converts nothing", 0, kGB, kGB},
        {"mode 3 converts nothing", 3, kGB, kGB},
        {"mode 4 converts nothing", 4, VarArrayOf({12}), VarArrayOf({12})},
        {"an unknown mode converts nothing", 9, kGB, kGB},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Variant result = converter->ConvertValue(c.mode, c.value);
        EXPECT_EQ(result, c.expected);
        if (!c.expected.IsArray()) {
            EXPECT_EQ(result.Type(), c.expected.Type());
        }
    }
    EXPECT_EQ(converter->ConvertValue(2, VarArrayOf({12}))[0].Type(), VarType::String);
}

TEST_F(CodeConverter, WithoutTranslatorNothingIsConverted) {
    Settings("936", "DBCodePage=950\n");
    const auto converter = NewConverter();
    EXPECT_EQ(converter->ConvertValue(2, kGB), Variant(kGB));
    EXPECT_EQ(converter->ConvertDBValue(kBig5), Variant(kBig5));
    EXPECT_EQ(converter->GBToBig5(kGB), kGB);
    EXPECT_EQ(converter->Big5ToGB(kBig5), kBig5);
}

TEST_F(CodeConverter, DatabaseAndInterfaceValuesGoTheirModesWays) {
    const struct {
        const char* name;
        bool traditionalSystem;
        Variant dbValue;  // read from the database
        Variant shown;    // ConvertDBValue
        Variant uiSource; // a source text
        Variant uiShown;  // ConvertUIValue
        Variant toDB;     // ToDBValue of the shown value
        Variant toSource; // UIToSourceValue of the shown source text
    } cases[] = {
        // Modes 2 and 2: the database holds simplified texts, the interface shows traditional ones.
        {"traditional interface", false, kGB, kBig5, kGB, kBig5, kGB, kGB},
        // Modes 4 and 1: the database holds traditional texts, the interface shows simplified ones.
        {"traditional system and database", true, kBig5, kGB, kGB, kGB, kBig5, kGB},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.traditionalSystem)
            TraditionalSystem();
        else
            TraditionalInterface();
        const auto converter = NewConverter();
        EXPECT_EQ(converter->ConvertDBValue(c.dbValue), c.shown);
        EXPECT_EQ(converter->ToDBValue(c.shown), c.toDB);
        EXPECT_EQ(converter->ConvertUIValue(c.uiSource), c.uiShown);
        EXPECT_EQ(converter->UIToSourceValue(c.uiShown), c.toSource);
    }
}

TEST_F(CodeConverter, ReverseConversionsNeverRaise) {
    TraditionalInterface();
    const auto converter = NewConverter();
    Variant tooDeep = kBig5;
    for (int i = 0; i <= kMaxArrayNesting; ++i)
        tooDeep = VarArrayOf({tooDeep});
    EXPECT_THROW(converter->ConvertValue(1, tooDeep), Exception);
    EXPECT_EQ(converter->ToDBValue(tooDeep), tooDeep);
    EXPECT_EQ(converter->UIToSourceValue(tooDeep), tooDeep);
    // An object has no text to convert.
    class Object : public Dispatch {
        Variant Invoke(std::string_view, InvokeKind, std::span<Variant>) override { return {}; }
    };
    const Variant object(std::make_shared<Object>());
    EXPECT_EQ(converter->ConvertValue(2, object), object);
    EXPECT_EQ(converter->ToDBValue(VarArrayOf({object, Variant(kBig5)})), VarArrayOf({object, Variant(kGB)}));
}

TEST_F(CodeConverter, TextConversionsKeepEmptyTexts) {
    TraditionalInterface();
    const auto converter = NewConverter();
    EXPECT_EQ(converter->GBToBig5(kGB), kBig5);
    EXPECT_EQ(converter->Big5ToGB(kBig5), kGB);
    EXPECT_EQ(converter->GBToBig5(""), "");
    EXPECT_EQ(converter->Big5ToGB(""), "");
}

TEST_F(CodeConverter, FontsFollowTheMode) {
    Settings("936", "");
    const auto converter = NewConverter();
    const struct {
        int mode;
        const char* name;
        int charset;
    } cases[] = {{0, "SimSun", 134}, {1, "SimSun", 134}, {2, "SimSun", 136}, {3, "SimSun", 136},
                 {4, "SimSun", 134}, {5, "Arial", 0},    {-1, "Arial", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        std::string name = "Arial";
        int charset = 0;
        converter->SetChineseFont(c.mode, name, charset);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(charset, c.charset);
    }
}

TEST_F(CodeConverter, TheDesignTypeIsKept) {
    Settings("936", "");
    const auto converter = NewConverter();
    converter->SetDesignType(TDesignType::dtServer);
    EXPECT_EQ(converter->DesignType(), TDesignType::dtServer);
}

} // namespace
} // namespace vondrel
