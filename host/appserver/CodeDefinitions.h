#pragma once

#include <string_view>

namespace vondrel {

/// A code check or a lookup of the server: a statement in the suite's T-SQL whose
/// parameters :P1, :P2, ... take the elements of the caller's value array in order
/// (a missing element binds an empty text). "$$" names the company's tables; tables
/// without it are the system database's.
struct TCodeDefinition {
    const char* Table;
    const char* Number;
    const char* Statement;
};

/// The check behind (table, check number), or nullptr. Its first row is the check's
/// result; no row means the code does not exist.
const TCodeDefinition* FindCheck(std::string_view table, std::string_view number);
/// The lookup behind (table, lookup number), or nullptr. Its rows are offered to the
/// user: code first, name second.
const TCodeDefinition* FindLookup(std::string_view table, std::string_view number);

} // namespace vondrel
