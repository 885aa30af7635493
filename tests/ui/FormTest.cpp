#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

// A form that logs its life and closes the way it is told.
class TfrmLife : public TForm {
public:
    TfrmLife(TComponent* owner, std::string& log) : TForm(owner), log_(log) {
        static const TClassInfo& info = DescribeClass("TfrmLife");
        SetClass(info);
        SetName("frmLife");
        edCode = new TEdit(this);
        edCode->SetName("edCode");
        edCode->SetParent(this);
        btnOk = new TButton(this);
        btnOk->SetName("btnOk");
        btnOk->SetParent(this);
        btnOk->SetModalResult(mrOk);
        btnCancel = new TButton(this);
        btnCancel->SetName("btnCancel");
        btnCancel->SetParent(this);
        btnCancel->OnClick = [this](TObject*) {
            Close();
            result = 2; // the handler goes on after asking to close
            log_ += "cancel done;";
        };
        OnCreate = [this](TObject*) { log_ += "create;"; };
        OnShow = [this](TObject*) { log_ += "show;"; };
        OnActivate = [this](TObject*) { log_ += "activate;"; };
        OnHide = [this](TObject*) { log_ += "hide;"; };
        OnCloseQuery = [this](TObject*, bool& canClose) {
            log_ += "query;";
            canClose = allowClose;
        };
        OnClose = [this](TObject*, TCloseAction& action) {
            log_ += "close;";
            action = closeAction;
        };
        OnDestroy = [this](TObject*) { log_ += "destroy(" + std::to_string(result) + ");"; };
    }

    TEdit* edCode;
    TButton* btnOk;
    TButton* btnCancel;
    bool allowClose = true;
    TCloseAction closeAction = caHide;
    int result = 0;

private:
    std::string& log_;
};

class FormTest : public UiTest {
protected:
    TfrmLife* NewForm() { return Create<TfrmLife>(nullptr, log); }
    std::string log;
};

TEST_F(FormTest, CreateShowHideAndTheirEvents) {
    TOwnedPtr<TfrmLife> form(NewForm());
    EXPECT_EQ(log, "create;");
    EXPECT_FALSE(form->Visible()) << "forms start hidden";
    form->Show();
    EXPECT_EQ(log, "create;show;activate;");
    form->Hide();
    EXPECT_EQ(log, "create;show;activate;hide;");
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

TEST_F(FormTest, CloseActionsHideMinimizeKeepOrFree) {
    struct Case {
        TCloseAction Action;
        bool Visible;
        bool Alive;
    };
    for (const Case& c : {Case{caHide, false, true}, Case{caNone, true, true}, Case{caMinimize, true, true},
                          Case{caFree, true, false}}) {
        SCOPED_TRACE(static_cast<int>(c.Action));
        TfrmLife* form = NewForm();
        TComponentRef<TfrmLife> ref(form);
        form->closeAction = c.Action;
        form->Show();
        form->Close();
        ASSERT_TRUE(ref) << "freeing waits for pending messages";
        EXPECT_EQ(form->Visible(), c.Visible);
        Application().ProcessMessages();
        EXPECT_EQ(static_cast<bool>(ref), c.Alive);
        if (ref) {
            EXPECT_EQ(ref->WindowState(), c.Action == caMinimize ? wsMinimized : wsNormal);
            ref->Free();
        }
    }
}

TEST_F(FormTest, ClosingWithFreeLetsTheHandlerFinishFirst) {
    TfrmLife* form = NewForm();
    TComponentRef<TfrmLife> ref(form);
    form->closeAction = caFree;
    form->Show();
    log.clear();
    ASSERT_TRUE(User::Click(*form->btnCancel));
    EXPECT_FALSE(ref);
    EXPECT_EQ(log, "query;close;cancel done;destroy(2);");
}

TEST_F(FormTest, AnOnDestroyThatRaisesIsReportedAndTheFormStillGoes) {
    Driver().SetFailOnException(false);
    TfrmLife* form = NewForm();
    TComponentRef<TfrmLife> ref(form);
    TComponentRef<TEdit> edit(form->edCode);
    form->Show();
    form->OnDestroy = [](TObject*) { throw EInvalidOperation("the handler failed"); };
    EXPECT_NO_THROW(form->Free());
    EXPECT_FALSE(ref);
    EXPECT_FALSE(edit) << "the controls go with the form";
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"the handler failed"});
}

TEST_F(FormTest, ARefusedCloseQueryKeepsTheFormOpen) {
    TOwnedPtr<TfrmLife> form(NewForm());
    form->allowClose = false;
    form->Show();
    log.clear();
    form->Close();
    EXPECT_EQ(log, "query;");
    EXPECT_TRUE(form->Visible());
}

TEST_F(FormTest, APostedCloseRequestRunsWhenPendingMessagesAreProcessed) {
    TfrmLife* form = NewForm();
    TComponentRef<TfrmLife> ref(form);
    form->closeAction = caFree;
    form->Show();
    ASSERT_TRUE(PostMessage(form->Handle(), WM_CLOSE));
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(PendingMessageCount(), 1u);
    Application().ProcessMessages();
    EXPECT_FALSE(ref);
    EXPECT_FALSE(PostMessage(0x7FFFFFF0, WM_CLOSE)) << "no such window";
}

TEST_F(FormTest, WindowHandlesFindTheirControls) {
    TOwnedPtr<TfrmLife> form(NewForm());
    const HWND handle = form->edCode->Handle();
    EXPECT_EQ(form->edCode->Handle(), handle) << "created once";
    EXPECT_GT(handle, 32);
    EXPECT_NE(form->Handle(), handle);
    EXPECT_EQ(FindControl(handle), form->edCode);
    form.reset();
    EXPECT_EQ(FindControl(handle), nullptr);
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(FormTest, RegisteredMessageHandlersReceiveSentAndPostedMessages) {
    TOwnedPtr<TfrmLife> form(NewForm());
    std::vector<LPARAM> received;
    form->SetMessageHandler(WM_USER + 10, [&](TMessage& message) {
        received.push_back(message.LParam);
        message.Result = 7;
    });
    EXPECT_EQ(form->Perform(WM_USER + 10, 0, 42), 7);
    EXPECT_EQ(SendMessage(form->Handle(), WM_USER + 10, 0, 43), 7);
    PostMessage(form->Handle(), WM_USER + 10, 0, 44);
    EXPECT_EQ(received, (std::vector<LPARAM>{42, 43}));
    Application().ProcessMessages();
    EXPECT_EQ(received, (std::vector<LPARAM>{42, 43, 44}));
}

TEST_F(FormTest, ShowModalEndsWithTheModalResultOfTheButtonClicked) {
    TOwnedPtr<TfrmLife> form(NewForm());
    Driver().AnswerModal("TfrmLife", [](TForm& modal) {
        auto& life = static_cast<TfrmLife&>(modal);
        EXPECT_TRUE(life.Modal());
        EXPECT_TRUE(User::Type(*life.edCode, "USD"));
        EXPECT_TRUE(User::Click(*life.btnOk));
        return mrNone;
    });
    log.clear();
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->edCode->Text(), "USD");
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());
    EXPECT_EQ(log, "show;activate;query;close;hide;");
    ASSERT_EQ(Driver().Record().size(), 1u);
    EXPECT_EQ(Driver().Record()[0].FormClass, "TfrmLife");
    EXPECT_TRUE(Driver().Record()[0].Answered);
}

TEST_F(FormTest, AnUnansweredModalFormIsClosedAsCancelledAndRecorded) {
    TOwnedPtr<TfrmLife> form(NewForm());
    EXPECT_EQ(form->ShowModal(), mrCancel);
    ASSERT_EQ(Driver().Record().size(), 1u);
    EXPECT_FALSE(Driver().Record()[0].Answered);
    EXPECT_EQ(Driver().Record()[0].Note, "no answer queued: closed");
    Driver().AnswerModal("TForm", mrYes);
    EXPECT_EQ(form->ShowModal(), mrYes) << "an answer for a base class fits";
}

TEST_F(FormTest, EachUnansweredModalRunIsCancelledOnItsOwn) {
    TOwnedPtr<TfrmLife> form(NewForm());
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(form->ShowModal(), mrCancel) << "the same form shown again";
    form.reset();
    // New forms, likely made where the last one was.
    for (int i = 0; i < 3; ++i) {
        TOwnedPtr<TfrmLife> next(NewForm());
        EXPECT_EQ(next->ShowModal(), mrCancel);
    }
    EXPECT_EQ(Driver().Record().size(), 5u);
}

TEST_F(FormTest, AModalFormThatRefusesToCloseGetsTheNextAnswer) {
    TOwnedPtr<TfrmLife> form(NewForm());
    form->allowClose = false;
    Driver().AnswerModal("TfrmLife", [](TForm& modal) {
        User::Click(*static_cast<TfrmLife&>(modal).btnOk);
        return mrNone;
    });
    Driver().AnswerModal("TfrmLife", [](TForm& modal) {
        EXPECT_EQ(modal.ModalResult(), mrNone) << "the refused close reset the result";
        static_cast<TfrmLife&>(modal).allowClose = true;
        User::Click(*static_cast<TfrmLife&>(modal).btnOk);
        return mrNone;
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(Driver().PendingAnswers(), 0u);

    form->allowClose = false;
    EXPECT_THROW(form->ShowModal(), EScriptedUiError) << "nothing left to close it with";
    EXPECT_FALSE(form->Modal());
}

TEST_F(FormTest, AModalFormBlocksTheFormsBehindIt) {
    TOwnedPtr<TfrmLife> main(NewForm());
    TOwnedPtr<TfrmLife> dialog(NewForm());
    main->Show();
    Driver().AnswerModal("TfrmLife", [&](TForm&) {
        EXPECT_EQ(User::Click(*main->btnOk).Reason, "the form frmLife is behind the modal form frmLife");
        EXPECT_TRUE(User::Focus(*dialog->edCode));
        return mrOk;
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(main->Active()) << "the form behind becomes active again";
    EXPECT_THROW(main->ShowModal(), EInvalidOperation) << "a visible form cannot become modal";
}

TEST_F(FormTest, CloseOnAModalFormCancelsIt) {
    TOwnedPtr<TfrmLife> form(NewForm());
    Driver().AnswerModal("TfrmLife", [](TForm& modal) {
        User::CloseForm(modal);
        return mrNone;
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(FormTest, PositionCentresTheFormWhenShown) {
    TOwnedPtr<TfrmLife> form(NewForm());
    form->SetBounds(0, 0, 400, 191);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (1024 - 400) / 2);
    EXPECT_EQ(form->Top(), (768 - 191) / 2);
    form->SetClientWidth(300);
    EXPECT_EQ(form->ClientWidth(), 300);
}

} // namespace
} // namespace vondrel::test
