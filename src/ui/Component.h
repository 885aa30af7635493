#pragma once

#include "ui/Object.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;
template <>
struct TEnumTraits<TComponentStateFlag> {
    static const TEnumInfo& Info();
};

/// A named part of a form. A component owns the components created with it as owner and
/// frees them when it is freed, last created first.
///
/// Components live on the heap and end with Free() (or with their owner): Free runs the
/// component's last words (a form's OnDestroy) while the whole object still exists, then
/// deletes it. While a form is being built its components are "loading" (csLoading);
/// Loaded() ends that.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    /// Destroys the component and everything it owns.
    void Free();

    const std::string& Name() const noexcept { return name_; }
    /// Raises EComponentError for a name that is not an identifier or that another
    /// component of the same owner already has (names compare without regard to case).
    void SetName(const std::string& name);
    std::int32_t Tag() const noexcept { return tag_; }
    void SetTag(std::int32_t tag) noexcept { tag_ = tag; }

    TComponent* Owner() const noexcept { return owner_; }
    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    std::span<TComponent* const> OwnedComponents() const noexcept { return components_; }
    /// The position among the owner's components.
    int ComponentIndex() const noexcept;
    /// An owned component by name, without regard to case; nullptr when there is none.
    TComponent* FindComponent(std::string_view name) const noexcept;
    template <class T>
    T* Find(std::string_view name) const noexcept {
        return dynamic_cast<T*>(FindComponent(name));
    }
    /// Moves a component under this owner (removing it from its previous one).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponentState ComponentState() const noexcept { return state_; }
    bool Loading() const noexcept { return state_.Contains(csLoading); }
    bool Destroying() const noexcept { return state_.Contains(csDestroying); }

    /// Runs after the constructor of the most derived class: a component that was being
    /// built with its owned components ends its loading here.
    virtual void AfterConstruction();
    /// Ends loading: called once the component and its owner are built.
    virtual void Loaded();
    /// Starts loading (the owned components created from now on load as well).
    void BeginLoading();

    /// A token that expires when the component is freed (see TComponentRef).
    std::weak_ptr<void> LifeToken() const noexcept { return alive_; }

protected:
    /// The component is about to be destroyed: the object is still whole.
    virtual void BeforeDestruction() {}
    /// Marks this component and everything it owns as being destroyed.
    virtual void MarkDestroying();
    /// A component this one owns is leaving (freed or moved to another owner).
    virtual void ComponentRemoved(TComponent* /*component*/) {}

private:
    friend void LoadedTree(TComponent& root);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
    std::int32_t tag_ = 0;
    TComponentState state_;
    bool freeing_ = false;
    std::shared_ptr<void> alive_;
};

/// Ends the loading of a component and of everything it owns, the owned ones first.
void LoadedTree(TComponent& root);

/// Creates a component and runs its AfterConstruction, as the platform's constructors
/// do. Forms must be created this way.
template <class T, class... A>
T* Create(A&&... args) {
    T* component = new T(std::forward<A>(args)...);
    component->AfterConstruction();
    return component;
}

/// A reference to a component that becomes empty when the component is freed.
template <class T>
class TComponentRef {
public:
    TComponentRef() = default;
    TComponentRef(T* component) { Reset(component); }
    TComponentRef& operator=(T* component) {
        Reset(component);
        return *this;
    }

    T* Get() const noexcept { return token_.expired() ? nullptr : component_; }
    T* operator->() const noexcept { return Get(); }
    T& operator*() const noexcept { return *Get(); }
    explicit operator bool() const noexcept { return Get() != nullptr; }
    operator T*() const noexcept { return Get(); }

private:
    void Reset(T* component) {
        component_ = component;
        token_ = component ? component->LifeToken() : std::weak_ptr<void>();
    }

    T* component_ = nullptr;
    std::weak_ptr<void> token_;
};

/// Frees a component when it goes out of scope (for components without an owner).
struct TComponentDeleter {
    void operator()(TComponent* component) const {
        if (component)
            component->Free();
    }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, TComponentDeleter>;

/// True for a valid component name: a letter or "_", then letters, digits and "_".
bool IsValidIdent(std::string_view name) noexcept;

} // namespace vondrel
