#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace vondrel {

/// What a published property holds, as option saving, language files and form
/// conversion see it.
enum class TPropKind : std::uint8_t {
    Integer,
    Enumeration,
    Set,
    Float,
    Text,
    Strings,
    Class,
    Event,
    Boolean
};
const char* PropKindName(TPropKind kind) noexcept;

/// The value names of an enumeration, in ordinal order, as form files and saved option
/// texts spell them ("taRightJustify").
class TEnumInfo {
public:
    TEnumInfo(std::string typeName, std::vector<std::string> names);

    const std::string& TypeName() const noexcept { return typeName_; }
    int Count() const noexcept { return static_cast<int>(names_.size()); }
    /// The name of an ordinal; empty outside the range.
    std::string NameOf(int value) const;
    /// The ordinal of a name, compared without regard to case.
    std::optional<int> ValueOf(std::string_view name) const noexcept;

    /// A set of these values as text: "[fsBold,fsItalic]", "[]" when empty.
    std::string SetToText(std::uint32_t bits) const;
    /// Reads "[a, b]" (brackets optional, blanks ignored); empty on an unknown name.
    std::optional<std::uint32_t> TextToSet(std::string_view text) const;

private:
    std::string typeName_;
    std::vector<std::string> names_;
};

/// Specialised for every enumeration that is published: `static const TEnumInfo& Info();`.
template <class E>
struct TEnumTraits;

template <class E>
concept PublishedEnum = std::is_enum_v<E> && requires {
    { TEnumTraits<E>::Info() } -> std::same_as<const TEnumInfo&>;
};

/// A set of enumeration values (at most 32), the platform's "set of" type.
template <class E>
class TSet {
public:
    using Element = E;

    constexpr TSet() noexcept = default;
    constexpr TSet(std::initializer_list<E> items) noexcept {
        for (E item : items)
            bits_ |= Bit(item);
    }
    static constexpr TSet FromBits(std::uint32_t bits) noexcept {
        TSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr std::uint32_t Bits() const noexcept { return bits_; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr bool Contains(E item) const noexcept { return (bits_ & Bit(item)) != 0; }
    constexpr TSet& Include(E item) noexcept {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item) noexcept {
        bits_ &= ~Bit(item);
        return *this;
    }

    friend constexpr TSet operator+(TSet a, TSet b) noexcept { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator-(TSet a, TSet b) noexcept { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TSet operator*(TSet a, TSet b) noexcept { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TSet a, TSet b) noexcept = default;

private:
    static constexpr std::uint32_t Bit(E item) noexcept { return 1u << static_cast<unsigned>(item); }
    std::uint32_t bits_ = 0;
};

template <class T>
inline constexpr bool IsSet = false;
template <class E>
inline constexpr bool IsSet<TSet<E>> = true;

/// Names for some values of an integer type (colours, cursors, character sets). A value
/// without a name is written as a number: decimal, or "$" and eight hexadecimal digits
/// when the map says so (colours).
class TIdentMap {
public:
    TIdentMap(std::string typeName, std::vector<std::pair<std::string, std::int32_t>> entries,
              bool hexNumbers = false);

    const std::string& TypeName() const noexcept { return typeName_; }
    std::optional<std::int32_t> ToValue(std::string_view ident) const noexcept;
    std::optional<std::string> ToIdent(std::int32_t value) const;
    /// The ident, or the number in this map's notation.
    std::string ToText(std::int32_t value) const;
    /// An ident or a number (decimal or hexadecimal); empty when neither.
    std::optional<std::int32_t> FromText(std::string_view text) const noexcept;
    const std::vector<std::pair<std::string, std::int32_t>>& Entries() const noexcept { return entries_; }

private:
    std::string typeName_;
    std::vector<std::pair<std::string, std::int32_t>> entries_;
    bool hexNumbers_;
};

} // namespace vondrel
