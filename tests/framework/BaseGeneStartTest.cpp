#include "JobFormFixture.h"

#include "framework/BaseGeneMessages.h"

#include "controls/ExtPageControl.h"
#include "controls/F2Button.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/ClientDataSet.h"
#include "ui/Edit.h"
#include "ui/Field.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MaskEdit.h"
#include "ui/Memo.h"
#include "ui/Menus.h"
#include "ui/Messages.h"
#include "ui/Panel.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

TEST(ProgramCode, ComesFromTheLibraryFileName) {
    const struct {
        const char* Path;
        const char* Code;
    } cases[] = {
        {"/opt/kmb/C_PKG/Zorb71C.so", "ZORB71"},
        {"C:\\KMB\\C_PKG\\Zorb71C.DLL", "ZORB71"},
        {"Zorb71C.dll", "ZORB71"},
        {"zorb71c", "ZORB71"},
        {"/a.b/Zorr10C.so", "ZORR10"},
        {"Actb105C.so", "ACTB105"},
        // Shorter names keep six characters, part of the extension included.
        {"Ab.so", "AB.SO"},
        {"Abcd.so", "ABCD.S"},
        {"Abcdef.dll", "ABCDEF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(ProgramCodeOf(c.Path), c.Code);
    }
}

TEST(CodePageUpperCase, ChangesLettersOnly) {
    const struct {
        const char* Text;
        const char* Upper;
    } cases[] = {
        {"SimpleSql", "SIMPLESQL"},     {"resultConnectString", "RESULTCONNECTSTRING"},
        {"损益sql结转", "损益SQL结转"}, {"ａｂｃ１", "ＡＢＣ１"},
        {"éàç÷ÿß", "ÉÀÇ÷ÿß"},           {"αβγς", "ΑΒΓς"},
        {"привет", "ПРИВЕТ"},           {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(CodePageUpperCase(c.Text), c.Upper);
    }
}

class StartTest : public JobFormTest {};

TEST_F(StartTest, AFullSessionStartsTheForm) {
    TfrmTestJob* form = NewForm();
    const HWND shell = AllocateHWnd([](TMessage&) {});
    ASSERT_TRUE(form->AcceptSession(SessionParam(5, shell)));

    EXPECT_EQ(form->UserId(), "KM01");
    EXPECT_EQ(form->CompanyCode(), "DEMO");
    EXPECT_EQ(form->DatabaseName(), "DEMO");
    EXPECT_EQ(form->ShellWindow(), shell);
    EXPECT_EQ(form->SessionExtra(), Variant("extra"));
    EXPECT_EQ(form->ProgramCode(), "ZORB71");
    EXPECT_EQ(form->ServerClassName(), "ZORB71S.Class1");
    EXPECT_EQ(form->ProgramName(), "损益结转");
    EXPECT_TRUE(form->WantLog());
    EXPECT_EQ(form->CaptionTag(), "DEMO");
    EXPECT_EQ(form->ProductCode, 7);
    EXPECT_EQ(form->VersionStamp(), "870401-0.00.00");
    EXPECT_TRUE(form->CounterService.IsDispatch());
    EXPECT_TRUE(form->ValidatorService.IsDispatch());
    EXPECT_TRUE(form->LookupService.IsDispatch());
    EXPECT_TRUE(form->IsLocalServer());
    EXPECT_TRUE(form->MainMidas->Connected());
    EXPECT_EQ(form->MainMidas->Address(), "127.0.0.1");
    EXPECT_EQ(form->MainMidas->Port(), 211);
    EXPECT_EQ(form->MainMidas->ObjectBroker(), nullptr);
    ASSERT_TRUE(form->AppServer.IsDispatch());
    EXPECT_EQ(form->AppServer.Call("SQLType"), Variant(2));
    EXPECT_EQ(form->JobKind, "R");
    EXPECT_EQ(form->EnvCount, 9);
    EXPECT_EQ(form->OptionCount, 1);
    EXPECT_EQ(form->DateFields, "edPrintDate");
    EXPECT_EQ(form->InitialColours.at("ed01"), clWindow);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->MessageIdLog(), "");
    EXPECT_TRUE(DialogTexts().empty());
    Application().ProcessMessages();
    EXPECT_EQ(Screen().Forms().size(), 1u) << "an accepted session keeps the form";
    DeallocateHWnd(shell);
}

TEST_F(StartTest, ASecondSessionIsRefusedWithoutChangingAnything) {
    TfrmTestJob* form = StartedForm();
    const Variant other = VarArrayOf({"KM02", "OTHER", "OTHERDB", 0, ""});
    EXPECT_FALSE(form->AcceptSession(other));
    EXPECT_EQ(form->UserId(), "KM01");
    EXPECT_EQ(form->CompanyCode(), "DEMO");
    EXPECT_EQ(form->MessageIdLog(), "");
    EXPECT_EQ(State().SysInfoCalls, 1);
}

TEST_F(StartTest, AShortSessionShowsItsMessageTwiceThenTheConnectionMessageAndCloses) {
    TfrmTestJob* form = NewForm();
    TComponentRef<TfrmTestJob> alive(form);
    EXPECT_FALSE(form->AcceptSession(SessionParam(4)));

    EXPECT_EQ(DialogTexts(),
              (std::vector<std::string>{"会话参数不足", "会话参数不足", "无法连接应用服务器"}));
    EXPECT_EQ(form->MessageIdLog(), "E;000038; E;000038; ; E;000006; ");
    EXPECT_EQ(form->MessageTextLog(), "会话参数不足; 无法连接应用服务器; ");
    EXPECT_FALSE(form->AppServer.IsDispatch()) << "no connection is made after the short array";
    EXPECT_EQ(form->UserId(), "KM01") << "the elements that are there are kept";
    ASSERT_TRUE(alive);
    Application().ProcessMessages();
    EXPECT_FALSE(alive) << "the close request frees the form once start-up has returned";
}

TEST_F(StartTest, AnArrayOfThreeLeavesNoShellWindow) {
    TfrmTestJob* form = NewForm();
    EXPECT_FALSE(form->AcceptSession(SessionParam(3)));
    EXPECT_EQ(form->ShellWindow(), 0);
    EXPECT_EQ(form->DatabaseName(), "DEMO");
}

TEST_F(StartTest, ATooShortArrayLeavesTheMissingTextsEmpty) {
    TfrmTestJob* form = NewForm();
    EXPECT_FALSE(form->AcceptSession(SessionParam(1)));
    EXPECT_EQ(form->UserId(), "KM01");
    EXPECT_EQ(form->CompanyCode(), "");
    EXPECT_EQ(form->DatabaseName(), "");
    EXPECT_EQ(form->MessageIdLog(), "E;000038; E;000038; ; E;000006; ");
}

TEST_F(StartTest, AFormOfAnotherProgramIsRefused) {
    TfrmTestJob* form = NewForm("/opt/kmb/C_PKG/Actb10C.so");
    TComponentRef<TfrmTestJob> alive(form);
    EXPECT_FALSE(form->AcceptSession(SessionParam()));
    EXPECT_EQ(form->ProgramCode(), "ACTB10");
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"本作业不属于此程序"});
    EXPECT_EQ(form->MessageIdLog(), "E;000036; ");
    EXPECT_FALSE(form->AppServer.IsDispatch());
    EXPECT_FALSE(form->MainMidas->Connected());
    Application().ProcessMessages();
    EXPECT_FALSE(alive);
}

TEST_F(StartTest, TheProgramCheckIgnoresLetterCase) {
    TfrmTestJob* form = NewForm("/opt/kmb/C_PKG/ZORx99C.so");
    EXPECT_TRUE(form->AcceptSession(SessionParam()));
    EXPECT_EQ(form->ProgramCode(), "ZORX99");
    EXPECT_EQ(form->ProgramName(), "") << "a program the master does not know has no name";
}

TEST_F(StartTest, WithoutAConnectionTheSessionIsRefused) {
    const struct {
        const char* Name;
        std::string Address;
        std::string Server;
        const char* Logged;
    } cases[] = {
        {"no server name", "127.0.0.1", "", "E;000006; "},
        {"unknown server class", "127.0.0.1", "Nowhere.Server", "E;-1; E;000006; "},
        {"remote address", "10.20.30.40", "Quorvex.dmReportCounter", "E;-1; E;000006; "},
        {"no address", "", "Quorvex.dmReportCounter", "E;-1; E;000006; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Driver().ClearRecord();
        Install().WriteClientIni(c.Address);
        TfrmTestJob* form = NewForm();
        TComponentRef<TfrmTestJob> alive(form);
        form->ServerToUse = c.Server;
        EXPECT_FALSE(form->AcceptSession(SessionParam()));
        EXPECT_EQ(form->MessageIdLog(), c.Logged);
        EXPECT_EQ(DialogTexts(), std::vector<std::string>{"无法连接应用服务器"});
        EXPECT_FALSE(form->MainMidas->Connected());
        EXPECT_FALSE(form->AppServer.IsDispatch());
        Application().ProcessMessages();
        EXPECT_FALSE(alive);
    }
}

TEST_F(StartTest, ARemoteServerFailsWithTheReason) {
    Install().WriteClientIni("10.20.30.40");
    TfrmTestJob* form = NewForm();
    EXPECT_FALSE(form->AcceptSession(SessionParam()));
    EXPECT_FALSE(form->IsLocalServer());
    EXPECT_EQ(form->MainMidas->Address(), "10.20.30.40");
    EXPECT_NE(form->MessageTextLog().find("10.20.30.40:211"), std::string::npos) << form->MessageTextLog();
}

TEST_F(StartTest, AMalformedSessionIsRecordedAndRefused) {
    TfrmTestJob* form = NewForm();
    EXPECT_FALSE(form->AcceptSession(Variant("KM01")));
    EXPECT_EQ(form->MessageIdLog(), "E;-1; ");
    EXPECT_FALSE(form->MessageTextLog().empty());
    EXPECT_TRUE(DialogTexts().empty()) << "a recorded error is not shown";
}

TEST_F(StartTest, MissingServicesLeaveTheirVariantsUnassigned) {
    State().CounterAvailable = false;
    State().ValidatorAvailable = false;
    State().LookupAvailable = false;
    State().ProductIdAvailable = false;
    TfrmTestJob* form = StartedForm();
    EXPECT_TRUE(form->CounterService.IsEmpty());
    EXPECT_TRUE(form->ValidatorService.IsEmpty());
    EXPECT_TRUE(form->LookupService.IsEmpty());
    EXPECT_EQ(form->ProductCode, 3);
    EXPECT_EQ(form->ProgramName(), "");
    EXPECT_EQ(form->CaptionTag(), "");
    EXPECT_TRUE(form->AppServer.IsDispatch()) << "the server does not depend on the services";
}

TEST_F(StartTest, TheLookupServiceIsFetchedOnlyWhenTheFormAsksForIt) {
    TfrmTestJob* form = NewForm();
    form->LookupFlagsToUse = 0;
    ASSERT_TRUE(form->AcceptSession(SessionParam()));
    EXPECT_TRUE(form->LookupService.IsEmpty());
}

TEST_F(StartTest, WithoutASessionObjectTheFormStillConnects) {
    TfrmTestJob* form = NewForm();
    form->Session = Variant();
    ASSERT_TRUE(form->AcceptSession(SessionParam()));
    EXPECT_TRUE(form->CounterService.IsEmpty());
    EXPECT_EQ(form->ProductCode, 3);
}

TEST_F(StartTest, TheEnglishInterfaceNamesTheProgramInEnglish) {
    Install().WriteClientIni("127.0.0.1", "437");
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->ProgramName(), "Profit and Loss Carry Forward");
}

TEST_F(StartTest, OptionCountsGrowAsTheFormsDeclareThem) {
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->OptionCount, 1) << "the print date";
    form->SetOptionCount(16);
    EXPECT_EQ(form->OptionCount, 17) << "a job's own count adds the system options";
    form->SystemOptionCount = 2;
    form->SetOptionCount(form->OptionCount + 1);
    EXPECT_EQ(form->OptionCount, 18) << "the log flag of batch forms";
}

// ---- System parameters and server calls ------------------------------------------------

TEST_F(StartTest, SystemParametersComeFromOneRequestAndIgnoreLetterCase) {
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->SystemParam("KMB002"), "DEMO");
    EXPECT_EQ(form->SystemParam("kmb002"), "DEMO");
    EXPECT_EQ(form->SystemParam("Sys015"), "12");
    EXPECT_EQ(form->SystemParam("Sys019"), "2026");
    EXPECT_EQ(form->SystemParam("NoSuchKey"), "");
    EXPECT_EQ(State().SysInfoCalls, 1);

    std::string value = "stale";
    form->GetSystemParam("", value);
    EXPECT_EQ(value, "");
    EXPECT_EQ(State().SysInfoCalls, 2) << "an empty key reloads";
    EXPECT_EQ(form->SystemParam("Sys003"), "RMB");
}

TEST_F(StartTest, GoodsCategoryParametersHaveDefaults) {
    const struct {
        const char* CodePage;
        const char* Key;
        const char* Value;
    } cases[] = {
        {"936", "SYS007", "商品分类方式一"},
        {"936", "SYS008", "商品分类方式二"},
        {"936", "sys009", "商品分类方式三"},
        {"936", "Sys010", "商品分类方式四"},
        {"437", "SYS007", "Inv.Cate.1"},
        {"437", "SYS008", "Inv.Cate.2"},
        {"437", "SYS009", "Inv.Cate.3"},
        {"437", "SYS010", "Inv.Cate.4"},
        {"437", "SYS011", ""},
        {"936", "SYS00", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.CodePage) + " " + c.Key);
        Install().WriteClientIni("127.0.0.1", c.CodePage);
        TfrmTestJob* form = StartedForm();
        EXPECT_EQ(form->SystemParam(c.Key), c.Value);
        form->Free();
    }
}

TEST_F(StartTest, WithoutTheCounterServiceParametersAreEmptyButDefaultsRemain) {
    State().CounterAvailable = false;
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->SystemParam("KMB002"), "");
    EXPECT_EQ(form->SystemParam("SYS008"), "商品分类方式二");
    EXPECT_EQ(form->DateType(), 1);
    EXPECT_EQ(form->DateSeparator(), "/");
}

TEST_F(StartTest, ServerFunctionsAreCalledByUpperCaseNameWithTheCompany) {
    TfrmTestJob* form = StartedForm();
    Variant rows;
    form->CallServer("SimpleSql", VarArrayOf({"SELECT MC023 FROM $$ACTMC", "MC023", "", "N"}), rows);
    ASSERT_EQ(rows.DimCount(), 1);
    EXPECT_EQ(rows[0][0], Variant("202612"));
    EXPECT_EQ(State().CounterFunctions.back(), "SIMPLESQL");

    form->CallServer("SimpleSql", VarArrayOf({"SELECT MC023 FROM $$ACTMC WHERE 1 = 0", "MC023", "", "N"}),
                     rows);
    EXPECT_TRUE(rows.IsEmpty());
    EXPECT_THROW(form->CallServer("SimpleSql", VarArrayOf({"DELETE FROM $$ACTMC", "MC023"}), rows),
                 EOleException)
        << "a refused statement reaches the caller";
    EXPECT_TRUE(rows.IsEmpty());
}

TEST_F(StartTest, WithoutTheCounterServiceServerCallsGiveNothing) {
    State().CounterAvailable = false;
    TfrmTestJob* form = StartedForm();
    Variant rows = "stale";
    form->CallServer("SimpleSql", VarArrayOf({"SELECT MC023 FROM $$ACTMC", "MC023"}), rows);
    EXPECT_TRUE(rows.IsEmpty());
}

TEST_F(StartTest, DataSetTextsGoThroughTheConverterUnlessTheFieldHandlesThem) {
    TfrmTestJob* form = NewForm();
    auto* data = new TClientDataSet(form);
    TField* own = data->AddField("OWN", ftString, 20);
    TField* plain = data->AddField("PLAIN", ftString, 20);
    TField* memo = data->AddField("NOTES", ftMemo);
    TField* number = data->AddField("N", ftInteger);
    own->SetDisplayLabel("方案名称");
    const TFieldGetTextEvent ownText([](TField*, std::string& text, bool) { text = "own"; });
    own->OnGetText = ownText;
    form->ConvertDataSetText();
    EXPECT_EQ(own->DisplayLabel(), "方案名称");
    EXPECT_EQ(own->OnGetText, ownText);
    EXPECT_TRUE(own->OnSetText) << "a missing handler is added even when the other exists";
    EXPECT_TRUE(plain->OnGetText);
    EXPECT_TRUE(plain->OnSetText);
    EXPECT_TRUE(memo->OnGetText);
    EXPECT_FALSE(number->OnGetText);
    EXPECT_FALSE(number->OnSetText);

    data->CreateDataSet();
    data->Append();
    plain->SetText("期间损益结转");
    data->Post();
    EXPECT_EQ(plain->AsString(), "期间损益结转");
    EXPECT_EQ(plain->DisplayText(), "期间损益结转");
    EXPECT_EQ(own->DisplayText(), "own");
}

// ---- Showing, pages, focus and closing ---------------------------------------------------

TEST_F(StartTest, ShowingSetsTheCaptionAndFocusesTheFirstOption) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    EXPECT_EQ(form->Caption(), "损益结转[DEMO]");
    EXPECT_EQ(form->pgOption->ActivePage(), form->tsOption1);
    EXPECT_EQ(form->ActiveControl(), form->ed01);
    EXPECT_EQ(form->LastFocused(), form->ed01);
    ASSERT_EQ(form->lstCondition->Columns()->Count(), 2);
    EXPECT_EQ(form->lstCondition->Columns()->Items(0)->Caption(), "方案名称");
    EXPECT_EQ(form->lstCondition->Columns()->Items(1)->Caption(), "创建时间");
    EXPECT_TRUE(form->Converted());
}

TEST_F(StartTest, TheFirstEnabledControlInTabOrderGetsTheFocus) {
    TfrmTestJob* form = StartedForm();
    form->ed02->SetTabOrder(0);
    form->ed02->SetEnabled(false);
    form->Show();
    EXPECT_EQ(form->ActiveControl(), form->ed01);
}

TEST_F(StartTest, TheSystemPageIsLaidOutTheFirstTimeItShows) {
    TfrmTestJob* form = StartedForm();
    form->SetBounds(0, 0, 200, 90);
    form->Show();
    EXPECT_FALSE(form->SystemPageLaidOut());
    ASSERT_TRUE(User::Choose(*form->pgOption, 1).Ok);
    EXPECT_TRUE(form->SystemPageLaidOut());
    EXPECT_GE(form->Width(), 315);
    EXPECT_GE(form->Height(), 110);
    EXPECT_EQ(form->lblToday->Left(), 8);
    EXPECT_EQ(form->lblToday->Top(), 12);
    EXPECT_EQ(form->edPrintDate->BoundsRect(), Bounds(60, 8, 85, form->edPrintDate->Height()));
    EXPECT_EQ(form->btnPrintDate->Left(), 60 + 85 + form->btnPrintDate->Gap());
    EXPECT_EQ(form->tsOption2->Font()->Size(), 9);
    EXPECT_EQ(form->ActiveControl(), form->edPrintDate);

    form->lblToday->SetLeft(30);
    ASSERT_TRUE(User::Choose(*form->pgOption, 0).Ok);
    ASSERT_TRUE(User::Choose(*form->pgOption, 1).Ok);
    EXPECT_EQ(form->lblToday->Left(), 30) << "laid out once";
}

TEST_F(StartTest, AFailedFieldCheckKeepsThePage) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    int checks = 0;
    form->ed01->OnExit = TNotifyEvent([&](TObject*) {
        ++checks;
        form->ValidationFailed = form->ed01->Text().empty();
    });
    // The keyboard changes the page with the focus still in the field.
    ASSERT_TRUE(User::Key(VK_TAB, {ssCtrl}).Ok);
    EXPECT_EQ(form->pgOption->ActivePage(), form->tsOption1);
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(form->PageChanging);
    EXPECT_EQ(form->ActiveControl(), form->ed01);

    form->ed01->SetText("USD");
    ASSERT_TRUE(User::Key(VK_TAB, {ssCtrl}).Ok);
    EXPECT_EQ(form->pgOption->ActivePage(), form->tsOption2);
}

TEST_F(StartTest, WhileThePageChangesOnlyErrorsAreShown) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    form->ed01->OnExit = TNotifyEvent([&](TObject*) {
        if (form->PageChanging) {
            form->PostMessageId("W;000004;ed01");
            form->PostMessageId("E;000006");
        }
    });
    ASSERT_TRUE(User::Key(VK_TAB, {ssCtrl}).Ok);
    EXPECT_EQ(form->pgOption->ActivePage(), form->tsOption2);
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"无法连接应用服务器"});
    EXPECT_EQ(form->MessageIdLog(), "W;000004;ed01; E;000006; ") << "both are logged";
}

TEST_F(StartTest, TheFormFollowsTheFocus) {
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->LastFocused(), form);
    form->Show();
    ASSERT_TRUE(User::Focus(*form->ed02).Ok);
    EXPECT_EQ(form->LastFocused(), form->ed02);
    TWinControl* enteredDuringExit = nullptr;
    form->ed02->OnExit = TNotifyEvent([&](TObject*) { enteredDuringExit = form->LastFocused(); });
    ASSERT_TRUE(User::Focus(*form->me03).Ok);
    EXPECT_EQ(enteredDuringExit, form->me03) << "noted before the control left runs its exit";
}

TEST_F(StartTest, MovingOrResizingAsksTheShellWindowToRepaint) {
    const HWND shell = AllocateHWnd([](TMessage&) {});
    TfrmTestJob* form = NewForm();
    ASSERT_TRUE(form->AcceptSession(SessionParam(5, shell)));
    Driver().ClearRecord();
    const auto repaints = [&] {
        int count = 0;
        for (const TUiRecord& entry : Driver().Record())
            if (entry.What == TUiRecord::Kind::Repaint && entry.Window == shell)
                ++count;
        return count;
    };
    form->SetLeft(form->Left() + 10);
    EXPECT_EQ(repaints(), 1);
    form->SetWidth(form->Width() + 10);
    EXPECT_EQ(repaints(), 2);

    TfrmTestJob* quiet = StartedForm();
    Driver().ClearRecord();
    quiet->SetBounds(1, 2, 300, 300);
    EXPECT_EQ(Driver().Record().size(), 0u) << "window 0 asks for no repaint";
    DeallocateHWnd(shell);
}

TEST_F(StartTest, ClosingFreesTheFormAndReleasesWhatItHeld) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    TComponentRef<TfrmTestJob> alive(form);
    bool checked = false;
    const TNotifyEvent ownDestroy = form->OnDestroy;
    form->OnDestroy = TNotifyEvent([&](TObject* sender) {
        ownDestroy(sender);
        checked = true;
        EXPECT_TRUE(form->Session.IsEmpty());
        EXPECT_TRUE(form->AppServer.IsEmpty());
        EXPECT_TRUE(form->CounterService.IsEmpty());
        EXPECT_TRUE(form->ValidatorService.IsEmpty());
        EXPECT_TRUE(form->LookupService.IsEmpty());
        EXPECT_TRUE(form->MainMidas->Connected()) << "a server of this process stays with its connection";
    });
    ASSERT_TRUE(User::Click(*form->btnCancel).Ok);
    EXPECT_FALSE(alive);
    EXPECT_TRUE(checked);
}

TEST_F(StartTest, OkDoesNothingInTheBaseForm) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    TComponentRef<TfrmTestJob> alive(form);
    ASSERT_TRUE(User::Click(*form->btnOk).Ok);
    EXPECT_TRUE(alive);
    EXPECT_EQ(form->ResultCode, 0);
}

TEST_F(StartTest, TheDesignedFormHasItsParts) {
    TfrmTestJob* form = NewForm();
    EXPECT_EQ(form->Width(), 509);
    EXPECT_EQ(form->Height(), 355);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->pgOption->PageCount(), 2);
    EXPECT_EQ(form->tsOption1->Caption(), "基本选项");
    EXPECT_EQ(form->tsOption2->Caption(), "系统选项");
    EXPECT_EQ(form->btnPrintDate->F2Control(), form->edPrintDate);
    EXPECT_TRUE(form->btnPrintDate->Flat());
    EXPECT_EQ(form->btnPrintDate->GlyphIndex(), 9);
    EXPECT_TRUE(form->btnCancel->Cancel());
    EXPECT_EQ(form->btnCancel->ModalResult(), mrCancel);
    EXPECT_EQ(form->Panel1->Height(), 43);
    EXPECT_EQ(form->pnlCondition->Width(), 151);
    EXPECT_TRUE(form->N7->Checked());
    EXPECT_EQ(form->ClientDataSet1->ProviderName(), "pvdConSave");
    EXPECT_EQ(form->ClientDataSet1->RemoteServer(), form->MainMidas);
    EXPECT_FALSE(form->MainMidas->SupportCallbacks());
    EXPECT_EQ(form->ParentWindow(), 0);
    // The field checks find their handlers by name.
    EXPECT_TRUE(form->GetEvent<TNotifyEvent>("OnDateFieldEnter").value_or(TNotifyEvent()));
    EXPECT_TRUE(form->GetEvent<TNotifyEvent>("OnDateFieldExit").value_or(TNotifyEvent()));
    EXPECT_TRUE(form->GetEvent<TNotifyEvent>("OnRequiredExit").value_or(TNotifyEvent()));
    Variant wantLog;
    EXPECT_EQ(form->GetPropValue("WantLog", wantLog), TPropResult::Ok);
    EXPECT_EQ(Application().HintHidePause(), 500000);
}

} // namespace
} // namespace vondrel::test
