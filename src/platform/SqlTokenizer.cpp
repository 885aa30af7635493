#include "platform/SqlTokenizer.h"

#include "platform/SysUtils.h"

#include <cctype>

namespace vondrel {

namespace {

bool IsWordStart(char c) noexcept {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || c == '#' || u >= 0x80;
}

bool IsWordPart(char c) noexcept {
    return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$';
}

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// The end of a quoted run that starts at begin with the opening character; a doubled
// closing character stands for itself.
std::size_t QuotedEnd(std::string_view sql, std::size_t begin, char close, const char* what) {
    std::size_t i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    throw ESqlError(std::string("Unterminated ") + what + " starting at position " +
                    std::to_string(begin + 1));
}

std::size_t NumberEnd(std::string_view sql, std::size_t i) {
    if (sql[i] == '0' && i + 1 < sql.size() && (sql[i + 1] == 'x' || sql[i + 1] == 'X')) {
        i += 2;
        while (i < sql.size() && std::isxdigit(static_cast<unsigned char>(sql[i])))
            ++i;
        return i;
    }
    while (i < sql.size() && IsDigit(sql[i]))
        ++i;
    if (i < sql.size() && sql[i] == '.') {
        ++i;
        while (i < sql.size() && IsDigit(sql[i]))
            ++i;
    }
    if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-'))
            ++j;
        if (j < sql.size() && IsDigit(sql[j])) {
            i = j;
            while (i < sql.size() && IsDigit(sql[i]))
                ++i;
        }
    }
    return i;
}

} // namespace

std::vector<SqlToken> TokenizeSql(std::string_view sql) {
    std::vector<SqlToken> tokens;
    std::size_t i = 0;
    auto add = [&](SqlTokenKind kind, std::size_t end) {
        tokens.push_back({kind, std::string(sql.substr(i, end - i)), i});
        i = end;
    };
    while (i < sql.size()) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        if (IsBlank(c)) {
            std::size_t end = i;
            while (end < sql.size() && IsBlank(sql[end]))
                ++end;
            add(SqlTokenKind::Space, end);
        } else if (c == '-' && next == '-') {
            // A carriage return ends the comment as a line feed does: the servers read what
            // follows a lone one as the next line.
            const std::size_t end = sql.find_first_of("\r\n", i);
            add(SqlTokenKind::Comment, end == std::string_view::npos ? sql.size() : end);
        } else if (c == '/' && next == '*') {
            // Block comments nest, as they do in T-SQL.
            int depth = 0;
            std::size_t j = i;
            while (j < sql.size()) {
                if (sql.compare(j, 2, "/*") == 0) {
                    ++depth;
                    j += 2;
                } else if (sql.compare(j, 2, "*/") == 0) {
                    j += 2;
                    if (--depth == 0)
                        break;
                } else {
                    ++j;
                }
            }
            if (depth != 0)
                throw ESqlError("Unterminated comment starting at position " + std::to_string(i + 1));
            add(SqlTokenKind::Comment, j);
        } else if (c == '\'') {
            add(SqlTokenKind::String, QuotedEnd(sql, i, '\'', "string"));
        } else if ((c == 'N' || c == 'n') && next == '\'') {
            add(SqlTokenKind::String, QuotedEnd(sql, i + 1, '\'', "string"));
        } else if (c == '"') {
            add(SqlTokenKind::QuotedName, QuotedEnd(sql, i, '"', "quoted name"));
        } else if (c == '`') {
            add(SqlTokenKind::QuotedName, QuotedEnd(sql, i, '`', "quoted name"));
        } else if (c == '[') {
            add(SqlTokenKind::QuotedName, QuotedEnd(sql, i, ']', "quoted name"));
        } else if (c == '$' && next == '$') {
            add(SqlTokenKind::DbPrefix, i + 2);
        } else if (IsWordStart(c)) {
            std::size_t end = i + 1;
            while (end < sql.size() && IsWordPart(sql[end]))
                ++end;
            add(SqlTokenKind::Word, end);
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            add(SqlTokenKind::Number, NumberEnd(sql, i));
        } else if (c == ':' && next != ':' && IsWordStart(next) && (i == 0 || sql[i - 1] != ':')) {
            std::size_t end = i + 1;
            while (end < sql.size() && IsWordPart(sql[end]))
                ++end;
            add(SqlTokenKind::Parameter, end);
        } else {
            static constexpr std::string_view kPairs[] = {"<=", ">=", "<>", "!=", "!<", "!>", "||", "::"};
            std::size_t end = i + 1;
            for (const std::string_view pair : kPairs)
                if (sql.compare(i, 2, pair) == 0)
                    end = i + 2;
            add(SqlTokenKind::Symbol, end);
        }
    }
    return tokens;
}

std::string StringLiteralValue(const SqlToken& token) {
    std::string_view text = token.Text;
    if (!text.empty() && text.front() != '\'')
        text.remove_prefix(1); // N prefix
    if (text.size() >= 2)
        text = text.substr(1, text.size() - 2);
    std::string value;
    value.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        value += text[i];
        if (text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'')
            ++i;
    }
    return value;
}

std::vector<std::string> SplitSqlStatements(std::string_view script) {
    std::vector<std::string> statements;
    std::string current;
    auto flush = [&] {
        std::string statement = Trim(current);
        if (!statement.empty())
            statements.push_back(std::move(statement));
        current.clear();
    };
    for (const SqlToken& token : TokenizeSql(script)) {
        if (token.Kind == SqlTokenKind::Symbol && token.Text == ";")
            flush();
        else if (token.Kind != SqlTokenKind::Comment)
            current += token.Text;
    }
    flush();
    return statements;
}

} // namespace vondrel
