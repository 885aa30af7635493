#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// A loaded library; 0 means "not loaded". Callers that keep the suite's habit of
/// treating a handle below 33 as a failure see the same answer.
using HMODULE = std::uintptr_t;

/// Loads a library by file name. A Windows name "X.dll" (any case, with "\" or "/" in
/// its folder) stands for "X.so"; a name without extension gets ".so". The file is
/// matched without regard to case inside its folder. A bare name is looked for in the
/// library search folders (LibrarySearchFolders). Returns 0 on failure; the reason is
/// then in LastLibraryError.
HMODULE LoadLibrary(std::string_view fileName);
/// The address of an export, or nullptr.
void* GetProcAddress(HMODULE module, const char* name);
/// Unloads one reference to the library.
bool FreeLibrary(HMODULE module);
/// Why the last LoadLibrary on this thread failed.
std::string LastLibraryError();

/// The file a library name resolves to (see LoadLibrary), or empty when there is none.
std::string ResolveLibraryPath(std::string_view fileName);
/// The folders a bare library name is looked for in, in order: those added with
/// AddLibrarySearchFolder, the folder of the running program, the folder of the platform
/// library, the folders of VONDREL_LIBRARY_PATH (":"-separated), the current folder.
std::vector<std::string> LibrarySearchFolders();
void AddLibrarySearchFolder(std::string folder);

/// The full file name of the loaded module (program or library) that contains the address.
std::string ModuleFileNameOf(const void* address);
/// The full file name of the running program.
std::string ProgramFileName();

} // namespace vondrel
