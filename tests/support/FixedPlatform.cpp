#include "support/FixedPlatform.h"

#include <stdexcept>

namespace vondrel::test {

ScopedPlatform::ScopedPlatform(FixedPlatformValues values)
    : previous_(SetPlatformServices(std::make_shared<FixedPlatformServices>(std::move(values)))) {}

ScopedPlatform::~ScopedPlatform() {
    SetPlatformServices(previous_);
}

TDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const auto date = TryEncodeDate(year, month, day);
    const auto time = TryEncodeTime(hour, minute, second, millisecond);
    if (!date || !time)
        throw std::invalid_argument("not a date and time");
    return *date + *time;
}

} // namespace vondrel::test
