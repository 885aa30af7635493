#include "JobFormFixture.h"

#include "framework/BaseGeneMessages.h"

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/ListView.h"
#include "ui/PageControl.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

TEST(FormatMessageText, FillsTheTemplateLikeThePlatformFormat) {
    const std::vector<Variant> args = {"USD", 42, 2.5, "长文本"};
    const struct {
        const char* Pattern;
        std::vector<Variant> Args;
        std::optional<std::string> Result;
    } cases[] = {
        {"代码不存在: %s", {"USD"}, "代码不存在: USD"},
        {"%s/%s", {"a", "b", "c"}, "a/b"},
        {"100%% %s", {"x"}, "100% x"},
        {"[%5s][%-5s]", {"ab", "cd"}, "[   ab][cd   ]"},
        {"[%.2s]", {"长文本"}, "[长文]"},
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"%d-%.3d-%x-%u", {42, 7, 255, -1}, "42-007-FF-4294967295"},
        {"%*d", {4, 7}, "   7"},
        {"%.2f|%n|%e", {2.5, 1234567.891, 1.5}, "2.50|1,234,567.89|1.50000000000000E+000"},
        {"%s", {42}, "42"},
        {"%s %s", {"only one"}, std::nullopt},
        {"%d", {"abc"}, std::nullopt},
        {"%f", {3}, std::nullopt},
        {"%s", {VarArrayOf({1})}, std::nullopt},
        {"%q", {"x"}, std::nullopt},
        {"ends with %", {}, std::nullopt},
        {"no placeholders", {"unused"}, "no placeholders"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pattern);
        EXPECT_EQ(FormatMessageText(c.Pattern, c.Args), c.Result);
    }
}

TEST(MessageKinds, ChooseTheDialogAndItsButtons) {
    const struct {
        const char* Kind;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
    } cases[] = {
        {"C", mtWarning, mbOKCancel},
        {"D", mtWarning, mbYesNoCancel},
        {"E", mtError, {mbOK}},
        {"I", mtInformation, {mbOK}},
        {"Q", mtConfirmation, mbOKCancel},
        {"W", mtWarning, mbOKCancel},
        {"R", mtCustom, {mbOK}},
        {"", mtCustom, {mbOK}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        EXPECT_EQ(MessageKindDialogType(c.Kind), c.Type);
        EXPECT_EQ(MessageKindButtons(c.Kind), c.Buttons);
    }
}

class MessagesTest : public JobFormTest {};

TEST_F(MessagesTest, ANegativeNumberIsLoggedAndNotShown) {
    TfrmTestJob* form = StartedForm();
    form->PostMessageId("I;-000004;20261215001");
    EXPECT_TRUE(DialogTexts().empty());
    EXPECT_EQ(form->MessageIdLog(), "I;-000004;20261215001; ");
    EXPECT_EQ(form->MessageTextLog(), "作业已提交, 作业编号: 20261215001; ");
}

TEST_F(MessagesTest, RepeatsAreShownEachTimeAndTheirTextLoggedOnce) {
    TfrmTestJob* form = StartedForm();
    form->PostMessageId("I;000004;17");
    form->PostMessageId("I;000004;17");
    form->PostMessageId("I;000004;18");
    EXPECT_EQ(DialogTexts(), (std::vector<std::string>{"作业已提交, 作业编号: 17", "作业已提交, 作业编号: 17",
                                                       "作业已提交, 作业编号: 18"}));
    EXPECT_EQ(form->MessageIdLog(), "I;000004;17; I;000004;17; I;000004;18; ");
    EXPECT_EQ(form->MessageTextLog(), "作业已提交, 作业编号: 17; 作业已提交, 作业编号: 18; ");
    EXPECT_EQ(Driver().Dialogs()[0].DialogType, mtInformation);
}

TEST_F(MessagesTest, EmptyPostsAndEmptyErrorsClearBothLogs) {
    TfrmTestJob* form = StartedForm();
    form->PostMessageId("I;-000004;1");
    form->PostMessageId("");
    EXPECT_EQ(form->MessageIdLog(), "");
    EXPECT_EQ(form->MessageTextLog(), "");

    form->RecordError("boom");
    form->RecordError("  \r\n ");
    EXPECT_EQ(form->MessageIdLog(), "");
    EXPECT_EQ(form->MessageTextLog(), "");
}

TEST_F(MessagesTest, RecordedErrorsAreLoggedAndNotShown) {
    TfrmTestJob* form = StartedForm();
    form->RecordError("  division by zero ");
    form->RecordError("division by zero");
    form->RecordError("file not found");
    EXPECT_TRUE(DialogTexts().empty());
    EXPECT_EQ(form->MessageIdLog(), "E;-1; E;-1; E;-1; ");
    EXPECT_EQ(form->MessageTextLog(), "division by zero; file not found; ");
}

TEST_F(MessagesTest, NothingIsLoggedWhileTheUserLeavesWithCancel) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    form->ed01->OnExit = TNotifyEvent([&](TObject*) {
        form->PostMessageId("E;000001;ed01");
        form->RecordError("ed01 is wrong");
    });
    // The cancel button already has the focus while the field left runs its exit check.
    form->btnCancel->OnClick = nullptr;
    ASSERT_TRUE(User::Focus(*form->btnCancel).Ok);
    EXPECT_EQ(form->MessageIdLog(), "");
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(MessagesTest, ArgumentsFillTheTemplateInOrder) {
    TfrmTestJob* form = StartedForm();
    State().Catalogue[{"W", "000020"}] = "%s 至 %s";
    form->PostMessageId("W;000020;20260101;20261231");
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"20260101 至 20261231"});
    EXPECT_EQ(Driver().Dialogs()[0].DialogType, mtWarning);
    EXPECT_EQ(Driver().Dialogs()[0].Buttons, std::vector<std::string>{"OK"}) << "a post offers OK only";
}

TEST_F(MessagesTest, ATemplateThatDoesNotFitShowsTheTemplateAndTheArguments) {
    TfrmTestJob* form = StartedForm();
    State().Catalogue[{"E", "000021"}] = "第 %d 行";
    State().Catalogue[{"E", "000022"}] = "%s%s%s%s%s%s%s%s%s%s%s";
    form->PostMessageId("E;000021;abc");
    form->PostMessageId("E;000022;1;2;3");
    EXPECT_EQ(DialogTexts(),
              (std::vector<std::string>{"第 %d 行\rabc;;;;;;;;;;", "%s%s%s%s%s%s%s%s%s%s%s\r1;2;3;;;;;;;;"}));
}

TEST_F(MessagesTest, AtMostTenArgumentsAreTaken) {
    TfrmTestJob* form = StartedForm();
    State().Catalogue[{"I", "000030"}] = "%s%s%s%s%s%s%s%s%s%s";
    form->PostMessageId("I;-000030;0;1;2;3;4;5;6;7;8;9;10;11");
    EXPECT_EQ(form->MessageTextLog(), "0123456789; ");
    EXPECT_EQ(form->MessageIdLog(), "I;-000030;0;1;2;3;4;5;6;7;8;9;10;11; ")
        << "the identifier is logged whole";
}

TEST_F(MessagesTest, WithoutACatalogueTheKindAndNumberAreShown) {
    TfrmTestJob* form = StartedForm();
    form->Session = Variant();
    form->PostMessageId("E;000006");
    State().CatalogueFails = true;
    form->Session = SessionObject();
    form->PostMessageId("W;000004;x");
    EXPECT_EQ(DialogTexts(), (std::vector<std::string>{"Can not Get Message\rType= E, ID= 000006 ",
                                                       "Can not Get Message\rType= W, ID= 000004 "}));
}

TEST_F(MessagesTest, TheDialogTakesTheFormCaptionLocalButtonsAndTheChineseFont) {
    TfrmTestJob* form = StartedForm();
    form->SetCaption("损益结转[DEMO]");
    Driver().AnswerDialogButton("Cancel");
    EXPECT_EQ(form->ShowCatalogMessage("W", "000002", {}, {Variant("选择条件文字"), 16, 15}), mrCancel);
    ASSERT_EQ(Driver().Dialogs().size(), 1u);
    const TUiRecord dialog = Driver().Dialogs()[0];
    EXPECT_EQ(dialog.Text, "选择条件文字 应有 16 个元素, 实际上限为 15");
    EXPECT_EQ(dialog.Caption, "损益结转[DEMO]");
    EXPECT_EQ(dialog.DialogType, mtWarning);
    EXPECT_EQ(dialog.ButtonCaptions, (std::vector<std::string>{"确定", "取消"}));
    EXPECT_EQ(dialog.FontName, "SimSun");
    EXPECT_EQ(dialog.FontCharset, 134);
    EXPECT_TRUE(form->MessageIdLog().empty()) << "catalogue messages shown directly are not logged";
}

TEST_F(MessagesTest, AnEnglishInterfaceKeepsTheStandardButtons) {
    Install().WriteClientIni("127.0.0.1", "437");
    TfrmTestJob* form = StartedForm();
    form->ShowCatalogMessage("D", "000099", {}, {});
    form->ShowCatalogMessage("D", "000099", {mbYes, mbNo}, {});
    ASSERT_EQ(Driver().Dialogs().size(), 2u);
    EXPECT_EQ(Driver().Dialogs()[0].ButtonCaptions, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(Driver().Dialogs()[1].Buttons, (std::vector<std::string>{"Yes", "No"}));
}

TEST_F(MessagesTest, WhileThePageChangesOnlyErrorDialogsAreShown) {
    TfrmTestJob* form = StartedForm();
    form->PageChanging = true;
    EXPECT_EQ(form->ShowDialog("warning", mtWarning, {mbOK}), mrNone);
    EXPECT_EQ(form->ShowDialog("question", mtConfirmation, mbOKCancel), mrNone);
    EXPECT_EQ(form->ShowDialog("error", mtError, {mbOK}), mrOk);
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"error"});
}

TEST_F(MessagesTest, AfterAnErrorTheFocusIsWhereItWas) {
    TfrmTestJob* form = StartedForm();
    form->Show();
    ASSERT_TRUE(User::Focus(*form->ed02).Ok);
    form->PostMessageId("W;000004;x");
    form->PostMessageId("E;000001;x");
    EXPECT_EQ(form->ActiveControl(), form->ed02);
    EXPECT_EQ(form->LastFocused(), form->ed02);
}

TEST_F(MessagesTest, FormTextsFallBackToTheirDefaults) {
    TfrmTestJob* form = NewForm();
    EXPECT_EQ(form->FormText(kTextOption), "选择条件文字");
    EXPECT_EQ(form->FormText(kTextProjNameError), "方案名长度不可大于20!");
    EXPECT_EQ(form->FormText(kTextBBM), "同学, 你吗帮帮忙, 这个 Procedure 是专门给TSelectPanel元件用的!");
    EXPECT_EQ(form->FormText("sNoSuchText"), "");
}

TEST_F(MessagesTest, AnEnglishInterfaceTakesItsTextsFromTheLanguageFile) {
    Install().WriteClientIni("127.0.0.1", "437");
    TfrmTestJob* form = StartedForm();
    EXPECT_EQ(form->FormText(kTextProjectName), "Scheme name");
    EXPECT_EQ(form->FormText("sNoSuchText"), "");
    form->Show();
    EXPECT_EQ(form->tsOption1->Caption(), "Basic options");
    EXPECT_EQ(form->btnCancel->Caption(), "Cancel");
    EXPECT_EQ(form->lstCondition->Columns()->Items(0)->Caption(), "Scheme name");
    EXPECT_EQ(form->lstCondition->Columns()->Items(1)->Caption(), "Created");
    EXPECT_EQ(form->Caption(), "Profit and Loss Carry Forward[DEMO]");
}

} // namespace
} // namespace vondrel::test
