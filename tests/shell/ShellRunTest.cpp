// Scripted runs of the shell in this process: start-up failures, the test job module
// driven by scripts, and the JSON lines they print.
#include "ShellRun.h"

#include "support/ShellDemo.h"
#include "support/ShellHarness.h"
#include "support/TempFolder.h"

#include "ui/Application.h"
#include "ui/Screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace vondrel::test {
namespace {

using ::testing::HasSubstr;

struct TShellOutput {
    int status = 0;
    std::vector<TJson> events;
    std::string out;
    std::string err;
};

class ShellRunTest : public ::testing::Test {
protected:
    void TearDown() override {
        Application().ProcessMessages();
        EXPECT_TRUE(Screen().Forms().empty()) << "a run left a form behind";
    }

    TShellOutput Shell(std::vector<std::string> args, const std::string& input = {}) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        TShellOutput result;
        result.status = RunShell(args, in, out, err);
        result.out = out.str();
        result.err = err.str();
        std::istringstream lines(result.out);
        std::string line;
        while (std::getline(lines, line))
            if (!line.empty() && line[0] == '{')
                result.events.push_back(TJson::parse(line));
        return result;
    }

    std::vector<std::string> Args(std::string module = TEST_JOB_MODULE, std::vector<std::string> more = {}) {
        std::vector<std::string> args{"--install", demo_.Folder(), "--module", module,     "--user",
                                      "KM01",      "--company",    "DEMO",     "--script", "-"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    TShellDemo demo_;
};

TEST_F(ShellRunTest, WhatKeepsTheJobFromRunningIsSaidClearly) {
    TempFolder empty;
    demo_.WriteFile("norc/registry.reg",
                    "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::function<void()> prepare;
        const char* error;
    };
    const Case cases[] = {
        {"a missing module",
         Args("/nonexistent/Zorb71C.so"),
         {},
         "The module /nonexistent/Zorb71C.so does not exist"},
        {"a library without the export", Args(QUORVEX_LIBRARY), {}, "has no export GetController"},
        {"a file that is no library", Args(demo_.PathOf("VondrelC.ini")), {}, "cannot be loaded"},
        {"a missing install folder",
         {"--install", "/nonexistent/install", "--module", TEST_JOB_MODULE, "--user", "KM01", "--company",
          "DEMO", "--script", "-"},
         {},
         "The install folder /nonexistent/install does not exist"},
        {"an install folder without registry",
         {"--install", empty.Path(), "--module", TEST_JOB_MODULE, "--user", "KM01", "--company", "DEMO",
          "--script", "-"},
         {},
         "has no registry file registry.reg"},
        {"a registry without ClientPath",
         {"--install", demo_.PathOf("norc"), "--module", TEST_JOB_MODULE, "--user", "KM01", "--company",
          "DEMO", "--script", "-"},
         {},
         "names no install folder (ClientPath"},
        {"no message catalogue", Args(),
         [&] { std::filesystem::remove(demo_.PathOf(kMessageCatalogueFile)); },
         "has no message catalogue VondrelMsg.cat"},
        {"a broken message catalogue", Args(),
         [&] { demo_.WriteFile(kMessageCatalogueFile, "[E;000038]\nCHS = a\nKOR = b\n"); },
         "line 3: unknown language \"KOR\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.prepare)
            c.prepare();
        const TShellOutput result = Shell(c.args, "show\n");
        EXPECT_EQ(result.status, 1);
        EXPECT_THAT(result.err, HasSubstr(c.error));
        ASSERT_EQ(result.events.size(), 1u) << result.out;
        EXPECT_EQ(result.events[0]["event"], "error");
        EXPECT_THAT(result.events[0]["message"].get<std::string>(), HasSubstr(c.error));
    }
}

TEST_F(ShellRunTest, BadCommandLinesAndScriptsStopBeforeTheModuleLoads) {
    TShellOutput result = Shell({"--module", TEST_JOB_MODULE, "--user", "KM01"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("--company is missing"));
    EXPECT_THAT(result.err, HasSubstr("usage: vondrel"));

    result = Shell(Args(), "show\nclick\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("script line 2: usage: click NAME"));
    EXPECT_TRUE(result.events.empty()) << "nothing ran";

    result = Shell({"--install", demo_.Folder(), "--module", TEST_JOB_MODULE, "--user", "KM01", "--company",
                    "DEMO", "--script", demo_.PathOf("none.txt")});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("cannot read the script"));

    result = Shell({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("--session-size N"));
}

TEST_F(ShellRunTest, AShortSessionArrayShowsTheStartUpMessagesAndEndsTheForm) {
    demo_.SetClientValue("Client Components", "LangType", "ENG");
    const TShellOutput result =
        Shell(Args(TEST_JOB_MODULE, {"--session-size", "4"}), "show\ndump outcome\ndump dialogs\n");
    EXPECT_EQ(result.status, 0);
    // The connection step shows the logged message once more before its own.
    EXPECT_EQ(Trace(result.events),
              (std::vector<std::string>{
                  "notify 256", "dialog Too few session parameters were passed; the job window closes.",
                  "dialog Too few session parameters were passed; the job window closes.",
                  "dialog The application server cannot be reached; the job window closes.", "start -1",
                  "notify 304", "refused", "dump", "dump", "outcome"}));
    const TJson& dialog = result.events[1];
    EXPECT_EQ(dialog["type"], "error");
    EXPECT_EQ(dialog["buttons"], TJson::array({"OK"}));
    EXPECT_EQ(dialog["answer"], "OK");
    EXPECT_EQ(dialog["answered"], false);
    EXPECT_EQ(dialog["note"], "no answer queued: default button");
    EXPECT_EQ(result.events[6]["reason"], "there is no job form");
    EXPECT_EQ(result.events[7]["released"], true);
    EXPECT_EQ(result.events[8]["dialogs"].size(), 3u);
}

TEST_F(ShellRunTest, AScriptWorksTheFormAndPrintsWhatHappens) {
    const TShellOutput result = Shell(Args(), "show\n"
                                              "set edCode 6001\n"
                                              "dump control edCode\n"
                                              "dump messages\n"
                                              "click btnMissing\n"
                                              "run-command 1 true [\"ed03\",\"JV\"]\n"
                                              "run-command 99 true\n"
                                              "answer dialog Cancel\n"
                                              "answer lookup 1\n"
                                              "focus edCode\n"
                                              "key F2\n"
                                              "dump form\n"
                                              "click btnOk\n"
                                              "dump outcome\n"
                                              "dump jobs\n");
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<TJson>& e = result.events;
    EXPECT_EQ(Trace(e), (std::vector<std::string>{"notify 256", "start 0", "notify 272", "dump", "dump",
                                                  "refused", "run-command", "run-command", "modal", "dump",
                                                  "notify 304", "dump", "dump", "outcome"}));
    EXPECT_EQ(e[3]["control"]["text"], "6001");
    EXPECT_EQ(e[3]["control"]["focused"], true);
    EXPECT_EQ(e[4]["MessageIdLog"], "");
    EXPECT_EQ(e[5]["line"], 5);
    EXPECT_EQ(e[5]["reason"], "the form frmZorb71 has no btnMissing");
    EXPECT_EQ(e[6]["result"], 0);
    EXPECT_EQ(e[7]["result"], -1) << "the form raised";
    EXPECT_EQ(e[8]["class"], "TfrmShellLookup");
    EXPECT_EQ(e[8]["answered"], true);
    // The lookup's second account went into the field; the queued dialog answer is still
    // waiting, as no dialog came.
    const TJson& controls = e[9]["form"]["controls"];
    const auto edCode = std::find_if(controls.begin(), controls.end(),
                                     [](const TJson& control) { return control["name"] == "edCode"; });
    ASSERT_NE(edCode, controls.end());
    EXPECT_EQ((*edCode)["text"], "100201");
    EXPECT_EQ((*edCode)["parent"], "tsOption1");
    EXPECT_EQ(e[11]["ResultCode"], 1);
    const TJson& jobs = e[12]["jobs"];
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(e[11]["ResultValue"], jobs[0]["number"]);
    EXPECT_EQ(jobs[0]["program"], "ZORB71");
    EXPECT_EQ(jobs[0]["user"], "KM01");
    EXPECT_EQ(jobs[0]["status"], "W");
    EXPECT_EQ(JsonLine(jobs[0]["options"]["items"][2]), R"({"lb":1,"items":["100201"]})");
    EXPECT_EQ(JsonLine(jobs[0]["options"]["items"][1]),
              R"({"lb":1,"items":[{"lb":0,"items":["Code","edCode"]}]})");
    EXPECT_EQ(e[13]["ResultValue"], e[11]["ResultValue"]);
}

TEST_F(ShellRunTest, ModalBlocksAndAnswersWorkTheNextWindows) {
    const TShellOutput run = Shell({"--install", demo_.Folder(), "--module", TEST_JOB_MODULE, "--user",
                                    "ECHO", "--company", "DEMO", "--script", "-"},
                                   "on-modal TfrmShellLookup\n"
                                   "  dump list lvRows\n"
                                   "  select lvRows 0\n"
                                   "  click btnOk\n"
                                   "end\n"
                                   "answer dialog OK\n"
                                   "show\n"
                                   "focus edCode\n"
                                   "key F2\n"
                                   "answer lookup none\n"
                                   "key F2\n"
                                   "answer lookup 99\n"
                                   "key F2\n"
                                   "dump control edCode\n"
                                   "key Esc\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<TJson>& e = run.events;
    EXPECT_EQ(Trace(e), (std::vector<std::string>{"notify 256", "start 0", "dialog own OnShow", "notify 272",
                                                  "modal", "dump", "modal", "modal", "refused", "dump",
                                                  "dialog own OnDestroy", "notify 304", "outcome"}));
    EXPECT_EQ(e[2]["answered"], true) << "the queued answer took the first dialog";
    const TJson& list = e[5]["list"];
    EXPECT_EQ(list["columns"][0], "代码");
    EXPECT_EQ(list["rows"][0][0], "1001");
    EXPECT_EQ(e[8]["line"], 12);
    EXPECT_THAT(e[8]["reason"].get<std::string>(), HasSubstr("99"));
    EXPECT_EQ(e[9]["control"]["text"], "1001") << "none and a refused answer leave the field";
    EXPECT_EQ(e[10]["answered"], false);
}

TEST_F(ShellRunTest, TheJobFormIsNotPulledAwayFromUnderItsOwnModalWindow) {
    // The lookup window runs inside the job form's F2 handling: releasing the form or
    // running the job from there would free the form while its code is still running.
    for (const char* command : {"release", "run-command 1 true"}) {
        SCOPED_TRACE(command);
        const TShellOutput run = Shell(Args(), std::string("on-modal TfrmShellLookup\n  ") + command +
                                                   "\n  select lvRows 0\n  click btnOk\nend\n"
                                                   "answer dialog OK\nshow\nfocus edCode\nkey F2\n"
                                                   "dump control edCode\ndump outcome\n");
        EXPECT_EQ(run.status, 0) << run.err;
        const std::vector<TJson>& e = run.events;
        EXPECT_EQ(Trace(e), (std::vector<std::string>{"notify 256", "start 0", "notify 272", "modal",
                                                      "refused", "dump", "dump", "notify 304", "outcome"}));
        ASSERT_EQ(e.size(), 9u);
        EXPECT_THAT(e[4]["reason"].get<std::string>(), HasSubstr("modal window"));
        EXPECT_EQ(e[5]["control"]["text"], "1001") << "the F2 handling finished on a living form";
        EXPECT_EQ(e[6]["released"], false);
    }
}

TEST_F(ShellRunTest, CommandsDoWhatAPersonDoes) {
    const TShellOutput result = Shell(Args(), "show\n"
                                              "choose cbKind 1\n"
                                              "dump control cbKind\n"
                                              "choose cbKind 汇兑损益结转\n"
                                              "dump control cbKind\n"
                                              "choose cbKind 损益\n"
                                              "check chk15 on\n"
                                              "dump control chk15\n"
                                              "focus edCode\n"
                                              "leave\n"
                                              "dump control cbKind\n"
                                              "key Tab edCode\n"
                                              "dump control edCode\n"
                                              "dump control cbKind\n"
                                              "set edCode \"\"\n"
                                              "key Esc\n"
                                              "click btnOk\n");
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<TJson> dumps;
    std::vector<TJson> refused;
    for (const TJson& event : result.events) {
        if (event["event"] == "dump")
            dumps.push_back(event["control"]);
        if (event["event"] == "refused")
            refused.push_back(event);
    }
    ASSERT_EQ(dumps.size(), 6u);
    EXPECT_EQ(dumps[0]["text"], "期间损益结转");
    EXPECT_EQ(dumps[1]["text"], "汇兑损益结转");
    EXPECT_EQ(dumps[2]["checked"], 1);
    EXPECT_EQ(dumps[3]["focused"], true) << "leave moved on from edCode";
    EXPECT_EQ(dumps[4]["focused"], false);
    EXPECT_EQ(dumps[5]["focused"], true) << "Tab pressed on edCode";
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0]["line"], 6) << "no item is called that";
    EXPECT_EQ(refused[1]["line"], 17) << "the form has closed";
    EXPECT_EQ(result.events.back()["ResultCode"], 2) << "Esc pressed the cancel button";
}

TEST_F(ShellRunTest, TheRealModuleStartsShowsAndCloses) {
    TShellOutput result =
        Shell(Args(ZORB71C_MODULE),
              "show\ndump control lblNotice\ndump messages\nkey F1\nkey Ctrl+Alt+V\nkey Esc\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Trace(result.events),
              (std::vector<std::string>{"notify 256", "start 0", "notify 272", "dump", "dump", "help",
                                        "shell-execute", "notify 304", "outcome"}));
    EXPECT_EQ(result.events[3]["control"]["parent"], "tsOption1");
    EXPECT_EQ(result.events[4]["MessageIdLog"], "");
    // The help topic of ZORB71, and the properties window of the module's own file.
    EXPECT_EQ(result.events[5]["system"], "ZOR");
    EXPECT_EQ(result.events[5]["topic"], "13710000");
    EXPECT_EQ(result.events[6]["verb"], "properties");
    EXPECT_EQ(result.events[6]["mask"], 12);
    EXPECT_EQ(result.events[6]["file"], std::filesystem::weakly_canonical(ZORB71C_MODULE).string());
    EXPECT_EQ(result.events.back()["ResultCode"], 0);

    // Its refusal of a short session array, with the messages in the log.
    result = Shell(Args(ZORB71C_MODULE, {"--session-size", "3"}), "");
    EXPECT_EQ(Trace(result.events),
              (std::vector<std::string>{"notify 256", "dialog 传入的会话参数不足，作业窗口将关闭。",
                                        "dialog 传入的会话参数不足，作业窗口将关闭。",
                                        "dialog 无法连接应用服务器，作业窗口将关闭。", "start -1",
                                        "notify 304", "outcome"}));
}

} // namespace
} // namespace vondrel::test
