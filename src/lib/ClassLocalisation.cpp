#include "lib/ClassLocalisation.h"

#include "ui/Component.h"

#include "platform/SysUtils.h"

#include <memory>
#include <mutex>

namespace vondrel {

namespace {

struct Registry {
    std::mutex Lock;
    // Entries are never removed, so a pointer handed out stays valid.
    std::vector<std::pair<std::string, std::unique_ptr<TClassLocalisation>>> Entries;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

void RegisterClassLocalisation(std::string className, TClassLocalisation hooks) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.Lock);
    for (auto& [name, entry] : registry.Entries)
        if (SameText(name, className)) {
            *entry = std::move(hooks);
            return;
        }
    registry.Entries.emplace_back(std::move(className),
                                  std::make_unique<TClassLocalisation>(std::move(hooks)));
}

const TClassLocalisation* FindClassLocalisation(const TComponent& component) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.Lock);
    for (const TClassInfo* info = &component.ClassType(); info; info = info->Parent())
        for (const auto& [name, entry] : registry.Entries)
            if (SameText(name, info->Name()))
                return entry.get();
    return nullptr;
}

} // namespace vondrel
