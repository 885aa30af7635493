#include "platform/SqlDialect.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <optional>
#include <set>

namespace vondrel {

TDatabaseKind DatabaseKindFromDbmsName(std::string_view dbmsName) {
    const std::string name = UpperCase(dbmsName);
    if (name.find("SQLITE") != std::string::npos)
        return TDatabaseKind::SQLite;
    if (name.find("POSTGRES") != std::string::npos)
        return TDatabaseKind::PostgreSQL;
    if (name.find("SQL SERVER") != std::string::npos || name.find("SQLSERVER") != std::string::npos)
        return TDatabaseKind::SqlServer;
    return TDatabaseKind::Other;
}

const char* DatabaseKindName(TDatabaseKind kind) {
    switch (kind) {
    case TDatabaseKind::SqlServer:
        return "SQL Server";
    case TDatabaseKind::SQLite:
        return "SQLite";
    case TDatabaseKind::PostgreSQL:
        return "PostgreSQL";
    case TDatabaseKind::Other:
        break;
    }
    return "other database";
}

// ---------------------------------------------------------------------------------------------
// Schema

void TSqlSchema::AddColumn(std::string_view table, std::string_view column, TSqlType type) {
    const std::string name = UpperCase(column);
    tables_[UpperCase(table)][name] = type;
    auto [entry, added] = columns_.try_emplace(name, AnyTable{type, false});
    if (!added && entry->second.Type != type)
        entry->second.Conflict = true;
}

bool TSqlSchema::HasTable(std::string_view table) const {
    return tables_.count(UpperCase(table)) != 0;
}

TSqlType TSqlSchema::ColumnType(std::string_view table, std::string_view column) const {
    const std::string name = UpperCase(column);
    if (!table.empty()) {
        if (const auto found = tables_.find(UpperCase(table)); found != tables_.end()) {
            const auto col = found->second.find(name);
            return col == found->second.end() ? TSqlType::Unknown : col->second;
        }
    }
    const auto found = columns_.find(name);
    if (found == columns_.end() || found->second.Conflict)
        return TSqlType::Unknown;
    return found->second.Type;
}

TSqlType TSqlSchema::TypeFromDeclaration(std::string_view declaration) {
    const std::string type = UpperCase(declaration);
    for (const char* text : {"CHAR", "TEXT", "CLOB", "STRING"})
        if (type.find(text) != std::string::npos)
            return TSqlType::Text;
    for (const char* number : {"INT", "NUM", "DEC", "REAL", "FLOA", "DOUB", "MONEY", "SERIAL"})
        if (type.find(number) != std::string::npos)
            return TSqlType::Number;
    return TSqlType::Unknown;
}

// ---------------------------------------------------------------------------------------------
// Rewriter

namespace {

const std::set<std::string, std::less<>>& Keywords() {
    static const std::set<std::string, std::less<>> words = {
        "ALL",       "ALTER",   "AND",        "ANY",        "AS",     "ASC",     "BETWEEN", "BY",
        "CHECK",     "COLLATE", "CONSTRAINT", "CREATE",     "CROSS",  "DEFAULT", "DELETE",  "DESC",
        "DISTINCT",  "DROP",    "ELSE",       "END",        "ESCAPE", "EXCEPT",  "EXISTS",  "FOREIGN",
        "FROM",      "FULL",    "GROUP",      "HAVING",     "IN",     "INDEX",   "INNER",   "INSERT",
        "INTERSECT", "INTO",    "IS",         "JOIN",       "KEY",    "LEFT",    "LIKE",    "LIMIT",
        "NATURAL",   "NOT",     "OFFSET",     "ON",         "OR",     "ORDER",   "OUTER",   "OVER",
        "PARTITION", "PERCENT", "PRIMARY",    "REFERENCES", "RIGHT",  "SELECT",  "SET",     "SOME",
        "TABLE",     "THEN",    "TIES",       "TOP",        "UNION",  "UNIQUE",  "UPDATE",  "USING",
        "VALUES",    "VIEW",    "WHEN",       "WHERE",      "WITH",
    };
    return words;
}

bool IsKeyword(std::string_view upper) {
    return Keywords().count(upper) != 0;
}

const std::set<std::string, std::less<>> kNumberFunctions = {
    "ABS",      "ASCII",    "AVG",   "CEILING", "CEIL",  "CHARINDEX", "COUNT",   "COUNT_BIG", "DATALENGTH",
    "DATEDIFF", "DATEPART", "DAY",   "EXP",     "FLOOR", "LEN",       "LENGTH",  "LOG",       "MONTH",
    "PATINDEX", "POWER",    "ROUND", "SIGN",    "SQRT",  "SUM",       "UNICODE", "YEAR",
};
const std::set<std::string, std::less<>> kTextFunctions = {
    "CHAR",    "CONCAT", "DATENAME", "FORMAT", "LEFT", "LOWER", "LTRIM",  "NCHAR",     "REPLACE", "REPLICATE",
    "REVERSE", "RIGHT",  "RTRIM",    "SPACE",  "STR",  "STUFF", "SUBSTR", "SUBSTRING", "TRIM",    "UPPER",
};
// Functions whose result has the type of their first argument (or the next known one).
const std::set<std::string, std::less<>> kArgumentFunctions = {"COALESCE", "ISNULL", "MAX", "MIN", "NULLIF"};

bool IsCompareOperator(std::string_view symbol) {
    return symbol == "=" || symbol == "<>" || symbol == "!=" || symbol == "<" || symbol == ">" ||
           symbol == "<=" || symbol == ">=" || symbol == "!<" || symbol == "!>";
}

bool IsPlainName(std::string_view name) {
    if (name.empty() || (name.front() >= '0' && name.front() <= '9'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Splits leading blanks from an emitted text so that wrapping keeps the layout.
std::pair<std::string, std::string> SplitLead(const std::string& text) {
    std::size_t n = 0;
    while (n < text.size() && static_cast<unsigned char>(text[n]) <= ' ')
        ++n;
    return {text.substr(0, n), text.substr(n)};
}

struct Token {
    SqlTokenKind Kind;
    std::string Text;
    std::string Lead; // blanks and comments before the token
    std::string Upper;
};

struct Element {
    bool IsTerm = false;
    std::string Text;
    TSqlType Type = TSqlType::Unknown;
    bool NumberList = false; // a parenthesised list of numbers, for IN
    std::string Upper;       // a plain token's upper-cased text
    SqlTokenKind Kind = SqlTokenKind::Symbol;
};

struct NamePart {
    std::string Text; // as written (with quotes)
    std::string Name; // unquoted, upper case
    std::string Raw;  // unquoted, as written
    bool Quoted = false;
};

class Rewriter {
public:
    Rewriter(const TSqlDialect& dialect, std::string_view statement) : dialect_(dialect) {
        rewrite_ = dialect.Kind != TDatabaseKind::SqlServer;
        std::string lead;
        for (SqlToken& token : TokenizeSql(statement)) {
            if (!IsSignificant(token)) {
                lead += token.Text;
                continue;
            }
            tokens_.push_back({token.Kind, std::move(token.Text), std::move(lead), {}});
            tokens_.back().Upper = UpperCase(tokens_.back().Text);
            lead.clear();
        }
        trailing_ = std::move(lead);
        MatchPairs();
        CollectAliases();
    }

    TSqlTranslation Run() {
        result_.Sql = Join(Level(0, tokens_.size())) + trailing_;
        return std::move(result_);
    }

private:
    // --- structure -------------------------------------------------------------------------

    bool IsSymbol(std::size_t i, std::string_view symbol) const {
        return i < tokens_.size() && tokens_[i].Kind == SqlTokenKind::Symbol && tokens_[i].Text == symbol;
    }
    bool IsWord(std::size_t i, std::string_view upper) const {
        return i < tokens_.size() && tokens_[i].Kind == SqlTokenKind::Word && tokens_[i].Upper == upper;
    }
    bool IsName(std::size_t i) const {
        if (i >= tokens_.size())
            return false;
        const Token& t = tokens_[i];
        return t.Kind == SqlTokenKind::QuotedName || (t.Kind == SqlTokenKind::Word && !IsKeyword(t.Upper));
    }

    void MatchPairs() {
        match_.assign(tokens_.size(), 0);
        std::vector<std::size_t> parens, cases;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (IsSymbol(i, "(")) {
                parens.push_back(i);
            } else if (IsSymbol(i, ")")) {
                if (parens.empty())
                    throw ESqlError("Unbalanced \")\" at position " + std::to_string(i + 1) +
                                    " of the statement");
                match_[parens.back()] = i;
                parens.pop_back();
            } else if (IsWord(i, "CASE")) {
                cases.push_back(i);
            } else if (IsWord(i, "END") && !cases.empty()) {
                match_[cases.back()] = i;
                cases.pop_back();
            }
        }
        if (!parens.empty())
            throw ESqlError("Unbalanced \"(\" in the statement");
        if (!cases.empty())
            throw ESqlError("CASE without END in the statement");
    }

    static NamePart Part(const Token& token) {
        if (token.Kind == SqlTokenKind::QuotedName) {
            const std::string inner = token.Text.substr(1, token.Text.size() - 2);
            return {token.Text, UpperCase(inner), inner, true};
        }
        return {token.Text, token.Upper, token.Text, false};
    }

    // The table names and aliases after FROM and JOIN, so that "ACTMA1.MA006" finds the
    // column of ACTMA.
    void CollectAliases() {
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (!IsWord(i, "FROM") && !IsWord(i, "JOIN") && !IsWord(i, "UPDATE") && !IsWord(i, "INTO"))
                continue;
            const bool list = IsWord(i, "FROM");
            std::size_t k = i + 1;
            while (k < tokens_.size()) {
                std::string table;
                if (IsSymbol(k, "(")) {
                    k = match_[k] + 1;
                } else {
                    if (k < tokens_.size() && tokens_[k].Kind == SqlTokenKind::DbPrefix)
                        ++k;
                    if (!IsName(k))
                        break;
                    table = Part(tokens_[k]).Name;
                    ++k;
                    while (IsSymbol(k, ".")) {
                        ++k;
                        if (IsName(k)) {
                            table = Part(tokens_[k]).Name;
                            ++k;
                        }
                    }
                    aliases_[table] = table;
                }
                if (IsWord(k, "AS"))
                    ++k;
                if (IsName(k) && !IsSymbol(k + 1, "(")) {
                    aliases_[Part(tokens_[k]).Name] = table;
                    ++k;
                }
                if (!list || !IsSymbol(k, ","))
                    break;
                ++k;
            }
        }
    }

    // --- levels: the tokens between a pair of parentheses ---------------------------------

    std::vector<Element> Level(std::size_t begin, std::size_t end) {
        std::vector<Element> elements;
        std::optional<std::string> limit;
        std::vector<std::string> limitParameters; // the LIMIT comes last, so do its markers
        std::size_t i = begin;
        while (i < end) {
            const Token& token = tokens_[i];
            if (rewrite_ && token.Kind == SqlTokenKind::Word && token.Upper == "SELECT") {
                elements.push_back(Plain(i++));
                if (IsWord(i, "ALL") || IsWord(i, "DISTINCT"))
                    elements.push_back(Plain(i++));
                if (i < end && IsWord(i, "TOP")) {
                    if (limit)
                        throw ESqlError("TOP appears twice in one SELECT");
                    const std::size_t before = result_.Parameters.size();
                    limit = ReadTop(i, end);
                    limitParameters.assign(result_.Parameters.begin() + static_cast<std::ptrdiff_t>(before),
                                           result_.Parameters.end());
                    result_.Parameters.resize(before);
                }
                continue;
            }
            if (limit && (IsWord(i, "UNION") || IsWord(i, "EXCEPT") || IsWord(i, "INTERSECT")))
                throw ESqlError(std::string("TOP in a combined SELECT has no equivalent on ") +
                                DatabaseKindName(dialect_.Kind));
            if (limit && IsSymbol(i, ";")) {
                elements.push_back(Raw(" LIMIT " + *limit));
                result_.Parameters.insert(result_.Parameters.end(), limitParameters.begin(),
                                          limitParameters.end());
                limit.reset();
            }
            if (auto term = Term(i, end)) {
                elements.push_back(std::move(*term));
                continue;
            }
            elements.push_back(Plain(i++));
        }
        if (limit) {
            elements.push_back(Raw(" LIMIT " + *limit));
            result_.Parameters.insert(result_.Parameters.end(), limitParameters.begin(),
                                      limitParameters.end());
        }
        ApplyComparisons(elements);
        return elements;
    }

    std::string ReadTop(std::size_t& i, std::size_t end) {
        ++i; // TOP
        std::string count;
        if (i < end && tokens_[i].Kind == SqlTokenKind::Number) {
            count = tokens_[i++].Text;
        } else if (i < end && (tokens_[i].Kind == SqlTokenKind::Parameter || IsSymbol(i, "("))) {
            std::optional<Element> term = Term(i, end);
            count = Trim(term ? term->Text : std::string());
        }
        if (count.empty())
            throw ESqlError("TOP must be followed by a number");
        if (IsWord(i, "PERCENT") || (IsWord(i, "WITH") && IsWord(i + 1, "TIES")))
            throw ESqlError(std::string("TOP with PERCENT or WITH TIES has no equivalent on ") +
                            DatabaseKindName(dialect_.Kind));
        return count;
    }

    Element Plain(std::size_t i) const {
        const Token& token = tokens_[i];
        Element element;
        element.Text = token.Lead + token.Text;
        element.Upper = token.Upper;
        element.Kind = token.Kind;
        return element;
    }
    static Element Raw(std::string text) {
        Element element;
        element.Text = std::move(text);
        return element;
    }
    static std::string Join(const std::vector<Element>& elements) {
        std::string text;
        for (const Element& element : elements)
            text += element.Text;
        return text;
    }

    // --- comparisons ------------------------------------------------------------------------

    void ApplyComparisons(std::vector<Element>& elements) const {
        if (!rewrite_)
            return;
        bool assigning = false;
        auto isTerm = [&](std::size_t k) { return k < elements.size() && elements[k].IsTerm; };
        for (std::size_t k = 0; k < elements.size(); ++k) {
            const Element& element = elements[k];
            if (element.IsTerm)
                continue;
            if (element.Kind == SqlTokenKind::Word) {
                if (element.Upper == "SET")
                    assigning = true;
                else if (element.Upper == "WHERE" || element.Upper == "FROM")
                    assigning = false;
            }
            if (element.Kind == SqlTokenKind::Symbol && IsCompareOperator(element.Upper) && !assigning &&
                k > 0 && isTerm(k - 1) && isTerm(k + 1)) {
                Element& left = elements[k - 1];
                Element& right = elements[k + 1];
                if (left.Type == TSqlType::Text && right.Type == TSqlType::Number)
                    ToNumber(left);
                else if (right.Type == TSqlType::Text && left.Type == TSqlType::Number)
                    ToNumber(right);
                continue;
            }
            if (element.Kind != SqlTokenKind::Word || (element.Upper != "BETWEEN" && element.Upper != "IN") ||
                k == 0)
                continue;
            std::size_t subject = k - 1;
            if (!elements[subject].IsTerm && elements[subject].Upper == "NOT" && subject > 0)
                --subject;
            if (!isTerm(subject))
                continue;
            if (element.Upper == "IN") {
                if (isTerm(k + 1) && elements[k + 1].NumberList && elements[subject].Type == TSqlType::Text)
                    ToNumber(elements[subject]);
                continue;
            }
            if (!isTerm(k + 1) || !isTerm(k + 3) || elements[k + 2].Upper != "AND")
                continue;
            Element& value = elements[subject];
            Element& low = elements[k + 1];
            Element& high = elements[k + 3];
            if (value.Type == TSqlType::Text &&
                (low.Type == TSqlType::Number || high.Type == TSqlType::Number))
                ToNumber(value);
            if (value.Type == TSqlType::Number) {
                if (low.Type == TSqlType::Text)
                    ToNumber(low);
                if (high.Type == TSqlType::Text)
                    ToNumber(high);
            }
        }
    }

    // T-SQL converts a text to a number when it meets one; the other databases must be told.
    static void ToNumber(Element& element) {
        element.Text = AsNumber(element.Text);
        element.Type = TSqlType::Number;
    }
    static std::string AsNumber(const std::string& text) {
        const auto [lead, body] = SplitLead(text);
        return lead + "CAST(" + body + " AS NUMERIC)";
    }
    static std::string Parenthesised(const std::string& text) {
        const auto [lead, body] = SplitLead(text);
        return lead + "(" + body + ")";
    }

    // --- expressions ------------------------------------------------------------------------

    struct Operand {
        std::string Text;
        TSqlType Type = TSqlType::Unknown;
        bool NumberList = false;
    };

    bool StartsPrimary(std::size_t i, std::size_t end) const {
        if (i >= end)
            return false;
        const Token& token = tokens_[i];
        switch (token.Kind) {
        case SqlTokenKind::String:
        case SqlTokenKind::Number:
        case SqlTokenKind::Parameter:
        case SqlTokenKind::DbPrefix:
        case SqlTokenKind::QuotedName:
            return true;
        case SqlTokenKind::Word:
            if (token.Upper == "CASE" || token.Upper == "NULL")
                return true;
            if ((token.Upper == "LEFT" || token.Upper == "RIGHT") && IsSymbol(i + 1, "("))
                return true;
            return !IsKeyword(token.Upper);
        case SqlTokenKind::Symbol:
            if (token.Text == "(" || token.Text == "?")
                return true;
            return (token.Text == "-" || token.Text == "+") && StartsPrimary(i + 1, end);
        default:
            return false;
        }
    }

    // primary (("*" | "/" | "%") primary)* ("+" | "-") ... : one operand of a comparison.
    std::optional<Element> Term(std::size_t& i, std::size_t end) {
        if (!StartsPrimary(i, end))
            return std::nullopt;
        Operand first = Factor(i, end);
        std::string text = first.Text;
        TSqlType type = first.Type;
        bool joined = false; // text ends in a "||" chain that a following operator must not split
        bool chain = false;
        while (i < end && (IsSymbol(i, "+") || IsSymbol(i, "-")) && StartsPrimary(i + 1, end)) {
            const Token& op = tokens_[i++];
            Operand next = Factor(i, end);
            chain = true;
            const bool concatenate = op.Text == "+" && JoinsTexts(type, next.Type);
            if (concatenate) {
                text += op.Lead + (rewrite_ ? "||" : op.Text) + next.Text;
                type = TSqlType::Text;
                joined = rewrite_;
                continue;
            }
            if (joined)
                text = Parenthesised(text);
            joined = false;
            if (rewrite_ && type == TSqlType::Text)
                text = AsNumber(text);
            if (rewrite_ && next.Type == TSqlType::Text)
                next.Text = AsNumber(next.Text);
            text += op.Lead + op.Text + next.Text;
            type = (type == TSqlType::Unknown && next.Type == TSqlType::Unknown) ? TSqlType::Unknown
                                                                                 : TSqlType::Number;
        }
        Element element;
        element.IsTerm = true;
        element.Text = std::move(text);
        element.Type = type;
        element.NumberList = !chain && first.NumberList;
        return element;
    }

    // T-SQL joins with "+" when both sides are texts; a number on either side makes it an
    // addition.
    static bool JoinsTexts(TSqlType a, TSqlType b) {
        if (a == TSqlType::Number || b == TSqlType::Number)
            return false;
        return a == TSqlType::Text || b == TSqlType::Text;
    }

    Operand Factor(std::size_t& i, std::size_t end) {
        Operand operand = Primary(i, end);
        while (i < end && (IsSymbol(i, "*") || IsSymbol(i, "/") || IsSymbol(i, "%")) &&
               StartsPrimary(i + 1, end)) {
            const Token& op = tokens_[i++];
            Operand next = Primary(i, end);
            if (rewrite_ && operand.Type == TSqlType::Text)
                operand.Text = AsNumber(operand.Text);
            if (rewrite_ && next.Type == TSqlType::Text)
                next.Text = AsNumber(next.Text);
            operand.Text += op.Lead + op.Text + next.Text;
            operand.Type = TSqlType::Number;
            operand.NumberList = false;
        }
        return operand;
    }

    Operand Primary(std::size_t& i, std::size_t end) {
        const Token& token = tokens_[i];
        switch (token.Kind) {
        case SqlTokenKind::String: {
            ++i;
            std::string text = token.Text;
            if (rewrite_ && text.front() != '\'')
                text.erase(0, 1); // N'...'
            return {token.Lead + text, TSqlType::Text};
        }
        case SqlTokenKind::Number:
            ++i;
            return {token.Lead + token.Text, TSqlType::Number};
        case SqlTokenKind::Parameter:
            ++i;
            result_.Parameters.push_back(token.Text.substr(1));
            return {token.Lead + "?", TSqlType::Unknown};
        case SqlTokenKind::DbPrefix:
            return Name(i, end, true);
        case SqlTokenKind::QuotedName:
            return Name(i, end, false);
        case SqlTokenKind::Symbol:
            if (token.Text == "(")
                return Group(i);
            if (token.Text == "?") {
                ++i;
                return {token.Lead + token.Text, TSqlType::Unknown};
            }
            {
                // unary sign
                ++i;
                Operand operand = Primary(i, end);
                if (rewrite_ && operand.Type == TSqlType::Text)
                    operand.Text = AsNumber(operand.Text);
                return {token.Lead + token.Text + operand.Text, TSqlType::Number};
            }
        case SqlTokenKind::Word:
            if (token.Upper == "NULL") {
                ++i;
                return {token.Lead + token.Text, TSqlType::Unknown};
            }
            if (token.Upper == "CASE")
                return Case(i);
            return Name(i, end, false);
        default:
            ++i;
            return {token.Lead + token.Text, TSqlType::Unknown};
        }
    }

    Operand Group(std::size_t& i) {
        const std::size_t open = i;
        const std::size_t close = match_[open];
        std::vector<Element> inner = Level(open + 1, close);
        i = close + 1;
        Operand operand;
        operand.Text = tokens_[open].Lead + "(" + Join(inner) + tokens_[close].Lead + ")";
        if (inner.size() == 1 && inner.front().IsTerm)
            operand.Type = inner.front().Type;
        bool numbers = !inner.empty();
        for (const Element& element : inner)
            if (element.IsTerm ? element.Type != TSqlType::Number : element.Upper != ",")
                numbers = false;
        operand.NumberList = numbers;
        return operand;
    }

    Operand Case(std::size_t& i) {
        const std::size_t begin = i;
        const std::size_t end = match_[begin];
        std::vector<Element> inner = Level(begin + 1, end);
        i = end + 1;
        Operand operand;
        operand.Text =
            tokens_[begin].Lead + tokens_[begin].Text + Join(inner) + tokens_[end].Lead + tokens_[end].Text;
        for (std::size_t k = 0; k + 1 < inner.size(); ++k)
            if (!inner[k].IsTerm && (inner[k].Upper == "THEN" || inner[k].Upper == "ELSE") &&
                inner[k + 1].IsTerm && inner[k + 1].Type != TSqlType::Unknown) {
                operand.Type = inner[k + 1].Type;
                break;
            }
        return operand;
    }

    // A dotted name: a column, a table, a database-qualified table, or a function call.
    Operand Name(std::size_t& i, std::size_t end, bool companyPrefix) {
        const std::string lead = tokens_[i].Lead;
        std::vector<NamePart> parts;
        if (companyPrefix) {
            ++i;
            if (!IsName(i) && !(i < end && tokens_[i].Kind == SqlTokenKind::Word))
                throw ESqlError("\"$$\" must be followed by a table name");
            parts.push_back({"$$", "$$", dialect_.CompanyDatabase, false});
            parts.push_back({});
        }
        parts.push_back(Part(tokens_[i++]));
        while (i < end && IsSymbol(i, ".")) {
            if (IsSymbol(i + 1, ".")) {
                parts.push_back({});
                ++i;
                continue;
            }
            if (i + 1 < end && (tokens_[i + 1].Kind == SqlTokenKind::Word ||
                                tokens_[i + 1].Kind == SqlTokenKind::QuotedName)) {
                parts.push_back(Part(tokens_[i + 1]));
                i += 2;
                continue;
            }
            if (IsSymbol(i + 1, "*")) {
                parts.push_back({"*", "*", "*", false});
                i += 2;
            }
            break;
        }

        const bool databaseQualified =
            parts.size() >= 3 && (parts[1].Text.empty() || parts[1].Name == "DBO") && !parts[0].Text.empty();
        if (databaseQualified)
            return {lead + QualifiedName(parts), TSqlType::Unknown};

        if (i < end && IsSymbol(i, "(") && parts.back().Name != "*")
            return Call(i, lead, parts);

        Operand operand;
        std::string text;
        for (std::size_t k = 0; k < parts.size(); ++k)
            text += (k ? "." : "") + NameText(parts[k]);
        operand.Text = lead + text;
        if (dialect_.Schema && parts.back().Name != "*") {
            std::string table;
            if (parts.size() >= 2) {
                const auto alias = aliases_.find(parts[parts.size() - 2].Name);
                table = alias != aliases_.end() ? alias->second : parts[parts.size() - 2].Name;
            }
            operand.Type = dialect_.Schema->ColumnType(table, parts.back().Name);
        }
        return operand;
    }

    std::string NameText(const NamePart& part) const {
        if (!part.Quoted || !rewrite_ || dialect_.Kind == TDatabaseKind::SQLite)
            return part.Text;
        // PostgreSQL folds bare names to lower case; the suite's quoted names ignore case.
        return QuotedForTarget(part.Raw);
    }
    static std::string QuotedForTarget(const std::string& name) {
        return IsPlainName(name) ? name : "\"" + LowerCase(name) + "\"";
    }

    std::string QualifiedName(const std::vector<NamePart>& parts) {
        // "$$" without a company database stands for the connection's own database.
        const std::string database = parts[0].Raw;
        std::string rest;
        for (std::size_t k = 2; k < parts.size(); ++k)
            rest += (k > 2 ? "." : "") + NameText(parts[k]);
        if (database.empty())
            return rest;
        if (std::find(result_.Databases.begin(), result_.Databases.end(), database) ==
            result_.Databases.end())
            result_.Databases.push_back(database);
        if (!rewrite_)
            return (parts[0].Text == "$$" ? database : parts[0].Text) + ".." + rest;
        const std::string qualifier =
            dialect_.DatabaseQualifier ? dialect_.DatabaseQualifier(database) : database;
        if (qualifier.empty())
            return rest;
        if (dialect_.Kind == TDatabaseKind::SQLite)
            return (IsPlainName(qualifier) ? qualifier : "\"" + qualifier + "\"") + "." + rest;
        return QuotedForTarget(qualifier) + "." + rest;
    }

    // --- function calls ---------------------------------------------------------------------

    // The top-level commas of a parenthesised range.
    std::vector<std::size_t> Commas(std::size_t open) const {
        std::vector<std::size_t> commas;
        for (std::size_t k = open + 1; k < match_[open]; ++k) {
            if (IsSymbol(k, "(") || IsWord(k, "CASE"))
                k = match_[k];
            else if (IsSymbol(k, ","))
                commas.push_back(k);
        }
        return commas;
    }

    std::string TokenText(std::size_t begin, std::size_t end) const {
        std::string text;
        for (std::size_t k = begin; k < end; ++k)
            text += tokens_[k].Lead + tokens_[k].Text;
        return text;
    }

    static TSqlType FirstKnown(const std::vector<Element>& args) {
        bool atStart = true;
        for (const Element& element : args) {
            if (!element.IsTerm) {
                atStart = element.Upper == ",";
                continue;
            }
            if (atStart && element.Type != TSqlType::Unknown)
                return element.Type;
            atStart = false;
        }
        return TSqlType::Unknown;
    }

    Operand Call(std::size_t& i, const std::string& lead, const std::vector<NamePart>& parts) {
        const std::size_t open = i;
        const std::size_t close = match_[open];
        i = close + 1;
        const std::string name = parts.back().Name;
        std::string nameText;
        for (std::size_t k = 0; k < parts.size(); ++k)
            nameText += (k ? "." : "") + NameText(parts[k]);
        const std::string openText = tokens_[open].Lead + "(";
        const std::string closeText = tokens_[close].Lead + ")";

        if (rewrite_ && parts.size() == 1) {
            if (name == "CAST")
                return Cast(open, lead);
            if (name == "CONVERT")
                return Convert(open, lead);
            if (name == "GETDATE" && close == open + 1)
                return {lead + CurrentTime(), TSqlType::Unknown};
            if (name == "ISNULL") {
                std::vector<Element> args = Level(open + 1, close);
                return {lead + "COALESCE" + openText + Join(args) + closeText, FirstKnown(args)};
            }
            if (name == "LEN") {
                std::vector<Element> args = Level(open + 1, close);
                return {lead + "LENGTH" + openText + "RTRIM(" + Join(args) + ")" + closeText,
                        TSqlType::Number};
            }
            if ((name == "LEFT" || name == "RIGHT") && dialect_.Kind == TDatabaseKind::SQLite)
                return LeftRight(open, lead, name == "LEFT");
        }

        std::vector<Element> args = Level(open + 1, close);
        Operand operand;
        operand.Text = lead + nameText + openText + Join(args) + closeText;
        if (kNumberFunctions.count(name))
            operand.Type = TSqlType::Number;
        else if (kTextFunctions.count(name))
            operand.Type = TSqlType::Text;
        else if (kArgumentFunctions.count(name))
            operand.Type = FirstKnown(args);
        return operand;
    }

    std::string CurrentTime() const {
        if (dialect_.Kind == TDatabaseKind::SQLite)
            return "STRFTIME('%Y-%m-%d %H:%M:%f','now','localtime')";
        return "LOCALTIMESTAMP(3)";
    }

    Operand LeftRight(std::size_t open, const std::string& lead, bool left) {
        const std::vector<std::size_t> commas = Commas(open);
        if (commas.size() != 1)
            throw ESqlError(std::string(left ? "LEFT" : "RIGHT") + " takes two arguments");
        const std::string text = Join(Level(open + 1, commas[0]));
        const std::string count = Join(Level(commas[0] + 1, match_[open]));
        if (left)
            return {lead + "SUBSTR(" + text + ", 1," + count + ")", TSqlType::Text};
        return {lead + "SUBSTR(" + text + ", -(" + Trim(count) + "))", TSqlType::Text};
    }

    Operand Cast(std::size_t open, const std::string& lead) {
        const std::size_t close = match_[open];
        std::size_t as = 0;
        for (std::size_t k = open + 1; k < close; ++k) {
            if (IsSymbol(k, "(") || IsWord(k, "CASE"))
                k = match_[k];
            else if (IsWord(k, "AS"))
                as = k;
        }
        if (as == 0)
            throw ESqlError("CAST without AS");
        const std::string value = Join(Level(open + 1, as));
        const std::string type = Trim(TokenText(as + 1, close));
        return {lead + "CAST" + tokens_[open].Lead + "(" + value + " AS " + TargetType(type) + ")",
                TypeOfTarget(type)};
    }

    Operand Convert(std::size_t open, const std::string& lead) {
        const std::size_t close = match_[open];
        const std::vector<std::size_t> commas = Commas(open);
        if (commas.empty() || commas.size() > 2)
            throw ESqlError("CONVERT takes a type, a value and an optional style");
        const std::string type = UpperCase(Trim(TokenText(open + 1, commas[0])));
        const std::size_t valueEnd = commas.size() == 2 ? commas[1] : close;
        std::vector<Element> valueElements = Level(commas[0] + 1, valueEnd);
        const std::string value = Trim(Join(valueElements));
        const TSqlType valueType =
            valueElements.size() == 1 && valueElements[0].IsTerm ? valueElements[0].Type : TSqlType::Unknown;
        const TSqlType target = TypeOfTarget(type);
        const bool character = target == TSqlType::Text;
        if (commas.size() == 2 && character && valueType == TSqlType::Unknown) {
            const std::string style = Trim(TokenText(commas[1] + 1, close));
            return {lead + FormatDate(value, style), TSqlType::Text};
        }
        const std::string base = type.substr(0, type.find('('));
        const bool fixed = Trim(base) == "CHAR" || Trim(base) == "NCHAR";
        if (fixed && dialect_.Kind == TDatabaseKind::SQLite) {
            // CHAR(n) pads on the right to n characters.
            const std::string size =
                Trim(type.substr(type.find('(') + 1, type.find(')') - type.find('(') - 1));
            if (type.find('(') == std::string::npos || !TryStrToInt(size))
                return {lead + "CAST(" + value + " AS TEXT)", TSqlType::Text};
            return {lead + "PRINTF('%-" + size + "s', " + value + ")", TSqlType::Text};
        }
        return {lead + "CAST(" + value + " AS " + TargetType(type) + ")", target};
    }

    std::string FormatDate(const std::string& value, const std::string& style) const {
        struct Style {
            const char* Number;
            const char* SQLite;
            const char* Standard;
        };
        static constexpr Style kStyles[] = {
            {"112", "%Y%m%d", "YYYYMMDD"},
            {"23", "%Y-%m-%d", "YYYY-MM-DD"},
            {"108", "%H:%M:%S", "HH24:MI:SS"},
            {"120", "%Y-%m-%d %H:%M:%S", "YYYY-MM-DD HH24:MI:SS"},
            {"121", "%Y-%m-%d %H:%M:%f", "YYYY-MM-DD HH24:MI:SS.MS"},
        };
        for (const Style& s : kStyles) {
            if (style != s.Number)
                continue;
            if (dialect_.Kind == TDatabaseKind::SQLite)
                return std::string("STRFTIME('") + s.SQLite + "', " + value + ")";
            return "TO_CHAR(" + value + ", '" + s.Standard + "')";
        }
        throw ESqlError("CONVERT style " + style + " has no equivalent on " +
                        DatabaseKindName(dialect_.Kind));
    }

    static TSqlType TypeOfTarget(const std::string& type) { return TSqlSchema::TypeFromDeclaration(type); }

    // A T-SQL type name as the target writes it.
    std::string TargetType(const std::string& written) const {
        std::string type = UpperCase(written);
        const std::string base = Trim(type.substr(0, type.find('(')));
        const std::string size = type.find('(') == std::string::npos ? "" : type.substr(type.find('('));
        const bool unlimited = size.find("MAX") != std::string::npos;
        if (dialect_.Kind == TDatabaseKind::SQLite) {
            if (base == "DATETIME" || base == "SMALLDATETIME" || base == "DATETIME2" || base == "DATE" ||
                unlimited || base == "NVARCHAR" || base == "NCHAR" || base == "VARCHAR" || base == "CHAR" ||
                base == "NTEXT")
                return "TEXT";
            return type;
        }
        if (base == "DATETIME" || base == "SMALLDATETIME" || base == "DATETIME2")
            return "TIMESTAMP";
        if (unlimited || base == "NTEXT")
            return "TEXT";
        if (base == "NVARCHAR")
            return "VARCHAR" + size;
        if (base == "NCHAR")
            return "CHAR" + size;
        if (base == "TINYINT")
            return "SMALLINT";
        if (base == "BIT")
            return "BOOLEAN";
        if (base == "MONEY")
            return "NUMERIC(19,4)";
        return type;
    }

    const TSqlDialect& dialect_;
    bool rewrite_ = true;
    std::vector<Token> tokens_;
    std::string trailing_;
    std::vector<std::size_t> match_;
    std::map<std::string, std::string> aliases_;
    TSqlTranslation result_;
};

} // namespace

TSqlTranslation TSqlDialect::Translate(std::string_view statement) const {
    return Rewriter(*this, statement).Run();
}

} // namespace vondrel
