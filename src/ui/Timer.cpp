#include "ui/Timer.h"

#include <algorithm>
#include <vector>

namespace vondrel {

namespace {

struct TimerTable {
    std::vector<TTimer*> Timers;
    std::int64_t Now = 0;
};

TimerTable& Timers() {
    static TimerTable table;
    return table;
}

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass<TTimer>("TTimer", [](TClassBuilder<TTimer>& c) {
        c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
        c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval);
        c.Event("OnTimer", &TTimer::OnTimer);
    });
    SetClass(info);
    Timers().Timers.push_back(this);
    Restart();
}

TTimer::~TTimer() = default;

void TTimer::BeforeDestruction() {
    auto& timers = Timers().Timers;
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    TComponent::BeforeDestruction();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    Restart();
}

void TTimer::SetInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void TTimer::Restart() {
    due_ = Timers().Now + interval_;
}

std::int64_t TimerClock() noexcept {
    return Timers().Now;
}

void ElapseTimers(int milliseconds) {
    TimerTable& table = Timers();
    const std::int64_t end = table.Now + std::max(milliseconds, 0);
    while (true) {
        // The timer due first fires next; a handler may start, stop or free timers.
        TTimer* next = nullptr;
        for (TTimer* timer : table.Timers)
            if (timer->running() && timer->due_ <= end && (!next || timer->due_ < next->due_))
                next = timer;
        if (!next)
            break;
        table.Now = std::max(table.Now, next->due_);
        next->due_ = table.Now + next->interval_;
        TComponentRef<TTimer> alive(next);
        next->OnTimer(next);
    }
    table.Now = end;
}

} // namespace vondrel
