#pragma once

#include <vondrel/Exception.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace vondrel {

class Dispatch;
class Variant;
class VariantArray;
using DispatchPtr = std::shared_ptr<Dispatch>;

/// The kinds a variant can hold. Dates are day numbers (whole days since 30 December 1899
/// plus the fraction of the day); narrow texts are UTF-8, wide texts UTF-16.
enum class VarType : std::uint8_t {
    Empty,
    Null,
    Boolean,
    Integer,
    Int64,
    Double,
    Date,
    String,
    WideString,
    Array,
    Dispatch,
};

/// The platform's name of a variant kind, as it appears in conversion error messages.
const char* VarTypeName(VarType type) noexcept;

/// Bounds of one dimension of a variant array, both inclusive. An empty dimension has
/// High == Low - 1.
struct VarBounds {
    int Low = 0;
    int High = -1;
    int Count() const noexcept { return High - Low + 1; }
    friend bool operator==(const VarBounds&, const VarBounds&) = default;
};

/// How a late-bound name is used: called as a method, read or written as a property.
enum class InvokeKind : std::uint8_t { Method, PropertyGet, PropertyPut };

/// A self-describing value, the currency of every late-bound call between the module,
/// the shell and the application server. Arrays are values: copying a variant copies
/// its array, so a callee can never change an array its caller still holds.
class Variant {
public:
    Variant() noexcept = default;
    Variant(bool value) : value_(value) {}
    Variant(int value) : value_(static_cast<std::int32_t>(value)) {}
    Variant(unsigned value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(long value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(long long value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(unsigned long value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(double value) : value_(value) {}
    Variant(const char* text) : value_(std::string(text ? text : "")) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(std::string_view text) : value_(std::string(text)) {}
    Variant(const char16_t* text) : value_(std::u16string(text ? text : u"")) {}
    Variant(std::u16string text) : value_(std::move(text)) {}
    Variant(DispatchPtr object) : value_(std::move(object)) {}
    Variant(VariantArray array);

    static Variant Null() {
        Variant v;
        v.value_ = NullValue{};
        return v;
    }
    static Variant FromDate(double dayNumber) {
        Variant v;
        v.value_ = DateValue{dayNumber};
        return v;
    }

    VarType Type() const noexcept { return static_cast<VarType>(value_.index()); }
    bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
    bool IsNull() const noexcept { return Type() == VarType::Null; }
    bool IsArray() const noexcept { return Type() == VarType::Array; }
    bool IsDispatch() const noexcept { return Type() == VarType::Dispatch; }
    /// Either kind of text.
    bool IsText() const noexcept { return Type() == VarType::String || Type() == VarType::WideString; }
    bool IsNumeric() const noexcept;

    /// Conversions with the platform's rules; a value that cannot be converted raises
    /// EVariantTypeCastError, one that does not fit EVariantOverflowError.
    std::string AsString() const;
    std::u16string AsWideString() const;
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    double AsDate() const;
    DispatchPtr AsDispatch() const;

    /// Array access. DimCount is 0 for a value that is not an array; the other members
    /// raise EVariantInvalidOpError on such a value and EVariantBadIndexError for an index
    /// or dimension outside the bounds. Dimensions count from 1.
    int DimCount() const noexcept;
    int LowBound(int dim = 1) const;
    int HighBound(int dim = 1) const;
    const Variant& operator[](int index) const;
    Variant& operator[](int index);
    const Variant& At(std::initializer_list<int> indices) const;
    Variant& At(std::initializer_list<int> indices);
    const VariantArray& Array() const;
    VariantArray& Array();
    /// Changes the high bound of the last dimension, keeping the elements that remain.
    void Redim(int newHigh);

    /// Late-bound call of a method on the dispatch object this variant holds. An argument
    /// given as a modifiable Variant lvalue is passed by reference: the callee may change
    /// it and the caller sees the change; every other argument is passed by value.
    template <class... Args>
    Variant Call(std::string_view name, Args&&... args) const {
        return InvokeWith(name, InvokeKind::Method, std::forward<Args>(args)...);
    }
    /// Reads a property, with index arguments for an indexed property.
    template <class... Args>
    Variant Get(std::string_view name, Args&&... args) const {
        return InvokeWith(name, InvokeKind::PropertyGet, std::forward<Args>(args)...);
    }
    /// Writes a property.
    void Set(std::string_view name, Variant value) const;
    /// The raw late-bound call: arguments in order, each passed by reference.
    Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) const;

    /// Values compare equal when they hold the same value: numbers of different kinds by
    /// value, narrow and wide texts by their characters, arrays by bounds and elements,
    /// dispatch objects by identity. Empty and Null equal only themselves.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullValue {};
    struct DateValue {
        double Day;
    };
    /// Holds an array by value: copying the box copies the array.
    class ArrayBox {
    public:
        explicit ArrayBox(VariantArray array);
        ArrayBox(const ArrayBox& other);
        ArrayBox(ArrayBox&&) noexcept = default;
        ArrayBox& operator=(const ArrayBox& other);
        ArrayBox& operator=(ArrayBox&&) noexcept = default;
        ~ArrayBox();
        VariantArray& Get() const { return *array_; }

    private:
        std::unique_ptr<VariantArray> array_;
    };

    template <class... Args>
    Variant InvokeWith(std::string_view name, InvokeKind kind, Args&&... args) const {
        Variant values[sizeof...(Args) + 1] = {Variant(std::forward<Args>(args))...};
        Variant result = Invoke(name, kind, std::span<Variant>(values, sizeof...(Args)));
        std::size_t i = 0;
        (CopyBack<Args>(args, values[i++]), ...);
        return result;
    }
    template <class Arg, class T>
    static void CopyBack(T& arg, Variant& value) {
        if constexpr (std::is_same_v<Arg, Variant&>)
            arg = std::move(value);
    }

    [[noreturn]] void CastError(VarType target) const;
    const ArrayBox& Box() const;

    // The order of the alternatives follows VarType.
    std::variant<std::monostate, NullValue, bool, std::int32_t, std::int64_t, double, DateValue, std::string,
                 std::u16string, ArrayBox, DispatchPtr>
        value_;
};

/// A rectangular array of variants of one or more dimensions, each with its own bounds.
/// Elements are stored with the last index varying fastest.
class VariantArray {
public:
    explicit VariantArray(std::vector<VarBounds> bounds);
    VariantArray(int low, int high) : VariantArray(std::vector<VarBounds>{{low, high}}) {}

    const std::vector<VarBounds>& Bounds() const noexcept { return bounds_; }
    int DimCount() const noexcept { return static_cast<int>(bounds_.size()); }
    std::size_t Size() const noexcept { return items_.size(); }
    /// Every element in storage order.
    std::span<Variant> Items() noexcept { return items_; }
    std::span<const Variant> Items() const noexcept { return items_; }

    /// The element at the given indices (one per dimension); raises EVariantBadIndexError
    /// outside the bounds.
    Variant& Element(std::span<const int> indices);
    const Variant& Element(std::span<const int> indices) const;

    /// Changes the high bound of the last dimension. Elements inside the new bounds keep
    /// their values; new ones are empty.
    void Redim(int newHigh);

    friend bool operator==(const VariantArray&, const VariantArray&);

private:
    std::size_t Offset(std::span<const int> indices) const;

    std::vector<VarBounds> bounds_;
    std::vector<Variant> items_;
};

// The platform's variant routines under their usual names.

/// A new array of empty elements with the given bounds, one pair per dimension.
Variant VarArrayCreate(std::vector<VarBounds> bounds);
/// A one-dimensional array with bounds 0 .. n - 1 holding the given values.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(std::vector<Variant> values);
inline bool VarIsArray(const Variant& v) noexcept {
    return v.IsArray();
}
inline bool VarIsEmpty(const Variant& v) noexcept {
    return v.IsEmpty();
}
inline bool VarIsNull(const Variant& v) noexcept {
    return v.IsNull();
}
inline int VarArrayDimCount(const Variant& v) noexcept {
    return v.DimCount();
}
inline int VarArrayLowBound(const Variant& v, int dim) {
    return v.LowBound(dim);
}
inline int VarArrayHighBound(const Variant& v, int dim) {
    return v.HighBound(dim);
}
inline VarType VarTypeOf(const Variant& v) noexcept {
    return v.Type();
}
/// The value as text, with Empty and Null giving an empty text (never raises for them).
std::string VarToStr(const Variant& v);

} // namespace vondrel
