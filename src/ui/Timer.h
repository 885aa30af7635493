#pragma once

#include "ui/Component.h"

#include <cstdint>

namespace vondrel {

/// A timer that fires OnTimer every Interval milliseconds while Enabled. Time passes for
/// timers only when it is advanced (ElapseTimers): a person waiting in the user
/// simulation, or a front end's clock; nothing fires behind a test's back.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const noexcept { return interval_; }
    void SetInterval(int milliseconds);
    /// When the timer fires next (on the timers' clock); -1 when it does not run.
    std::int64_t DueAt() const noexcept { return running() ? due_ : -1; }

    TNotifyEvent OnTimer;

protected:
    void BeforeDestruction() override;

private:
    friend void ElapseTimers(int milliseconds);
    bool running() const noexcept { return enabled_ && interval_ > 0 && OnTimer; }
    void Restart();

    bool enabled_ = true;
    int interval_ = 1000;
    std::int64_t due_ = 0;
};

/// Advances the timers' clock, firing every timer that comes due, in time order.
void ElapseTimers(int milliseconds);
/// The timers' clock in milliseconds since the program started.
std::int64_t TimerClock() noexcept;

} // namespace vondrel
