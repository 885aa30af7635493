#pragma once

#include <vondrel/Variant.h>

#include <string>
#include <string_view>

namespace vondrel {

/// Marks element 0 of a selection value: a range [#4, from, to] or a list [#5, items...].
inline constexpr char kRangeMarker = '\x04';
inline constexpr char kListMarker = '\x05';

/// -1 for a plain value or an array without a marker, 0 for a range, 1 for a list.
int OptionValueKind(const Variant& value);

/// Appends the condition on one field for an option value to a WHERE clause ("Where "
/// starts an empty clause, " and " joins the next condition) and returns the condition
/// alone in condition. Data type 1 quotes text values; 2 and 3 insert trimmed numbers
/// unquoted (a value that is not a number is quoted all the same); any other type gives
/// no range condition. List items are always quoted.
void AddFieldCondition(std::string& where, std::string_view field, const Variant& value, int dataType,
                       std::string& condition);

/// Reads one value out of a one-dimensional option array: the element at index (as
/// stored when subIndex is -1), or one end of a range, or one list item, and with
/// itemIndex one member of that item. Indexes outside the array give an empty result;
/// never raises.
void ReadOptionValue(const Variant& options, int index, int subIndex, int itemIndex, Variant& result);

/// The text as a standard SQL string literal: in single quotes, inner quotes doubled.
std::string QuotedSql(std::string_view text);

} // namespace vondrel
