#include "lib/TextRoutines.h"

#include <gtest/gtest.h>

#include <vector>

namespace vondrel {
namespace {

TEST(CodePageLength, AsciiCountsOneAndOtherCharactersTwo) {
    struct Case {
        const char* text;
        std::size_t length;
    };
    const Case cases[] = {{"", 0}, {"abc", 3}, {"损益", 4}, {"a损", 3}, {"é", 2}, {"😀", 2}, {"a\x01", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CodePageLength(c.text), c.length);
    }
}

TEST(PadLeft, FillsUpToTheWidth) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<int> options;
        const char* result;
    };
    const Case cases[] = {
        {"sequence number", "7", {4, 48}, "0007"},
        {"wider text unchanged", "12345", {4}, "12345"},
        {"as wide unchanged", "1234", {4, 48}, "1234"},
        {"empty text", "", {3}, "   "},
        {"amount column", "1,234.50", {14}, "      1,234.50"},
        {"double-width characters count two", "损益", {6}, "  损益"},
        {"double-width text already wide enough", "损益", {4}, "损益"},
        {"other fill character", "7", {3, '*'}, "**7"},
        {"fill code zero is a blank", "7", {3, 0}, "  7"},
        {"fill code beyond ASCII is a blank", "7", {3, 0x3000}, "  7"},
        {"negative fill code is a blank", "7", {3, -48}, "  7"},
        {"zero width", "7", {0}, "7"},
        {"negative width", "7", {-3, 48}, "7"},
        {"no options", "7", {}, "7"},
        {"extra options ignored", "7", {2, 48, 99}, "07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PadLeft(c.text, std::span<const int>(c.options)), c.result);
    }
    EXPECT_EQ(PadLeft("7", {4, 48}), "0007");
}

TEST(GetToken, FieldsCountFromOne) {
    struct Case {
        const char* text;
        const char* separator;
        int n;
        const char* field;
    };
    const Case cases[] = {
        {"a,b,c", ",", 1, "a"},     {"a,b,c", ",", 2, "b"},    {"a,b,c", ",", 3, "c"},
        {"a,b,c", ",", 4, ""},      {"a,b,c", ",", 99, ""},    {"a,b,c", ",", 0, ""},
        {"a,b,c", ",", -1, ""},     {"abc", ",", 1, "abc"},    {"abc", ",", 2, ""},
        {"a,b,", ",", 3, ""},       {"a,b,", ",", 4, ""},      {"a,,c", ",", 2, ""},
        {"a,,c", ",", 3, "c"},      {",a", ",", 1, ""},        {",a", ",", 2, "a"},
        {"", ",", 1, ""},           {"", ",", 0, ""},          {"x\x03y\x03z", "\x03", 2, "y"},
        {"a::b::c", "::", 2, "b"},  {"a::b::c", "::", 3, "c"}, {"a:b", "::", 1, "a:b"},
        {"甲;乙;丙", ";", 3, "丙"}, {"abc", "", 1, "abc"},     {"abc", "", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' '" << c.separator << "' " << c.n);
        EXPECT_EQ(GetToken(c.text, c.separator, c.n), c.field);
    }
}

TEST(TokenCount, SeparatorsPlusOne) {
    struct Case {
        const char* text;
        const char* separator;
        int count;
    };
    const Case cases[] = {
        {"", ",", 0},       {"a", ",", 1},  {"a,,b", ",", 3},           {"a,b,", ",", 3},
        {",", ",", 2},      {",,", ",", 3}, {"x\x01y\x01z", "\x01", 3}, {"a;;b", ";;", 2},
        {"a;;;b", ";;", 2}, {"abc", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' '" << c.separator << "'");
        EXPECT_EQ(TokenCount(c.text, c.separator), c.count);
    }
}

TEST(TokenCount, AgreesWithGetToken) {
    const char* const texts[] = {"a", "a,b", "a,,b,", ",", ",,,", "abc,de,f"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const int count = TokenCount(text, ",");
        std::string joined;
        for (int i = 1; i <= count; ++i)
            joined += (i > 1 ? "," : "") + GetToken(text, ",", i);
        EXPECT_EQ(joined, text);
    }
}

TEST(CutToken, SplitsOffTheHead) {
    struct Case {
        const char* text;
        const char* separator;
        const char* head;
        const char* rest;
    };
    const Case cases[] = {
        {"abc", ",", "abc", ""},
        {"a,b,c", ",", "a", "b,c"},
        {",x", ",", "", "x"},
        {"x,", ",", "x", ""},
        {"", ",", "", ""},
        {"2004//01", "//", "2004", "01"},
        {"2004/01", "//", "2004/01", ""},
        {"甲、乙", "、", "甲", "乙"},
        {"abc", "", "abc", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' '" << c.separator << "'");
        std::string text = c.text;
        std::string head = "previous";
        CutToken(text, c.separator, head);
        EXPECT_EQ(head, c.head);
        EXPECT_EQ(text, c.rest);
    }
}

TEST(ReplaceAllText, ReplacesUntilNoOccurrenceIsLeft) {
    struct Case {
        const char* name;
        const char* text;
        const char* oldText;
        const char* newText;
        bool trim;
        const char* result;
    };
    const Case cases[] = {
        {"table prefix", "select * from $$ACTMA", "$$", "db..", false, "select * from db..ACTMA"},
        {"every occurrence", "$$A join $$B on $$A.x", "$$", "db..", false, "db..A join db..B on db..A.x"},
        {"tag renamed", "<Old>x</Old>", "Old", "New", false, "<New>x</New>"},
        {"marker removed",
         "a\x01"
         "b\x01",
         "\x01", "", false, "ab"},
        {"line breaks removed", "a\r\n\r\nb\r\n", "\r\n", "", false, "ab"},
        {"junction with the following text", "aabb", "ab", "a", false, "aa"},
        {"junction with the text before", "xaab", "ab", "b", false, "xb"},
        {"nothing to replace", "abc", "x", "y", false, "abc"},
        {"search is case-sensitive", "ABC", "b", "x", false, "ABC"},
        {"case-only change is never made", "Abc", "abc", "ABC", false, "Abc"},
        {"case-only change of a part", "abc", "b", "B", false, "abc"},
        {"empty old text", "abc", "", "x", false, "abc"},
        {"empty text", "", "a", "b", false, ""},
        {"trimmed", "  a$$b \t", "$$", "", true, "ab"},
        {"not trimmed", "  a$$b ", "$$", "", false, "  ab "},
        {"trimmed without replacement", "  abc  ", "x", "y", true, "abc"},
        {"double-byte text", "损益结转", "损益", "汇兑", false, "汇兑结转"},
        // A new text that holds the old one: each original occurrence once.
        {"new holds old", "aba", "a", "aa", false, "aabaa"},
        {"new holds old at its end", "$$x$$", "$$", "db$$", false, "db$$xdb$$"},
        {"new holds old, case differs", "ab", "a", "Aa", false, "Aab"},
        // Replacements that feed on their own output: each original occurrence once.
        {"endless growth", "aab", "ab", "bbaa", false, "abbaa"},
        {"endless growth, longer old text", "aaba", "aba", "baab", false, "abaab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReplaceAllText(c.text, c.oldText, c.newText, c.trim), c.result);
    }
}

/// Each occurrence in the text replaced once, scanning character by character.
std::string EachOccurrenceOnce(const std::string& text, const std::string& oldText,
                               const std::string& newText) {
    std::string once;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, oldText.size(), oldText) == 0) {
            once += newText;
            i += oldText.size();
        } else {
            once += text[i++];
        }
    }
    return once;
}

/// The plain algorithm: find the first occurrence from the very start, replace it, again;
/// when the new text is longer, with at most as many replacements as the text has
/// characters, else each original occurrence once.
std::string ReferenceReplace(const std::string& text, const std::string& oldText,
                             const std::string& newText) {
    std::string result = text;
    const bool bounded = newText.size() > oldText.size();
    for (std::size_t count = 0;; ++count) {
        const std::size_t p = result.find(oldText);
        if (p == std::string::npos)
            return result;
        if (bounded && count == text.size())
            return EachOccurrenceOnce(text, oldText, newText);
        result = result.substr(0, p) + newText + result.substr(p + oldText.size());
    }
}

std::vector<std::string> Words(std::size_t minLength, std::size_t maxLength) {
    std::vector<std::string> words;
    for (std::size_t n = minLength; n <= maxLength; ++n)
        for (std::size_t bits = 0; bits < (std::size_t{1} << n); ++bits) {
            std::string w;
            for (std::size_t i = 0; i < n; ++i)
                w += (bits >> i) & 1 ? 'b' : 'a';
            words.push_back(w);
        }
    return words;
}

TEST(ReplaceAllText, AgreesWithThePlainAlgorithmOnEveryShortText) {
    const auto olds = Words(1, 3);
    const auto news = Words(0, 4);
    const auto texts = Words(0, 7);
    long checked = 0, mismatches = 0;
    std::string firstMismatch;
    for (const std::string& oldText : olds)
        for (const std::string& newText : news) {
            if (newText.find(oldText) != std::string::npos || oldText == newText)
                continue;
            for (const std::string& text : texts) {
                const std::string expected = ReferenceReplace(text, oldText, newText);
                const std::string actual = ReplaceAllText(text, oldText, newText, false);
                ++checked;
                if (actual != expected && mismatches++ == 0)
                    firstMismatch =
                        text + " '" + oldText + "'->'" + newText + "': " + actual + " instead of " + expected;
            }
        }
    EXPECT_EQ(mismatches, 0) << firstMismatch << " (" << checked << " checked)";
}

TEST(ReplaceAllText, EndsWhenTheNewTextHoldsTheOldOne) {
    const auto texts = Words(0, 6);
    for (const auto& [oldText, newText] : std::vector<std::pair<std::string, std::string>>{
             {"a", "aa"}, {"ab", "abab"}, {"ab", "bab"}, {"b", "ab"}, {"aa", "aaa"}}) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(text + " '" + oldText + "'->'" + newText + "'");
            EXPECT_EQ(ReplaceAllText(text, oldText, newText, false),
                      EachOccurrenceOnce(text, oldText, newText));
        }
    }
}

TEST(BuildDelimitedParams, NameCountAndItems) {
    struct Case {
        const char* name;
        std::vector<Variant> counted;
        std::u16string result;
    };
    const Case cases[] = {
        {"two items",
         {2, "x", "y"},
         u"Job\x03"
         u"2\x03x\x03y\x03"},
        {"count below the items",
         {1, "x", "y"},
         u"Job\x03"
         u"1\x03x\x03"},
        {"count beyond the items",
         {5, "x"},
         u"Job\x03"
         u"5\x03x\x03"},
        {"no items",
         {0},
         u"Job\x03"
         u"0\x03"},
        {"empty array", {}, u"Job\x03"},
        {"count as text",
         {"2", "x", "y"},
         u"Job\x03"
         u"2\x03x\x03y\x03"},
        {"count not a number",
         {"abc", "x"},
         u"Job\x03"
         u"abc\x03"},
        {"negative count", {-1, "x"}, u"Job\x03-1\x03"},
        {"null and empty items",
         {2, Variant::Null(), Variant()},
         u"Job\x03"
         u"2\x03\x03\x03"},
        {"array item",
         {1, VarArrayOf({1})},
         u"Job\x03"
         u"1\x03\x03"},
        {"chinese and numbers",
         {2, "损益", 1.5},
         u"Job\x03"
         u"2\x03损益\x03"
         u"1.5\x03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildDelimitedParams("Job", c.counted), c.result);
    }
}

TEST(LocalButtonCaption, StandardButtonsInChinese) {
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {"Yes", "是(&Y)"},       {"No", "否(&N)"},
        {"OK", "确定"},          {"Cancel", "取消"},
        {"Abort", "中断(&A)"},   {"Retry", "重试(&R)"},
        {"Ignore", "忽略(&I)"},  {"All", "全部(&A)"},
        {"NoToAll", "全否(&o)"}, {"YesToAll", "全是(&A)"},
        {"Help", "帮助(&H)"},    {"yes", "yes"},
        {"OK ", "OK "},          {"", ""},
        {"Close", "Close"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LocalButtonCaption(c.name), c.caption);
    }
}

TEST(IsLocalAddress, OnlyTheLoopBackAddress) {
    EXPECT_TRUE(IsLocalAddress("127.0.0.1"));
    for (const char* address :
         {"localhost", " 127.0.0.1", "127.0.0.1 ", "127.0.0.10", "127.0.0.2", "::1", ""}) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(IsLocalAddress(address));
    }
}

} // namespace
} // namespace vondrel
