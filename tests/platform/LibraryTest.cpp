#include "platform/Library.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vondrel {
namespace {

using test::TempFolder;

constexpr const char* kPlugin = VONDREL_TEST_PLUGIN;

class LibraryLoading : public ::testing::Test {
protected:
    /// Loads, checks the creator export and unloads; the reason on failure.
    static std::string LoadAndCheck(const std::string& name) {
        const HMODULE module = LoadLibrary(name);
        if (module == 0)
            return "not loaded: " + LastLibraryError();
        // The suite treats handles below 33 as failures.
        EXPECT_GE(module, 33u);
        const bool hasCreator = GetProcAddress(module, "VondrelCreateObject") != nullptr;
        EXPECT_TRUE(FreeLibrary(module));
        return hasCreator ? "" : "no creator export";
    }

    TempFolder folder_;
};

TEST_F(LibraryLoading, WindowsNamesMapToSharedObjectsIgnoringCase) {
    folder_.Copy(kPlugin, "Plugin.so");
    folder_.Copy(kPlugin, "sub dir/MixedCase.so");
    const std::string f = folder_.Path();
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"exact native name", f + "/Plugin.so"},
        {"dll extension", f + "/Plugin.dll"},
        {"DLL in capitals", f + "/Plugin.DLL"},
        {"name in other case", f + "/PLUGIN.DLL"},
        {"no extension", f + "/plugin"},
        {"backslashes", f + "\\Plugin.Dll"},
        {"folder with a blank", f + "/sub dir/mixedcase.dll"},
        {"blanks around", "  " + f + "/Plugin.dll  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadAndCheck(c.file), "");
    }
    EXPECT_EQ(ResolveLibraryPath(f + "/PLUGIN.DLL"), f + "/Plugin.so");
}

TEST_F(LibraryLoading, AnExactMatchWinsOverOneInOtherCase) {
    folder_.Copy(kPlugin, "twin.so");
    folder_.Copy(kPlugin, "Twin.so");
    EXPECT_EQ(ResolveLibraryPath(folder_.Path() + "/Twin.dll"), folder_.Path() + "/Twin.so");
    EXPECT_EQ(ResolveLibraryPath(folder_.Path() + "/twin.dll"), folder_.Path() + "/twin.so");
}

TEST_F(LibraryLoading, BareNamesAreLookedForInTheSearchFolders) {
    folder_.Copy(kPlugin, "BareNamedPlugin.so");
    EXPECT_EQ(ResolveLibraryPath("BareNamedPlugin.dll"), "");
    AddLibrarySearchFolder(folder_.Path());
    const auto folders = LibrarySearchFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), folder_.Path());
    EXPECT_EQ(ResolveLibraryPath("barenamedplugin.DLL"), folder_.Path() + "/BareNamedPlugin.so");
    EXPECT_EQ(LoadAndCheck("BareNamedPlugin.dll"), "");
}

TEST_F(LibraryLoading, VondrelLibraryPathIsSearchedToo) {
    folder_.Copy(kPlugin, "FromEnvironment.so");
    const test::ScopedEnv env("VONDREL_LIBRARY_PATH", "/no/such/folder::" + folder_.Path());
    EXPECT_EQ(ResolveLibraryPath("FROMENVIRONMENT.DLL"), folder_.Path() + "/FromEnvironment.so");
}

TEST_F(LibraryLoading, FailuresGiveZeroAndAReason) {
    folder_.Write("Broken.so", "this is not a shared library");
    std::filesystem::create_directories(folder_.File("Folder.so"));
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"missing file", folder_.Path() + "/Missing.dll"},
        {"missing bare name", "NoSuchLibraryAnywhere.dll"},
        {"empty name", ""},
        {"blank name", "   "},
        {"not a library", folder_.Path() + "/Broken.dll"},
        {"a folder", folder_.Path() + "/Folder.dll"},
        {"missing folder", "/no/such/folder/Plugin.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadLibrary(c.file), 0u);
        EXPECT_FALSE(LastLibraryError().empty());
    }
    EXPECT_EQ(LoadLibrary(folder_.Path() + "/Missing.dll"), 0u);
    EXPECT_NE(LastLibraryError().find("Missing.dll"), std::string::npos) << LastLibraryError();
}

TEST_F(LibraryLoading, MissingExportsAndHandles) {
    const HMODULE module = LoadLibrary(kPlugin);
    ASSERT_NE(module, 0u) << LastLibraryError();
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(0, "VondrelCreateObject"), nullptr);
    EXPECT_FALSE(FreeLibrary(0));
}

TEST(ModuleNames, ProgramAndPlatformLibrary) {
    EXPECT_EQ(std::filesystem::path(ProgramFileName()).filename(), "test_platform");
    const std::string platform = ModuleFileNameOf(reinterpret_cast<const void*>(&LoadLibrary));
    EXPECT_EQ(std::filesystem::path(platform).filename(), "libvondrel-platform.so");
}

} // namespace
} // namespace vondrel
