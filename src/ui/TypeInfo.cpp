#include "ui/TypeInfo.h"

#include "platform/SysUtils.h"

#include <cstdio>

namespace vondrel {

const char* PropKindName(TPropKind kind) noexcept {
    switch (kind) {
    case TPropKind::Integer:
        return "Integer";
    case TPropKind::Enumeration:
        return "Enumeration";
    case TPropKind::Set:
        return "Set";
    case TPropKind::Float:
        return "Float";
    case TPropKind::Text:
        return "Text";
    case TPropKind::Strings:
        return "Strings";
    case TPropKind::Class:
        return "Class";
    case TPropKind::Event:
        return "Event";
    case TPropKind::Boolean:
        return "Boolean";
    }
    return "?";
}

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names)
    : typeName_(std::move(typeName)), names_(std::move(names)) {}

std::string TEnumInfo::NameOf(int value) const {
    if (value < 0 || value >= Count())
        return {};
    return names_[static_cast<std::size_t>(value)];
}

std::optional<int> TEnumInfo::ValueOf(std::string_view name) const noexcept {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name))
            return static_cast<int>(i);
    return std::nullopt;
}

std::string TEnumInfo::SetToText(std::uint32_t bits) const {
    std::string text = "[";
    for (int i = 0; i < Count() && i < 32; ++i) {
        if ((bits & (1u << i)) == 0)
            continue;
        if (text.size() > 1)
            text += ',';
        text += names_[static_cast<std::size_t>(i)];
    }
    return text + "]";
}

std::optional<std::uint32_t> TEnumInfo::TextToSet(std::string_view text) const {
    std::string body = Trim(text);
    if (!body.empty() && body.front() == '[') {
        if (body.back() != ']')
            return std::nullopt;
        body = Trim(std::string_view(body).substr(1, body.size() - 2));
    }
    std::uint32_t bits = 0;
    std::size_t start = 0;
    while (start <= body.size() && !body.empty()) {
        const std::size_t comma = body.find(',', start);
        const std::string item = Trim(std::string_view(body).substr(start, comma - start));
        const auto value = ValueOf(item);
        if (!value || *value >= 32)
            return std::nullopt;
        bits |= 1u << *value;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return bits;
}

TIdentMap::TIdentMap(std::string typeName, std::vector<std::pair<std::string, std::int32_t>> entries,
                     bool hexNumbers)
    : typeName_(std::move(typeName)), entries_(std::move(entries)), hexNumbers_(hexNumbers) {}

std::optional<std::int32_t> TIdentMap::ToValue(std::string_view ident) const noexcept {
    for (const auto& [name, value] : entries_)
        if (SameText(name, ident))
            return value;
    return std::nullopt;
}

std::optional<std::string> TIdentMap::ToIdent(std::int32_t value) const {
    for (const auto& [name, entry] : entries_)
        if (entry == value)
            return name;
    return std::nullopt;
}

std::string TIdentMap::ToText(std::int32_t value) const {
    if (auto ident = ToIdent(value))
        return *ident;
    if (!hexNumbers_)
        return IntToStr(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(value));
    return buffer;
}

std::optional<std::int32_t> TIdentMap::FromText(std::string_view text) const noexcept {
    const std::string trimmed = Trim(text);
    if (auto value = ToValue(trimmed))
        return value;
    // Hexadecimal texts such as "$00FF00FF" may exceed the signed range; they still name
    // the bits of a 32-bit value.
    if (const auto number = TryStrToInt64(trimmed))
        if (*number >= INT32_MIN && *number <= static_cast<std::int64_t>(UINT32_MAX))
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
    return std::nullopt;
}

} // namespace vondrel
