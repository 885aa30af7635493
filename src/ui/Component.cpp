#include "ui/Component.h"

#include "ui/Errors.h"
#include "ui/Strings.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cassert>

namespace vondrel {

const TEnumInfo& TEnumTraits<TComponentStateFlag>::Info() {
    static const TEnumInfo info("TComponentStateFlag", {"csLoading", "csReading", "csWriting", "csDestroying",
                                                        "csDesigning", "csUpdating"});
    return info;
}

bool IsValidIdent(std::string_view name) noexcept {
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

TComponent::TComponent(TComponent* owner) : alive_(std::make_shared<int>(0)) {
    static const TClassInfo& info = DescribeClass<TComponent>("TComponent", [](TClassBuilder<TComponent>& c) {
        c.Property("Name", &TComponent::Name, &TComponent::SetName);
        c.Property("Tag", &TComponent::Tag, &TComponent::SetTag);
    });
    SetClass(info);
    if (owner) {
        if (owner->Loading())
            state_.Include(csLoading);
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    assert(freeing_ && "components end with Free(), never with delete");
    while (!components_.empty())
        components_.back()->Free();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::Free() {
    if (freeing_)
        return;
    freeing_ = true;
    MarkDestroying();
    BeforeDestruction();
    alive_.reset();
    delete this;
}

void TComponent::MarkDestroying() {
    state_.Include(csDestroying);
    for (TComponent* component : components_)
        component->MarkDestroying();
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const noexcept {
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
    if (name.empty())
        return nullptr;
    for (TComponent* component : components_)
        if (SameText(component->name_, name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this)
        return;
    if (!component->name_.empty()) {
        TComponent* other = FindComponent(component->name_);
        if (other)
            throw EComponentError("A component named " + component->name_ + " already exists");
    }
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
    const auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end())
        return;
    components_.erase(found);
    component->owner_ = nullptr;
    ComponentRemoved(component);
}

void TComponent::AfterConstruction() {
    if (Loading())
        LoadedTree(*this);
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::BeginLoading() {
    state_.Include(csLoading);
}

void LoadedTree(TComponent& root) {
    // Copy: Loaded may create or free components.
    const std::vector<TComponent*> owned(root.components_.begin(), root.components_.end());
    for (TComponent* component : owned)
        if (component->Loading())
            LoadedTree(*component);
    root.Loaded();
}

namespace detail {

std::string ComponentReferenceName(const TObject* target) {
    const auto* component = dynamic_cast<const TComponent*>(target);
    return component ? component->Name() : std::string();
}

TObject* ResolveComponentReference(const TObject& from, std::string_view name) {
    // The name is looked for among the components of the root owner (the form), then in
    // the owner chain of the object that holds the reference.
    const auto* component = dynamic_cast<const TComponent*>(&from);
    const TComponent* root = component;
    while (root && root->Owner())
        root = root->Owner();
    for (const TComponent* owner = component ? component->Owner() : nullptr; owner; owner = owner->Owner())
        if (TComponent* found = owner->FindComponent(name))
            return found;
    if (root)
        if (TComponent* found = root->FindComponent(name))
            return found;
    return nullptr;
}

} // namespace detail

} // namespace vondrel
