#include "lib/SqlConditions.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

namespace {

/// The element of a one-dimensional array, or nullptr when there is none at that index.
const Variant* ElementAt(const Variant& array, int index) {
    if (array.DimCount() != 1 || index < array.LowBound(1) || index > array.HighBound(1))
        return nullptr;
    return &array[index];
}

/// A value as text; empty, null, arrays and objects give an empty text.
std::string TextOf(const Variant& value) {
    if (value.IsArray() || value.IsDispatch())
        return {};
    try {
        return VarToStr(value);
    } catch (const Exception&) {
        return {};
    }
}

std::string ElementText(const Variant& array, int index) {
    const Variant* element = ElementAt(array, index);
    return element ? TextOf(*element) : std::string();
}

void Append(std::string& where, const std::string& condition) {
    if (where.empty())
        where = "Where " + condition;
    else
        where += " and " + condition;
}

std::string RangeCondition(std::string_view field, const Variant& value, int dataType, int startIndex) {
    if (dataType < 1 || dataType > 3)
        return {};
    std::string start, end;
    if (value.IsArray()) {
        start = ElementText(value, startIndex);
        end = ElementText(value, startIndex + 1);
    } else {
        start = TextOf(value);
    }
    const bool text = dataType == 1;
    if (!text) {
        start = Trim(start);
        end = Trim(end);
    }
    const std::string f(field);
    // A number goes in bare; anything else given for a number field is quoted, so that
    // a value can never add SQL of its own to the condition.
    auto q = [&](const std::string& v) { return text || !TryStrToFloat(v) ? QuotedSql(v) : v; };
    if (!start.empty() && !end.empty()) {
        if (start == end)
            return " (" + f + "=" + q(start) + ") ";
        return " (" + f + " Between " + q(start) + " and " + q(end) + ") ";
    }
    if (!start.empty())
        return " (" + f + (text ? ">= " : ">=") + q(start) + ")";
    if (!end.empty())
        return " (" + f + (text ? "<= " : "<=") + q(end) + " OR " + f + " IS NULL )";
    return {};
}

std::string ListCondition(std::string_view field, const Variant& value) {
    std::vector<std::string> items;
    if (value.IsArray()) {
        if (value.DimCount() == 1)
            for (int i = 1; i <= value.HighBound(1); ++i) {
                const Variant* element = ElementAt(value, i);
                if (element && element->IsArray())
                    items.push_back(ElementText(*element, 0));
                else if (element)
                    items.push_back(TextOf(*element));
            }
    } else {
        items.push_back(TextOf(value));
    }
    std::string list;
    for (const std::string& item : items) {
        if (item.empty())
            continue;
        if (!list.empty())
            list += ", ";
        list += QuotedSql(item);
    }
    if (list.empty())
        return {};
    return "(" + std::string(field) + " IN (" + list + "))";
}

/// The item rule: the item as stored, or one member of an item that is an array.
Variant ReadItem(const Variant& item, int itemIndex) {
    if (itemIndex == -1)
        return item;
    if (item.IsArray()) {
        if (item.DimCount() != 1)
            return std::string();
        const int at = std::clamp(itemIndex, 0, std::max(0, item.HighBound(1)));
        const Variant* member = ElementAt(item, at);
        return member ? *member : Variant(std::string());
    }
    if (item.IsEmpty() || item.IsNull())
        return std::string();
    return item;
}

} // namespace

std::string QuotedSql(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

int OptionValueKind(const Variant& value) {
    if (!value.IsArray())
        return -1;
    const std::string marker = ElementText(value, 0);
    if (marker.size() == 1 && marker[0] == kRangeMarker)
        return 0;
    if (marker.size() == 1 && marker[0] == kListMarker)
        return 1;
    return -1;
}

void AddFieldCondition(std::string& where, std::string_view field, const Variant& value, int dataType,
                       std::string& condition) {
    condition.clear();
    switch (OptionValueKind(value)) {
    case -1:
        condition = RangeCondition(field, value, dataType, 0);
        break;
    case 0:
        condition = RangeCondition(field, value, dataType, 1);
        break;
    default:
        condition = ListCondition(field, value);
        break;
    }
    if (!condition.empty())
        Append(where, condition);
}

void ReadOptionValue(const Variant& options, int index, int subIndex, int itemIndex, Variant& result) {
    const Variant* element = ElementAt(options, index);
    if (!element) {
        result = Variant();
        return;
    }
    if (subIndex == -1) {
        result = *element;
        return;
    }
    if (!element->IsArray()) {
        result = element->IsEmpty() || element->IsNull() ? Variant(std::string()) : *element;
        return;
    }
    result = std::string();
    if (element->DimCount() != 1)
        return;
    const int kind = OptionValueKind(*element);
    int at = subIndex;
    if (kind == 0 || kind == 1)
        at = std::clamp(subIndex, 1, std::max(1, element->HighBound(1)));
    const Variant* member = ElementAt(*element, at);
    if (!member)
        return;
    result = kind == 0 ? *member : ReadItem(*member, itemIndex);
}

} // namespace vondrel
