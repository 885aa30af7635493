#include "platform/Library.h"

#include "platform/SysUtils.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace vondrel {

namespace fs = std::filesystem;

namespace {

thread_local std::string lastError;

std::mutex& FoldersMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& AddedFolders() {
    static std::vector<std::string> folders;
    return folders;
}

std::string FolderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string() : parent.string();
}

/// The library file name this platform uses for a Windows-style name.
std::string NativeName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::string(name) + ".so";
    if (SameText(name.substr(dot), ".dll"))
        return std::string(name.substr(0, dot)) + ".so";
    return std::string(name);
}

/// The entry of the folder whose name equals the given one ignoring case; an exact
/// match wins.
std::string FindInFolder(const std::string& folder, const std::string& name) {
    std::error_code ec;
    const fs::path exact = fs::path(folder.empty() ? "." : folder) / name;
    if (fs::is_regular_file(exact, ec))
        return fs::absolute(exact, ec).lexically_normal().string();
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (SameText(it->path().filename().string(), name) && it->is_regular_file(ec))
            return fs::absolute(it->path(), ec).lexically_normal().string();
    }
    return {};
}

} // namespace

std::vector<std::string> LibrarySearchFolders() {
    std::vector<std::string> folders;
    {
        std::lock_guard lock(FoldersMutex());
        folders = AddedFolders();
    }
    folders.push_back(FolderOf(ProgramFileName()));
    folders.push_back(FolderOf(ModuleFileNameOf(reinterpret_cast<const void*>(&LibrarySearchFolders))));
    if (const char* extra = std::getenv("VONDREL_LIBRARY_PATH")) {
        std::string_view rest(extra);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view item = rest.substr(0, colon);
            if (!item.empty())
                folders.emplace_back(item);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    std::error_code ec;
    folders.push_back(fs::current_path(ec).string());
    return folders;
}

void AddLibrarySearchFolder(std::string folder) {
    std::lock_guard lock(FoldersMutex());
    AddedFolders().push_back(std::move(folder));
}

std::string ResolveLibraryPath(std::string_view fileName) {
    std::string name(fileName);
    for (char& c : name)
        if (c == '\\')
            c = '/';
    name = Trim(name);
    if (name.empty())
        return {};
    const std::size_t slash = name.rfind('/');
    const std::string native = NativeName(slash == std::string::npos ? name : name.substr(slash + 1));
    if (slash != std::string::npos)
        return FindInFolder(slash == 0 ? "/" : name.substr(0, slash), native);
    for (const std::string& folder : LibrarySearchFolders()) {
        if (folder.empty())
            continue;
        std::string found = FindInFolder(folder, native);
        if (!found.empty())
            return found;
    }
    return {};
}

HMODULE LoadLibrary(std::string_view fileName) {
    const std::string path = ResolveLibraryPath(fileName);
    if (path.empty()) {
        lastError = "The specified module could not be found: " + std::string(fileName);
        return 0;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        lastError = reason ? reason : "The library could not be loaded: " + path;
        return 0;
    }
    return reinterpret_cast<HMODULE>(handle);
}

void* GetProcAddress(HMODULE module, const char* name) {
    if (module == 0 || !name)
        return nullptr;
    dlerror();
    return dlsym(reinterpret_cast<void*>(module), name);
}

bool FreeLibrary(HMODULE module) {
    return module != 0 && dlclose(reinterpret_cast<void*>(module)) == 0;
}

std::string LastLibraryError() {
    return lastError;
}

std::string ModuleFileNameOf(const void* address) {
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname || !*info.dli_fname)
        return ProgramFileName();
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : canonical.string();
}

std::string ProgramFileName() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

} // namespace vondrel
