// The controller's layout contract: its operations sit in the virtual table at the
// positions both sides compile against, and the export raises when the module's class
// variables are empty.
#include "support/ShellHarness.h"

#include "entry/DLLBTCtrller.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

/// Calls the operation in the given position of the controller's virtual table, as a
/// shell compiled against another copy of the declaration would.
template <class R, class... A>
R CallSlot(TDLLBaseController* controller, int slot, A... args) {
    void** table = *reinterpret_cast<void***>(controller);
    using Procedure = R (*)(TDLLBaseController*, A...);
    return reinterpret_cast<Procedure>(table[slot])(controller, args...);
}

class ControllerSlotsTest : public ::testing::Test {
protected:
    void TearDown() override {
        Application().ProcessMessages();
        EXPECT_TRUE(Screen().Forms().empty()) << "a test left a form behind";
    }
    TShellDemo demo_;
};

TEST_F(ControllerSlotsTest, EveryOperationSitsInItsSlot) {
    TShellHarness shell(DemoRunOptions(demo_, TEST_JOB_MODULE));
    shell.Run().Start();
    TDLLBaseController* c = shell.Run().Controller();
    auto codes = [&] { return NotificationCodes(shell.NewEvents()); };
    codes();
    const Variant param = VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""});
    const Variant command = VarArrayOf({0, VarArrayOf({1, VarArrayOf({true, "slot 5"})})});
    auto commandLog = [&] {
        std::string log;
        shell.Run().JobForm()->GetPropText("CommandLog", log);
        return log;
    };

    EXPECT_EQ(CallSlot<std::u16string>(c, 0), u"870401-0.00.00");
    EXPECT_EQ((CallSlot<std::int32_t>(c, 1)), 0);
    CallSlot<void, std::int16_t>(c, 2, 1);
    EXPECT_EQ(codes(), std::vector<int>{272});
    EXPECT_EQ((CallSlot<std::int32_t>(c, 1)), -1);
    EXPECT_EQ(CallSlot<TWindowHandle>(c, 3), shell.Run().JobForm()->Handle());
    EXPECT_EQ((CallSlot<std::int32_t, const Variant&>(c, 5, command)), 0);
    EXPECT_EQ(commandLog(), "[0,[1,[True,slot 5]]];");
    EXPECT_EQ(
        (CallSlot<std::int32_t, std::int32_t, std::int32_t, const Variant&>(c, 6, 5, 0, Variant("six"))), 0);
    EXPECT_EQ(commandLog(), "[0,[1,[True,slot 5]]];[False,six];");
    Variant info;
    EXPECT_EQ((CallSlot<std::int32_t, Variant&>(c, 9, info)), 0);
    EXPECT_EQ(info[2], Variant("ZORB71"));
    EXPECT_FALSE(CallSlot<bool>(c, 10));

    CallSlot<void>(c, 11);
    CallSlot<void, TObject*>(c, 12, nullptr);
    CallSlot<void, TObject*>(c, 13, nullptr);
    CallSlot<void>(c, 15);
    CallSlot<void, std::int32_t, TObject*>(c, 16, 777, nullptr);
    CallSlot<void>(c, 17);
    EXPECT_EQ(codes(), (std::vector<int>{256, 272, 288, 320, 777}));

    // Slot 7 shows the form modally; the form frees itself when the modal run ends.
    CallSlot<void, std::int16_t>(c, 2, 0);
    shell.Run().Driver().QueueModal("TfrmTestJob", [](TForm&) { return mrOk; });
    EXPECT_EQ(CallSlot<Variant>(c, 7), Variant(static_cast<int>(mrOk)));
    Application().ProcessMessages();
    EXPECT_TRUE(CallSlot<bool>(c, 10));
    codes();

    // Slot 4 creates a form; slot 14 lets go of it (as the form's destruction does) after
    // copying its outcome; slot 8 frees the next one.
    EXPECT_EQ((CallSlot<std::int32_t, const Variant&>(c, 4, param)), 0);
    EXPECT_EQ(codes(), std::vector<int>{256});
    TForm* form = shell.Run().JobForm();
    CallSlot<void, TObject*>(c, 14, form);
    EXPECT_EQ(codes(), std::vector<int>{304});
    EXPECT_TRUE(CallSlot<bool>(c, 10));
    form->Free();
    EXPECT_TRUE(codes().empty()) << "the let-go form no longer reports";
    EXPECT_EQ((CallSlot<std::int32_t, const Variant&>(c, 4, param)), 0);
    CallSlot<void>(c, 8);
    EXPECT_EQ(codes(), (std::vector<int>{256, 304}));
    EXPECT_TRUE(CallSlot<bool>(c, 10));
    shell.Run().Finish();
}

TEST_F(ControllerSlotsTest, TheDestructorFollowsTheNumberedSlots) {
    // The controller is deleted through the table entry after slot 17.
    TJobModule module(TEST_JOB_MODULE);
    TDLLBaseController* controller = module.NewController();
    ASSERT_EQ(controller->CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""})), 0);
    ASSERT_EQ(Screen().Forms().size(), 1u);
    void** table = *reinterpret_cast<void***>(controller);
    using Deleting = void (*)(TDLLBaseController*);
    // Itanium C++ ABI: the complete-object destructor, then the deleting destructor.
    reinterpret_cast<Deleting>(table[kControllerSlotCount + 1])(controller);
    EXPECT_TRUE(Screen().Forms().empty());
}

TEST(GetControllerTest, RaisesWhenTheControllerClassIsEmpty) {
    const TDLLControllerClass saved = DLLControllerClass;
    DLLControllerClass = nullptr;
    try {
        delete GetController();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "KMB DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
    }
    DLLControllerClass = saved;
    std::unique_ptr<TDLLBaseController> first(GetController());
    std::unique_ptr<TDLLBaseController> second(GetController());
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(dynamic_cast<TDLLBTCtrller*>(first.get()), nullptr);
}

TEST(GetControllerTest, CreateJobFormRaisesWhenTheFormClassIsEmpty) {
    const TfrmBaseBatchClass saved = frmBaseBatchClass;
    frmBaseBatchClass = nullptr;
    std::unique_ptr<TDLLBaseController> controller(GetController());
    std::vector<int> codes;
    controller->OnNotify = {[](void* data, std::int32_t code, TDLLBaseController*) {
                                static_cast<std::vector<int>*>(data)->push_back(code);
                            },
                            &codes};
    try {
        controller->CreateJobForm(VarArrayOf({"KM01", "DEMO", "DEMO", 0, ""}));
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "KMB DLL Internal Error :\rNot Assign \"frmBaseBatchClass\" varible");
    }
    frmBaseBatchClass = saved;
    EXPECT_TRUE(controller->IsFormReleased());
    EXPECT_TRUE(codes.empty());
    EXPECT_TRUE(Screen().Forms().empty());
}

TEST(Zorb71ModuleTest, TheModuleStartsTheCarryForwardFormOnTheDemoCompany) {
    // The real module with the real start-up: the program code comes from the library's
    // file name, the program name from the server through the shell's validator.
    TShellDemo demo;
    TShellHarness shell(DemoRunOptions(demo, ZORB71C_MODULE));
    shell.Run().Start();
    EXPECT_EQ(Trace(shell.NewEvents()), (std::vector<std::string>{"notify 256", "start 0"}));
    TDLLBaseController& controller = *shell.Run().Controller();
    Variant info;
    ASSERT_EQ(controller.GetJobInfo(info), 0);
    EXPECT_EQ(info, VarArrayOf({"KM01", "DEMO", "ZORB71", "损益结转"}));
    EXPECT_EQ(controller.GetVersionStamp(), u"870401-0.00.00");
    TForm* form = shell.Run().JobForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ClassName(), "TfrmZorb71");
    EXPECT_TRUE(form->InheritsFrom("TfrmBaseGene"));
    EXPECT_EQ(form->Name(), "frmZorb71");
    auto* notice = dynamic_cast<TControl*>(form->FindComponent("lblNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->Parent()->Name(), "tsOption1");
    controller.SetFormVisible(1);
    EXPECT_EQ(form->Caption(), "损益结转[DEMO]");
    shell.Run().Finish();
    EXPECT_EQ(NotificationCodes(shell.NewEvents()), (std::vector<int>{272, 304}));
    EXPECT_TRUE(Screen().Forms().empty());
}

} // namespace
} // namespace vondrel::test
