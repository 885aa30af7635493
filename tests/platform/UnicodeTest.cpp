#include "platform/Unicode.h"

#include <gtest/gtest.h>

namespace vondrel {
namespace {

TEST(Unicode, RoundTripsBetweenUtf8AndUtf16) {
    const char* const texts[] = {"", "abc", "损益结转", "損益結轉", "€", "😀 emoji outside the basic plane"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
        EXPECT_TRUE(IsValidUtf8(text));
    }
    EXPECT_EQ(Utf8ToUtf16("损益"), u"损益");
    EXPECT_EQ(Utf8ToUtf16("😀").size(), 2u);
}

TEST(Unicode, MalformedTextBecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string wide;
    };
    const Case cases[] = {
        {"lone continuation byte", "a\x80z", u"a\uFFFDz"},
        {"truncated sequence", "a\xE6\x8D", u"a\uFFFD"},
        {"GBK bytes", "\xCB\xF0", u"\uFFFD\uFFFD"},
        {"overlong form", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"nul inside", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.wide);
    }
    EXPECT_FALSE(IsValidUtf8("\xCB\xF0"));
    // An unpaired surrogate in wide text.
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Unicode, DecodesTheBytesOfTextFiles) {
    EXPECT_EQ(DecodeTextBytes("plain"), "plain");
    EXPECT_EQ(DecodeTextBytes("\xEF\xBB\xBFmarked"), "marked");
    EXPECT_EQ(DecodeTextBytes(std::string("\xFF\xFE"
                                          "a\0\x5F\x63",
                                          6)),
              "a损");
    // An odd trailing byte of a UTF-16 file is dropped.
    EXPECT_EQ(DecodeTextBytes(std::string("\xFF\xFE"
                                          "a\0b",
                                          5)),
              "a");
    EXPECT_EQ(DecodeTextBytes(std::string("\xFF\xFE", 2)), "");
    EXPECT_EQ(DecodeTextBytes("\xFF"), "\xFF");
}

} // namespace
} // namespace vondrel
