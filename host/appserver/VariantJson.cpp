#include "VariantJson.h"

#include "platform/Unicode.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace vondrel {

namespace {

using Json = nlohmann::json;

/// Arrays nested deeper than this are refused: each level is one call deeper on the stack,
/// and an option array needs a handful.
constexpr int kMaxDepth = 64;

void CheckDepth(int depth) {
    if (depth > kMaxDepth)
        throw Exception("A stored value is nested more than " + std::to_string(kMaxDepth) + " arrays deep");
}

/// A whole number of the stored value that fits T; anything else (a fraction, a number
/// beyond T) is malformed rather than silently cut.
template <class T>
T WholeNumber(const Json& json) {
    if (json.is_number_unsigned()) {
        if (const auto value = json.get<std::uint64_t>(); std::in_range<T>(value))
            return static_cast<T>(value);
    } else if (json.is_number_integer()) {
        if (const auto value = json.get<std::int64_t>(); std::in_range<T>(value))
            return static_cast<T>(value);
    }
    throw Exception("Not a whole number of the expected size in a stored value: " + json.dump());
}

Json Real(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    return value;
}

double RealOf(const Json& json) {
    if (json.is_number())
        return json.get<double>();
    const std::string text = json.get<std::string>();
    if (text == "NaN")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "Infinity")
        return std::numeric_limits<double>::infinity();
    if (text == "-Infinity")
        return -std::numeric_limits<double>::infinity();
    throw Exception("Not a number in a stored value: " + text);
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        text += kDigits[static_cast<unsigned char>(c) >> 4];
        text += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return text;
}

std::string FromHex(const std::string& text) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        throw Exception("Bad hex digit in a stored value");
    };
    if (text.size() % 2)
        throw Exception("Bad hex text in a stored value");
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes += static_cast<char>(digit(text[i]) * 16 + digit(text[i + 1]));
    return bytes;
}

Json Encode(const Variant& value, int depth) {
    CheckDepth(depth);
    switch (value.Type()) {
    case VarType::Empty:
        return Json::array({"E"});
    case VarType::Null:
        return Json::array({"N"});
    case VarType::Boolean:
        return Json::array({"B", value.AsBoolean()});
    case VarType::Integer:
        return Json::array({"I", value.AsInteger()});
    case VarType::Int64:
        return Json::array({"L", value.AsInt64()});
    case VarType::Double:
        return Json::array({"D", Real(value.AsDouble())});
    case VarType::Date:
        return Json::array({"T", Real(value.AsDate())});
    case VarType::String: {
        const std::string text = value.AsString();
        if (IsValidUtf8(text))
            return Json::array({"S", text});
        return Json::array({"X", Hex(text)});
    }
    case VarType::WideString: {
        const std::u16string wide = value.AsWideString();
        const std::string text = Utf16ToUtf8(wide);
        if (Utf8ToUtf16(text) == wide)
            return Json::array({"W", text});
        Json units = Json::array();
        for (const char16_t unit : wide)
            units.push_back(static_cast<unsigned>(unit));
        return Json::array({"U", units});
    }
    case VarType::Array: {
        const VariantArray& array = value.Array();
        Json bounds = Json::array();
        for (const VarBounds& b : array.Bounds())
            bounds.push_back(Json::array({b.Low, b.High}));
        Json items = Json::array();
        for (const Variant& item : array.Items())
            items.push_back(Encode(item, depth + 1));
        return Json::array({"A", bounds, items});
    }
    case VarType::Dispatch:
        break;
    }
    throw Exception("An object reference cannot be stored");
}

Variant Decode(const Json& json, int depth) {
    CheckDepth(depth);
    if (!json.is_array() || json.empty() || !json[0].is_string())
        throw Exception("Malformed stored value");
    const std::string kind = json[0].get<std::string>();
    auto arg = [&](std::size_t i) -> const Json& {
        if (json.size() <= i)
            throw Exception("Malformed stored value of kind " + kind);
        return json[i];
    };
    if (kind == "E")
        return {};
    if (kind == "N")
        return Variant::Null();
    if (kind == "B")
        return Variant(arg(1).get<bool>());
    if (kind == "I")
        return Variant(WholeNumber<std::int32_t>(arg(1)));
    if (kind == "L")
        return Variant(static_cast<long long>(WholeNumber<std::int64_t>(arg(1))));
    if (kind == "D")
        return Variant(RealOf(arg(1)));
    if (kind == "T")
        return Variant::FromDate(RealOf(arg(1)));
    if (kind == "S")
        return Variant(arg(1).get<std::string>());
    if (kind == "X")
        return Variant(FromHex(arg(1).get<std::string>()));
    if (kind == "W")
        return Variant(Utf8ToUtf16(arg(1).get<std::string>()));
    if (kind == "U") {
        std::u16string wide;
        for (const Json& unit : arg(1))
            wide += static_cast<char16_t>(WholeNumber<std::uint16_t>(unit));
        return Variant(std::move(wide));
    }
    if (kind == "A") {
        std::vector<VarBounds> bounds;
        for (const Json& b : arg(1))
            bounds.push_back({WholeNumber<std::int32_t>(b.at(0)), WholeNumber<std::int32_t>(b.at(1))});
        if (bounds.empty())
            throw Exception("Malformed stored array");
        Variant array = VarArrayCreate(bounds);
        const Json& items = arg(2);
        auto slots = array.Array().Items();
        if (items.size() != slots.size())
            throw Exception("Malformed stored array: wrong number of elements");
        for (std::size_t i = 0; i < slots.size(); ++i)
            slots[i] = Decode(items[i], depth + 1);
        return array;
    }
    throw Exception("Unknown kind of stored value: " + kind);
}

} // namespace

std::string VariantToJson(const Variant& value) {
    return Encode(value, 1).dump();
}

Variant VariantFromJson(std::string_view text) {
    try {
        return Decode(Json::parse(text), 1);
    } catch (const Json::exception& e) {
        throw Exception(std::string("Malformed stored value: ") + e.what());
    }
}

} // namespace vondrel
