#include "support/DemoInstall.h"

#include <vondrel/Exception.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vondrel {

namespace fs = std::filesystem;

TTempFolder::TTempFolder(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot make a temporary folder from " + pattern);
    path_ = pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

TTempDemo::TTempDemo() {
    std::string pattern = (fs::temp_directory_path() / "vondrel-demo-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot make a temporary folder from " + pattern);
    try {
        install_ = BuildDemoInstall(pattern);
    } catch (...) {
        std::error_code error;
        fs::remove_all(pattern, error);
        throw;
    }

    const std::string library = QUORVEX_LIBRARY_FILE;
    registryFile_ = (fs::path(install_.Folder) / "registry.reg").string();
    std::ofstream reg(registryFile_);
    reg << "Windows Registry Editor Version 5.00\n\n"
        << "[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n"
        << "\"ServerPath\"=\"" << install_.Folder << "/\"\n\n"
        << "[HKEY_CLASSES_ROOT\\Quorvex.dmReportCounter\\CLSID]\n"
        << "@=\"" << kServerClassId << "\"\n\n"
        << "[HKEY_CLASSES_ROOT\\CLSID\\" << kServerClassId << "\\InprocServer32]\n"
        << "@=\"" << library << "\"\n";
    reg.close();
    if (const char* old = std::getenv("VONDREL_REGISTRY")) {
        hadRegistry_ = true;
        oldRegistry_ = old;
    }
    setenv("VONDREL_REGISTRY", registryFile_.c_str(), 1);
}

TTempDemo::~TTempDemo() {
    if (hadRegistry_)
        setenv("VONDREL_REGISTRY", oldRegistry_.c_str(), 1);
    else
        unsetenv("VONDREL_REGISTRY");
    std::error_code error;
    fs::remove_all(install_.Folder, error);
}

} // namespace vondrel
