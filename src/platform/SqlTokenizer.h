#pragma once

#include <vondrel/Exception.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// A statement could not be read or rewritten (an unterminated quote, a form the target
/// database has no equivalent for).
class ESqlError : public Exception {
    using Exception::Exception;
};

enum class SqlTokenKind {
    Space,      ///< blanks and line breaks
    Comment,    ///< "-- ..." to the end of the line (CR or LF), or "/* ... */"
    Word,       ///< a bare name or keyword
    QuotedName, ///< "name", [name] or `name`
    String,     ///< 'text' (quotes doubled inside), also N'text'
    Number,     ///< 12, 1.5, .5, 1e3, 0x1F
    Parameter,  ///< :NAME, a named parameter
    DbPrefix,   ///< $$, which stands for the company database
    Symbol,     ///< an operator or punctuation: ( ) , . ; = <> <= >= != + - * / ...
};

struct SqlToken {
    SqlTokenKind Kind = SqlTokenKind::Space;
    std::string Text;       ///< exactly as written
    std::size_t Offset = 0; ///< position in the statement
};

/// Splits a statement into tokens. Quoted strings and names are one token each, so
/// nothing inside them is ever taken for an operator, a parameter or "$$". Raises
/// ESqlError for an unterminated string, quoted name or comment.
std::vector<SqlToken> TokenizeSql(std::string_view sql);

/// True for the tokens that carry meaning (not blanks, not comments).
inline bool IsSignificant(const SqlToken& token) noexcept {
    return token.Kind != SqlTokenKind::Space && token.Kind != SqlTokenKind::Comment;
}

/// The name a parameter token stands for (":NAME" → "NAME").
inline std::string ParameterName(const SqlToken& token) {
    return token.Text.substr(1);
}

/// The text of a string token without its quotes (and N prefix), quotes undoubled.
std::string StringLiteralValue(const SqlToken& token);

/// Splits a script into its statements at the semicolons that stand outside strings,
/// names and comments; blank statements are left out. Each statement is trimmed.
std::vector<std::string> SplitSqlStatements(std::string_view script);

} // namespace vondrel
