#include "lib/PasswordEncoding.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::MakeDateTime;
using test::ScopedPlatform;
using test::TempInstall;

class StoredPassword : public ::testing::Test {
protected:
    TempInstall install;
    ScopedPlatform platform{FixedPlatformValues{.Now = MakeDateTime(2004, 3, 5, 14, 7, 9)}};

    std::string GeneratorLog() const { return install.ReadFile("Log/Alert_TovikGenerator_20040305.log"); }
};

TEST_F(StoredPassword, KnownFormsDecode) {
    const struct {
        const char* password;
        const char* stored;
    } cases[] = {
        {"", ""},
        {"s", "cw=="},
        {"sa", "c2E="},
        {"sec", "c2Vj"},
        {"secret", "c2VjcmV0"},
        {"密码", "5a+G56CB"},
        {"a=b+c/d ", "YT1iK2MvZCA="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        EXPECT_EQ(EncodeSQLSa(c.password), c.stored);
        EXPECT_EQ(DecodeSQLSa(c.stored), c.password);
    }
    EXPECT_FALSE(install.Exists("Log"));
}

TEST_F(StoredPassword, EveryCharacterOfATextRoundTrips) {
    std::vector<std::string> characters;
    for (int c = 1; c < 128; ++c)
        characters.emplace_back(1, static_cast<char>(c));
    for (const char* c : {"期", "间", "é", "€", "\U0001F600"})
        characters.emplace_back(c);
    // Every length, so that each of the three padding cases meets every kind of character.
    std::string password;
    for (const std::string& c : characters) {
        password += c;
        EXPECT_EQ(DecodeSQLSa(EncodeSQLSa(password)), password) << password.size();
    }
    EXPECT_FALSE(install.Exists("Log"));
}

TEST_F(StoredPassword, TextsNotInTheStoredFormAreReportedWithoutShowingThem) {
    const struct {
        const char* name;
        const char* stored;
    } cases[] = {
        {"a plain password", "secret7"},
        {"a length that is no multiple of four", "c2E"},
        {"a character outside the alphabet", "c2E*"},
        {"blanks inside", "c2 E"},
        {"padding alone", "===="},
        {"too much padding", "c==="},
        {"padding in the middle", "c2E=c2E="},
        {"bytes that are no UTF-8", "/w=="},
        {"a NUL character", "AA=="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(install.PathOf("Log"));
        EXPECT_EQ(DecodeSQLSa(c.stored), "KM_Say_Password_Error");
        const std::string log = GeneratorLog();
        const std::string rule =
            std::string(34, '-') + " on " + EncodeSQLSa("DecodeSQLSa") + " " + std::string(34, '-');
        EXPECT_EQ(log.find("[2004-03-05 14:07:09] " + rule + "\r\n"), 0u) << log;
        EXPECT_NE(log.find("] 讯息信息:\r\n"), std::string::npos) << log;
        EXPECT_NE(log.find("] Exception is EPasswordFormatError\r\nMessage 01: "), std::string::npos) << log;
        EXPECT_NE(log.find("] ErrorMessage Count: 1\r\n"), std::string::npos) << log;
        EXPECT_NE(log.find("] Programer Message: 解析 Sa 时发生错误!\r\n"), std::string::npos) << log;
        if (std::string(c.stored).size() > 4) {
            EXPECT_EQ(log.find(c.stored), std::string::npos) << "the report shows the stored text";
        }
    }
}

/// The output of a command, or nothing when it cannot be run.
std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    pclose(pipe);
    return output;
}

TEST_F(StoredPassword, TheAdministratorsToolWritesTheStoredForm) {
    const std::string tool = std::string(VONDREL_SOURCE_DIR) + "/host/tools/vondrel-encode-password";
    for (const std::string password : {"sa", "pä ss wörd", "密码=1", ""}) {
        SCOPED_TRACE(password);
        install.WriteFile("pw.txt", password + "\n");
        std::string stored = CommandOutput("'" + tool + "' < '" + install.PathOf("pw.txt") + "'");
        ASSERT_FALSE(stored.empty());
        ASSERT_EQ(stored.back(), '\n');
        stored.pop_back();
        EXPECT_EQ(stored, EncodeSQLSa(password));
        EXPECT_EQ(DecodeSQLSa(stored), password);
    }
}

} // namespace
} // namespace vondrel
