#include <vondrel/Dispatch.h>

#include "platform/SysUtils.h"

namespace vondrel {

bool TAutoObject::NameLess::operator()(std::string_view a, std::string_view b) const {
    return CompareText(a, b) < 0;
}

void TAutoObject::RegisterMethod(std::string name, Method method) {
    members_[std::move(name)].method = std::move(method);
}

void TAutoObject::RegisterProperty(std::string name, Getter getter, Setter setter) {
    Member& member = members_[std::move(name)];
    member.getter = std::move(getter);
    member.setter = std::move(setter);
}

Variant TAutoObject::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
    const auto found = members_.find(name);
    const Member* member = found == members_.end() ? nullptr : &found->second;
    const bool usable =
        member && (kind == InvokeKind::PropertyPut ? bool(member->setter) : member->method || member->getter);
    if (!usable)
        throw EOleError("Method '" + std::string(name) + "' not supported by automation object");
    try {
        if (kind == InvokeKind::PropertyPut) {
            member->setter(args.empty() ? Variant() : args.back());
            return {};
        }
        // A property read with arguments, or a method read as a property, both work:
        // late binding does not tell the two apart.
        if (member->method)
            return member->method(args);
        return member->getter();
    } catch (const EOleException&) {
        throw;
    } catch (const std::exception& e) {
        throw EOleException(e.what(), className_);
    }
}

} // namespace vondrel
