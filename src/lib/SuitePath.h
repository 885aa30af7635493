#pragma once

#include <string>
#include <string_view>

namespace vondrel {

/// The suite's key below HKEY_LOCAL_MACHINE and its values.
inline constexpr const char* kSuiteRegistryKey = "Software\\KMB\\Vondrel";
inline constexpr const char* kClientPathValue = "ClientPath";
inline constexpr const char* kServerPathValue = "ServerPath";
inline constexpr const char* kProfileTypeValue = "ProfileType";

/// The last resort of GetSuitePathOrTemp.
inline constexpr const char* kFallbackTempPath = "/tmp/";

/// The install folder as the registry gives it: ClientPath, or ServerPath when that is
/// empty; empty when neither is set or the key cannot be opened. Never raises.
std::string GetSuitePath();

/// GetSuitePath, else the temporary folder, else (or on any failure) kFallbackTempPath.
std::string GetSuitePathOrTemp();

/// True when the folder ends in a separator ("/" or "\").
bool HasTrailingSeparator(std::string_view folder) noexcept;
/// The folder with a "/" appended when it ends in neither "/" nor "\".
std::string WithTrailingSeparator(std::string_view folder);

/// Makes a configured folder absolute against the base folder (which ends in a
/// separator). A folder that names a drive ("D:…"), a network share ("\\server\share…") or
/// an absolute path of this system ("/…") is returned unchanged; one that begins with "\"
/// is the base followed by the rest; any other is the base followed by the folder.
std::string ResolveSuitePath(std::string_view path, std::string_view base);

} // namespace vondrel
