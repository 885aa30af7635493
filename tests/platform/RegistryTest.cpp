#include "platform/Registry.h"

#include "platform/Unicode.h"
#include "support/TempFolder.h"

#include <vondrel/Exception.h>

#include <gtest/gtest.h>

#include <random>

namespace vondrel {
namespace {

using test::ScopedEnv;
using test::TempFolder;

const char* const kSuiteKey = "HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel";

/// The text as UTF-16LE bytes with a byte-order mark, the way the registry editor
/// exports version 5 files.
std::string Utf16LeFile(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string TextOf(const TRegistryFile& file, std::string_view key, std::string_view name) {
    const auto value = file.Value(key, name);
    return value ? value->Text : "<missing>";
}

const std::string kVersion5 = "Windows Registry Editor Version 5.00\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KMB\\Vondrel]\r\n"
                              "\"ClientPath\"=\"C:\\\\Program Files\\\\KMB\\\\\"\r\n"
                              "\"Caption\"=\"损益结转\"\r\n"
                              "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
                              "\"Port\"=dword:0000212a\r\n"
                              "\"Everything\"=dword:ffffffff\r\n"
                              "@=\"default value\"\r\n"
                              "\"Expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00\r\n"
                              "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                              "\"Blob\"=hex:01,02,03,\\\r\n"
                              "  04,05,\\\r\n"
                              "  ff\r\n"
                              "\"AfterBlob\"=\"still read\"\r\n";

TEST(RegistryFile, ReadsTheVersion5Format) {
    const auto file = TRegistryFile::Parse(kVersion5);
    EXPECT_EQ(file->Error(), "");
    EXPECT_TRUE(file->KeyExists(kSuiteKey));
    EXPECT_EQ(TextOf(*file, kSuiteKey, "ClientPath"), "C:\\Program Files\\KMB\\");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "Caption"), "损益结转");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "Quoted"), "say \"hi\"");
    EXPECT_EQ(TextOf(*file, kSuiteKey, ""), "default value");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "AfterBlob"), "still read");

    const auto port = file->Value(kSuiteKey, "Port");
    ASSERT_TRUE(port);
    EXPECT_EQ(port->Type, RegValue::Kind::DWord);
    EXPECT_EQ(port->Number, 8490u);
    EXPECT_EQ(file->Value(kSuiteKey, "Everything")->Number, 0xFFFFFFFFu);

    const auto expand = file->Value(kSuiteKey, "Expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->Type, RegValue::Kind::ExpandString);
    EXPECT_EQ(expand->Text, "%TEMP%");
    EXPECT_EQ(file->Value(kSuiteKey, "Multi")->Text, "a\nb");
    EXPECT_EQ(file->Value(kSuiteKey, "Multi")->Type, RegValue::Kind::MultiString);

    const auto blob = file->Value(kSuiteKey, "Blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->Type, RegValue::Kind::Binary);
    EXPECT_EQ(blob->Data, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 255}));

    EXPECT_EQ(file->ValueNames(kSuiteKey),
              (std::vector<std::string>{"ClientPath", "Caption", "Quoted", "Port", "Everything", "", "Expand",
                                        "Multi", "Blob", "AfterBlob"}));
}

TEST(RegistryFile, ReadsTheRegedit4Format) {
    const auto file = TRegistryFile::Parse("REGEDIT4\n\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n"
                                           "\"ClientPath\"=\"/opt/vondrel/\"\n"
                                           "\"Expand\"=hex(2):25,54,4d,50,25,00\n"
                                           "\"Small\"=hex(4):2a,00,00,00\n");
    EXPECT_EQ(file->Error(), "");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "ClientPath"), "/opt/vondrel/");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "Expand"), "%TMP%");
    EXPECT_EQ(file->Value(kSuiteKey, "Small")->Number, 42u);
}

TEST(RegistryFile, NamesIgnoreCaseAndRootsMayBeShort) {
    const auto file = TRegistryFile::Parse(kVersion5);
    struct Case {
        const char* key;
        const char* name;
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel", "ClientPath"},
        {"hkey_local_machine\\software\\kmb\\vondrel", "CLIENTPATH"},
        {"HKLM\\Software\\KMB\\Vondrel", "clientpath"},
        {"HKLM/Software/KMB/Vondrel/", "ClientPath"},
        {"\\HKLM\\\\Software\\KMB\\Vondrel\\", "ClientPath"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(TextOf(*file, c.key, c.name), "C:\\Program Files\\KMB\\");
    }
    EXPECT_FALSE(file->KeyExists("HKCU\\Software\\KMB\\Vondrel"));
    // The parents of a key exist, without values.
    EXPECT_TRUE(file->KeyExists("HKLM\\Software\\KMB"));
    EXPECT_TRUE(file->KeyExists("HKLM"));
    EXPECT_TRUE(file->ValueNames("HKLM\\Software\\KMB").empty());
    EXPECT_FALSE(file->KeyExists("HKLM\\Software\\KM"));
    EXPECT_FALSE(file->Value(kSuiteKey, "NoSuchValue"));
    EXPECT_FALSE(file->Value("HKLM\\NoSuchKey", "ClientPath"));
}

TEST(RegistryFile, ReadsUtf16FilesWithByteOrderMark) {
    TempFolder folder;
    const auto file = TRegistryFile::Load(folder.Write("utf16.reg", Utf16LeFile(kVersion5)));
    EXPECT_EQ(file->Error(), "");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "Caption"), "损益结转");
    EXPECT_EQ(TextOf(*file, kSuiteKey, "Expand"), "%TEMP%");
    EXPECT_EQ(file->Value(kSuiteKey, "Blob")->Data.size(), 6u);
    EXPECT_EQ(file->Path(), folder.File("utf16.reg"));
    EXPECT_EQ(file->Folder(), folder.Path() + "/");

    const auto withUtf8Mark = TRegistryFile::Parse("\xEF\xBB\xBF" + kVersion5);
    EXPECT_EQ(TextOf(*withUtf8Mark, kSuiteKey, "Caption"), "损益结转");
}

TEST(RegistryFile, LaterKeysAndValuesAddToEarlierOnes) {
    const auto file = TRegistryFile::Parse("REGEDIT4\n"
                                           "[HKEY_CURRENT_USER\\A]\n\"One\"=\"1\"\n\"Two\"=\"first\"\n"
                                           "[HKEY_CURRENT_USER\\B]\n\"One\"=\"b\"\n"
                                           "[hkey_current_user\\a]\n\"TWO\"=\"second\"\n\"Three\"=\"3\"\n");
    EXPECT_EQ(TextOf(*file, "HKCU\\A", "One"), "1");
    EXPECT_EQ(TextOf(*file, "HKCU\\A", "Two"), "second");
    EXPECT_EQ(TextOf(*file, "HKCU\\A", "Three"), "3");
    EXPECT_EQ(file->ValueNames("HKCU\\A"), (std::vector<std::string>{"One", "Two", "Three"}));
}

TEST(RegistryFile, ClassesRootFallsBackToMachineClasses) {
    const auto file = TRegistryFile::Parse("REGEDIT4\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Only.Machine\\CLSID]\n"
                                           "@=\"{machine}\"\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Both\\CLSID]\n"
                                           "@=\"{machine}\"\n"
                                           "[HKEY_CLASSES_ROOT\\Both\\CLSID]\n"
                                           "@=\"{root}\"\n");
    EXPECT_EQ(TextOf(*file, "HKEY_CLASSES_ROOT\\Only.Machine\\CLSID", ""), "{machine}");
    EXPECT_EQ(TextOf(*file, "HKCR\\only.machine\\clsid", ""), "{machine}");
    EXPECT_EQ(TextOf(*file, "HKCR\\Both\\CLSID", ""), "{root}");
    EXPECT_TRUE(file->KeyExists("HKCR\\Only.Machine"));
    // The fallback goes one way only.
    const auto rootOnly = TRegistryFile::Parse("REGEDIT4\n[HKEY_CLASSES_ROOT\\X]\n@=\"x\"\n");
    EXPECT_FALSE(rootOnly->KeyExists("HKLM\\Software\\Classes\\X"));
}

TEST(RegistryFile, BadHeadersGiveAnEmptyRegistryWithAReason) {
    const char* const texts[] = {
        "",
        "\n\n",
        "REGEDIT5\n[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n",
        "Windows Registry Editor Version 4.00\n[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n",
        "[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n",
        "\"V\"=\"1\"\nREGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const auto file = TRegistryFile::Parse(text);
        EXPECT_NE(file->Error(), "");
        EXPECT_FALSE(file->KeyExists("HKCU\\A"));
    }
    const auto missing = TRegistryFile::Load("/no/such/folder/registry.reg");
    EXPECT_NE(missing->Error(), "");
    EXPECT_FALSE(missing->KeyExists(kSuiteKey));
}

TEST(RegistryFile, LinesThatCannotBeUnderstoodAreSkipped) {
    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"unterminated name", "\"Broken=\"x\""},
        {"unterminated value", "\"Broken\"=\"x"},
        {"text after the value", "\"Broken\"=\"x\" trailing"},
        {"no equals sign", "\"Broken\" \"x\""},
        {"bare word value", "\"Broken\"=x"},
        {"dword not hex", "\"Broken\"=dword:xyz"},
        {"dword too long", "\"Broken\"=dword:123456789"},
        {"dword empty", "\"Broken\"=dword:"},
        {"negative dword", "\"Broken\"=dword:-1"},
        {"hex not hex", "\"Broken\"=hex:zz"},
        {"hex byte too large", "\"Broken\"=hex:100"},
        {"hex without colon", "\"Broken\"=hex"},
        {"value deleted", "\"Broken\"=-"},
        {"name without quotes", "Broken=\"x\""},
        {"comment", "; \"Broken\"=\"x\""},
        {"lone quote", "\""},
        {"lone at sign", "@"},
        {"nul bytes", std::string("\"Bro\0ken\"=\"x\"", 13)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = std::string("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Before\"=\"b\"\n") +
                                 c.line + "\n\"After\"=\"a\"\n";
        const auto file = TRegistryFile::Parse(text);
        EXPECT_EQ(TextOf(*file, "HKCU\\A", "Before"), "b");
        EXPECT_EQ(TextOf(*file, "HKCU\\A", "After"), "a");
        EXPECT_FALSE(file->Value("HKCU\\A", "Broken"));
    }
}

TEST(RegistryFile, BadKeyLinesDropTheirValues) {
    const char* const keyLines[] = {
        "[HKEY_CURRENT_USER\\B",
        "[",
        "[]",
        "[-HKEY_CURRENT_USER\\B]",
    };
    for (const char* keyLine : keyLines) {
        SCOPED_TRACE(keyLine);
        const auto file = TRegistryFile::Parse(std::string("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n") + keyLine +
                                               "\n\"V\"=\"lost\"\n[HKEY_CURRENT_USER\\C]\n\"V\"=\"c\"\n");
        EXPECT_FALSE(file->Value("HKCU\\A", "V"));
        EXPECT_FALSE(file->Value("HKCU\\B", "V"));
        EXPECT_EQ(TextOf(*file, "HKCU\\C", "V"), "c");
    }
}

TEST(RegistryFile, JunkNeverCrashes) {
    std::mt19937 random(20040105);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::string junk;
        const int length = round * 7;
        for (int i = 0; i < length; ++i)
            junk += static_cast<char>(byte(random));
        for (const std::string& prefix :
             {std::string(), std::string("REGEDIT4\n"), std::string("\xFF\xFE")}) {
            const auto file = TRegistryFile::Parse(prefix + junk);
            file->KeyExists(kSuiteKey);
            file->Value(kSuiteKey, "ClientPath");
        }
    }
    // Every cut and every single-byte change of a real file.
    for (std::size_t cut = 0; cut <= kVersion5.size(); ++cut) {
        const auto file = TRegistryFile::Parse(kVersion5.substr(0, cut));
        file->Value(kSuiteKey, "Blob");
        std::string changed = kVersion5;
        changed[cut % changed.size()] = static_cast<char>(byte(random));
        TRegistryFile::Parse(changed)->ValueNames(kSuiteKey);
        const std::string wide = Utf16LeFile(kVersion5);
        TRegistryFile::Parse(wide.substr(0, cut * 2 + 1))->Value(kSuiteKey, "Caption");
    }
}

class SystemRegistryFile : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(SystemRegistryFile, FollowsVondrelRegistry) {
    const std::string first =
        folder_.Write("first.reg", "REGEDIT4\n[HKLM\\Software\\KMB\\Vondrel]\n\"Name\"=\"first\"\n");
    const std::string second =
        folder_.Write("second.reg", "REGEDIT4\n[HKLM\\Software\\KMB\\Vondrel]\n\"Name\"=\"second\"\n");
    {
        const ScopedEnv env("VONDREL_REGISTRY", first);
        EXPECT_EQ(RegistryFilePath(), first);
        EXPECT_EQ(TextOf(*SystemRegistry(), kSuiteKey, "Name"), "first");
    }
    {
        const ScopedEnv env("VONDREL_REGISTRY", second);
        EXPECT_EQ(TextOf(*SystemRegistry(), kSuiteKey, "Name"), "second");
        // A changed file is read again.
        folder_.Write("second.reg",
                      "REGEDIT4\n[HKLM\\Software\\KMB\\Vondrel]\n\"Name\"=\"second, changed\"\n");
        EXPECT_EQ(TextOf(*SystemRegistry(), kSuiteKey, "Name"), "second, changed");
    }
    {
        const ScopedEnv env("VONDREL_REGISTRY", first);
        EXPECT_EQ(TextOf(*SystemRegistry(), kSuiteKey, "Name"), "first");
    }
    {
        const ScopedEnv env("VONDREL_REGISTRY", nullptr);
        EXPECT_EQ(RegistryFilePath(), "/etc/vondrel/registry.reg");
    }
    {
        const ScopedEnv env("VONDREL_REGISTRY", "");
        EXPECT_EQ(RegistryFilePath(), "/etc/vondrel/registry.reg");
    }
}

TEST_F(SystemRegistryFile, TRegistryReadsOneKeyAtATime) {
    const ScopedEnv env("VONDREL_REGISTRY",
                        folder_.Write("registry.reg", kVersion5 + "\r\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\"
                                                                  "Vondrel\\Sub]\r\n\"Deep\"=\"yes\"\r\n"));
    TRegistry registry;
    registry.RootKey = HKEY::LocalMachine;
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\KMB\\Missing"));
    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\KMB"));
    EXPECT_EQ(registry.ReadString("ClientPath"), "");
    registry.CloseKey();
    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\KMB\\Vondrel"));
    EXPECT_EQ(registry.ReadString("ClientPath"), "C:\\Program Files\\KMB\\");
    EXPECT_EQ(registry.ReadString("clientpath"), "C:\\Program Files\\KMB\\");
    EXPECT_EQ(registry.ReadString("NoSuchValue"), "");
    EXPECT_TRUE(registry.ValueExists("Port"));
    EXPECT_FALSE(registry.ValueExists("NoSuchValue"));
    EXPECT_EQ(registry.ReadInteger("Port"), 8490);
    EXPECT_EQ(registry.ReadInteger("Everything"), -1);
    EXPECT_THROW(registry.ReadInteger("ClientPath"), Exception);
    EXPECT_THROW(registry.ReadInteger("NoSuchValue"), Exception);
    EXPECT_THROW(registry.ReadString("Port"), Exception);
    EXPECT_TRUE(registry.KeyExists("Sub"));

    // Relative to the open key, or absolute below the root.
    ASSERT_TRUE(registry.OpenKeyReadOnly("Sub"));
    EXPECT_EQ(registry.ReadString("Deep"), "yes");
    ASSERT_TRUE(registry.OpenKeyReadOnly("\\Software\\KMB\\Vondrel"));
    EXPECT_EQ(registry.ReadString("Caption"), "损益结转");

    registry.CloseKey();
    EXPECT_EQ(registry.ReadString("Caption"), "");
    EXPECT_FALSE(registry.ValueExists("Caption"));

    TRegistry user;
    EXPECT_EQ(user.RootKey, HKEY::CurrentUser);
    EXPECT_FALSE(user.OpenKeyReadOnly("Software\\KMB\\Vondrel"));
}

} // namespace
} // namespace vondrel
