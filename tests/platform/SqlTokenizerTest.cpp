#include "platform/SqlTokenizer.h"

#include <gtest/gtest.h>

namespace vondrel {
namespace {

std::vector<std::pair<SqlTokenKind, std::string>> Significant(std::string_view sql) {
    std::vector<std::pair<SqlTokenKind, std::string>> tokens;
    for (const SqlToken& token : TokenizeSql(sql))
        if (IsSignificant(token))
            tokens.emplace_back(token.Kind, token.Text);
    return tokens;
}

TEST(SqlTokenizer, KeepsQuotedTextWhole) {
    using K = SqlTokenKind;
    const auto tokens = Significant("SELECT 'a''b $$X :P -- x', N'中', \"c d\", [e]]f] FROM t");
    const std::vector<std::pair<K, std::string>> expected = {
        {K::Word, "SELECT"}, {K::String, "'a''b $$X :P -- x'"},
        {K::Symbol, ","},    {K::String, "N'中'"},
        {K::Symbol, ","},    {K::QuotedName, "\"c d\""},
        {K::Symbol, ","},    {K::QuotedName, "[e]]f]"},
        {K::Word, "FROM"},   {K::Word, "t"},
    };
    EXPECT_EQ(tokens, expected);
}

TEST(SqlTokenizer, TellsParametersFromCastsAndPrefixes) {
    using K = SqlTokenKind;
    const auto tokens = Significant("x::text = :P1 AND $$ACTMA.a>=1.5e3 AND b<>.5");
    const std::vector<std::pair<K, std::string>> expected = {
        {K::Word, "x"},        {K::Symbol, "::"}, {K::Word, "text"},   {K::Symbol, "="},
        {K::Parameter, ":P1"}, {K::Word, "AND"},  {K::DbPrefix, "$$"}, {K::Word, "ACTMA"},
        {K::Symbol, "."},      {K::Word, "a"},    {K::Symbol, ">="},   {K::Number, "1.5e3"},
        {K::Word, "AND"},      {K::Word, "b"},    {K::Symbol, "<>"},   {K::Number, ".5"},
    };
    EXPECT_EQ(tokens, expected);
}

TEST(SqlTokenizer, ReadsNestedCommentsAsOneToken) {
    const auto tokens = TokenizeSql("a /* x /* y */ z */ b -- c\nd");
    std::vector<std::string> comments;
    for (const SqlToken& token : tokens)
        if (token.Kind == SqlTokenKind::Comment)
            comments.push_back(token.Text);
    EXPECT_EQ(comments, (std::vector<std::string>{"/* x /* y */ z */", "-- c"}));
}

TEST(SqlTokenizer, LineCommentsEndAtEitherLineBreak) {
    struct Case {
        const char* sql;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"a -- c\nb", {"a", "b"}},
        {"a -- c\r\nb", {"a", "b"}},
        {"a -- c\rDELETE", {"a", "DELETE"}},
        {"a -- c", {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        std::vector<std::string> words;
        for (const SqlToken& token : TokenizeSql(c.sql))
            if (token.Kind == SqlTokenKind::Word)
                words.push_back(token.Text);
        EXPECT_EQ(words, c.words);
    }
}

TEST(SqlTokenizer, RefusesUnterminatedQuotes) {
    for (const char* sql : {"SELECT 'abc", "SELECT \"abc", "SELECT [abc", "SELECT 1 /* x"}) {
        SCOPED_TRACE(sql);
        EXPECT_THROW(TokenizeSql(sql), ESqlError);
    }
}

TEST(SqlTokenizer, StringValueUndoublesQuotes) {
    const auto tokens = TokenizeSql("N'it''s'");
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(StringLiteralValue(tokens[0]), "it's");
}

TEST(SqlTokenizer, SplitsScriptsAtSemicolonsOutsideQuotes) {
    const auto statements = SplitSqlStatements("-- head; note\nCREATE TABLE t (a VARCHAR(2));\n"
                                               "INSERT INTO t VALUES ('x;y');  ;\n /* ; */ SELECT 1");
    EXPECT_EQ(statements, (std::vector<std::string>{"CREATE TABLE t (a VARCHAR(2))",
                                                    "INSERT INTO t VALUES ('x;y')", "SELECT 1"}));
}

} // namespace
} // namespace vondrel
