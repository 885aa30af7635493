#pragma once

#include "ui/Event.h"
#include "ui/TypeInfo.h"

#include <vondrel/Exception.h>
#include <vondrel/Variant.h>

#include <any>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vondrel {

class TObject;
class TStrings;
class TComponent;

/// The outcome of reading or writing a property by name. The failures are distinct so
/// that a caller can tell a misspelt name from a value the property refuses.
enum class TPropResult : std::uint8_t {
    Ok,
    UnknownProperty, ///< no published property of that name (or a path that leads nowhere)
    ReadOnly,        ///< the property cannot be written
    BadValue,        ///< the value does not fit the property, or the property refused it
    NotAValue,       ///< an object or event property read or written as a value
};
const char* PropResultText(TPropResult result) noexcept;

/// Raised by a property writer for a value that does not fit; reported as BadValue.
class EPropertyValueError : public Exception {
    using Exception::Exception;
};

/// One published property: its name, kind and type, and type-erased access. Values of
/// enumerations and sets travel as their ordinals and bit masks; writers also accept
/// their texts ("taCenter", "[fsBold]", "clRed").
struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::string TypeName;
    const TEnumInfo* Enum = nullptr;   ///< enumerations, and the elements of sets
    const TIdentMap* Idents = nullptr; ///< integers with names (colours, cursors)
    bool Writable = false;
    bool ComponentReference = false; ///< a class property naming another component
    std::function<Variant(const TObject&)> Read;
    std::function<void(TObject&, const Variant&)> Write;
    std::function<TObject*(const TObject&)> ReadObject;
    std::function<void(TObject&, TObject*)> WriteObject;
    std::function<std::any(const TObject&)> ReadEvent;
    std::function<void(TObject&, const std::any&)> WriteEvent;
};

/// The run-time description of a class: its name, its parent and the properties it
/// publishes. Properties are inherited down the class chain; a class may publish a
/// property that an ancestor declared without publishing it.
class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const noexcept { return name_; }
    const TClassInfo* Parent() const noexcept { return parent_; }
    /// True for this class and its ancestors, by name without regard to case.
    bool InheritsFrom(std::string_view className) const noexcept;
    /// A published property of this class or an ancestor, by name without regard to case.
    const TPropInfo* FindProperty(std::string_view name) const noexcept;
    /// Every published property, the ancestors' first.
    std::vector<const TPropInfo*> Properties() const;

    void Add(TPropInfo info, bool published);
    /// Publishes a property an ancestor declared (published or not) under the same name.
    void Publish(std::string_view name);

private:
    struct Entry {
        std::unique_ptr<TPropInfo> Info;
        bool Published = false;
    };
    const Entry* Find(std::string_view name, bool publishedOnly) const noexcept;

    std::string name_;
    const TClassInfo* parent_;
    std::vector<Entry> own_;
};

/// A class described so far, by name without regard to case; nullptr when none is.
const TClassInfo* FindClass(std::string_view name) noexcept;

namespace detail {

[[noreturn]] void BadPropertyValue(const std::string& why);
std::string StringsText(const TStrings& strings);
void SetStringsText(TStrings& strings, std::string_view text);
std::string ComponentReferenceName(const TObject* target);
TObject* ResolveComponentReference(const TObject& from, std::string_view name);

std::int64_t IntegerFromVariant(const Variant& value, const TIdentMap* idents);
int OrdinalFromVariant(const Variant& value, const TEnumInfo& info);
std::uint32_t SetFromVariant(const Variant& value, const TEnumInfo& info);

template <class T>
struct IsEvent : std::false_type {};
template <class... A>
struct IsEvent<TEvent<A...>> : std::true_type {};

template <class T>
constexpr TPropKind KindOf() {
    if constexpr (std::is_same_v<T, bool>)
        return TPropKind::Boolean;
    else if constexpr (std::is_enum_v<T>)
        return TPropKind::Enumeration;
    else if constexpr (IsSet<T>)
        return TPropKind::Set;
    else if constexpr (std::is_integral_v<T>)
        return TPropKind::Integer;
    else if constexpr (std::is_floating_point_v<T>)
        return TPropKind::Float;
    else if constexpr (std::is_same_v<T, std::string>)
        return TPropKind::Text;
    else if constexpr (std::is_pointer_v<T> &&
                       std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<T>>>)
        return TPropKind::Strings;
    else if constexpr (std::is_pointer_v<T>)
        return TPropKind::Class;
    else
        static_assert(sizeof(T) == 0, "this type cannot be published");
}

template <class T>
std::string TypeNameOf() {
    if constexpr (std::is_same_v<T, bool>)
        return "Boolean";
    else if constexpr (std::is_enum_v<T>)
        return TEnumTraits<T>::Info().TypeName();
    else if constexpr (IsSet<T>)
        return "set of " + TEnumTraits<typename T::Element>::Info().TypeName();
    else if constexpr (std::is_integral_v<T>)
        return sizeof(T) == 1 ? "Byte" : "Integer";
    else if constexpr (std::is_floating_point_v<T>)
        return "Double";
    else if constexpr (std::is_same_v<T, std::string>)
        return "String";
    else
        return "Class";
}

template <class T>
Variant ToVariant(const T& value) {
    if constexpr (std::is_same_v<T, bool>)
        return Variant(value);
    else if constexpr (std::is_enum_v<T>)
        return Variant(static_cast<int>(value));
    else if constexpr (IsSet<T>)
        return Variant(static_cast<long long>(value.Bits()));
    else if constexpr (std::is_integral_v<T>)
        return Variant(static_cast<long long>(value));
    else
        return Variant(value);
}

template <class T>
T FromVariant(const Variant& value, const TIdentMap* idents) {
    if constexpr (std::is_same_v<T, bool>) {
        return value.AsBoolean();
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<T>(OrdinalFromVariant(value, TEnumTraits<T>::Info()));
    } else if constexpr (IsSet<T>) {
        return T::FromBits(SetFromVariant(value, TEnumTraits<typename T::Element>::Info()));
    } else if constexpr (std::is_integral_v<T>) {
        const std::int64_t number = IntegerFromVariant(value, idents);
        if (number < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
            number > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
            BadPropertyValue(std::to_string(number) + " is out of range");
        return static_cast<T>(number);
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(value.AsDouble());
    } else {
        return VarToStr(value);
    }
}

} // namespace detail

/// Fills a class description; used once per class from its constructor:
///
///     static const TClassInfo& info = DescribeClass<TEdit>("TEdit", [](TClassBuilder<TEdit>& c) {
///         c.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
///     });
///
/// A getter is a const member function; a setter takes the value, optionally followed by
/// a TNotify, which a write by name passes as TNotify::Yes; a property that changes
/// silently when written from code registers a lambda calling the setter instead.
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : info_(info) {}

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Property(std::string name, G getter, S setter = nullptr) {
        info_.Add(Make(std::move(name), getter, setter, nullptr), true);
        return *this;
    }
    /// An integer property with names for some of its values.
    template <class G, class S>
    TClassBuilder& Property(std::string name, G getter, S setter, const TIdentMap& idents) {
        info_.Add(Make(std::move(name), getter, setter, &idents), true);
        return *this;
    }
    /// A property that descendants may publish (the platform's protected properties).
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Declared(std::string name, G getter, S setter = nullptr,
                            const TIdentMap* idents = nullptr) {
        info_.Add(Make(std::move(name), getter, setter, idents), false);
        return *this;
    }
    /// An event slot (a public TEvent member).
    template <class E, class M>
    TClassBuilder& Event(std::string name, E M::*slot, bool published = true) {
        static_assert(detail::IsEvent<E>::value, "an event slot is a TEvent member");
        TPropInfo info;
        info.Name = std::move(name);
        info.Kind = TPropKind::Event;
        info.TypeName = "Event";
        info.Writable = true;
        info.ReadEvent = [slot](const TObject& object) {
            return std::any(static_cast<const C&>(object).*slot);
        };
        info.WriteEvent = [slot](TObject& object, const std::any& value) {
            static_cast<C&>(object).*slot = std::any_cast<const E&>(value);
        };
        info_.Add(std::move(info), published);
        return *this;
    }
    /// Publishes properties that an ancestor declared.
    TClassBuilder& Publish(std::initializer_list<std::string_view> names) {
        for (std::string_view name : names)
            info_.Publish(name);
        return *this;
    }

private:
    template <class G, class S>
    static TPropInfo Make(std::string name, G getter, S setter, const TIdentMap* idents) {
        using Value = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        TPropInfo info;
        info.Name = std::move(name);
        info.Kind = detail::KindOf<Value>();
        info.TypeName = idents ? idents->TypeName() : detail::TypeNameOf<Value>();
        info.Idents = idents;
        if constexpr (std::is_enum_v<Value>)
            info.Enum = &TEnumTraits<Value>::Info();
        if constexpr (IsSet<Value>)
            info.Enum = &TEnumTraits<typename Value::Element>::Info();

        if constexpr (std::is_pointer_v<Value>) {
            using Target = std::remove_cv_t<std::remove_pointer_t<Value>>;
            info.ReadObject = [getter](const TObject& object) -> TObject* {
                return const_cast<Target*>(std::invoke(getter, static_cast<const C&>(object)));
            };
            if constexpr (std::is_base_of_v<TStrings, Target>) {
                info.Writable = !std::is_const_v<std::remove_pointer_t<Value>>;
                info.Read = [getter](const TObject& object) {
                    const Target* strings = std::invoke(getter, static_cast<const C&>(object));
                    return Variant(strings ? detail::StringsText(*strings) : std::string());
                };
                info.Write = [getter](TObject& object, const Variant& value) {
                    Target* strings = const_cast<Target*>(std::invoke(getter, static_cast<const C&>(object)));
                    if (!strings)
                        detail::BadPropertyValue("no list to write to");
                    detail::SetStringsText(*strings, VarToStr(value));
                };
            } else if constexpr (!std::is_same_v<S, std::nullptr_t>) {
                info.Writable = true;
                info.ComponentReference = std::is_base_of_v<TComponent, Target>;
                info.TypeName = "Class";
                info.WriteObject = [setter](TObject& object, TObject* value) {
                    Target* target = value ? dynamic_cast<Target*>(value) : nullptr;
                    if (value && !target)
                        detail::BadPropertyValue("an object of another class");
                    std::invoke(setter, static_cast<C&>(object), target);
                };
            }
        } else {
            info.Read = [getter](const TObject& object) {
                return detail::ToVariant<Value>(std::invoke(getter, static_cast<const C&>(object)));
            };
            if constexpr (!std::is_same_v<S, std::nullptr_t>) {
                info.Writable = true;
                info.Write = [setter, idents](TObject& object, const Variant& value) {
                    Value converted = detail::FromVariant<Value>(value, idents);
                    if constexpr (std::is_invocable_v<S, C&, Value, TNotify>)
                        std::invoke(setter, static_cast<C&>(object), std::move(converted), TNotify::Yes);
                    else
                        std::invoke(setter, static_cast<C&>(object), std::move(converted));
                };
            }
        }
        return info;
    }

    TClassInfo& info_;
};

} // namespace vondrel
