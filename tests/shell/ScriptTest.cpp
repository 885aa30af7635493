#include "Script.h"
#include "ShellOptions.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

TEST(ScriptTest, CommandsAreReadWithTheirArguments) {
    const auto commands = ParseScript("# a comment\n"
                                      "show\n"
                                      "  set ed03   凭证 单别  \n"
                                      "set ed04 \"  two blanks  \"\n"
                                      "set ed05 \"\"\n"
                                      "key Ctrl+Shift+Tab\n"
                                      "key F2 sp05.edFrom\n"
                                      "check chk04 off\n"
                                      "choose rg01 1\n"
                                      "choose cb01 外币 汇率\n"
                                      "select lv01 0 2\n"
                                      "answer dialog Yes\n"
                                      "answer lookup none\n"
                                      "answer lookup 3 1\n"
                                      "answer date 20261231\n"
                                      "answer phrase 结转本月损益\n"
                                      "answer tree 6602\n"
                                      "run-command 5 true {\"lb\":0,\"items\":[1]}\n"
                                      "run-command 1 0\n"
                                      "dump control ed03\n"
                                      "dump jobs\n");
    ASSERT_EQ(commands.size(), 20u);
    EXPECT_EQ(commands[0].Verb, "show");
    EXPECT_EQ(commands[0].Line, 2);
    EXPECT_EQ(commands[1].Name, "ed03");
    EXPECT_EQ(commands[1].Text, "凭证 单别");
    EXPECT_EQ(commands[2].Text, "  two blanks  ");
    EXPECT_EQ(commands[3].Text, "");
    EXPECT_EQ(commands[4].Key, VK_TAB);
    EXPECT_EQ(commands[4].Shift, (TShiftState{ssCtrl, ssShift}));
    EXPECT_EQ(commands[5].Key, VK_F2);
    EXPECT_EQ(commands[5].Name, "sp05.edFrom");
    EXPECT_FALSE(commands[6].Flag);
    EXPECT_EQ(commands[7].Numbers, std::vector<int>{1});
    EXPECT_TRUE(commands[8].Numbers.empty());
    EXPECT_EQ(commands[8].Text, "外币 汇率");
    EXPECT_EQ(commands[9].Numbers, (std::vector<int>{0, 2}));
    EXPECT_EQ(commands[10].Name, "Yes");
    EXPECT_TRUE(commands[11].Flag);
    EXPECT_EQ(commands[12].Numbers, (std::vector<int>{3, 1}));
    EXPECT_EQ(commands[13].Text, "20261231");
    EXPECT_EQ(commands[14].Text, "结转本月损益");
    EXPECT_EQ(commands[15].What, "tree");
    EXPECT_EQ(commands[16].Numbers, std::vector<int>{5});
    EXPECT_TRUE(commands[16].Flag);
    EXPECT_EQ(commands[16].Text, "{\"lb\":0,\"items\":[1]}");
    EXPECT_FALSE(commands[17].Flag);
    EXPECT_TRUE(commands[17].Text.empty());
    EXPECT_EQ(commands[18].What, "control");
    EXPECT_EQ(commands[18].Name, "ed03");
    EXPECT_EQ(commands[19].What, "jobs");
}

TEST(ScriptTest, ModalBlocksNest) {
    const auto commands = ParseScript("on-modal TfrmGeneCondition\n"
                                      "  set edName 月结\n"
                                      "  on-modal TMessageForm\n"
                                      "    click OK\n"
                                      "  end\n"
                                      "  click btnOk\n"
                                      "end\n"
                                      "click btnInsert\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].Name, "TfrmGeneCondition");
    ASSERT_EQ(commands[0].Body.size(), 3u);
    EXPECT_EQ(commands[0].Body[1].Body.at(0).Source, "click OK");
    EXPECT_EQ(commands[0].Body[2].Line, 6);
    EXPECT_EQ(commands[1].Line, 8);
    EXPECT_EQ(OpenBlocks("on-modal A\non-modal B\nend\n"), 1);
    EXPECT_EQ(OpenBlocks("end\nshow\n"), 0);
}

TEST(ScriptTest, FaultyLinesAreRefusedWithTheirNumber) {
    struct Case {
        const char* script;
        int line;
        const char* error;
    };
    // Blocks or saved data nested without end are refused, not followed down.
    std::string deepBlocks;
    for (int i = 0; i < 200000; ++i)
        deepBlocks += "on-modal TfrmX\n";
    for (int i = 0; i < 200000; ++i)
        deepBlocks += "end\n";
    const std::string deepData = "run-command 1 true " + std::string(300000, '[') + std::string(300000, ']');
    const Case cases[] = {
        {"show\nfly away\n", 2, "unknown command \"fly\""},
        {"show now\n", 1, "usage: show"},
        {"click\n", 1, "usage: click NAME"},
        {"click a b\n", 1, "usage: click NAME"},
        {"set\n", 1, "usage: set NAME TEXT"},
        {"key F13\n", 1, "\"F13\" is not a key"},
        {"key Hyper+F1\n", 1, "\"Hyper+F1\" is not a key"},
        {"check chk04 maybe\n", 1, "check takes on or off"},
        {"choose rg01\n", 1, "usage: choose"},
        {"select lv01\n", 1, "no row given"},
        {"select lv01 -1\n", 1, "\"-1\" is not a row number"},
        {"answer dialog Maybe\n", 1, "\"Maybe\" is not a dialog button"},
        {"answer lookup x\n", 1, "\"x\" is not a row number"},
        {"answer date 20260230\n", 1, "\"20260230\" is not a date"},
        {"answer date 2026-12-31\n", 1, "is not a date"},
        {"answer phrase\n", 1, "usage: answer phrase TEXT"},
        {"answer combo 1\n", 1, "cannot answer \"combo\""},
        {"run-command x true\n", 1, "the run mode \"x\" is not a number"},
        {"run-command 1 perhaps\n", 1, "the restore flag"},
        {"run-command 1 true {oops\n", 1, "the saved data"},
        {"dump everything\n", 1, "cannot dump \"everything\""},
        {"dump control\n", 1, "usage: dump control NAME"},
        {"dump form now\n", 1, "usage: dump WHAT"},
        {"show\non-modal TfrmX\nclick btnOk\n", 2, "\"on-modal\" without its \"end\""},
        {"end\n", 1, "\"end\" without \"on-modal\""},
        {"on-modal\nend\n", 1, "usage: on-modal CLASS"},
        {deepBlocks.c_str(), 33, "\"on-modal\" blocks nest more than 32 deep"},
        {deepData.c_str(), 1, "nested too deeply"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.script).substr(0, 60));
        try {
            ParseScript(c.script);
            ADD_FAILURE() << "accepted";
        } catch (const EScriptSyntax& e) {
            EXPECT_EQ(e.Line(), c.line);
            EXPECT_NE(e.Message().find(c.error), std::string::npos) << e.Message();
        }
    }
}

TEST(ShellOptionsTest, TheCommandLineNamesTheRun) {
    const TShellOptions options =
        ParseCommandLine({"--install", "/opt/vondrel", "--module=Zorb71C.so", "--user", "KM01", "--company",
                          "DEMO", "--session-size", "4", "--script", "-"});
    EXPECT_EQ(options.InstallFolder, "/opt/vondrel");
    EXPECT_EQ(options.ModuleFile, "Zorb71C.so");
    EXPECT_EQ(options.User, "KM01");
    EXPECT_EQ(options.Company, "DEMO");
    EXPECT_EQ(options.Database, "DEMO") << "the company code when not given";
    EXPECT_EQ(options.SessionSize, 4);
    EXPECT_FALSE(options.Interactive());
    const TShellOptions interactive =
        ParseCommandLine({"--module", "m", "--user", "u", "--company", "c", "--database", "d"});
    EXPECT_TRUE(interactive.Interactive());
    EXPECT_EQ(interactive.SessionSize, 5);
    EXPECT_EQ(interactive.Database, "d");
    EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
}

TEST(ShellOptionsTest, AFaultyCommandLineIsRefused) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const std::vector<std::string> base{"--module", "m", "--user", "u", "--company", "c"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const Case cases[] = {
        {{"--user", "u", "--company", "c"}, "--module is missing"},
        {{"--module", "m", "--company", "c"}, "--user is missing"},
        {{"--module", "m", "--user", "u"}, "--company is missing"},
        {with({"--verbose"}), "unknown argument \"--verbose\""},
        {with({"--script"}), "--script needs a value"},
        {with({"--script="}), "--script needs a value"},
        {with({"--session-size", "11"}), "--session-size takes a number from 0 to 10"},
        {with({"--session-size", "-1"}), "--session-size takes a number"},
        {with({"--session-size", "five"}), "--session-size takes a number"},
        {with({"--user", "v"}), "--user is given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        try {
            ParseCommandLine(c.args);
            ADD_FAILURE() << "accepted";
        } catch (const EShellUsage& e) {
            EXPECT_NE(e.Message().find(c.error), std::string::npos) << e.Message();
        }
    }
}

} // namespace
} // namespace vondrel::test
