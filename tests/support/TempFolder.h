#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vondrel::test {

/// A fresh folder below the system's temporary folder, removed with everything in it
/// when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vondrel-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    /// The folder, without a trailing "/".
    const std::string& Path() const noexcept { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

    /// Writes the bytes to a file of the folder (creating subfolders) and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const {
        const std::string file = File(name);
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file);
        return file;
    }

    /// Copies a file into the folder under the given name and returns the new path.
    std::string Copy(const std::string& from, std::string_view name) const {
        const std::string file = File(name);
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::filesystem::copy_file(from, file, std::filesystem::copy_options::overwrite_existing);
        return file;
    }

private:
    std::string path_;
};

/// Sets (or with nullptr removes) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            hadOld_ = true;
            old_ = old;
        }
        if (value)
            setenv(name_.c_str(), value, 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(std::string name, const std::string& value) : ScopedEnv(std::move(name), value.c_str()) {}
    ~ScopedEnv() {
        if (hadOld_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool hadOld_ = false;
    std::string old_;
};

} // namespace vondrel::test
