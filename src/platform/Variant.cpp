#include <vondrel/Variant.h>

#include <vondrel/Dispatch.h>

#include "platform/DateTime.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"

#include <cmath>
#include <limits>

namespace vondrel {

namespace {

/// Rounds half to even, the platform's rule for numbers converted to integers.
double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

} // namespace

const char* VarTypeName(VarType type) noexcept {
    switch (type) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::Boolean:
        return "Boolean";
    case VarType::Integer:
        return "Integer";
    case VarType::Int64:
        return "Int64";
    case VarType::Double:
        return "Double";
    case VarType::Date:
        return "Date";
    case VarType::String:
        return "String";
    case VarType::WideString:
        return "OleStr";
    case VarType::Array:
        return "Array Variant";
    case VarType::Dispatch:
        return "Dispatch";
    }
    return "Unknown";
}

// ---- ArrayBox -------------------------------------------------------------------------

Variant::ArrayBox::ArrayBox(VariantArray array) : array_(std::make_unique<VariantArray>(std::move(array))) {}
Variant::ArrayBox::ArrayBox(const ArrayBox& other) : array_(std::make_unique<VariantArray>(*other.array_)) {}
Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& other) {
    if (this != &other)
        array_ = std::make_unique<VariantArray>(*other.array_);
    return *this;
}
Variant::ArrayBox::~ArrayBox() = default;

Variant::Variant(VariantArray array) : value_(ArrayBox(std::move(array))) {}

// ---- conversions ----------------------------------------------------------------------

void Variant::CastError(VarType target) const {
    throw EVariantTypeCastError(std::string("Could not convert variant of type (") + VarTypeName(Type()) +
                                ") into type (" + VarTypeName(target) + ")");
}

bool Variant::IsNumeric() const noexcept {
    switch (Type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Int64:
    case VarType::Double:
        return true;
    default:
        return false;
    }
}

std::string Variant::AsString() const {
    switch (Type()) {
    case VarType::Empty:
        return {};
    case VarType::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case VarType::Integer:
        return IntToStr(std::get<std::int32_t>(value_));
    case VarType::Int64:
        return IntToStr(std::get<std::int64_t>(value_));
    case VarType::Double:
        return FloatToStr(std::get<double>(value_));
    case VarType::Date:
        return DateTimeToStr(std::get<DateValue>(value_).Day);
    case VarType::String:
        return std::get<std::string>(value_);
    case VarType::WideString:
        return Utf16ToUtf8(std::get<std::u16string>(value_));
    default:
        CastError(VarType::String);
    }
}

std::u16string Variant::AsWideString() const {
    if (Type() == VarType::WideString)
        return std::get<std::u16string>(value_);
    if (Type() == VarType::Null || Type() == VarType::Array || Type() == VarType::Dispatch)
        CastError(VarType::WideString);
    return Utf8ToUtf16(AsString());
}

double Variant::AsDouble() const {
    switch (Type()) {
    case VarType::Empty:
        return 0;
    case VarType::Boolean:
        return std::get<bool>(value_) ? -1 : 0;
    case VarType::Integer:
        return std::get<std::int32_t>(value_);
    case VarType::Int64:
        return static_cast<double>(std::get<std::int64_t>(value_));
    case VarType::Double:
        return std::get<double>(value_);
    case VarType::Date:
        return std::get<DateValue>(value_).Day;
    case VarType::String:
    case VarType::WideString:
        if (const auto number = TryStrToFloat(AsString()))
            return *number;
        CastError(VarType::Double);
    default:
        CastError(VarType::Double);
    }
}

std::int64_t Variant::AsInt64() const {
    switch (Type()) {
    case VarType::Integer:
        return std::get<std::int32_t>(value_);
    case VarType::Int64:
        return std::get<std::int64_t>(value_);
    case VarType::String:
    case VarType::WideString: {
        const std::string text = AsString();
        if (const auto number = TryStrToInt64(text))
            return *number;
        if (!TryStrToFloat(text))
            CastError(VarType::Int64);
        break;
    }
    case VarType::Null:
    case VarType::Array:
    case VarType::Dispatch:
        CastError(VarType::Int64);
    default:
        break;
    }
    const double number = RoundHalfEven(AsDouble());
    if (!std::isfinite(number) || number < -9223372036854775808.0 || number >= 9223372036854775808.0)
        throw EVariantOverflowError("Overflow while converting variant of type (" +
                                    std::string(VarTypeName(Type())) + ") into type (Int64)");
    return static_cast<std::int64_t>(number);
}

std::int32_t Variant::AsInteger() const {
    // The failures name the type asked for, not the wider one used on the way.
    std::int64_t number = 0;
    bool fits = true;
    try {
        number = AsInt64();
    } catch (const EVariantTypeCastError&) {
        CastError(VarType::Integer);
    } catch (const EVariantOverflowError&) {
        fits = false;
    }
    if (!fits || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        throw EVariantOverflowError("Overflow while converting variant of type (" +
                                    std::string(VarTypeName(Type())) + ") into type (Integer)");
    return static_cast<std::int32_t>(number);
}

bool Variant::AsBoolean() const {
    switch (Type()) {
    case VarType::Boolean:
        return std::get<bool>(value_);
    case VarType::String:
    case VarType::WideString: {
        const std::string text = Trim(AsString());
        if (SameText(text, "True"))
            return true;
        if (SameText(text, "False"))
            return false;
        if (const auto number = TryStrToFloat(text))
            return *number != 0;
        CastError(VarType::Boolean);
    }
    default:
        if (Type() == VarType::Null || Type() == VarType::Array || Type() == VarType::Dispatch)
            CastError(VarType::Boolean);
        return AsDouble() != 0;
    }
}

double Variant::AsDate() const {
    switch (Type()) {
    case VarType::String:
    case VarType::WideString: {
        const std::string text = AsString();
        if (const auto date = TryStrToDateTime(text))
            return *date;
        if (const auto number = TryStrToFloat(text))
            return *number;
        CastError(VarType::Date);
    }
    default:
        if (Type() == VarType::Null || Type() == VarType::Array || Type() == VarType::Dispatch)
            CastError(VarType::Date);
        return AsDouble();
    }
}

DispatchPtr Variant::AsDispatch() const {
    if (Type() == VarType::Dispatch)
        return std::get<DispatchPtr>(value_);
    if (Type() == VarType::Empty)
        return nullptr;
    CastError(VarType::Dispatch);
}

std::string VarToStr(const Variant& v) {
    return v.IsNull() ? std::string() : v.AsString();
}

// ---- arrays ---------------------------------------------------------------------------

const Variant::ArrayBox& Variant::Box() const {
    if (!IsArray())
        throw EVariantInvalidOpError("Variant is not an array");
    return std::get<ArrayBox>(value_);
}

const VariantArray& Variant::Array() const {
    return Box().Get();
}
VariantArray& Variant::Array() {
    return Box().Get();
}

int Variant::DimCount() const noexcept {
    return IsArray() ? std::get<ArrayBox>(value_).Get().DimCount() : 0;
}

int Variant::LowBound(int dim) const {
    const auto& bounds = Array().Bounds();
    if (dim < 1 || dim > static_cast<int>(bounds.size()))
        throw EVariantBadIndexError("Variant array dimension out of range");
    return bounds[static_cast<std::size_t>(dim - 1)].Low;
}

int Variant::HighBound(int dim) const {
    const auto& bounds = Array().Bounds();
    if (dim < 1 || dim > static_cast<int>(bounds.size()))
        throw EVariantBadIndexError("Variant array dimension out of range");
    return bounds[static_cast<std::size_t>(dim - 1)].High;
}

const Variant& Variant::operator[](int index) const {
    return Array().Element(std::span<const int>(&index, 1));
}
Variant& Variant::operator[](int index) {
    return Array().Element(std::span<const int>(&index, 1));
}

const Variant& Variant::At(std::initializer_list<int> indices) const {
    return Array().Element(std::span<const int>(indices.begin(), indices.size()));
}
Variant& Variant::At(std::initializer_list<int> indices) {
    return Array().Element(std::span<const int>(indices.begin(), indices.size()));
}

void Variant::Redim(int newHigh) {
    Array().Redim(newHigh);
}

namespace {

/// The number of elements of a dimension whose last index is high, checked so that the
/// count, every index and the loops that run up to the high bound stay inside int.
std::int64_t CheckedCount(std::int64_t low, std::int64_t high) {
    const std::int64_t count = high - low + 1;
    if (count < 0 || count > std::numeric_limits<int>::max() || high == std::numeric_limits<int>::max())
        throw EVariantBadIndexError("Invalid variant array bounds");
    return count;
}

} // namespace

VariantArray::VariantArray(std::vector<VarBounds> bounds) : bounds_(std::move(bounds)) {
    std::int64_t count = bounds_.empty() ? 0 : 1;
    for (const VarBounds& b : bounds_) {
        const std::int64_t dimension = CheckedCount(b.Low, b.High);
        // Stop before the product could wrap round to a size smaller than the bounds.
        if (dimension != 0 && count > std::numeric_limits<int>::max() / dimension)
            throw EVariantBadIndexError("Invalid variant array bounds: too many elements");
        count *= dimension;
    }
    items_.resize(static_cast<std::size_t>(count));
}

std::size_t VariantArray::Offset(std::span<const int> indices) const {
    if (indices.size() != bounds_.size())
        throw EVariantBadIndexError("Variant array index out of bounds");
    std::size_t offset = 0;
    for (std::size_t d = 0; d < bounds_.size(); ++d) {
        const VarBounds& b = bounds_[d];
        if (indices[d] < b.Low || indices[d] > b.High)
            throw EVariantBadIndexError("Variant array index out of bounds");
        offset = offset * static_cast<std::size_t>(b.Count()) + static_cast<std::size_t>(indices[d] - b.Low);
    }
    return offset;
}

Variant& VariantArray::Element(std::span<const int> indices) {
    return items_[Offset(indices)];
}
const Variant& VariantArray::Element(std::span<const int> indices) const {
    return items_[Offset(indices)];
}

void VariantArray::Redim(int newHigh) {
    if (bounds_.empty())
        throw EVariantBadIndexError("Invalid variant array bounds");
    const auto oldCount = static_cast<std::size_t>(bounds_.back().Count());
    const auto newCount = static_cast<std::size_t>(CheckedCount(bounds_.back().Low, newHigh));
    // One row per element of the other dimensions, each a run of the last dimension; the
    // rows come from the bounds, since an empty array has no items to count them by.
    std::size_t rows = 1;
    for (std::size_t d = 0; d + 1 < bounds_.size(); ++d)
        rows *= static_cast<std::size_t>(bounds_[d].Count());
    if (newCount != 0 && rows > static_cast<std::size_t>(std::numeric_limits<int>::max()) / newCount)
        throw EVariantBadIndexError("Invalid variant array bounds: too many elements");
    std::vector<Variant> items(rows * newCount);
    const std::size_t kept = std::min(oldCount, newCount);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < kept; ++c)
            items[r * newCount + c] = std::move(items_[r * oldCount + c]);
    items_ = std::move(items);
    bounds_.back().High = newHigh;
}

bool operator==(const VariantArray& a, const VariantArray& b) {
    return a.bounds_ == b.bounds_ && a.items_ == b.items_;
}

Variant VarArrayCreate(std::vector<VarBounds> bounds) {
    if (bounds.empty())
        throw EVariantBadIndexError("Invalid variant array bounds");
    return Variant(VariantArray(std::move(bounds)));
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
    return VarArrayOf(std::vector<Variant>(values));
}

Variant VarArrayOf(std::vector<Variant> values) {
    VariantArray array(0, static_cast<int>(values.size()) - 1);
    std::move(values.begin(), values.end(), array.Items().begin());
    return Variant(std::move(array));
}

// ---- comparison -----------------------------------------------------------------------

bool operator==(const Variant& a, const Variant& b) {
    const VarType ta = a.Type(), tb = b.Type();
    if (ta == VarType::Empty || tb == VarType::Empty || ta == VarType::Null || tb == VarType::Null)
        return ta == tb;
    if (a.IsText() && b.IsText())
        return a.AsString() == b.AsString();
    if (a.IsArray() || b.IsArray())
        return a.IsArray() && b.IsArray() && a.Array() == b.Array();
    if (a.IsDispatch() || b.IsDispatch())
        return a.IsDispatch() && b.IsDispatch() && a.AsDispatch() == b.AsDispatch();
    if (a.IsText() || b.IsText())
        return false;
    if ((ta == VarType::Date) != (tb == VarType::Date))
        return false;
    if ((ta == VarType::Integer || ta == VarType::Int64) && (tb == VarType::Integer || tb == VarType::Int64))
        return a.AsInt64() == b.AsInt64();
    return a.AsDouble() == b.AsDouble();
}

// ---- late binding ---------------------------------------------------------------------

Variant Variant::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) const {
    if (!IsDispatch() || !std::get<DispatchPtr>(value_))
        throw EVariantInvalidOpError("Variant does not reference an automation object");
    // Keep the object alive for the whole call, even if the call drops the last
    // other reference to it.
    const DispatchPtr object = std::get<DispatchPtr>(value_);
    return object->Invoke(name, kind, args);
}

void Variant::Set(std::string_view name, Variant value) const {
    Invoke(name, InvokeKind::PropertyPut, std::span<Variant>(&value, 1));
}

} // namespace vondrel
