#pragma once

#include <vondrel/Variant.h>

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace vondrel {

/// A late-bound object: methods and properties are reached by name at run time.
/// Arguments come in order and each is passed by reference, so the callee may change
/// them. A failure raises EOleException whose message is the object's error description;
/// an unknown name raises EOleError.
class Dispatch {
public:
    virtual ~Dispatch() = default;
    virtual Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) = 0;
};

/// Base for dispatch objects written in C++: members are registered by name (compared
/// without regard to case) and any exception a member raises reaches the caller as
/// EOleException carrying the exception's text.
class TAutoObject : public Dispatch {
public:
    using Method = std::function<Variant(std::span<Variant> args)>;
    using Getter = std::function<Variant()>;
    using Setter = std::function<void(const Variant& value)>;

    Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

protected:
    /// The object's name in error messages ("Source" of the exception).
    explicit TAutoObject(std::string className) : className_(std::move(className)) {}

    void RegisterMethod(std::string name, Method method);
    void RegisterProperty(std::string name, Getter getter, Setter setter = {});

private:
    struct Member {
        Method method;
        Getter getter;
        Setter setter;
    };
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::string className_;
    std::map<std::string, Member, NameLess> members_;
};

} // namespace vondrel
