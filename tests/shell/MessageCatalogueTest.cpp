#include "MessageCatalogue.h"

#include <vondrel/Exception.h>

#include "support/ShellDemo.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vondrel::test {
namespace {

TMessageCatalogue ShippedCatalogue() {
    return TMessageCatalogue::Load(DemoInstallSourceFolder() + "/" + kMessageCatalogueFile);
}

std::size_t Placeholders(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2))
        ++count;
    return count;
}

TEST(MessageCatalogueTest, TheShippedCatalogueHasEveryMessageTheModulePostsInEveryLanguage) {
    // Every identifier the framework and the carry-forward job post or show, with the
    // arguments they fill in.
    struct Message {
        const char* id;
        std::size_t arguments;
    };
    const Message messages[] = {
        {"E;000001", 1}, {"E;000003", 1}, {"E;000005", 2}, {"E;000006", 0}, {"E;000013", 1}, {"E;000015", 0},
        {"E;000016", 0}, {"E;000030", 1}, {"E;000036", 0}, {"E;000037", 0}, {"E;000038", 0}, {"E;100007", 0},
        {"E;100009", 0}, {"E;100082", 2}, {"E;100088", 0}, {"E;100148", 1}, {"E;200374", 1}, {"E;200375", 1},
        {"E;200376", 1}, {"E;200552", 1}, {"E;200553", 1}, {"E;200565", 1}, {"I;000003", 1}, {"I;000004", 1},
        {"I;000008", 0}, {"I;000009", 0}, {"I;000010", 0}, {"I;000011", 0}, {"W;000002", 3}, {"W;000003", 3},
        {"W;000004", 1}, {"W;000014", 0}, {"R;200235", 0},
    };
    const TMessageCatalogue catalogue = ShippedCatalogue();
    for (const Message& message : messages) {
        SCOPED_TRACE(message.id);
        const std::string id = message.id;
        for (const std::string& language : CatalogueLanguages()) {
            SCOPED_TRACE(language);
            const auto text = catalogue.Find(id.substr(0, 1), id.substr(2), language);
            ASSERT_TRUE(text.has_value());
            EXPECT_FALSE(text->empty());
            // The framework fills the texts with "%s" only: any other "%" would break it.
            EXPECT_EQ(Placeholders(*text), message.arguments);
            EXPECT_EQ(std::count(text->begin(), text->end(), '%'), static_cast<long>(message.arguments));
        }
    }
    EXPECT_EQ(catalogue.Identifiers().size(), std::size(messages)) << "a message nobody posts";
}

TEST(MessageCatalogueTest, TextsFallBackToSimplifiedChineseThenEnglish) {
    const TMessageCatalogue catalogue = TMessageCatalogue::Parse("[E;000038]\n"
                                                                 "CHS = 参数不足\n"
                                                                 "[W;000004]\n"
                                                                 "ENG = %s does not exist\n",
                                                                 "test");
    EXPECT_EQ(catalogue.Text("E", "000038", "ENG"), "参数不足");
    EXPECT_EQ(catalogue.Text("W", "000004", "CHT"), "%s does not exist");
    // Kinds in either case; a log-only number names the same text.
    EXPECT_EQ(catalogue.Text("e", "-000038", "CHS"), "参数不足");
    // A message the catalogue lacks says so, in the language, with nothing to fill in.
    EXPECT_EQ(catalogue.Text("E", "000099", "ENG"), "The message E;000099 is not in the message catalogue.");
    EXPECT_EQ(catalogue.Text("E", "000099", "CHS"), "消息 E;000099 不在消息目录中。");
    EXPECT_EQ(catalogue.Text("X", "bad", "CHT"), "訊息 X;bad 不在訊息目錄中。");
}

TEST(MessageCatalogueTest, TextsKeepTheirCharactersAndEscapes) {
    const TMessageCatalogue catalogue =
        TMessageCatalogue::Parse("\xEF\xBB\xBF# comment\r\n"
                                 "; another comment\r\n"
                                 "[ I ; 000004 ]\r\n"
                                 "  eng   =   Job %s = done\\r\\nnext\\tline \\\\ C:\\Pkg  \r\n",
                                 "test");
    EXPECT_EQ(*catalogue.Find("I", "000004", "ENG"), "Job %s = done\r\nnext\tline \\ C:\\Pkg");
    EXPECT_FALSE(catalogue.Find("I", "000004", "CHS"));
}

TEST(MessageCatalogueTest, AFaultyCatalogueIsRefusedWithItsLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"CHS = text\n", "line 1: a text before the first message header"},
        {"[E;000001]\nCHS text\n", "line 2: expected \"LANGUAGE = text\""},
        {"[E;000001]\nJPN = text\n", "line 2: unknown language \"JPN\""},
        {"[E;000001]\nCHS = a\nCHS = b\n", "line 3: the message E;000001 gives CHS twice"},
        {"[E;000001]\nCHS = a\n[E;000001]\nCHS = b\n", "line 3: the message E;000001 appears twice"},
        {"[E;000001]\n\n[E;000002]\nCHS = b\n", "line 1: the message E;000001 has no text"},
        {"[E;000002]\nCHS = b\n[E;000003]\n", "line 3: the message E;000003 has no text"},
        {"[E000001]\n", "line 1: \"E000001\" is not a message"},
        {"[E;00001]\n", "line 1: \"E;00001\" is not a message"},
        {"[E;-000001]\n", "line 1: \"E;-000001\" is not a message"},
        {"[EE;000001]\n", "line 1: \"EE;000001\" is not a message"},
        {"[E;000001\n", "line 1: a section header ends with \"]\""},
        {"[E;000001]\nCHS = \xff\xfe\n", "is not UTF-8 text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            TMessageCatalogue::Parse(c.text, "broken.cat");
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.error), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find("broken.cat"), std::string::npos) << e.Message();
        }
    }
    EXPECT_THROW(TMessageCatalogue::Load("/nonexistent/VondrelMsg.cat"), Exception);
}

} // namespace
} // namespace vondrel::test
