#pragma once

#include "platform/PlatformServices.h"

#include <memory>
#include <optional>
#include <string>

namespace vondrel::test {

/// What the fixed services answer. The clock stands still (at day 0, 30 December 1899,
/// unless a test sets it).
struct FixedPlatformValues {
    TDateTime Now = 0;
    std::string ComputerName = "testpc";
    std::string UserName = "tester";
    std::string SysCodePage = "936";
    /// The temporary folder; the machine's own when absent.
    std::optional<std::string> TempPath{};
};

class FixedPlatformServices : public TPlatformServices {
public:
    explicit FixedPlatformServices(FixedPlatformValues values) : values_(std::move(values)) {}
    TDateTime Now() const override { return values_.Now; }
    std::string ComputerName() const override { return values_.ComputerName; }
    std::string UserName() const override { return values_.UserName; }
    std::string SysCodePage() const override { return values_.SysCodePage; }
    std::string TempPath() const override {
        return values_.TempPath ? *values_.TempPath : TPlatformServices::TempPath();
    }

private:
    FixedPlatformValues values_;
};

/// Installs fixed services for its lifetime and puts the previous ones back afterwards.
class ScopedPlatform {
public:
    explicit ScopedPlatform(FixedPlatformValues values);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    std::shared_ptr<const TPlatformServices> previous_;
};

/// A date and time as a day number, for FixedPlatformValues::Now.
TDateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                       int millisecond = 0);

} // namespace vondrel::test
