#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/PageControl.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

// A scheme dialog of the kind the framework shows: a name that may not be blank, and a
// question before an existing name is replaced.
class TfrmName : public TForm {
public:
    explicit TfrmName(TComponent* owner) : TForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmName");
        SetClass(info);
        SetName("frmName");
        SetKeyPreview(true);
        edConName = new TEdit(this);
        edConName->SetName("edConName");
        edConName->SetParent(this);
        edConName->SetMaxLength(20);
        btnOk = new TButton(this);
        btnOk->SetName("btnOk");
        btnOk->SetParent(this);
        btnOk->SetDefault(true);
        btnOk->OnClick = TNotifyEvent(this, &TfrmName::btnOkClick);
        btnCancel = new TButton(this);
        btnCancel->SetName("btnCancel");
        btnCancel->SetParent(this);
        btnCancel->SetCancel(true);
        btnCancel->SetModalResult(mrCancel);
    }
    void btnOkClick(TObject*) {
        if (edConName->Text().empty()) {
            MessageDlg("方案名不可空白!", mtError, {mbOK});
            edConName->SetFocus();
            return;
        }
        if (edConName->Text() == "月结" &&
            MessageDlg("此方案名称已经存在！", mtConfirmation, {mbOK, mbCancel}) != mrOk) {
            edConName->SetFocus();
            return;
        }
        SetModalResult(mrOk);
    }

    TEdit* edConName;
    TButton* btnOk;
    TButton* btnCancel;
};

class TfrmJob : public TForm {
public:
    explicit TfrmJob(TComponent* owner) : TForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmJob");
        SetClass(info);
        SetName("frmJob");
        SetKeyPreview(true);
        lbl03 = new TLabel(this);
        lbl03->SetParent(this);
        lbl03->SetCaption("凭证单别");
        ed03 = new TEdit(this);
        ed03->SetName("ed03");
        ed03->SetParent(this);
        me06 = new TMaskEdit(this);
        me06->SetName("me06");
        me06->SetParent(this);
        me06->SetEditMask("9999/99/99;1; ");
        chk04 = new TCheckBox(this);
        chk04->SetName("chk04");
        chk04->SetParent(this);
        btnSave = new TButton(this);
        btnSave->SetName("btnSave");
        btnSave->SetParent(this);
        btnSave->SetCaption("保存(&S)");
        ed03->OnExit = [this](TObject*) {
            log += "ed03Exit;";
            if (ed03->Text() != "" && ed03->Text() != "JV") {
                MessageDlg("凭证单别不存在", mtError, {mbOK});
                ed03->SetFocus();
            }
        };
        chk04->OnClick = [this](TObject*) { log += chk04->Checked() ? "checked;" : "unchecked;"; };
        btnSave->OnClick = [this](TObject*) {
            TOwnedPtr<TfrmName> dialog(Create<TfrmName>(this));
            if (dialog->ShowModal() == mrOk)
                saved.push_back(dialog->edConName->Text());
        };
        OnKeyDown = [this](TObject*, Word& key, TShiftState) {
            if (key == VK_ESCAPE) {
                key = 0;
                Close();
            }
        };
        OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    }

    TLabel* lbl03;
    TEdit* ed03;
    TMaskEdit* me06;
    TCheckBox* chk04;
    TButton* btnSave;
    std::vector<std::string> saved;
    std::string log;
};

TEST_F(UiTest, ASmallFormIsDrivenAsAPersonDrivesIt) {
    TfrmJob* job = Create<TfrmJob>(nullptr);
    TComponentRef<TfrmJob> alive(job);
    job->Show();

    // A wrong code: the exit check says so and keeps the focus in the field.
    auto* ed03 = dynamic_cast<TEdit*>(User::Find(*job, "ED03"));
    ASSERT_EQ(ed03, job->ed03) << "controls are found by name, as scripts name them";
    ASSERT_TRUE(User::Set(*ed03, "XX"));
    EXPECT_FALSE(User::Leave());
    EXPECT_TRUE(job->ed03->Focused());
    ASSERT_TRUE(User::Set(*job->ed03, "JV"));
    ASSERT_TRUE(User::Leave());
    EXPECT_TRUE(job->me06->Focused());
    ASSERT_TRUE(User::Set(*job->me06, "20240131"));
    EXPECT_EQ(job->me06->Text(), "2024/01/31");
    ASSERT_TRUE(User::Check(*job->chk04, true));

    // The scheme dialog: first a blank name, then an existing one declined, then a new one.
    Driver().AnswerModal("TfrmName", [](TForm& form) {
        auto& dialog = static_cast<TfrmName&>(form);
        EXPECT_TRUE(User::Click(*dialog.btnOk));
        EXPECT_EQ(dialog.ModalResult(), mrNone);
        EXPECT_TRUE(User::Set(*dialog.edConName, "月结"));
        EXPECT_TRUE(User::Key(VK_RETURN)) << "Enter presses the default button";
        EXPECT_TRUE(dialog.edConName->Focused());
        EXPECT_TRUE(User::Set(*dialog.edConName, "期末结转"));
        EXPECT_TRUE(User::Click(*dialog.btnOk));
        return mrNone;
    });
    Driver().AnswerDialog(mrCancel, "已经存在");
    ASSERT_TRUE(User::Key('S', {ssAlt}));
    EXPECT_EQ(job->saved, (std::vector<std::string>{"期末结转"}));
    EXPECT_TRUE(job->Active()) << "the job form is active again";
    EXPECT_EQ(Driver().PendingAnswers(), 0u);

    // Everything that was shown, in order.
    std::vector<std::string> shown;
    for (const TUiRecord& entry : Driver().Record())
        shown.push_back(std::string(UiRecordKindName(entry.What)) + ":" +
                        (entry.What == TUiRecord::Kind::ModalForm ? entry.FormClass : entry.Text) + ":" +
                        entry.Choice);
    EXPECT_EQ(shown, (std::vector<std::string>{"dialog:凭证单别不存在:OK",
                                               "modal:TfrmName:", "dialog:方案名不可空白!:OK",
                                               "dialog:此方案名称已经存在！:Cancel"}));
    EXPECT_EQ(job->log, "ed03Exit;ed03Exit;checked;");

    // Esc closes the job form, which frees itself.
    ASSERT_TRUE(User::Key(VK_ESCAPE));
    EXPECT_FALSE(alive);
}

} // namespace
} // namespace vondrel::test
