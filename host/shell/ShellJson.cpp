#include "ShellJson.h"

#include "platform/DateTime.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/StringGrid.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace vondrel {

namespace {

TJson Real(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    return value;
}

std::string DateText(double day) {
    const DateParts date = DecodeDate(day);
    if (date.Year == 0)
        return {};
    const TimeParts time = DecodeTime(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", date.Year, date.Month, date.Day,
                  time.Hour, time.Minute, time.Second, time.Millisecond);
    return text;
}

/// The elements of dimension `dim` onwards, starting at storage offset `offset`.
TJson Nested(const VariantArray& array, std::size_t dim, std::size_t& offset) {
    TJson items = TJson::array();
    const VarBounds& bounds = array.Bounds()[dim];
    for (int i = bounds.Low; i <= bounds.High; ++i) {
        if (dim + 1 == array.Bounds().size())
            items.push_back(VariantJson(array.Items()[offset++]));
        else
            items.push_back(Nested(array, dim + 1, offset));
    }
    return items;
}

/// Deeper nesting than any variant of the module's would make the reading (and the
/// writing of an error) recurse without end on hostile input.
constexpr int kMaxNesting = 64;

bool NestedAtMost(const TJson& json, int levels) {
    if (!json.is_structured())
        return true;
    if (levels == 0)
        return false;
    for (const TJson& item : json)
        if (!NestedAtMost(item, levels - 1))
            return false;
    return true;
}

[[noreturn]] void Malformed(const TJson& json, const std::string& why) {
    throw Exception("Not a value of the shell's JSON form (" + why +
                    "): " + (NestedAtMost(json, kMaxNesting) ? JsonLine(json) : std::string("[...]")));
}

Variant JsonVariantAt(const TJson& json, int depth);

void FillNested(const TJson& items, const std::vector<VarBounds>& bounds, std::size_t dim,
                std::span<Variant> slots, std::size_t& offset, int depth) {
    // The shape was checked before the array was made (CheckShape).
    for (const TJson& item : items) {
        if (dim + 1 == bounds.size())
            slots[offset++] = JsonVariantAt(item, depth + 1);
        else
            FillNested(item, bounds, dim + 1, slots, offset, depth);
    }
}

int BoundOf(const TJson& json) {
    if (!json.is_number_integer())
        Malformed(json, "a bound is not an integer");
    const bool fits = json.is_number_unsigned() ? std::in_range<int>(json.get<std::uint64_t>())
                                                : std::in_range<int>(json.get<std::int64_t>());
    if (!fits)
        Malformed(json, "a bound out of range");
    return json.get<int>();
}

/// Checks that the nested items have the shape the bounds give, before anything is
/// allocated: the bounds alone could ask for any amount of memory.
void CheckShape(const TJson& items, const std::vector<VarBounds>& bounds, std::size_t dim) {
    const std::int64_t count = std::int64_t{bounds[dim].High} - bounds[dim].Low + 1;
    if (!items.is_array() || static_cast<std::int64_t>(items.size()) != count)
        Malformed(items, "the items do not match the bounds");
    if (dim + 1 < bounds.size())
        for (const TJson& item : items)
            CheckShape(item, bounds, dim + 1);
}

std::string PathOf(const TForm& form, const TComponent& component) {
    if (&component == &form)
        return form.Name();
    const TComponent* owner = component.Owner();
    if (!owner || owner == &form)
        return component.Name();
    return PathOf(form, *owner) + "." + component.Name();
}

void CollectControls(const TForm& form, const TComponent& owner, TJson& controls) {
    for (const TComponent* component : owner.OwnedComponents()) {
        if (const auto* control = dynamic_cast<const TControl*>(component))
            controls.push_back(ControlJson(form, *control));
        if (!dynamic_cast<const TForm*>(component))
            CollectControls(form, *component, controls);
    }
}

} // namespace

TJson VariantJson(const Variant& value) {
    switch (value.Type()) {
    case VarType::Empty:
        return TJson{{"empty", true}};
    case VarType::Null:
        return nullptr;
    case VarType::Boolean:
        return value.AsBoolean();
    case VarType::Integer:
        return value.AsInteger();
    case VarType::Int64:
        return value.AsInt64();
    case VarType::Double:
        return Real(value.AsDouble());
    case VarType::Date: {
        const std::string text = DateText(value.AsDate());
        if (text.empty())
            return TJson{{"date", nullptr}, {"day", Real(value.AsDate())}};
        return TJson{{"date", text}};
    }
    case VarType::String:
    case VarType::WideString:
        return value.AsString();
    case VarType::Array: {
        const VariantArray& array = value.Array();
        std::size_t offset = 0;
        if (array.DimCount() == 1)
            return TJson{{"lb", array.Bounds()[0].Low}, {"items", Nested(array, 0, offset)}};
        TJson bounds = TJson::array();
        for (const VarBounds& b : array.Bounds())
            bounds.push_back(TJson::array({b.Low, b.High}));
        return TJson{{"bounds", bounds}, {"items", Nested(array, 0, offset)}};
    }
    case VarType::Dispatch:
        return TJson{{"object", true}};
    }
    return nullptr;
}

Variant JsonVariant(const TJson& json) {
    return JsonVariantAt(json, 0);
}

namespace {

Variant JsonVariantAt(const TJson& json, int depth) {
    if (depth > kMaxNesting)
        Malformed(json, "nested too deeply");
    switch (json.type()) {
    case TJson::value_t::null:
        return Variant::Null();
    case TJson::value_t::boolean:
        return Variant(json.get<bool>());
    case TJson::value_t::number_integer:
    case TJson::value_t::number_unsigned: {
        if (json.is_number_unsigned() && json.get<std::uint64_t>() > std::numeric_limits<std::int64_t>::max())
            return Variant(json.get<double>());
        const std::int64_t number = json.get<std::int64_t>();
        if (number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            return Variant(static_cast<int>(number));
        return Variant(static_cast<long long>(number));
    }
    case TJson::value_t::number_float:
        return Variant(json.get<double>());
    case TJson::value_t::string:
        return Variant(json.get<std::string>());
    case TJson::value_t::array: {
        std::vector<Variant> items;
        for (const TJson& item : json)
            items.push_back(JsonVariantAt(item, depth + 1));
        return VarArrayOf(std::move(items));
    }
    case TJson::value_t::object:
        break;
    default:
        Malformed(json, "unknown kind");
    }
    if (json.size() == 1 && json.contains("empty") && json["empty"] == true)
        return Variant();
    if (json.size() == 1 && json.contains("object"))
        Malformed(json, "objects cannot be passed");
    if (json.contains("date") && json["date"].is_string()) {
        const auto day = TryStrToDateTime(json["date"].get<std::string>());
        if (!day)
            Malformed(json, "not a date");
        return Variant::FromDate(*day);
    }
    if (json.size() == 2 && json.contains("lb") && json.contains("items")) {
        const int low = BoundOf(json["lb"]);
        const TJson& items = json["items"];
        if (!items.is_array())
            Malformed(json, "items is not a list");
        if (std::int64_t{low} + static_cast<std::int64_t>(items.size()) - 1 > std::numeric_limits<int>::max())
            Malformed(json, "the items reach beyond the highest index");
        Variant array = VarArrayCreate({{low, low + static_cast<int>(items.size()) - 1}});
        int i = low;
        for (const TJson& item : items)
            array[i++] = JsonVariantAt(item, depth + 1);
        return array;
    }
    if (json.size() == 2 && json.contains("bounds") && json.contains("items")) {
        std::vector<VarBounds> bounds;
        if (!json["bounds"].is_array() || json["bounds"].empty())
            Malformed(json, "bounds is not a list of pairs");
        if (json["bounds"].size() > static_cast<std::size_t>(kMaxNesting))
            Malformed(json["bounds"].size(), "too many dimensions");
        for (const TJson& pair : json["bounds"]) {
            if (!pair.is_array() || pair.size() != 2)
                Malformed(json, "bounds is not a list of pairs");
            const VarBounds b{BoundOf(pair[0]), BoundOf(pair[1])};
            if (std::int64_t{b.High} < std::int64_t{b.Low} - 1)
                Malformed(json, "a high bound below its low bound");
            bounds.push_back(b);
        }
        CheckShape(json["items"], bounds, 0);
        Variant array = VarArrayCreate(bounds);
        std::size_t offset = 0;
        FillNested(json["items"], bounds, 0, array.Array().Items(), offset, depth);
        return array;
    }
    Malformed(json, "unknown object");
}

} // namespace

Variant JsonTextVariant(std::string_view text) {
    TJson json;
    try {
        json = TJson::parse(text);
    } catch (const TJson::exception& e) {
        throw Exception(std::string("Not JSON: ") + e.what());
    }
    return JsonVariant(json);
}

TJson ControlJson(const TForm& form, const TControl& control) {
    TJson json;
    json["name"] = PathOf(form, control);
    json["class"] = control.ClassName();
    json["text"] = control.Text();
    json["visible"] = control.Visible();
    json["enabled"] = control.Enabled();
    std::string colour;
    if (control.GetPropText("Color", colour) == TPropResult::Ok)
        json["color"] = colour;
    else
        json["color"] = nullptr;
    json["parent"] = control.Parent() ? TJson(PathOf(form, *control.Parent())) : TJson(nullptr);
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    json["tabOrder"] = windowed && &control != &form ? TJson(windowed->TabOrder()) : TJson(nullptr);
    json["focused"] = windowed && windowed->Focused();
    if (const int state = control.UserCheckState(); state >= 0)
        json["checked"] = state;
    return json;
}

TJson FormJson(const TForm& form) {
    TJson json;
    json["name"] = form.Name();
    json["class"] = form.ClassName();
    json["caption"] = form.Caption();
    json["visible"] = form.Visible();
    json["modal"] = form.Modal();
    TJson controls = TJson::array();
    CollectControls(form, form, controls);
    json["controls"] = std::move(controls);
    return json;
}

TJson ListJson(const TControl& control) {
    TJson json;
    json["name"] = control.Name();
    TJson columns = TJson::array();
    TJson rows = TJson::array();
    if (const auto* list = dynamic_cast<const TListView*>(&control)) {
        for (int c = 0; c < list->Columns()->Count(); ++c)
            columns.push_back(list->Columns()->Items(c)->Caption());
        for (int r = 0; r < list->Items()->Count(); ++r) {
            const TListItem* item = list->Items()->Item(r);
            TJson row = TJson::array({item->Caption()});
            for (int s = 0; s < item->SubItems()->Count(); ++s)
                row.push_back(item->SubItems()->Get(s));
            rows.push_back(std::move(row));
        }
        TJson selected = TJson::array();
        for (int r = 0; r < list->Items()->Count(); ++r)
            if (list->Items()->Item(r)->Selected())
                selected.push_back(r);
        json["columns"] = std::move(columns);
        json["rows"] = std::move(rows);
        json["selected"] = std::move(selected);
        return json;
    }
    if (const auto* grid = dynamic_cast<const TStringGrid*>(&control)) {
        for (int c = 0; c < grid->ColCount(); ++c)
            columns.push_back(grid->FixedRows() > 0 ? grid->Cells(c, 0) : std::string());
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r) {
            TJson row = TJson::array();
            for (int c = 0; c < grid->ColCount(); ++c)
                row.push_back(grid->Cells(c, r));
            rows.push_back(std::move(row));
        }
        json["columns"] = std::move(columns);
        json["rows"] = std::move(rows);
        return json;
    }
    throw Exception(control.Name() + " is a " + control.ClassName() + ", not a list");
}

std::string JsonLine(const TJson& json) {
    return json.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

} // namespace vondrel
