#pragma once

#include "support/DemoInstall.h"

#include <string>
#include <string_view>

namespace vondrel::test {

/// A demo installation a client can run on: a fresh demo company (TTempDemo) with the
/// client files of demo/install (VondrelC.ini, VondrelS.ini, the message catalogue)
/// copied in, and a registry file that names the folder as the client's and the
/// server's install folder and registers the application server. While it lives,
/// VONDREL_REGISTRY names that registry file.
class TShellDemo {
public:
    TShellDemo();

    /// The install folder, without a trailing separator.
    const std::string& Folder() const noexcept { return demo_.Folder(); }
    const std::string& RegistryFile() const noexcept { return demo_.RegistryFile(); }
    const TDemoInstall& Install() const noexcept { return demo_.Install(); }

    /// The folder followed by the relative name.
    std::string PathOf(std::string_view relative) const;
    /// Writes (replaces) a file of the install folder.
    void WriteFile(std::string_view relative, std::string_view content) const;
    /// Replaces one value of the client settings (VondrelC.ini), keeping the others.
    void SetClientValue(std::string_view section, std::string_view key, std::string_view value) const;

private:
    TTempDemo demo_;
};

/// The folder of the demo installation's files in the source tree.
std::string DemoInstallSourceFolder();

} // namespace vondrel::test
