#pragma once

#include "DemoCompany.h"

#include <string>

namespace vondrel {

/// The class id under which the registry file registers the server class.
inline constexpr const char* kServerClassId = "{5B0E3C1A-8F2D-4E6B-9C7A-1D3F5E7A9B2C}";

/// A fresh demo company in its own temporary folder: the databases, the server settings
/// and a registry file (made the system registry through VONDREL_REGISTRY) that names
/// the folder as the server's folder and registers the server class with the library
/// Quorvex.so of the build. Everything is removed when the object goes.
class TTempDemo {
public:
    TTempDemo();
    ~TTempDemo();
    TTempDemo(const TTempDemo&) = delete;
    TTempDemo& operator=(const TTempDemo&) = delete;

    const TDemoInstall& Install() const noexcept { return install_; }
    const std::string& Folder() const noexcept { return install_.Folder; }
    const std::string& RegistryFile() const noexcept { return registryFile_; }

private:
    TDemoInstall install_;
    std::string registryFile_;
    std::string oldRegistry_;
    bool hadRegistry_ = false;
};

/// A temporary folder, removed with everything in it when the object goes.
class TTempFolder {
public:
    explicit TTempFolder(const char* prefix = "vondrel");
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
};

} // namespace vondrel
