#include "support/UiFixture.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/UserSimulation.h"

#include "platform/SysUtils.h"

#include <stdexcept>

namespace vondrel::test {
namespace {

TEST_F(UiTest, AnUnansweredDialogTakesItsDefaultButtonAndSaysSo) {
    EXPECT_EQ(MessageDlg("Delete it?", mtConfirmation, {mbYes, mbNo, mbCancel}), mrYes);
    EXPECT_EQ(MessageDlg("Saved.", mtInformation, {mbOK, mbCancel}), mrOk);
    EXPECT_EQ(MessageDlg("Retry?", mtWarning, {mbRetry, mbCancel}), mrRetry);
    EXPECT_EQ(MessageDlg("Which?", mtWarning, {mbAbort, mbIgnore}), mrAbort)
        << "no default: the first button";
    const auto dialogs = Driver().Dialogs();
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_FALSE(dialogs[0].Answered);
    EXPECT_EQ(dialogs[0].Note, "no answer queued: default button");
    EXPECT_EQ(dialogs[0].Choice, "Yes");
    EXPECT_EQ(dialogs[0].Buttons, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    EXPECT_EQ(dialogs[0].ButtonCaptions, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(dialogs[0].Caption, "Confirm");
    EXPECT_EQ(dialogs[0].DialogType, mtConfirmation);
}

TEST_F(UiTest, QueuedAnswersGoToTheDialogsTheyFit) {
    Driver().AnswerDialogButton("No", "replace");
    Driver().AnswerDialog(mrCancel);
    EXPECT_EQ(MessageDlg("Saved.", mtInformation, {mbOK, mbCancel}), mrCancel)
        << "the first answer fits any text";
    EXPECT_EQ(MessageDlg("Do you want to replace it?", mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(Driver().PendingAnswers(), 0u);
    Driver().AnswerDialog(mrYes);
    EXPECT_THROW(MessageDlg("Only OK here", mtError, {mbOK}), EScriptedUiError);
}

TEST_F(UiTest, ADialogCanBeChangedBeforeItIsShown) {
    // What the framework does: the form's caption, local button captions, a Chinese font.
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog("方案名不可空白!", mtError, {mbOK}));
    dialog->SetCaption("损益结转");
    dialog->Find<TButton>("OK")->SetCaption("确定");
    dialog->Font()->SetName("SimSun");
    dialog->Font()->SetCharset(134);
    Driver().AnswerDialogButton("OK");
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    const TUiRecord& shown = Driver().Record().back();
    EXPECT_EQ(shown.Caption, "损益结转");
    EXPECT_EQ(shown.ButtonCaptions, (std::vector<std::string>{"确定"}));
    EXPECT_EQ(shown.FontName, "SimSun");
    EXPECT_EQ(shown.FontCharset, 134);
    EXPECT_EQ(shown.DialogType, mtError);
}

TEST_F(UiTest, MessageBoxFlagsChooseTypeAndButtons) {
    struct Case {
        unsigned Flags;
        TMsgDlgType Type;
        std::vector<std::string> Buttons;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONERROR, mtError, {"OK"}},
        {MB_YESNO | MB_ICONQUESTION, mtConfirmation, {"Yes", "No"}},
        {MB_OKCANCEL | MB_ICONWARNING, mtWarning, {"OK", "Cancel"}},
        {MB_YESNOCANCEL | MB_ICONINFORMATION, mtInformation, {"Yes", "No", "Cancel"}},
        {MB_RETRYCANCEL, mtCustom, {"Cancel", "Retry"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Flags);
        Application().MessageBox("text", "caption", c.Flags);
        const TUiRecord& shown = Driver().Record().back();
        EXPECT_EQ(shown.DialogType, c.Type);
        EXPECT_EQ(shown.Buttons, c.Buttons);
        EXPECT_EQ(shown.Caption, "caption");
    }
}

TEST_F(UiTest, AnExceptionReachingTheMessageLoopIsShownAsAnError) {
    Driver().SetFailOnException(false);
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->OnClick = [](TObject*) { throw std::runtime_error("boom"); };
    form->Show();
    EXPECT_TRUE(User::Click(*button));
    const auto dialogs = Driver().Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].What, TUiRecord::Kind::Exception);
    EXPECT_EQ(dialogs[0].Text, "boom");
    EXPECT_EQ(dialogs[0].DialogType, mtError);
    Driver().SetFailOnException(true);
    EXPECT_THROW(User::Click(*button), EScriptedUiError);
}

TEST_F(UiTest, PopupMenusAreAnsweredByItemName) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* menu = new TPopupMenu(form.get());
    menu->SetName("pmOKExit");
    auto* exitItem = new TMenuItem(form.get());
    exitItem->SetName("miOKExit");
    auto* stayItem = new TMenuItem(form.get());
    stayItem->SetName("miOKNoExit");
    menu->Items()->Add(exitItem);
    menu->Items()->Add(stayItem);
    std::string clicked;
    stayItem->OnClick = [&](TObject* sender) { clicked = static_cast<TComponent*>(sender)->Name(); };
    Driver().AnswerPopup("pmOKExit", "miOKNoExit");
    EXPECT_EQ(menu->Popup(10, 20), stayItem);
    EXPECT_EQ(clicked, "miOKNoExit");
    EXPECT_EQ(menu->Popup(10, 20), nullptr) << "unanswered: dismissed";
    EXPECT_EQ(Driver().Record().back().Note, "no answer queued: dismissed");
    Driver().AnswerPopup("pmOKExit", "miMissing");
    EXPECT_THROW(menu->Popup(0, 0), EScriptedUiError);
}

TEST_F(UiTest, ShellRequestsAndRepaintsAreRecorded) {
    TShellExecuteInfo info;
    info.Verb = "properties";
    info.File = "/opt/vondrel/Zorb71C.so";
    info.Mask = SEE_MASK_INVOKEIDLIST;
    EXPECT_TRUE(ShellExecuteEx(info));
    Driver().AnswerShellExecute(false);
    EXPECT_FALSE(ShellExecuteEx(info));
    RepaintWindow(0x1234);
    const auto& record = Driver().Record();
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record[0].What, TUiRecord::Kind::ShellExecute);
    EXPECT_EQ(record[0].Shell.Verb, "properties");
    EXPECT_EQ(record[0].Shell.Mask, 12u);
    EXPECT_EQ(record[2].What, TUiRecord::Kind::Repaint);
    EXPECT_EQ(record[2].Window, 0x1234);
}

TEST_F(UiTest, TheScreenFontsComeFromTheDriver) {
    Driver().SetScreenFonts({"宋体", "Tahoma"});
    TStrings* fonts = Screen().Fonts();
    ASSERT_EQ(fonts->Count(), 2);
    EXPECT_EQ(fonts->IndexOf("tahoma"), 1);
}

TEST_F(UiTest, InstallingADriverReturnsThePreviousOne) {
    auto mine = std::make_shared<TScriptedUiDriver>();
    std::shared_ptr<UiDriver> previous = SetUiDriver(mine);
    EXPECT_EQ(&CurrentUiDriver(), mine.get());
    SetUiDriver(previous);
    EXPECT_EQ(&CurrentUiDriver(), &Driver());
}

} // namespace
} // namespace vondrel::test
