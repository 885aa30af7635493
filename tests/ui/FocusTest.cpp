#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

// A form whose controls write their focus events into one log.
class TfrmFocus : public TForm {
public:
    explicit TfrmFocus(TComponent* owner) : TForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmFocus");
        SetClass(info);
        panel = Add<TPanel>("pnlTop", this);
        ed01 = Add<TEdit>("ed01", panel);
        ed02 = Add<TEdit>("ed02", panel);
        ed03 = Add<TEdit>("ed03", this);
        btnOk = Add<TButton>("btnOk", this);
        btnCancel = Add<TButton>("btnCancel", this);
    }

    template <class T>
    T* Add(const char* name, TWinControl* parent) {
        auto* control = new T(this);
        control->SetName(name);
        control->SetParent(parent);
        control->OnEnter = [this, name](TObject*) { log += std::string("enter ") + name + ";"; };
        control->OnExit = [this, name](TObject*) { log += std::string("exit ") + name + ";"; };
        return control;
    }

    TPanel* panel;
    TEdit* ed01;
    TEdit* ed02;
    TEdit* ed03;
    TButton* btnOk;
    TButton* btnCancel;
    std::string log;
};

class FocusTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TfrmFocus>(nullptr));
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TfrmFocus> form;
};

TEST_F(FocusTest, ShowingAFormFocusesTheFirstTabStop) {
    form->Show();
    EXPECT_EQ(form->log, "enter pnlTop;enter ed01;");
    EXPECT_TRUE(form->ed01->Focused());
    EXPECT_EQ(Screen().ActiveControl(), form->ed01);
    EXPECT_EQ(Screen().ActiveForm(), form.get());
}

TEST_F(FocusTest, TabFollowsTheTabOrderAndSkipsWhatCannotTakeTheFocus) {
    form->ed03->SetTabOrder(0); // before the panel
    form->ed02->SetEnabled(false);
    form->btnOk->SetVisible(false);
    form->Show();
    std::vector<std::string> visited{form->ActiveControl()->Name()};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(User::Leave());
        visited.push_back(form->ActiveControl()->Name());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"ed03", "ed01", "btnCancel", "ed03", "ed01"}));
    ASSERT_TRUE(User::Leave(true));
    EXPECT_EQ(form->ActiveControl(), form->ed03);
}

TEST_F(FocusTest, ExitRunsBeforeEnterAndContainersAreLeftAndEntered) {
    form->Show();
    form->log.clear();
    ASSERT_TRUE(User::Focus(*form->ed02));
    EXPECT_EQ(form->log, "exit ed01;enter ed02;")
        << "the panel holds both, so it is neither left nor entered";
    form->log.clear();
    ASSERT_TRUE(User::Focus(*form->ed03));
    EXPECT_EQ(form->log, "exit ed02;exit pnlTop;enter ed03;");
    form->log.clear();
    ASSERT_TRUE(User::Focus(*form->ed01));
    EXPECT_EQ(form->log, "exit ed03;enter pnlTop;enter ed01;");
}

TEST_F(FocusTest, TheControlBeingEnteredHasTheFocusWhileTheOldOneExits) {
    form->Show();
    std::string focusedDuringExit;
    form->ed01->OnExit = [&](TObject*) { focusedDuringExit = Screen().ActiveControl()->Name(); };
    ASSERT_TRUE(User::Click(*form->btnCancel));
    EXPECT_EQ(focusedDuringExit, "btnCancel");
}

TEST_F(FocusTest, AnExitHandlerThatTakesTheFocusBackKeepsIt) {
    form->Show();
    form->ed01->OnExit = [&](TObject*) {
        form->log += "exit ed01;";
        form->ed01->SetFocus();
    };
    form->log.clear();
    const TUserResult result = User::Focus(*form->ed03);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Reason, "the focus stayed on ed01");
    EXPECT_EQ(form->log, "exit ed01;") << "no enter for ed03, no second enter for ed01";
    EXPECT_TRUE(form->ed01->Focused());
}

TEST_F(FocusTest, AnExitHandlerCanSendTheFocusElsewhere) {
    form->Show();
    form->ed01->OnExit = [&](TObject*) {
        form->log += "exit ed01;";
        form->btnOk->SetFocus();
    };
    form->log.clear();
    User::Focus(*form->ed02);
    EXPECT_EQ(form->log, "exit ed01;exit pnlTop;enter btnOk;");
    EXPECT_TRUE(form->btnOk->Focused());
}

TEST_F(FocusTest, AClickThatCannotTakeTheFocusIsLost) {
    form->Show();
    int clicks = 0;
    form->btnOk->OnClick = [&](TObject*) { ++clicks; };
    form->ed01->OnExit = [&](TObject*) { form->ed01->SetFocus(); };
    EXPECT_FALSE(User::Click(*form->btnOk));
    EXPECT_EQ(clicks, 0);
    form->ed01->OnExit = nullptr;
    EXPECT_TRUE(User::Click(*form->btnOk));
    EXPECT_EQ(clicks, 1);
}

TEST_F(FocusTest, DisablingTheFocusedControlExitsItHidingItDoesNot) {
    form->Show();
    form->log.clear();
    form->ed01->SetEnabled(false);
    EXPECT_EQ(form->log, "exit ed01;exit pnlTop;");
    EXPECT_EQ(form->ActiveControl(), nullptr);
    form->ed01->SetEnabled(true);
    User::Focus(*form->ed01);
    form->log.clear();
    form->panel->SetVisible(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->log, "") << "a hidden container leaves silently";
}

TEST_F(FocusTest, SimulatedUsersCannotReachWhatAPersonCannot) {
    EXPECT_EQ(User::Click(*form->btnOk).Reason, "the form TfrmFocus is not shown");
    form->Show();
    form->btnOk->SetEnabled(false);
    EXPECT_EQ(User::Click(*form->btnOk).Reason, "btnOk is disabled");
    form->panel->SetEnabled(false);
    EXPECT_EQ(User::Focus(*form->ed01).Reason, "ed01 is disabled");
    form->panel->SetEnabled(true);
    form->panel->SetVisible(false);
    EXPECT_EQ(User::Type(*form->ed01, "x").Reason, "ed01 is not visible");
    EXPECT_THROW(form->ed01->SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, FocusOnAnotherFormActivatesIt) {
    form->Show();
    TOwnedPtr<TfrmFocus> other(Create<TfrmFocus>(nullptr));
    other->Show();
    EXPECT_EQ(Screen().ActiveForm(), other.get());
    EXPECT_FALSE(form->Active());
    form->log.clear();
    ASSERT_TRUE(User::Focus(*form->ed03));
    EXPECT_EQ(Screen().ActiveForm(), form.get());
    EXPECT_EQ(form->log, "exit ed01;exit pnlTop;enter ed03;");
    other->Hide();
    EXPECT_TRUE(form->Active());
}

} // namespace
} // namespace vondrel::test
