#include "ui/Object.h"

#include "platform/SysUtils.h"

#include <cassert>
#include <map>
#include <mutex>

namespace vondrel {

namespace {

struct ClassRegistry {
    std::mutex Lock;
    std::vector<std::unique_ptr<TClassInfo>> Classes;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

const TClassInfo& RootClass() {
    static TClassInfo info("TObject", nullptr);
    return info;
}

} // namespace

const char* PropResultText(TPropResult result) noexcept {
    switch (result) {
    case TPropResult::Ok:
        return "ok";
    case TPropResult::UnknownProperty:
        return "unknown property";
    case TPropResult::ReadOnly:
        return "read-only property";
    case TPropResult::BadValue:
        return "bad value";
    case TPropResult::NotAValue:
        return "not a value property";
    }
    return "?";
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {}

bool TClassInfo::InheritsFrom(std::string_view className) const noexcept {
    for (const TClassInfo* info = this; info; info = info->parent_)
        if (SameText(info->name_, className))
            return true;
    return false;
}

const TClassInfo::Entry* TClassInfo::Find(std::string_view name, bool publishedOnly) const noexcept {
    for (const TClassInfo* info = this; info; info = info->parent_)
        for (const Entry& entry : info->own_)
            if (SameText(entry.Info->Name, name)) {
                if (entry.Published || !publishedOnly)
                    return &entry;
                // A declared property hides nothing: an ancestor may still publish it.
            }
    return nullptr;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const noexcept {
    const Entry* entry = Find(name, true);
    return entry ? entry->Info.get() : nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* info = this; info; info = info->parent_)
        chain.insert(chain.begin(), info);
    std::vector<const TPropInfo*> result;
    for (const TClassInfo* info : chain)
        for (const Entry& entry : info->own_) {
            if (!entry.Published)
                continue;
            bool replaced = false;
            for (const TPropInfo*& existing : result)
                if (SameText(existing->Name, entry.Info->Name)) {
                    existing = entry.Info.get();
                    replaced = true;
                }
            if (!replaced)
                result.push_back(entry.Info.get());
        }
    return result;
}

void TClassInfo::Add(TPropInfo info, bool published) {
    own_.push_back(Entry{std::make_unique<TPropInfo>(std::move(info)), published});
}

void TClassInfo::Publish(std::string_view name) {
    const Entry* inherited = parent_ ? parent_->Find(name, false) : nullptr;
    if (!inherited) {
        assert(false && "publishing a property no ancestor declares");
        return;
    }
    Add(*inherited->Info, true);
}

const TClassInfo* FindClass(std::string_view name) noexcept {
    ClassRegistry& registry = Registry();
    std::lock_guard guard(registry.Lock);
    for (const auto& info : registry.Classes)
        if (SameText(info->Name(), name))
            return info.get();
    if (SameText(name, "TObject"))
        return &RootClass();
    return nullptr;
}

namespace detail {

void BadPropertyValue(const std::string& why) {
    throw EPropertyValueError(why);
}

std::int64_t IntegerFromVariant(const Variant& value, const TIdentMap* idents) {
    if (value.IsText()) {
        const std::string text = Trim(value.AsString());
        if (idents) {
            if (const auto number = idents->FromText(text))
                return *number;
        } else if (const auto number = TryStrToInt64(text)) {
            return *number;
        }
        BadPropertyValue("'" + text + "' is not a valid integer value");
    }
    if (value.IsEmpty() || value.IsNull() || value.IsArray() || value.IsDispatch())
        BadPropertyValue("not an integer value");
    return value.AsInt64();
}

int OrdinalFromVariant(const Variant& value, const TEnumInfo& info) {
    if (value.IsText()) {
        const std::string text = Trim(value.AsString());
        if (const auto ordinal = info.ValueOf(text))
            return *ordinal;
        BadPropertyValue("'" + text + "' is not a value of " + info.TypeName());
    }
    if (value.Type() == VarType::Boolean || !value.IsNumeric())
        BadPropertyValue("not a value of " + info.TypeName());
    const std::int64_t ordinal = value.AsInt64();
    if (ordinal < 0 || ordinal >= info.Count())
        BadPropertyValue(std::to_string(ordinal) + " is out of range for " + info.TypeName());
    return static_cast<int>(ordinal);
}

std::uint32_t SetFromVariant(const Variant& value, const TEnumInfo& info) {
    const std::uint64_t all = info.Count() >= 32 ? 0xFFFFFFFFull : (1ull << info.Count()) - 1;
    if (value.IsText()) {
        const std::string text = Trim(value.AsString());
        if (const auto bits = info.TextToSet(text))
            return *bits;
        if (const auto number = TryStrToInt64(text);
            number && *number >= 0 && static_cast<std::uint64_t>(*number) <= all)
            return static_cast<std::uint32_t>(*number);
        BadPropertyValue("'" + text + "' is not a set of " + info.TypeName());
    }
    if (value.Type() == VarType::Boolean || !value.IsNumeric())
        BadPropertyValue("not a set of " + info.TypeName());
    const std::int64_t bits = value.AsInt64();
    if (bits < 0 || static_cast<std::uint64_t>(bits) > all)
        BadPropertyValue("not a set of " + info.TypeName());
    return static_cast<std::uint32_t>(bits);
}

} // namespace detail

TObject::TObject() noexcept : class_(&RootClass()) {}

TObject::~TObject() = default;

TClassInfo& TObject::NewClassInfo(std::string name, const TClassInfo* parent) {
    ClassRegistry& registry = Registry();
    std::lock_guard guard(registry.Lock);
    registry.Classes.push_back(std::make_unique<TClassInfo>(std::move(name), parent));
    return *registry.Classes.back();
}

TPropResult TObject::Resolve(std::string_view path, const TObject*& owner, const TPropInfo*& info) const {
    owner = this;
    while (true) {
        const std::size_t dot = path.find('.');
        const std::string segment = Trim(path.substr(0, dot));
        info = owner->FindProperty(segment);
        if (!info)
            return TPropResult::UnknownProperty;
        if (dot == std::string_view::npos)
            return TPropResult::Ok;
        if (!info->ReadObject)
            return TPropResult::UnknownProperty;
        owner = info->ReadObject(*owner);
        if (!owner)
            return TPropResult::UnknownProperty;
        path.remove_prefix(dot + 1);
    }
}

bool TObject::HasProperty(std::string_view path) const {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    return Resolve(path, owner, info) == TPropResult::Ok;
}

TPropResult TObject::GetPropValue(std::string_view path, Variant& value) const {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    if (!info->Read)
        return TPropResult::NotAValue;
    value = info->Read(*owner);
    return TPropResult::Ok;
}

TPropResult TObject::SetPropValue(std::string_view path, const Variant& value) {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    TObject& target = const_cast<TObject&>(*owner);
    if (info->Kind == TPropKind::Class) {
        if (!info->ComponentReference)
            return TPropResult::NotAValue;
        if (!info->Writable)
            return TPropResult::ReadOnly;
        if (!value.IsEmpty() && !value.IsNull() && !value.IsText())
            return TPropResult::BadValue;
        const std::string name = Trim(VarToStr(value));
        TObject* referenced = nullptr;
        if (!name.empty() && !(referenced = detail::ResolveComponentReference(target, name)))
            return TPropResult::BadValue;
        try {
            info->WriteObject(target, referenced);
        } catch (const Exception&) {
            return TPropResult::BadValue;
        }
        return TPropResult::Ok;
    }
    if (info->Kind == TPropKind::Event)
        return TPropResult::NotAValue;
    if (!info->Writable || !info->Write)
        return TPropResult::ReadOnly;
    try {
        info->Write(target, value);
    } catch (const Exception&) {
        return TPropResult::BadValue;
    }
    return TPropResult::Ok;
}

TPropResult TObject::GetPropText(std::string_view path, std::string& text) const {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    if (info->Kind == TPropKind::Class) {
        if (!info->ComponentReference)
            return TPropResult::NotAValue;
        text = detail::ComponentReferenceName(info->ReadObject(*owner));
        return TPropResult::Ok;
    }
    if (!info->Read)
        return TPropResult::NotAValue;
    const Variant value = info->Read(*owner);
    switch (info->Kind) {
    case TPropKind::Integer:
        text = info->Idents ? info->Idents->ToText(static_cast<std::int32_t>(value.AsInt64()))
                            : value.AsString();
        break;
    case TPropKind::Enumeration:
        text = info->Enum->NameOf(value.AsInteger());
        break;
    case TPropKind::Set:
        text = info->Enum->SetToText(static_cast<std::uint32_t>(value.AsInt64()));
        break;
    case TPropKind::Boolean:
        text = value.AsBoolean() ? "True" : "False";
        break;
    default:
        text = value.AsString();
        break;
    }
    return TPropResult::Ok;
}

TPropResult TObject::SetPropText(std::string_view path, std::string_view text) {
    return SetPropValue(path, Variant(std::string(text)));
}

TObject* TObject::GetPropObject(std::string_view path) const {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (Resolve(path, owner, info) != TPropResult::Ok || !info->ReadObject)
        return nullptr;
    return info->ReadObject(*owner);
}

TPropResult TObject::SetPropObject(std::string_view path, TObject* value) {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    if (info->Kind != TPropKind::Class)
        return TPropResult::NotAValue;
    if (!info->WriteObject)
        return TPropResult::ReadOnly;
    try {
        info->WriteObject(const_cast<TObject&>(*owner), value);
    } catch (const Exception&) {
        return TPropResult::BadValue;
    }
    return TPropResult::Ok;
}

TPropResult TObject::GetPropEvent(std::string_view path, std::any& handler) const {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    if (info->Kind != TPropKind::Event)
        return TPropResult::NotAValue;
    handler = info->ReadEvent(*owner);
    return TPropResult::Ok;
}

TPropResult TObject::SetPropEvent(std::string_view path, const std::any& handler) {
    const TObject* owner = nullptr;
    const TPropInfo* info = nullptr;
    if (const TPropResult found = Resolve(path, owner, info); found != TPropResult::Ok)
        return found;
    if (info->Kind != TPropKind::Event)
        return TPropResult::NotAValue;
    try {
        info->WriteEvent(const_cast<TObject&>(*owner), handler);
    } catch (const std::bad_any_cast&) {
        return TPropResult::BadValue;
    }
    return TPropResult::Ok;
}

TPersistent::TPersistent() {
    static const TClassInfo& info = DescribeClass("TPersistent");
    SetClass(info);
}

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

} // namespace vondrel
