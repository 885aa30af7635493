#pragma once

#include "support/TempFolder.h"

#include <optional>
#include <string>
#include <string_view>

namespace vondrel::test {

/// The values of the suite's registry key (HKEY_LOCAL_MACHINE\Software\KMB\Vondrel) a test
/// wants; an absent one is left out of the file.
struct SuiteKey {
    std::optional<std::string> ClientPath{};
    std::optional<std::string> ServerPath{};
    std::optional<std::string> ProfileType{};
};

/// A temporary install folder with its own registry file, for one test. While it lives,
/// VONDREL_REGISTRY names its registry file; the destructor restores the variable and
/// removes the folder. Files are written as given (bytes), in folders made as needed.
class TempInstall {
public:
    /// A new empty folder whose registry names it as the client and server install folder.
    TempInstall();
    ~TempInstall();
    TempInstall(const TempInstall&) = delete;
    TempInstall& operator=(const TempInstall&) = delete;

    /// The folder, ending in "/".
    const std::string& Path() const noexcept { return path_; }
    /// The folder followed by the relative name.
    std::string PathOf(std::string_view relative) const;

    /// Rewrites the registry with these values of the suite's key.
    void SetRegistry(const SuiteKey& key);
    /// Rewrites the registry file with this content as it stands (a broken file, say).
    void SetRegistryContent(std::string_view content);

    void WriteFile(std::string_view relative, std::string_view content) const;
    void WriteClientIni(std::string_view content) const { WriteFile("VondrelC.ini", content); }
    void WriteServerIni(std::string_view content) const { WriteFile("VondrelS.ini", content); }
    /// The content of a file; empty when it cannot be read.
    std::string ReadFile(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

private:
    TempFolder folder_;
    std::string path_;
    ScopedEnv registryVariable_{"VONDREL_REGISTRY", nullptr};
    int registryVersion_ = 0;
};

/// The text of a registry string value as a .reg file writes it (backslashes and quotes
/// escaped).
std::string RegString(std::string_view value);

} // namespace vondrel::test
