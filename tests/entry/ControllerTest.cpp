// The controller protocol through the shell's code path: the test module (the real
// controller with a small test job form) is loaded by file name, given the shell's
// session object on a fresh demo company, and driven as the shell drives it.
#include "support/ShellHarness.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

using ::testing::ElementsAre;

class ControllerTest : public ::testing::Test {
protected:
    void TearDown() override {
        Application().ProcessMessages();
        EXPECT_TRUE(Screen().Forms().empty()) << "a test left a form behind";
    }

    std::unique_ptr<TShellHarness> Start(std::string user = "KM01", int sessionSize = 5) {
        auto shell =
            std::make_unique<TShellHarness>(DemoRunOptions(demo_, TEST_JOB_MODULE, user, sessionSize));
        shell->Run().Start();
        return shell;
    }

    std::string CommandLog(TShellHarness& shell) {
        std::string log;
        EXPECT_EQ(shell.Run().JobForm()->GetPropText("CommandLog", log), TPropResult::Ok);
        return log;
    }

    TShellDemo demo_;
};

TEST_F(ControllerTest, AFullSessionArrayStartsTheFormHiddenWithTheModulesProgramCode) {
    auto shell = Start();
    EXPECT_EQ(Trace(shell->NewEvents()), (std::vector<std::string>{"notify 256", "start 0"}));
    TForm* form = shell->Run().JobForm();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(shell->Controller().GetFormVisible(), 0);
    EXPECT_EQ(shell->Controller().GetFormHandle(), form->Handle());
    EXPECT_EQ(shell->Controller().GetVersionStamp(), u"870401-0.00.00");

    // The program code comes from the module's own file name, the program name through the
    // shell's validator from the server.
    Variant info;
    ASSERT_EQ(shell->Controller().GetJobInfo(info), 0);
    ASSERT_TRUE(info.IsArray());
    EXPECT_EQ(info.LowBound(), 0);
    EXPECT_EQ(info.HighBound(), 3);
    EXPECT_EQ(info[0], Variant("KM01"));
    EXPECT_EQ(info[1], Variant("DEMO"));
    EXPECT_EQ(info[2], Variant("ZORB71"));
    EXPECT_EQ(info[3], Variant("损益结转"));
    shell->Run().Finish();
}

TEST_F(ControllerTest, AShortSessionArrayIsRefusedAndTheFormClosesItself) {
    struct Case {
        int size;
        int result;
    };
    for (const Case& c : {Case{4, -1}, Case{3, -1}, Case{0, -1}, Case{5, 0}, Case{6, 0}}) {
        SCOPED_TRACE("session size " + std::to_string(c.size));
        auto shell = Start("KM01", c.size);
        const std::vector<TJson> events = shell->NewEvents();
        if (c.result == 0) {
            EXPECT_EQ(Trace(events), (std::vector<std::string>{"notify 256", "start 0"}));
            EXPECT_FALSE(shell->Controller().IsFormReleased());
        } else {
            // The start-up messages from the catalogue (the connection step shows the
            // logged one again), then the posted close request frees the form:
            // notification 304 and no form left.
            EXPECT_EQ(Trace(events),
                      (std::vector<std::string>{"notify 256", "dialog 传入的会话参数不足，作业窗口将关闭。",
                                                "dialog 传入的会话参数不足，作业窗口将关闭。",
                                                "dialog 无法连接应用服务器，作业窗口将关闭。", "start -1",
                                                "notify 304"}));
            EXPECT_TRUE(shell->Controller().IsFormReleased());
            EXPECT_EQ(shell->Controller().ResultCode, 0);
            EXPECT_TRUE(shell->Controller().ResultValue.IsEmpty());
        }
        shell->Run().Finish();
    }
}

TEST_F(ControllerTest, TwoControllersHaveSeparateForms) {
    TJobModule module(TEST_JOB_MODULE);
    auto shell = Start();
    std::unique_ptr<TDLLBaseController> second(module.NewController());
    ASSERT_NE(second.get(), &shell->Controller());
    second->Session = shell->Controller().Session;
    ASSERT_EQ(second->CreateJobForm(VarArrayOf({"KM02", "DEMO", "DEMO", 0, ""})), 0);
    EXPECT_NE(second->GetFormHandle(), shell->Controller().GetFormHandle());

    Variant info;
    second->GetJobInfo(info);
    EXPECT_EQ(info[0], Variant("KM02"));
    second->ReleaseJobForm();
    EXPECT_TRUE(second->IsFormReleased());
    EXPECT_FALSE(shell->Controller().IsFormReleased());
    shell->Controller().GetJobInfo(info);
    EXPECT_EQ(info[0], Variant("KM01"));
    shell->Run().Finish();
}

TEST_F(ControllerTest, ASecondCreateJobFormKeepsTheFormAndItsSession) {
    auto shell = Start();
    const TWindowHandle handle = shell->Controller().GetFormHandle();
    shell->NewEvents();
    EXPECT_EQ(shell->Controller().CreateJobForm(VarArrayOf({"KM02", "DEMO", "DEMO", 0, ""})), -1);
    EXPECT_EQ(shell->Controller().GetFormHandle(), handle);
    EXPECT_TRUE(NotificationCodes(shell->NewEvents()).empty()) << "no second form, no second 256";
    Variant info;
    shell->Controller().GetJobInfo(info);
    EXPECT_EQ(info[0], Variant("KM01"));
    shell->Run().Finish();
}

TEST_F(ControllerTest, RunCommandsReachTheFormOnlyWithCode5AndArrays) {
    const Variant saved = VarArrayOf({1, VarArrayOf({true, VarArrayOf({"ed03", "JV"})})});
    struct Case {
        const char* name;
        std::function<std::int32_t(TDLLBaseController&)> call;
        std::int32_t result;
        std::string log; // what the form received; empty: it was not called
    };
    const Case cases[] = {
        {"code 4 does nothing", [&](TDLLBaseController& c) { return c.RunCommand(4, 0, saved); }, -1, ""},
        {"code 5 passes [false, arg]", [&](TDLLBaseController& c) { return c.RunCommand(5, 7, saved); }, 0,
         "[False,[1,[True,[ed03,JV]]]];"},
        {"RunWithOptions passes the command",
         [&](TDLLBaseController& c) {
             return c.RunWithOptions(VarArrayOf({"x", saved}));
         },
         0, "[x,[1,[True,[ed03,JV]]]];"},
        {"a null command", [](TDLLBaseController& c) { return c.RunWithOptions(Variant::Null()); }, -1, ""},
        {"an empty command", [](TDLLBaseController& c) { return c.RunWithOptions(Variant()); }, -1, ""},
        {"a scalar command", [](TDLLBaseController& c) { return c.RunWithOptions(Variant(5)); }, -1, ""},
        {"the form raises",
         [](TDLLBaseController& c) {
             return c.RunCommand(5, 0, VarArrayOf({99, Variant()}));
         },
         -1, ""},
        {"the form raises on a short command",
         [](TDLLBaseController& c) { return c.RunWithOptions(VarArrayOf({1})); }, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto shell = Start();
        EXPECT_EQ(c.call(shell->Controller()), c.result);
        EXPECT_EQ(CommandLog(*shell), c.log);
        shell->Run().Finish();
    }
}

TEST_F(ControllerTest, WithoutAFormEveryOperationIsNeutral) {
    auto shell = Start();
    TDLLBaseController& controller = shell->Controller();
    controller.ReleaseJobForm();
    EXPECT_EQ(NotificationCodes(shell->NewEvents()), (std::vector<int>{256, 304}));

    EXPECT_TRUE(controller.IsFormReleased());
    EXPECT_EQ(controller.GetVersionStamp(), u"");
    EXPECT_EQ(controller.GetFormVisible(), 0);
    EXPECT_EQ(controller.GetFormHandle(), 0);
    EXPECT_EQ(controller.ShowJobModal(), Variant(2));
    EXPECT_EQ(controller.RunWithOptions(VarArrayOf({0, VarArrayOf({1, VarArrayOf({true, ""})})})), -1);
    EXPECT_EQ(controller.RunCommand(5, 0, VarArrayOf({1, VarArrayOf({true, ""})})), -1);
    Variant info("untouched");
    EXPECT_EQ(controller.GetJobInfo(info), -1);
    EXPECT_EQ(info, Variant("untouched"));
    controller.SetFormVisible(1);
    controller.ReleaseJobForm();
    EXPECT_TRUE(NotificationCodes(shell->NewEvents()).empty());

    // A released controller may be given a new form.
    EXPECT_EQ(controller.CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""})), 0);
    EXPECT_FALSE(controller.IsFormReleased());
    EXPECT_EQ(NotificationCodes(shell->NewEvents()), (std::vector<int>{256}));
    shell->Run().Finish();
}

TEST_F(ControllerTest, ClosingTheFormLeavesItsOutcomeOnTheController) {
    struct Case {
        const char* script;
        int code;
        bool submitted; // ResultValue holds the job number the server gave
    };
    const Case cases[] = {
        {"show\nclick btnCancel\n", 2, false},
        {"show\nset edCode 6001\nclick btnOk\n", 1, true},
        {"show\nkey Esc\n", 2, false}, // Esc presses the cancel button
        {"show\nrelease\n", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        auto shell = Start();
        shell->NewEvents();
        const std::vector<TJson> events = shell->Script(c.script);
        // A form freed while shown is not hidden first.
        EXPECT_EQ(NotificationCodes(events), (std::vector<int>{272, 304}));
        EXPECT_TRUE(shell->Controller().IsFormReleased());
        EXPECT_EQ(shell->Controller().ResultCode, c.code);
        const Variant jobs = shell->Run().Session().AppServer().Call("GetJobs");
        if (c.submitted) {
            ASSERT_GE(jobs.HighBound(), 0);
            const Variant& job = jobs[jobs.HighBound()];
            EXPECT_EQ(shell->Controller().ResultValue, job[0]);
            EXPECT_EQ(job[12][2][1], Variant("6001")) << "the option array the form sent";
        } else {
            EXPECT_TRUE(shell->Controller().ResultValue.IsEmpty());
        }
        shell->Run().Finish();
        const TJson outcome = EventsOf(shell->NewEvents(), "outcome").at(0);
        EXPECT_EQ(outcome["ResultCode"], c.code);
    }
}

TEST_F(ControllerTest, TheFormsOwnHandlersRunBeforeTheNotifications) {
    auto shell = Start("ECHO");
    shell->NewEvents();
    shell->Controller().SetFormVisible(1);
    shell->Controller().SetFormVisible(0);
    shell->Controller().SetFormVisible(-1);
    shell->Controller().ReleaseJobForm();
    EXPECT_EQ(
        Trace(shell->NewEvents()),
        (std::vector<std::string>{"dialog own OnShow", "notify 272", "dialog own OnHide", "notify 288",
                                  "dialog own OnShow", "notify 272", "dialog own OnDestroy", "notify 304"}));
    shell->Run().Finish();
}

TEST_F(ControllerTest, ShowingRestoresAMinimisedFormAndBringsItToTheFront) {
    auto shell = Start();
    shell->Controller().SetFormVisible(1);
    TForm* form = shell->Run().JobForm();
    form->SetWindowState(wsMinimized);
    TOwnedPtr<TForm> other(Create<TForm>(nullptr));
    other->Show();
    ASSERT_FALSE(form->Active());
    shell->Controller().SetFormVisible(1);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(shell->Controller().GetFormVisible(), -1);
    shell->Run().Finish();
}

TEST_F(ControllerTest, ShowJobModalReturnsTheModalResultThroughTheDriver) {
    auto shell = Start();
    shell->Run().Driver().QueueModal("TfrmTestJob", [](TForm&) { return mrOk; });
    EXPECT_EQ(shell->Controller().ShowJobModal(), Variant(static_cast<int>(mrOk)));
    // The form's close action frees it once the modal run ends.
    Application().ProcessMessages();
    EXPECT_TRUE(shell->Controller().IsFormReleased());
    EXPECT_EQ(NotificationCodes(shell->NewEvents()), (std::vector<int>{256, 272, 288, 304}));
    shell->Run().Finish();
}

TEST_F(ControllerTest, DestroyingTheControllerReleasesItsForm) {
    TJobModule module(TEST_JOB_MODULE);
    std::vector<int> codes;
    std::unique_ptr<TDLLBaseController> controller(module.NewController());
    controller->OnNotify = {[](void* data, std::int32_t code, TDLLBaseController*) {
                                static_cast<std::vector<int>*>(data)->push_back(code);
                            },
                            &codes};
    ASSERT_EQ(controller->CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""})), 0);
    controller->SetFormVisible(1);
    ASSERT_EQ(Screen().Forms().size(), 1u);
    controller.reset();
    EXPECT_TRUE(Screen().Forms().empty());
    EXPECT_THAT(codes, ElementsAre(256, 272, 304));
}

TEST_F(ControllerTest, TheShellMayDeleteTheControllerWhenTheFormGoes) {
    TJobModule module(TEST_JOB_MODULE);
    struct Shell {
        TDLLBaseController* Controller = nullptr;
        std::vector<int> Codes;
        int ResultCode = -1;
    } shell;
    shell.Controller = module.NewController();
    shell.Controller->OnNotify = {[](void* data, std::int32_t code, TDLLBaseController* sender) {
                                      auto& s = *static_cast<Shell*>(data);
                                      s.Codes.push_back(code);
                                      if (code != kNotifyFormDestroyed)
                                          return;
                                      s.ResultCode = sender->ResultCode;
                                      delete sender;
                                      s.Controller = nullptr;
                                  },
                                  &shell};
    ASSERT_EQ(shell.Controller->CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""})), 0);
    shell.Controller->SetFormVisible(1);
    auto* form = dynamic_cast<TForm*>(FindControl(shell.Controller->GetFormHandle()));
    ASSERT_NE(form, nullptr);
    form->Close();
    Application().ProcessMessages();
    EXPECT_EQ(shell.Controller, nullptr);
    EXPECT_EQ(shell.ResultCode, 0);
    EXPECT_THAT(shell.Codes, ElementsAre(256, 272, 304));
    EXPECT_TRUE(Screen().Forms().empty());
}

TEST_F(ControllerTest, WithoutOnNotifyNothingIsCalled) {
    TJobModule module(TEST_JOB_MODULE);
    std::unique_ptr<TDLLBaseController> controller(module.NewController());
    EXPECT_FALSE(controller->OnNotify);
    ASSERT_EQ(controller->CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""})), 0);
    controller->SetFormVisible(1);
    controller->ReleaseJobForm();
    EXPECT_TRUE(controller->IsFormReleased());
}

} // namespace
} // namespace vondrel::test
