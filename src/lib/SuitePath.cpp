#include "lib/SuitePath.h"

#include "platform/PlatformServices.h"
#include "platform/Registry.h"

namespace vondrel {

namespace {

/// A string value of the open key; empty when it is missing or of another type.
std::string ReadText(const TRegistry& registry, const char* name) {
    try {
        return registry.ReadString(name);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

std::string GetSuitePath() {
    try {
        TRegistry registry;
        registry.RootKey = HKEY::LocalMachine;
        std::string path;
        if (registry.OpenKeyReadOnly(kSuiteRegistryKey))
            path = ReadText(registry, kClientPathValue);
        if (path.empty())
            path = ReadText(registry, kServerPathValue);
        return path;
    } catch (const std::exception&) {
        return {};
    }
}

std::string GetSuitePathOrTemp() {
    try {
        std::string path = GetSuitePath();
        if (path.empty())
            path = Platform().TempPath();
        return path.empty() ? std::string(kFallbackTempPath) : path;
    } catch (...) {
        return kFallbackTempPath;
    }
}

bool HasTrailingSeparator(std::string_view folder) noexcept {
    return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

std::string WithTrailingSeparator(std::string_view folder) {
    std::string result(folder);
    if (!HasTrailingSeparator(result))
        result += '/';
    return result;
}

std::string ResolveSuitePath(std::string_view path, std::string_view base) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    const bool share = path.substr(0, 2) == "\\\\";
    const bool absolute = !path.empty() && path.front() == '/';
    if (drive || share || absolute)
        return std::string(path);
    if (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return std::string(base) + std::string(path);
}

} // namespace vondrel
