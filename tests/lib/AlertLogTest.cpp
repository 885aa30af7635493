#include "lib/AlertLog.h"

#include "platform/Library.h"
#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::MakeDateTime;
using test::ScopedPlatform;
using test::TempInstall;

class AlertLog : public ::testing::Test {
protected:
    TempInstall install;
    ScopedPlatform platform{FixedPlatformValues{.Now = MakeDateTime(2004, 3, 5, 14, 7, 9, 42),
                                                .TempPath = install.PathOf("temp/")}};

    /// The lines of a log file without their stamps; lines are checked to end in CR LF and
    /// to carry the stamp, except the second line of a two-line entry.
    std::vector<std::string> Lines(const std::string& relative, const std::string& stamp) const {
        const std::string content = install.ReadFile(relative);
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < content.size()) {
            const std::size_t end = content.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "a line without CR LF";
            std::string line = content.substr(start, end - start);
            if (line.rfind("[" + stamp + "] ", 0) == 0)
                line.erase(0, stamp.size() + 3);
            lines.push_back(line);
            start = end == std::string::npos ? content.size() : end + 2;
        }
        return lines;
    }
};

TEST_F(AlertLog, ThePeriodLetterNamesTheFile) {
    const struct {
        const char* name;
        char period;
        const char* file;
    } cases[] = {
        {"libstrs", 'D', "Log/Alert_libstrs_20040305.log"},
        {"libstrs", 'M', "Log/Alert_libstrs_200403.log"},
        {"libstrs", 'Y', "Log/Alert_libstrs_2004.log"},
        {"libstrs", 'W', "Log/Alert_libstrs_20040305.log"},
        {"libstrs", 'm', "Log/Alert_libstrs_20040305.log"},
        {"job.txt", 'D', "Log/Alert_job.txt_20040305"},
        {"批处理", 'Y', "Log/Alert_批处理_2004.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.period);
        std::filesystem::remove_all(install.PathOf("Log"));
        EXPECT_TRUE(WriteAlertLog(c.name, "LINE[115] x", c.period));
        EXPECT_EQ(install.ReadFile(c.file), "[2004/03/05 14:07:09:042] LINE[115] x\r\n");
    }
}

TEST_F(AlertLog, LinesAreAppendedAsTheyStand) {
    EXPECT_TRUE(WriteAlertLog("libstrs", "first", 'D'));
    EXPECT_TRUE(WriteAlertLog("libstrs", "转换失败 100% %s %d", 'D'));
    EXPECT_TRUE(WriteAlertLog("libstrs", "", 'D'));
    EXPECT_EQ(install.ReadFile("Log/Alert_libstrs_20040305.log"),
              "[2004/03/05 14:07:09:042] first\r\n"
              "[2004/03/05 14:07:09:042] 转换失败 100% %s %d\r\n"
              "[2004/03/05 14:07:09:042] \r\n");
}

TEST_F(AlertLog, TheLogFolderIsMadeWithItsParents) {
    install.SetRegistry({.ClientPath = install.PathOf("deep/er/suite/")});
    EXPECT_TRUE(WriteAlertLog("libstrs", "x", 'D'));
    EXPECT_TRUE(install.Exists("deep/er/suite/Log/Alert_libstrs_20040305.log"));
    // An install folder named without its final separator.
    install.SetRegistry({.ClientPath = install.PathOf("other")});
    EXPECT_TRUE(WriteAlertLog("libstrs", "x", 'D'));
    EXPECT_TRUE(install.Exists("other/Log/Alert_libstrs_20040305.log"));
}

TEST_F(AlertLog, WithoutInstallFolderTheProgramsFolderIsUsed) {
    install.SetRegistry({});
    const std::string name = "test-" + std::to_string(::getpid());
    const std::filesystem::path file =
        std::filesystem::path(ProgramFileName()).parent_path() / "Log" / ("Alert_" + name + "_20040305.log");
    EXPECT_TRUE(WriteAlertLog(name, "x", 'D'));
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
    std::filesystem::remove(file);
}

TEST_F(AlertLog, FailuresAnswerFalse) {
    install.WriteFile("blocker", "a file where the install folder should be");
    install.SetRegistry({.ClientPath = install.PathOf("blocker/")});
    EXPECT_FALSE(WriteAlertLog("libstrs", "x", 'D'));
    install.SetRegistry({.ClientPath = install.Path()});
    // The log file itself is a folder.
    std::filesystem::create_directories(install.PathOf("Log/Alert_busy_20040305.log"));
    EXPECT_FALSE(WriteAlertLog("busy", "x", 'D'));
    // Names may not lead out of the Log folder.
    for (const char* name : {"../escape", "a/b", "a\\b"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(WriteAlertLog(name, "x", 'D'));
    }
    EXPECT_FALSE(install.Exists("Alert_escape_20040305.log"));
    EXPECT_FALSE(WriteAlertLog(std::string_view("a\0b", 3), "x", 'D'));
}

TEST_F(AlertLog, TheGeneratorLogHasItsOwnFileAndStamp) {
    EXPECT_TRUE(WriteTovikLog("生成 100%"));
    EXPECT_EQ(install.ReadFile("Log/Alert_TovikGenerator_20040305.log"),
              "[2004-03-05 14:07:09] 生成 100%\r\n");
}

TEST_F(AlertLog, TheGeneratorLogFallsBackToTheTemporaryFolder) {
    install.SetRegistry({});
    EXPECT_TRUE(WriteTovikLog("x"));
    EXPECT_TRUE(install.Exists("temp/Log/Alert_TovikGenerator_20040305.log"));
    install.WriteFile("blocked", "");
    install.SetRegistry({.ServerPath = install.PathOf("blocked/")});
    EXPECT_FALSE(WriteTovikLog("x"));
}

TEST_F(AlertLog, ErrorReportsDescribeTheErrorByItsKind) {
    const std::string dashes(34, '-');
    const Exception plain("bad value 100%");
    const EDBEngineError engine("engine failed", {{17, "Unknown table '$$gl'"}, {2601, "Duplicate key"}});
    const EDBEngineError noErrors("engine failed", {});
    const std::system_error system(std::make_error_code(std::errc::permission_denied), "open");
    const std::ios_base::failure io("read", std::make_error_code(std::io_errc::stream));
    const std::filesystem::filesystem_error fsError("copy",
                                                    std::make_error_code(std::errc::no_space_on_device));
    const std::runtime_error standard("standard");
    const struct {
        const char* name;
        const std::exception* error;
        const char* location;
        const char* message;
        std::vector<std::string> lines;
    } cases[] = {
        {"no error", nullptr, "Loader", "note", {dashes + " on Loader " + dashes, "Programer Message: note"}},
        {"blank location and message", nullptr, "  ", " ", {std::string(68, '-')}},
        {"any other error",
         &plain,
         "",
         "check it",
         {std::string(68, '-'), "讯息信息:", "Exception is Exception", "Message 01: bad value 100%",
          "ErrorMessage Count: 1", "Programer Message: check it"}},
        {"a standard error",
         &standard,
         "",
         "",
         {std::string(68, '-'), "讯息信息:", "Exception is runtime_error", "Message 01: standard",
          "ErrorMessage Count: 1"}},
        {"database engine",
         &engine,
         "Open",
         "",
         {dashes + " on Open " + dashes,
          "讯息信息:", "EDBEngineError Error 01: Code: 17, Message: Unknown table '$$gl'",
          "EDBEngineError Error 02: Code: 2601, Message: Duplicate key", "ErrorMessage Count: 2"}},
        {"database engine without errors",
         &noErrors,
         "",
         "",
         {std::string(68, '-'), "讯息信息:", "ErrorMessage Count: 0"}},
        {"system",
         &system,
         "",
         "",
         {std::string(68, '-'), "讯息信息:",
          std::string("EWin32Error Error 01: Code: 13, Message: ") + system.what(), "ErrorMessage Count: 1"}},
        {"input and output",
         &io,
         "",
         "",
         {std::string(68, '-'), "讯息信息:",
          "EInOutError Error 01: Code: 1, Message: " + std::string(io.what()), "ErrorMessage Count: 1"}},
        {"file system",
         &fsError,
         "",
         "",
         {std::string(68, '-'),
          "讯息信息:", "EInOutError Error 01: Code: 28, Message: " + std::string(fsError.what()),
          "ErrorMessage Count: 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(install.PathOf("Log"));
        WriteErrorReport(c.error, c.location, c.message);
        EXPECT_EQ(Lines("Log/Alert_TovikGenerator_20040305.log", "2004-03-05 14:07:09"), c.lines);
    }
}

TEST_F(AlertLog, AnErrorReportThatCannotBeWrittenIsDropped) {
    install.WriteFile("blocked", "");
    install.SetRegistry({.ClientPath = install.PathOf("blocked/")});
    const Exception error("x");
    WriteErrorReport(&error, "here", "message");
    SUCCEED();
}

} // namespace
} // namespace vondrel
