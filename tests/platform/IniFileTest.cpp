#include "platform/IniFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace vondrel {
namespace {

using test::TempFolder;

const char* const kClientIni = "; client settings\r\n"
                               "[Server Information]\r\n"
                               "  ComputerName  =  KMSRV01  \r\n"
                               "ServerPort=211\r\n"
                               "computername=second wins nothing\r\n"
                               "Quoted=\"  padded  \"\r\n"
                               "Single='x'\r\n"
                               "Unbalanced=\"abc'\r\n"
                               "OnlyOpening=\"abc\r\n"
                               "LoneQuote=\"\r\n"
                               "Empty=\r\n"
                               "WithEquals=a=b\r\n"
                               "Inline=value ; not a comment\r\n"
                               "NoEqualsSign\r\n"
                               "; Commented=1\r\n"
                               "\r\n"
                               "[ Code Page ]\r\n"
                               "SysCodePage=936\r\n"
                               "Hex=$1F\r\n"
                               "CHex=0x1f\r\n"
                               "Spaced= 12 \r\n"
                               "Word=12abc\r\n"
                               "Decimal=1.5\r\n"
                               "Huge=99999999999\r\n"
                               "Negative=-7\r\n"
                               "QuotedNumber=\"42\"\r\n"
                               "[server information]\r\n"
                               "ComputerName=duplicate section\r\n"
                               "Extra=only in the duplicate\r\n"
                               "[WorkDLLPath]\r\n"
                               "Z=C:\\KMB\\Z\r\n"
                               "A = \"C:\\KMB\\A\\\"\r\n"
                               "M=\r\n";

class IniFile : public ::testing::Test {
protected:
    TempFolder folder_;
    TIniFile ini_{folder_.Write("VondrelC.ini", kClientIni)};
};

TEST_F(IniFile, ReadsStringsWithTheProfileRules) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Server Information", "ComputerName", "KMSRV01"},
        {"SERVER INFORMATION", "computername", "KMSRV01"},
        {"  Server Information ", " ComputerName ", "KMSRV01"},
        {"Server Information", "ServerPort", "211"},
        {"Server Information", "Quoted", "  padded  "},
        {"Server Information", "Single", "x"},
        {"Server Information", "Unbalanced", "\"abc'"},
        {"Server Information", "OnlyOpening", "\"abc"},
        {"Server Information", "LoneQuote", "\""},
        {"Server Information", "Empty", ""},
        {"Server Information", "WithEquals", "a=b"},
        {"Server Information", "Inline", "value ; not a comment"},
        {"Code Page", "SysCodePage", "936"},
        {"code page", "Spaced", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini_.ReadString(c.section, c.key, "<default>"), c.value);
        EXPECT_TRUE(ini_.ValueExists(c.section, c.key));
    }
}

TEST_F(IniFile, MissingSectionsAndKeysGiveTheDefault) {
    struct Case {
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"Server Information", "Missing"},   {"Server Information", "NoEqualsSign"},
        {"Server Information", "Commented"}, {"Server Information", "; Commented"},
        {"Server Information", "Extra"}, // only in a later duplicate of the section
        {"No Such Section", "ComputerName"}, {"", "ComputerName"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini_.ReadString(c.section, c.key, "<default>"), "<default>");
        EXPECT_EQ(ini_.ReadInteger(c.section, c.key, -5), -5);
        EXPECT_FALSE(ini_.ValueExists(c.section, c.key));
    }
    EXPECT_TRUE(ini_.SectionExists("server information"));
    EXPECT_FALSE(ini_.SectionExists("No Such Section"));
}

TEST_F(IniFile, ReadIntegerFallsBackWhenTheValueIsNoNumber) {
    struct Case {
        const char* key;
        std::int32_t value;
    };
    const Case cases[] = {
        {"SysCodePage", 936}, {"Hex", 31},     {"CHex", 31}, {"Spaced", 12},       {"Negative", -7},
        {"Word", -1},         {"Decimal", -1}, {"Huge", -1}, {"QuotedNumber", 42}, {"Missing", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini_.ReadInteger("Code Page", c.key, -1), c.value);
    }
    EXPECT_EQ(ini_.ReadInteger("Server Information", "Empty", 9), 9);
    EXPECT_TRUE(ini_.ReadBool("Code Page", "Negative", false));
    EXPECT_FALSE(ini_.ReadBool("Server Information", "Empty", false));
    EXPECT_TRUE(ini_.ReadBool("Server Information", "Empty", true));
}

TEST_F(IniFile, ReadsWholeSectionsInFileOrder) {
    EXPECT_EQ(ini_.ReadSectionValues("WorkDLLPath"),
              (std::vector<std::string>{"Z=C:\\KMB\\Z", "A=C:\\KMB\\A\\", "M="}));
    EXPECT_EQ(ini_.ReadSection("workdllpath"), (std::vector<std::string>{"Z", "A", "M"}));
    EXPECT_EQ(ini_.ReadSections(),
              (std::vector<std::string>{"Server Information", "Code Page", "WorkDLLPath"}));
    EXPECT_TRUE(ini_.ReadSectionValues("No Such Section").empty());
    const auto server = ini_.ReadSectionValues("Server Information");
    ASSERT_FALSE(server.empty());
    EXPECT_EQ(server.front(), "ComputerName=KMSRV01");
}

TEST(IniFileContent, AMissingFileReadsAsEmpty) {
    const TIniFile ini("/no/such/folder/VondrelC.ini");
    EXPECT_EQ(ini.FileName(), "/no/such/folder/VondrelC.ini");
    EXPECT_EQ(ini.ReadString("Server Information", "ComputerName", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInteger("Server Information", "ServerPort", 211), 211);
    EXPECT_TRUE(ini.ReadSections().empty());
}

TEST(IniFileContent, OddContentIsReadAsWellAsItCanBe) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::string content;
        const char* value; // of [S] K, or "<default>"
    };
    const std::string huge(100000, 'h');
    const Case cases[] = {
        {"header without closing bracket", "[S\nK=v\n", "v"},
        {"text after the header", "[S] trailing\nK=v\n", "v"},
        {"keys before any section", "K=lost\n[S]\n", "<default>"},
        {"no line end", "[S]\nK=v", "v"},
        {"tabs around", "\t[S]\t\n\tK\t=\tv\t\n", "v"},
        {"utf-8 mark", "\xEF\xBB\xBF[S]\nK=损益\n", "损益"},
        {"utf-16 with mark", std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0v\0\n\0", 18), "v"},
        {"empty file", "", "<default>"},
        {"nul bytes in other lines", std::string("[S]\nX=\0\0\0\nK=v\n", 14), "v"},
        {"huge value", "[S]\nK=" + huge + "\n", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TIniFile ini(folder.Write("odd.ini", c.content));
        EXPECT_EQ(ini.ReadString("S", "K", "<default>"), c.value ? std::string(c.value) : huge);
    }
}

TEST(IniFileContent, BinaryJunkNeverCrashes) {
    TempFolder folder;
    std::mt19937 random(936);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string junk = round % 2 ? "[S]\n" : "";
        for (int i = 0; i < round * 13; ++i)
            junk += static_cast<char>(byte(random));
        const TIniFile ini(folder.Write("junk.ini", junk));
        ini.ReadString("S", "K", "");
        ini.ReadInteger("S", "K", 0);
        ini.ReadSectionValues("S");
        ini.ReadSections();
    }
}

} // namespace
} // namespace vondrel
