#include "lib/VondrelIni.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempInstall;

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

/// A file in UTF-16LE with its byte-order mark, as Windows editors save "Unicode" text.
std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class MalformedSettings : public ::testing::Test {
protected:
    TempInstall install;
    ScopedPlatform platform{FixedPlatformValues{.SysCodePage = "950"}};
};

TEST_F(MalformedSettings, BrokenSettingsFilesGiveDefaultsWhereTheyCannotBeRead) {
    const std::string huge(1 << 20, 'x');
    const struct {
        const char* name;
        std::string content;
        std::string langType;
        std::string uiCodePage;
        std::string serverName;
    } cases[] = {
        {"random bytes", RandomBytes(64 * 1024, 7), "ENG", "950", "127.0.0.1"},
        {"every byte value", AllByteValues() + AllByteValues(), "ENG", "950", "127.0.0.1"},
        {"a NUL character inside a value",
         std::string("[CodePage]\nUICodePage=9\0"
                     "36\n",
                     27),
         "ENG",
         std::string("9\0"
                     "36",
                     4),
         "127.0.0.1"},
        {"a header without its bracket, then a good section",
         "[Client Components\nLangType=CHS\n[Server Information]\nComputerName=app\n", "CHS", "950", "app"},
        {"keys before any section", "LangType=CHS\nComputerName=app\n", "ENG", "950", "127.0.0.1"},
        {"lines without '='", "[Client Components]\nLangType\nCHS\n", "ENG", "950", "127.0.0.1"},
        {"duplicate keys and sections: the first wins",
         "[CodePage]\nUICodePage=936\nUICodePage=950\n[codepage]\nUICodePage=437\n", "ENG", "936",
         "127.0.0.1"},
        {"huge values",
         "[Client Components]\nLangType=" + huge + "\n[Server Information]\nServerPort=" + huge + "\n", huge,
         "950", "127.0.0.1"},
        {"a number too large for its key", "[Server Information]\nServerPort=99999999999999999999999\n",
         "ENG", "950", "127.0.0.1"},
        {"one huge line without a line end", "[" + huge, "ENG", "950", "127.0.0.1"},
        {"UTF-16 with its byte-order mark", Utf16File(u"[CodePage]\r\nUICodePage=936\r\n"), "ENG", "936",
         "127.0.0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.WriteClientIni(c.content);
        TVondrelIniC client;
        EXPECT_TRUE(client.Load());
        EXPECT_EQ(client.LangType, c.langType);
        EXPECT_EQ(client.UICodePage, c.uiCodePage);
        ASSERT_EQ(client.ServerList.DimCount(), 2);
        EXPECT_EQ(client.ServerList.HighBound(2), 0);
        EXPECT_EQ(client.ServerList.At({0, 0}), Variant(c.serverName));
        EXPECT_EQ(client.ServerList.At({1, 0}), Variant(211));

        install.WriteServerIni(c.content);
        TVondrelIniS server;
        EXPECT_TRUE(server.Load());
        EXPECT_EQ(server.UICodePage, c.uiCodePage);
        EXPECT_EQ(server.DBSettings.At({0, 0}), Variant("Pellam"));
        EXPECT_EQ(server.DBSettings.At({0, 6}), Variant(300));
    }
}

TEST_F(MalformedSettings, ASettingsFileThatIsAFolderReadsAsEmpty) {
    std::filesystem::create_directories(install.PathOf("VondrelC.ini"));
    TVondrelIniC ini;
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.LangType, "ENG");
}

TEST_F(MalformedSettings, BrokenRegistryFilesLoadNothingAndNeverRaise) {
    install.WriteClientIni("[Client Components]\nLangType=CHS\n");
    install.WriteServerIni("[DBE Setting]\nMainAlias=Main\n");
    const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n";
    const std::string path = test::RegString(install.Path());
    const struct {
        const char* name;
        std::string content;
        const char* errorId;
        bool loaded;
        const char* langType;
    } cases[] = {
        {"empty file", "", "E;000015", false, ""},
        {"random bytes", RandomBytes(16 * 1024, 11), "E;000015", false, ""},
        {"no header", key + "\"ClientPath\"=\"" + path + "\"\n", "E;000015", false, ""},
        {"header only", "REGEDIT4\n", "E;000015", false, ""},
        {"a key without its bracket",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel\n\"ClientPath\"=\"" + path + "\"\n",
         "E;000015", false, ""},
        {"unterminated values",
         "REGEDIT4\n" + key + "\"ClientPath\"=\"" + path + "\n\"ServerPath\"=\"" + path, "", false, ""},
        {"values of other types",
         "REGEDIT4\n" + key + "\"ClientPath\"=dword:00000010\n\"ServerPath\"=hex:41,42\n", "", false, ""},
        {"every byte value after the key", "REGEDIT4\n" + key + AllByteValues(), "", false, ""},
        // A folder name too long for the system: no file can be read there, so defaults.
        {"a huge folder",
         "REGEDIT4\n" + key + "\"ClientPath\"=\"" + std::string(1 << 20, 'p') + "\"\n\"ServerPath\"=\"" +
             std::string(1 << 20, 'p') + "\"\n",
         "", true, "ENG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.SetRegistryContent(c.content);
        TVondrelIniC client;
        EXPECT_EQ(client.Load(), c.loaded);
        EXPECT_EQ(client.ErrorId, c.errorId);
        EXPECT_EQ(client.LangType, c.langType);
        EXPECT_EQ(client.UICodePage, "950");
        EXPECT_EQ(client.UIConvertMode, 2);
        TVondrelIniS server;
        EXPECT_EQ(server.Load(), c.loaded);
        EXPECT_EQ(server.ErrorId, c.errorId);
        EXPECT_EQ(server.DBSettings.At({0, 0}), c.loaded ? Variant("Pellam") : Variant());
    }
}

} // namespace
} // namespace vondrel
