#include "platform/PlatformServices.h"

#include "platform/CodePage.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>

namespace vondrel {

namespace {

std::mutex servicesMutex;

std::shared_ptr<const TPlatformServices>& Installed() {
    static std::shared_ptr<const TPlatformServices> services = std::make_shared<TPlatformServices>();
    return services;
}

} // namespace

TDateTime TPlatformServices::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    const TDateTime date = TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
    return date + TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms))
                      .value_or(0);
}

std::string TPlatformServices::ComputerName() const {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string TPlatformServices::UserName() const {
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    return {};
}

std::string TPlatformServices::TempPath() const {
    std::error_code ec;
    std::string path = std::filesystem::temp_directory_path(ec).string();
    if (ec || path.empty())
        return {};
    if (path.back() != '/')
        path += '/';
    return path;
}

std::string TPlatformServices::SysCodePage() const {
    return ProcessAnsiCodePage();
}

const TPlatformServices& Platform() {
    std::lock_guard lock(servicesMutex);
    return *Installed();
}

std::shared_ptr<const TPlatformServices>
SetPlatformServices(std::shared_ptr<const TPlatformServices> services) {
    std::lock_guard lock(servicesMutex);
    auto previous = Installed();
    Installed() = services ? std::move(services) : std::make_shared<TPlatformServices>();
    return previous;
}

TDateTime Now() {
    return Platform().Now();
}
TDateTime Today() {
    return std::trunc(Now());
}

} // namespace vondrel
