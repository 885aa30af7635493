#include "platform/CodePage.h"

#include "platform/PlatformServices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace vondrel {
namespace {

struct KnownText {
    const char* name;
    int codePage;
    std::u16string wide;
    std::string bytes;
};

const KnownText kKnownTexts[] = {
    {"GBK", kCodePageGBK, u"损益结转", "\xCB\xF0\xD2\xE6\xBD\xE1\xD7\xAA"},
    {"GBK with ASCII and the euro sign", kCodePageGBK, u"A1 €", "A1 \x80"},
    {"Big5", kCodePageBig5, u"損益結轉", "\xB7\x6C\xAF\x71\xB5\xB2\xC2\xE0"},
    {"Big5 with ASCII", kCodePageBig5, u"期間 01", "\xB4\xC1\xB6\xA1 01"},
    {"437 letters and box drawing", kCodePageUS, u"é─", "\x82\xC4"},
    {"437 control characters stay controls", kCodePageUS, u"\x01\x1F\x7F", "\x01\x1F\x7F"},
    {"UTF-8", kCodePageUTF8, u"损益 €", "\xE6\x8D\x9F\xE7\x9B\x8A \xE2\x82\xAC"},
    {"UTF-8 beyond the basic plane", kCodePageUTF8, u"\U0001F600", "\xF0\x9F\x98\x80"},
    {"embedded NUL", kCodePageGBK, std::u16string(u"a\0损", 3), std::string("a\0\xCB\xF0", 4)},
    {"empty", kCodePageBig5, u"", ""},
};

TEST(CodePage, KnownTextsConvertBothWays) {
    for (const KnownText& c : kKnownTexts) {
        SCOPED_TRACE(c.name);
        bool usedDefault = true;
        EXPECT_EQ(WideCharToMultiByte(c.codePage, c.wide, &usedDefault), c.bytes);
        EXPECT_FALSE(usedDefault);
        EXPECT_EQ(MultiByteToWideChar(c.codePage, c.bytes), c.wide);
    }
}

TEST(CodePage, LongTextsRoundTrip) {
    // Longer than any one buffer of the conversion.
    std::u16string text;
    for (int i = 0; i < 5000; ++i)
        text += i % 7 == 0 ? u"汇兑损益 " : u"期间";
    for (int codePage : {kCodePageGBK, kCodePageUTF8}) {
        SCOPED_TRACE(codePage);
        const auto bytes = WideCharToMultiByte(codePage, text);
        ASSERT_TRUE(bytes);
        EXPECT_GT(bytes->size(), 8192u);
        EXPECT_EQ(MultiByteToWideChar(codePage, *bytes), text);
    }
}

struct UnmappableCase {
    const char* name;
    int codePage;
    std::u16string wide;
    std::string bytes;
};

TEST(CodePage, CharactersWithoutAFormBecomeTheDefaultCharacterAndTheRestIsKept) {
    const UnmappableCase cases[] = {
        // 损, 结 and 转 are simplified forms that Big5 does not have; 益 it has.
        {"simplified text in Big5", kCodePageBig5, u"损益结转ABC", "?\xAF\x71??ABC"},
        {"Chinese in 437", kCodePageUS, u"a损b", "a?b"},
        {"euro sign in 437", kCodePageUS, u"€1", "?1"},
        {"a surrogate pair is one character", kCodePageGBK, u"x\U0001F600y", "x?y"},
        {"lone high surrogate", kCodePageGBK,
         std::u16string(u"a\xD800"
                        u"b"),
         "a?b"},
        {"lone surrogate at the end", kCodePageBig5, std::u16string(u"a\xDC00"), "a?"},
        {"lone surrogate in UTF-8", kCodePageUTF8,
         std::u16string(u"a\xD800"
                        u"b"),
         "a\xEF\xBF\xBD"
         "b"},
    };
    for (const UnmappableCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool usedDefault = false;
        EXPECT_EQ(WideCharToMultiByte(c.codePage, c.wide, &usedDefault), c.bytes);
        EXPECT_TRUE(usedDefault);
    }
}

TEST(CodePage, BytesThatFormNoCharacterBecomeReplacementCharacters) {
    const UnmappableCase cases[] = {
        {"invalid GBK lead byte in the middle", kCodePageGBK, u"损\uFFFD益", "\xCB\xF0\xFF\xD2\xE6"},
        {"GBK character cut off at the end", kCodePageGBK, u"损\uFFFD", "\xCB\xF0\xD2"},
        {"Big5 lead byte before ASCII", kCodePageBig5,
         u"\uFFFD"
         u"1a",
         "\x81"
         "1a"},
        {"UTF-8 stray continuation byte", kCodePageUTF8,
         u"a\uFFFD"
         u"b",
         "a\x80"
         "b"},
        {"UTF-8 overlong form", kCodePageUTF8, u"\uFFFD\uFFFD", "\xC0\xAF"},
    };
    for (const UnmappableCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MultiByteToWideChar(c.codePage, c.bytes), c.wide);
    }
}

TEST(CodePage, UnknownCodePagesReportNoResult) {
    for (int codePage : {0, 1, 1252, 54936, -936}) {
        SCOPED_TRACE(codePage);
        EXPECT_FALSE(IsValidCodePage(codePage));
        EXPECT_EQ(MultiByteToWideChar(codePage, "abc"), std::nullopt);
        bool usedDefault = true;
        EXPECT_EQ(WideCharToMultiByte(codePage, u"abc", &usedDefault), std::nullopt);
        EXPECT_FALSE(usedDefault);
    }
    for (int codePage : {kCodePageUS, kCodePageGBK, kCodePageBig5, kCodePageUTF8})
        EXPECT_TRUE(IsValidCodePage(codePage)) << codePage;
}

TEST(CodePage, LocaleNamesGiveTheSuitesCodePages) {
    const struct {
        const char* locale;
        const char* codePage;
    } cases[] = {
        {"zh_CN.UTF-8", "936"}, {"zh_CN.GB18030", "936"},
        {"zh_SG", "936"},       {"ZH_cn", "936"},
        {"zh-CN", "936"},       {"zh_TW.Big5", "950"},
        {"zh_HK.UTF-8", "950"}, {"zh_TW@radical", "950"},
        {"zh", "437"},          {"zh_MO.UTF-8", "437"},
        {"zh_CNX", "437"},      {"en_US.UTF-8", "437"},
        {"ja_JP.eucJP", "437"}, {"C", "437"},
        {"POSIX", "437"},       {"", "437"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(AnsiCodePageOfLocale(c.locale), c.codePage);
    }
}

/// Sets or clears an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(CodePage, TheProcessLocaleFollowsTheVariablesInTheirOrder) {
    const struct {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        const char* codePage;
    } cases[] = {
        {"zh_TW.UTF-8", "zh_CN.UTF-8", "en_US.UTF-8", "950"},
        {"", "zh_CN.UTF-8", "zh_TW.UTF-8", "936"},
        {nullptr, nullptr, "zh_HK.UTF-8", "950"},
        {nullptr, "", "zh_SG.UTF-8", "936"},
        {nullptr, nullptr, nullptr, "437"},
        {"C.UTF-8", nullptr, "zh_CN.UTF-8", "437"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lcAll ? c.lcAll : "-") + " " + (c.lcCtype ? c.lcCtype : "-") + " " +
                     (c.lang ? c.lang : "-"));
        const ScopedEnv lcAll("LC_ALL", c.lcAll);
        const ScopedEnv lcCtype("LC_CTYPE", c.lcCtype);
        const ScopedEnv lang("LANG", c.lang);
        EXPECT_EQ(ProcessAnsiCodePage(), c.codePage);
        EXPECT_EQ(TPlatformServices().SysCodePage(), c.codePage);
    }
}

TEST(CodePage, InstalledServicesDecideTheSystemCodePage) {
    class Traditional : public TPlatformServices {
    public:
        std::string SysCodePage() const override { return "950"; }
    };
    const auto previous = SetPlatformServices(std::make_shared<Traditional>());
    EXPECT_EQ(Platform().SysCodePage(), "950");
    SetPlatformServices(previous);
}

} // namespace
} // namespace vondrel
