#include "support/TempInstall.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vondrel::test {

namespace fs = std::filesystem;

TempInstall::TempInstall() : path_(folder_.Path() + "/") {
    SetRegistry({.ClientPath = path_, .ServerPath = path_, .ProfileType = {}});
}

TempInstall::~TempInstall() = default;

std::string TempInstall::PathOf(std::string_view relative) const {
    return path_ + std::string(relative);
}

void TempInstall::SetRegistry(const SuiteKey& key) {
    std::string content = "Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\r\n";
    const auto add = [&](const char* name, const std::optional<std::string>& value) {
        if (value)
            content += "\"" + std::string(name) + "\"=\"" + RegString(*value) + "\"\r\n";
    };
    add("ClientPath", key.ClientPath);
    add("ServerPath", key.ServerPath);
    add("ProfileType", key.ProfileType);
    SetRegistryContent(content);
}

void TempInstall::SetRegistryContent(std::string_view content) {
    // A new file name each time: the registry is read again when its path changes, which
    // a rewrite within one tick of the file clock might not show.
    const std::string name = "registry-" + std::to_string(++registryVersion_) + ".reg";
    WriteFile(name, content);
    setenv("VONDREL_REGISTRY", PathOf(name).c_str(), 1);
}

void TempInstall::WriteFile(std::string_view relative, std::string_view content) const {
    folder_.Write(relative, content);
}

std::string TempInstall::ReadFile(std::string_view relative) const {
    std::ifstream in(PathOf(relative), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempInstall::Exists(std::string_view relative) const {
    std::error_code ec;
    return fs::exists(PathOf(relative), ec);
}

std::string RegString(std::string_view value) {
    std::string out;
    for (char c : value) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace vondrel::test
