#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

namespace vondrel {

class TObject;

/// Whether a change made from code fires the control's change event, as the same change
/// made by the user would.
enum class TNotify : bool { No, Yes };

namespace detail {
inline std::uint64_t NextEventId() noexcept {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}
} // namespace detail

/// One event slot's value: a handler together with its identity. It can be read, kept,
/// replaced and called later, so a form can save a control's handler, install its own
/// and call the saved one afterwards. Two values are equal when they are the same
/// binding: the same method of the same object, or copies of the same callable.
template <class... Args>
class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <class F>
    requires(!std::is_same_v<std::decay_t<F>, TEvent> && std::is_invocable_v<F&, Args...>) TEvent(F&& handler)
        : handler_(std::forward<F>(handler)), id_(detail::NextEventId()) {}

    /// Binds a method of an object, the platform's "procedure of object".
    template <class C, class M>
    requires std::is_base_of_v<M, C> TEvent(C* object, void (M::*method)(Args...))
        : handler_([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }),
          object_(static_cast<M*>(object)) {
        static_assert(sizeof method <= sizeof method_);
        std::memcpy(method_, &method, sizeof method);
    }

    explicit operator bool() const noexcept { return static_cast<bool>(handler_); }
    /// Calls the handler when one is assigned.
    void operator()(Args... args) const {
        if (handler_)
            handler_(std::forward<Args>(args)...);
    }
    /// The object a method binding belongs to; nullptr for other handlers.
    const void* Object() const noexcept { return object_; }

    friend bool operator==(const TEvent& a, const TEvent& b) noexcept {
        if (!a.handler_ || !b.handler_)
            return !a.handler_ && !b.handler_;
        if (a.object_ || b.object_)
            return a.object_ == b.object_ && std::memcmp(a.method_, b.method_, sizeof a.method_) == 0;
        return a.id_ == b.id_;
    }

private:
    std::function<void(Args...)> handler_;
    const void* object_ = nullptr;
    unsigned char method_[2 * sizeof(void*)] = {};
    std::uint64_t id_ = 0;
};

using TNotifyEvent = TEvent<TObject*>;

} // namespace vondrel
