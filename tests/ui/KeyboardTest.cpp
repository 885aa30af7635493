#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class TfrmKeys : public TForm {
public:
    explicit TfrmKeys(TComponent* owner) : TForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmKeys");
        SetClass(info);
        lblName = new TLabel(this);
        lblName->SetParent(this);
        lblName->SetCaption("&Name");
        edCode = new TEdit(this);
        edCode->SetName("edCode");
        edCode->SetParent(this);
        edName = new TEdit(this);
        edName->SetName("edName");
        edName->SetParent(this);
        lblName->SetFocusControl(edName);
        memo = new TMemo(this);
        memo->SetName("Memo1");
        memo->SetParent(this);
        btnOk = new TButton(this);
        btnOk->SetName("btnOk");
        btnOk->SetParent(this);
        btnOk->SetCaption("保存(&S)");
        chkLog = new TCheckBox(this);
        chkLog->SetName("chkLog");
        chkLog->SetParent(this);
        chkLog->SetCaption("&Log");
        OnKeyDown = [this](TObject*, Word& key, TShiftState shift) {
            log += "form down " + KeyName(key) + ";";
            if (key == VK_F2 && swallowF2)
                key = 0;
            if (key == VK_TAB && shift.Contains(ssCtrl))
                log += "next page;";
        };
        OnKeyPress = [this](TObject*, char32_t& key) {
            log += "form press;";
            if (key == U'\r' && ActiveControl() != memo) {
                key = 0;
                SelectNext(ActiveControl(), true, true);
            }
        };
        edCode->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
            log += "edit down " + KeyName(key) + ";";
        };
        edCode->OnKeyPress = [this](TObject*, char32_t&) { log += "edit press;"; };
        edCode->OnKeyUp = [this](TObject*, Word& key, TShiftState) {
            log += "edit up " + KeyName(key) + ";";
        };
        btnOk->OnClick = [this](TObject*) { log += "ok;"; };
    }

    TLabel* lblName;
    TEdit* edCode;
    TEdit* edName;
    TMemo* memo;
    TButton* btnOk;
    TCheckBox* chkLog;
    bool swallowF2 = false;
    std::string log;
};

class KeyboardTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TfrmKeys>(nullptr));
        form->SetKeyPreview(true);
        form->Show();
        form->log.clear();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TfrmKeys> form;
};

TEST_F(KeyboardTest, TheFormPreviewsKeysBeforeTheFocusedControl) {
    ASSERT_TRUE(User::Key(VK_F2));
    EXPECT_EQ(form->log, "form down F2;edit down F2;edit up F2;");
    form->log.clear();
    form->swallowF2 = true;
    User::Key(VK_F2);
    EXPECT_EQ(form->log, "form down F2;") << "a key the form consumes goes no further";
    form->SetKeyPreview(false);
    form->log.clear();
    User::Key(VK_F2);
    EXPECT_EQ(form->log, "edit down F2;edit up F2;");
}

TEST_F(KeyboardTest, TypingGoesKeyByKeyThroughDownPressAndUp) {
    ASSERT_TRUE(User::Type(*form->edCode, "a"));
    EXPECT_EQ(form->log, "form down A;edit down A;form press;edit press;edit up A;");
    EXPECT_EQ(form->edCode->Text(), "a");
}

TEST_F(KeyboardTest, EnterHandledByTheFormMovesToTheNextControl) {
    User::Key(VK_RETURN);
    EXPECT_TRUE(form->edName->Focused());
    // A memo keeps Enter for itself (a new line) unless the form takes it first.
    User::Focus(*form->memo);
    User::Type(*form->memo, "a\nb");
    EXPECT_EQ(form->memo->Lines()->Count(), 2);
    EXPECT_TRUE(form->memo->Focused());
}

TEST_F(KeyboardTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
    form->SetKeyPreview(false);
    form->btnOk->SetDefault(true);
    User::Key(VK_RETURN);
    EXPECT_EQ(form->log, "ok;") << "the default button takes Enter before the key events";
    form->log.clear();
    User::Key(VK_ESCAPE);
    EXPECT_EQ(form->log, "edit down Esc;edit press;edit up Esc;") << "no cancel button yet";
    form->btnOk->SetCancel(true);
    form->log.clear();
    User::Key(VK_ESCAPE);
    EXPECT_EQ(form->log, "ok;");
    form->btnOk->SetEnabled(false);
    form->log.clear();
    User::Key(VK_RETURN);
    EXPECT_EQ(form->log, "edit down Enter;edit press;edit up Enter;")
        << "a disabled default button takes nothing";
}

TEST_F(KeyboardTest, TypingStopsWhenAKeyEndsTheForm) {
    TfrmKeys* other = Create<TfrmKeys>(nullptr);
    TComponentRef<TfrmKeys> alive(other);
    other->SetKeyPreview(false);
    other->btnOk->SetDefault(true);
    other->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    other->btnOk->OnClick = [other](TObject*) { other->Close(); };
    other->Show();
    const TUserResult typed = User::Type(*other->edCode, "a\nb");
    EXPECT_FALSE(alive) << "Enter pressed the button that closes the form";
    EXPECT_FALSE(typed);
    EXPECT_EQ(typed.Reason, "edCode has gone with its form");
}

TEST_F(KeyboardTest, CtrlTabReachesTheFormInsteadOfMovingTheFocus) {
    User::Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->log, "form down Tab;next page;edit down Tab;edit up Tab;");
    EXPECT_TRUE(form->edCode->Focused());
}

TEST_F(KeyboardTest, AcceleratorsFocusPressAndToggle) {
    User::Key('N', {ssAlt});
    EXPECT_TRUE(form->edName->Focused()) << "the label's accelerator focuses its control";
    User::Key('S', {ssAlt});
    EXPECT_NE(form->log.find("ok;"), std::string::npos) << "a button's accelerator presses it";
    User::Key('L', {ssAlt});
    EXPECT_TRUE(form->chkLog->Checked());
    EXPECT_TRUE(form->chkLog->Focused());
    // Without Alt, a letter is an accelerator only where the focused control takes no
    // characters.
    User::Focus(*form->edName);
    form->log.clear();
    User::Key('S');
    User::Key('L');
    EXPECT_EQ(form->log.find("ok;"), std::string::npos);
    EXPECT_TRUE(form->chkLog->Checked());
    EXPECT_EQ(form->edName->Text(), "sl");
    User::Focus(*form->chkLog);
    User::Key('S');
    EXPECT_NE(form->log.find("ok;"), std::string::npos);
}

TEST_F(KeyboardTest, SpaceClicksAFocusedButtonOrCheckBox) {
    User::Focus(*form->chkLog);
    User::Key(VK_SPACE);
    EXPECT_TRUE(form->chkLog->Checked());
    User::Focus(*form->btnOk);
    form->log.clear();
    User::Key(VK_SPACE);
    EXPECT_NE(form->log.find("ok;"), std::string::npos);
}

TEST(Keys, NamesAndCharactersRoundTrip) {
    for (const char* name : {"F2", "Enter", "Esc", "Tab", "PageDown", "A", "7", "Delete"})
        EXPECT_EQ(KeyName(KeyByName(name)), name);
    EXPECT_EQ(KeyByName("escape"), VK_ESCAPE);
    EXPECT_EQ(KeyByName("nonsense"), 0);
    for (char32_t c : std::u32string(U"aZ9 +-./:")) {
        const auto [key, shift] = CharToKey(c);
        EXPECT_EQ(KeyToChar(key, shift), c);
    }
    EXPECT_EQ(CharToKey(U'中').first, 0) << "comes from an input method";
    EXPECT_EQ(KeyToChar('C', {ssCtrl}), 3u);
}

} // namespace
} // namespace vondrel::test
