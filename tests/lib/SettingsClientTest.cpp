#include "lib/VondrelIni.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::SuiteKey;
using test::TempInstall;
using Strings = std::vector<std::string>;

class ClientSettings : public ::testing::Test {
protected:
    TempInstall install;
    std::optional<ScopedPlatform> platform{std::in_place, FixedPlatformValues{.UserName = "ann"}};

    void UseSystemCodePage(const std::string& codePage) {
        platform.reset();
        platform.emplace(FixedPlatformValues{.UserName = "ann", .SysCodePage = codePage});
    }
    /// The server names and ports of the settings, row by row.
    static std::pair<Strings, std::vector<int>> Servers(const TVondrelIniC& ini) {
        std::pair<Strings, std::vector<int>> rows;
        if (ini.ServerList.DimCount() != 2)
            return rows;
        EXPECT_EQ(ini.ServerList.LowBound(1), 0);
        EXPECT_EQ(ini.ServerList.HighBound(1), 1);
        EXPECT_EQ(ini.ServerList.LowBound(2), 0);
        for (int i = 0; i <= ini.ServerList.HighBound(2); ++i) {
            rows.first.push_back(ini.ServerList.At({0, i}).AsString());
            rows.second.push_back(ini.ServerList.At({1, i}).AsInteger());
        }
        return rows;
    }
};

TEST_F(ClientSettings, AnEmptyFileGivesEveryDefault) {
    install.WriteClientIni("");
    TVondrelIniC ini;
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.ErrorId, "");
    EXPECT_EQ(ini.ClientPath, install.Path());
    EXPECT_EQ(ini.ProfilePath, install.Path());
    EXPECT_EQ(ini.ProfileName, "Default");
    EXPECT_EQ(ini.IniFileName, install.PathOf("VondrelC.ini"));
    EXPECT_EQ(ini.LangType, "ENG");
    EXPECT_EQ(ini.Version, "");
    EXPECT_EQ(ini.CreateGifBeforeSendEF, "Y");
    EXPECT_EQ(ini.UICodePage, "936");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_FALSE(ini.SupportCallBack);
    EXPECT_EQ(Servers(ini), std::make_pair(Strings{"127.0.0.1"}, std::vector<int>{211}));
    EXPECT_EQ(ini.WorkDLLPaths, Strings{install.PathOf("C_PKG/")});
    EXPECT_EQ(ini.AutoCheckNewMsg, "1");
    EXPECT_EQ(ini.CheckInterval, "1");
    EXPECT_EQ(ini.PopupMsg, "1");
    EXPECT_EQ(ini.LoginCheck, "0");
}

TEST_F(ClientSettings, EveryKeyIsReadFromItsSection) {
    install.WriteClientIni(
        "[Client Components]\r\nLangType=CHT\r\n"
        "[ProductVersion]\r\nVersion=7.1.0\r\n"
        "[UserDefine]\r\nCreateGifBeforeSendEF=N\r\n"
        "[CodePage]\r\nUICodePage=950\r\nDBCodePage=950\r\n"
        "[Server Information]\r\nSupportCallBack=Y\r\nComputerName=app1\r\nServerPort=4000\r\n"
        "[TaskMessageCenter Setting]\r\nAutoCheckNewMsg=0\r\nCheckInterval=15\r\n"
        "PopupMsg=0\r\nLoginCheck=1\r\n");
    const TVondrelIniC ini;
    EXPECT_EQ(ini.LangType, "CHT");
    EXPECT_EQ(ini.Version, "7.1.0");
    EXPECT_EQ(ini.CreateGifBeforeSendEF, "N");
    EXPECT_EQ(ini.UICodePage, "950");
    EXPECT_EQ(ini.DBCodePage, "950");
    EXPECT_TRUE(ini.SupportCallBack);
    EXPECT_EQ(Servers(ini), std::make_pair(Strings{"app1"}, std::vector<int>{4000}));
    EXPECT_EQ(ini.AutoCheckNewMsg, "0");
    EXPECT_EQ(ini.CheckInterval, "15");
    EXPECT_EQ(ini.PopupMsg, "0");
    EXPECT_EQ(ini.LoginCheck, "1");
}

TEST_F(ClientSettings, CodePagesGiveTheConversionModes) {
    const struct {
        const char* name;
        std::string system;
        std::string iniLines;
        const char* sysCodePage;
        const char* uiCodePage;
        const char* dbCodePage;
        int uiMode;
        int dbMode;
    } cases[] = {
        {"western system, no keys", "1252", "", "437", "437", "936", 0, 0},
        {"unknown system code page", "", "", "437", "437", "936", 0, 0},
        {"simplified system, no keys", "936", "", "936", "936", "936", 0, 0},
        {"traditional system, no keys", "950", "", "950", "950", "936", 2, 2},
        {"traditional interface, simplified database", "437", "UICodePage=950\nDBCodePage=936\n", "437",
         "950", "936", 2, 2},
        {"the same on a simplified system", "936", "UICodePage=950\nDBCodePage=936\n", "936", "950", "936", 2,
         2},
        {"simplified interface on a traditional system", "950", "UICodePage=936\nDBCodePage=950\n", "950",
         "936", "950", 4, 1},
        {"simplified interface, traditional database", "936", "UICodePage=936\nDBCodePage=950\n", "936",
         "936", "950", 0, 1},
        {"both traditional", "950", "UICodePage=950\nDBCodePage=950\n", "950", "950", "950", 2, 0},
        {"code pages compare as exact texts", "950", "UICodePage=\" 950\"\nDBCodePage=936\n", "950", " 950",
         "936", 0, 0},
        {"437 interface", "950", "UICodePage=437\nDBCodePage=950\n", "950", "437", "950", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseSystemCodePage(c.system);
        install.WriteClientIni("[CodePage]\n" + c.iniLines);
        const TVondrelIniC ini;
        EXPECT_EQ(ini.SysCodePage, c.sysCodePage);
        EXPECT_EQ(ini.UICodePage, c.uiCodePage);
        EXPECT_EQ(ini.DBCodePage, c.dbCodePage);
        EXPECT_EQ(ini.UIConvertMode, c.uiMode);
        EXPECT_EQ(ini.DBConvertMode, c.dbMode);
    }
}

TEST_F(ClientSettings, SupportCallBackIsTrueForItsFourWords) {
    const struct {
        const char* value;
        bool expected;
    } cases[] = {
        {"1", true},    {"Y", true},   {"y", true},   {"YES", true},         {"yes", true},
        {"True", true}, {"0", false},  {"on", false}, {"N", false},          {"no", false},
        {"2", false},   {"-1", false}, {"", false},   {"yes please", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        install.WriteClientIni(std::string("[Server Information]\nSupportCallBack=") + c.value + "\n");
        EXPECT_EQ(TVondrelIniC().SupportCallBack, c.expected);
    }
}

TEST_F(ClientSettings, ServerNamesSplitAtSemicolonsAndShareThePort) {
    const struct {
        const char* name;
        const char* lines;
        Strings names;
        int port;
    } cases[] = {
        {"two names with a final semicolon",
         "ComputerName=srv1;srv2;\nServerPort=300\n",
         {"srv1", "srv2"},
         300},
        {"no name at all", "ServerPort=300\n", {"127.0.0.1"}, 300},
        {"no port", "ComputerName=app\n", {"app"}, 211},
        {"a port that is no number", "ComputerName=app\nServerPort=21x\n", {"app"}, 211},
        {"a port too large for an integer", "ComputerName=app\nServerPort=99999999999\n", {"app"}, 211},
        {"names keep their inner blanks", "ComputerName=\" a ; b \"\n", {"a ", " b"}, 211},
        {"an empty name between two semicolons stays", "ComputerName=a;;b\n", {"a", "", "b"}, 211},
        {"only one final semicolon is dropped", "ComputerName=a;;\n", {"a", ""}, 211},
        {"a leading semicolon gives an empty first name", "ComputerName=;a\n", {"", "a"}, 211},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.WriteClientIni(std::string("[Server Information]\n") + c.lines);
        const TVondrelIniC ini;
        EXPECT_EQ(ini.ErrorId, "");
        EXPECT_EQ(Servers(ini), std::make_pair(c.names, std::vector<int>(c.names.size(), c.port)));
    }
}

TEST_F(ClientSettings, MissingServerNamesFailTheLoadAndKeepTheRawWorkLines) {
    for (const char* value : {"", "   ", "\"  \"", ";", " ; "}) {
        SCOPED_TRACE(value);
        install.WriteClientIni(std::string("[Client Components]\nLangType=CHS\n"
                                           "[CodePage]\nUICodePage=950\n"
                                           "[Server Information]\nComputerName=") +
                               value + "\n[WorkDLLPath]\nA=Pkg\n");
        TVondrelIniC ini;
        EXPECT_FALSE(ini.Load());
        EXPECT_EQ(ini.ErrorId, "E;000016");
        EXPECT_TRUE(ini.ServerList.IsEmpty());
        EXPECT_EQ(ini.WorkDLLPaths, Strings{"A=Pkg"});
        // What was read before the failure stays.
        EXPECT_EQ(ini.LangType, "CHS");
        EXPECT_EQ(ini.UIConvertMode, 2);
    }
}

TEST_F(ClientSettings, WorkFoldersAreMadeAbsoluteAgainstTheInstallFolder) {
    const std::string base = install.Path();
    install.WriteClientIni("[WorkDLLPath]\n"
                           "A=D:\\Pkg\n"
                           "B=Pkg\n"
                           "C=\\Pkg\n"
                           "D=/opt/pkg\n"
                           "E=Pkg/Sub/\n"
                           "F=Pkg\\\n"
                           "G=\n"
                           "H=\\\\srv\\share\\pkg\n"
                           "A=Other\n"
                           "b=Other\n");
    const TVondrelIniC ini;
    EXPECT_EQ(ini.WorkDLLPaths, (Strings{
                                    "D:\\Pkg/",
                                    base + "Pkg/",
                                    base + "Pkg/",
                                    "/opt/pkg/",
                                    base + "Pkg/Sub/",
                                    base + "Pkg\\",
                                    base,
                                    "\\\\srv\\share\\pkg/",
                                    "D:\\Pkg/", // a repeated name takes the first line's value
                                    base + "Pkg/",
                                }));
}

TEST_F(ClientSettings, AnEmptyWorkSectionGivesTheDefaultFolder) {
    install.WriteClientIni("[WorkDLLPath]\n; nothing here\n[Other]\nA=B\n");
    EXPECT_EQ(TVondrelIniC().WorkDLLPaths, Strings{install.PathOf("C_PKG/")});
}

TEST_F(ClientSettings, ProfilesPerUserAreReadWhenTheUserHasOne) {
    install.WriteClientIni("[Client Components]\nLangType=shared\n");
    const struct {
        const char* name;
        std::optional<std::string> profileType;
        bool userFile;
        const char* langType;
        const char* profileName;
        const char* profileFolder;
    } cases[] = {
        {"profiles on, no file for the user", "1", false, "shared", "ann", ""},
        {"profiles on, a file for the user", "1", true, "ann's", "ann", "Profile/ann/"},
        {"any value but 0 turns them on", "yes", true, "ann's", "ann", "Profile/ann/"},
        {"profiles off", "0", true, "shared", "Default", ""},
        {"no value: profiles off", std::nullopt, true, "shared", "Default", ""},
        {"an empty value: profiles off", "", true, "shared", "Default", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.SetRegistry({.ClientPath = install.Path(), .ServerPath = {}, .ProfileType = c.profileType});
        if (c.userFile)
            install.WriteFile("Profile/ann/VondrelC.ini", "[Client Components]\nLangType=ann's\n");
        else
            install.WriteFile("Profile/ann/other.txt", "");
        const TVondrelIniC ini;
        EXPECT_EQ(ini.ProfileType, c.profileType.value_or(""));
        EXPECT_EQ(ini.LangType, c.langType);
        EXPECT_EQ(ini.ProfileName, c.profileName);
        EXPECT_EQ(ini.ProfilePath, install.PathOf(c.profileFolder));
        EXPECT_EQ(ini.IniFileName, install.PathOf(std::string(c.profileFolder) + "VondrelC.ini"));
        std::filesystem::remove_all(install.PathOf("Profile"));
    }
}

TEST_F(ClientSettings, TheRegistryDecidesWhetherThereIsAnythingToRead) {
    UseSystemCodePage("950");
    install.WriteClientIni("[Client Components]\nLangType=CHS\n[CodePage]\nUICodePage=936\n");
    const struct {
        const char* name;
        std::optional<std::string> registry; // content of the registry file, none: no file
        const char* errorId;
        bool loaded;
    } cases[] = {
        {"no registry file", std::nullopt, "E;000015", false},
        {"no suite key", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Other]\n\"ClientPath\"=\"/x/\"\n",
         "E;000015", false},
        {"the key under another root", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\KMB\\Vondrel]\n",
         "E;000015", false},
        {"no client path",
         "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n\"ServerPath\"=\"/x/\"\n", "", false},
        {"an empty client path",
         "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n\"ClientPath\"=\"\"\n", "", false},
        {"a client path that is a number",
         "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n\"ClientPath\"=dword:00000001\n", "",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.registry)
            install.SetRegistryContent(*c.registry);
        else
            setenv("VONDREL_REGISTRY", install.PathOf("missing.reg").c_str(), 1);
        TVondrelIniC ini;
        EXPECT_EQ(ini.Load(), c.loaded);
        EXPECT_EQ(ini.ErrorId, c.errorId);
        // The defaults of the system stay: the file was not read.
        EXPECT_EQ(ini.ClientPath, "");
        EXPECT_EQ(ini.LangType, "");
        EXPECT_EQ(ini.SysCodePage, "950");
        EXPECT_EQ(ini.UICodePage, "950");
        EXPECT_EQ(ini.DBCodePage, "936");
        EXPECT_EQ(ini.UIConvertMode, 2);
        EXPECT_EQ(ini.DBConvertMode, 2);
        EXPECT_TRUE(ini.ServerList.IsEmpty());
        EXPECT_TRUE(ini.WorkDLLPaths.empty());
        EXPECT_EQ(ini.ProfileName, "Default");
    }
}

TEST_F(ClientSettings, AnInstallFolderWithoutFinalSeparatorGetsOne) {
    std::string folder = install.Path();
    folder.pop_back();
    install.SetRegistry({.ClientPath = folder});
    install.WriteClientIni("[Client Components]\nLangType=CHS\n");
    const TVondrelIniC ini;
    EXPECT_EQ(ini.ClientPath, install.Path());
    EXPECT_EQ(ini.LangType, "CHS");
}

TEST_F(ClientSettings, EveryInstanceReadsTheFilesAfresh) {
    install.WriteClientIni("[Client Components]\nLangType=CHS\n");
    const TVondrelIniC first;
    install.WriteClientIni("[Client Components]\nLangType=CHT\n");
    const TVondrelIniC second;
    EXPECT_EQ(first.LangType, "CHS");
    EXPECT_EQ(second.LangType, "CHT");
}

} // namespace
} // namespace vondrel
