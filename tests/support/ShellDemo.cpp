#include "support/ShellDemo.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vondrel::test {

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string DemoInstallSourceFolder() {
    return VONDREL_DEMO_INSTALL_DIR;
}

TShellDemo::TShellDemo() {
    for (const auto& entry : fs::directory_iterator(DemoInstallSourceFolder()))
        if (entry.is_regular_file())
            fs::copy_file(entry.path(), fs::path(Folder()) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    // The server's registration stays as TTempDemo wrote it; the client's folder joins it.
    const std::string registry = ReadText(RegistryFile());
    const std::string serverPath = "\"ServerPath\"=";
    const std::size_t at = registry.find(serverPath);
    if (at == std::string::npos)
        throw std::runtime_error("the demo registry names no ServerPath");
    WriteFile("registry.reg",
              registry.substr(0, at) + "\"ClientPath\"=\"" + Folder() + "/\"\n" + registry.substr(at));
}

std::string TShellDemo::PathOf(std::string_view relative) const {
    return (fs::path(Folder()) / relative).string();
}

void TShellDemo::WriteFile(std::string_view relative, std::string_view content) const {
    const fs::path path = PathOf(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void TShellDemo::SetClientValue(std::string_view section, std::string_view key,
                                std::string_view value) const {
    std::istringstream in(ReadText(PathOf("VondrelC.ini")));
    std::string out;
    std::string line;
    std::string current;
    bool done = false;
    const std::string header = "[" + std::string(section) + "]";
    auto isKey = [&](const std::string& text) {
        return text.rfind(std::string(key) + "=", 0) == 0 || text.rfind(std::string(key) + " =", 0) == 0;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            if (current == header && !done) {
                out += std::string(key) + "=" + std::string(value) + "\n";
                done = true;
            }
            current = line;
        }
        if (current == header && isKey(line)) {
            if (!done)
                out += std::string(key) + "=" + std::string(value) + "\n";
            done = true;
            continue;
        }
        out += line + "\n";
    }
    if (!done)
        out += (current == header ? "" : header + "\n") + std::string(key) + "=" + std::string(value) + "\n";
    WriteFile("VondrelC.ini", out);
}

} // namespace vondrel::test
