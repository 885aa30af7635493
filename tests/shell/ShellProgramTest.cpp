// The program vondrel itself, run as a child process the way other tools run it.
#include "support/ShellDemo.h"
#include "support/ShellHarness.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace vondrel::test {
namespace {

using ::testing::HasSubstr;

struct TChildResult {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<TJson> events;
};

/// Runs the program with the arguments, the input file as standard input, and collects
/// its output.
TChildResult RunProgram(const std::vector<std::string>& args, const std::string& input) {
    TempFolder folder;
    const std::string in = folder.Write("in.txt", input);
    const std::string out = folder.File("out.txt");
    const std::string err = folder.File("err.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> argv{VONDREL_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    pid_t child = 0;
    TChildResult result;
    if (posix_spawn(&child, VONDREL_PROGRAM, &actions, nullptr, pointers.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    auto read = [](const std::string& path) {
        std::ifstream file(path);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    };
    result.out = read(out);
    result.err = read(err);
    std::istringstream lines(result.out);
    std::string line;
    // At a terminal an event may follow a prompt on its line.
    while (std::getline(lines, line))
        if (const std::size_t at = line.find("{\"event\""); at != std::string::npos)
            result.events.push_back(TJson::parse(line.substr(at)));
    return result;
}

class ShellProgramTest : public ::testing::Test {
protected:
    std::vector<std::string> Args(const std::string& module, std::vector<std::string> more = {}) {
        std::vector<std::string> args{"--install", demo_.Folder(), "--module",  module,
                                      "--user",    "KM01",         "--company", "DEMO"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    TShellDemo demo_;
};

TEST_F(ShellProgramTest, AScriptFileDrivesTheJobAndEveryLineIsJson) {
    const std::string script = demo_.PathOf("run.txt");
    demo_.WriteFile("run.txt", "# submit the test job\nshow\nclick btnOk\ndump outcome\n");
    const TChildResult result = RunProgram(Args(TEST_JOB_MODULE, {"--script", script}), "");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::size_t lines = 0;
    for (char c : result.out)
        lines += c == '\n';
    EXPECT_EQ(lines, result.events.size()) << "only JSON lines on standard output";
    for (const TJson& event : result.events)
        EXPECT_TRUE(event.contains("event"));
    EXPECT_EQ(Trace(result.events), (std::vector<std::string>{"notify 256", "start 0", "notify 272",
                                                              "notify 304", "dump", "outcome"}));
    EXPECT_EQ(result.events.back()["ResultCode"], 1);
    EXPECT_TRUE(result.events.back()["ResultValue"].is_string()) << "the job number";
}

TEST_F(ShellProgramTest, StartUpFailuresEndTheProgramWithTheirStatus) {
    TChildResult result =
        RunProgram(Args(TEST_JOB_MODULE, {"--script", "-", "--session-size", "3"}), "show\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(EventsOf(result.events, "start").at(0)["result"], -1);
    EXPECT_EQ(EventsOf(result.events, "dialog").size(), 3u);

    result = RunProgram(Args(demo_.PathOf("Missing.so"), {"--script", "-"}), "");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("does not exist"));

    result = RunProgram({"--module"}, "");
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("--module needs a value"));
}

TEST_F(ShellProgramTest, TheRealModuleLoadsAndEndsWithItsOutcome) {
    const TChildResult result =
        RunProgram(Args(ZORB71C_MODULE, {"--script", "-"}), "show\ndump form\nkey Esc\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Trace(result.events), (std::vector<std::string>{"notify 256", "start 0", "notify 272", "dump",
                                                              "notify 304", "outcome"}));
    ASSERT_EQ(result.events.size(), 6u) << result.out;
    EXPECT_EQ(result.events[3]["form"]["class"], "TfrmZorb71");
    EXPECT_EQ(result.events[3]["form"]["caption"], "损益结转[DEMO]");
}

TEST_F(ShellProgramTest, WithoutAScriptThePersonAtTheTerminalWorksTheForm) {
    // A dialog the person answers, a modal window worked at the terminal, the form shown
    // after each command.
    const TChildResult result = RunProgram(
        {"--install", demo_.Folder(), "--module", TEST_JOB_MODULE, "--user", "ECHO", "--company", "DEMO"},
        "show\n"
        "Cancel\n"
        "focus edCode\n"
        "key F2\n"
        "select lvRows 2\n"
        "click btnOk\n"
        "dump control edCode\n"
        "quit\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("vondrel> "));
    EXPECT_THAT(result.out, HasSubstr("-- custom: own OnShow"));
    EXPECT_THAT(result.out, HasSubstr("== frmShellLookup TfrmShellLookup"));
    EXPECT_THAT(result.out, HasSubstr("frmShellLookup> "));
    EXPECT_THAT(result.out, HasSubstr("  edCode TEdit \"100202\" <focus>"));
    const auto dialogs = EventsOf(result.events, "dialog");
    ASSERT_GE(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]["text"], "own OnShow");
    EXPECT_EQ(dialogs[0]["note"], "the answer Cancel is not a button of this dialog: default button");
    EXPECT_EQ(EventsOf(result.events, "dump").at(0)["control"]["text"], "100202");
    EXPECT_EQ(result.events.back()["event"], "outcome");
}

} // namespace
} // namespace vondrel::test
