#pragma once

#include <vondrel/Variant.h>

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace vondrel {

class TControl;
class TForm;

using TJson = nlohmann::ordered_json;

/// The JSON form of a variant in the shell's output: texts as strings, numbers as
/// numbers, booleans, null as null, empty as {"empty":true}, dates as
/// {"date":"YYYY-MM-DDTHH:MM:SS.mmm"}, one-dimensional arrays as {"lb":L,"items":[...]},
/// arrays of two or more dimensions as {"bounds":[[l0,h0],...],"items":[[...],...]}
/// (nested by dimension), objects as {"object":true}. Non-finite numbers become the
/// strings "NaN", "Infinity", "-Infinity".
TJson VariantJson(const Variant& value);

/// The variant of such a JSON value; a plain JSON array becomes an array with bounds from
/// 0, an integer an Integer (Int64 when it does not fit), other numbers Double. Raises
/// Exception for an object that is none of the forms above.
Variant JsonVariant(const TJson& json);
/// The same from JSON text; raises Exception for text that is not JSON.
Variant JsonTextVariant(std::string_view text);

/// One control: name (a dotted path when it belongs to a component of the form rather
/// than the form itself), class, text (caption or edit text), visible, enabled, colour,
/// parent, tab order (null for controls that take no focus), focused, and checked for
/// controls with a check state.
TJson ControlJson(const TForm& form, const TControl& control);
/// The form and every control it owns, in ownership order.
TJson FormJson(const TForm& form);
/// The columns and rows of a list view or string grid; raises Exception for another
/// kind of control.
TJson ListJson(const TControl& control);

/// One line of output: compact, invalid UTF-8 replaced.
std::string JsonLine(const TJson& json);

} // namespace vondrel
