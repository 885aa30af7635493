#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/UserSimulation.h"

#include <map>

namespace vondrel::test {
namespace {

class TfrmEvents : public TForm {
public:
    explicit TfrmEvents(TComponent* owner) : TForm(owner) {
        edDate = new TEdit(this);
        edDate->SetName("edDate");
        edDate->SetParent(this);
        edOther = new TEdit(this);
        edOther->SetName("edOther");
        edOther->SetParent(this);
        edDate->OnExit = TNotifyEvent(this, &TfrmEvents::edDateExit);
    }
    void edDateExit(TObject*) { log += "job exit;"; }
    void HookExit(TObject* sender) {
        log += "framework check;";
        if (!refuse)
            saved[static_cast<TComponent*>(sender)->Name()](sender);
    }

    TEdit* edDate;
    TEdit* edOther;
    std::map<std::string, TNotifyEvent> saved;
    bool refuse = false;
    std::string log;
};

TEST_F(UiTest, AFormSavesAHandlerInstallsItsOwnAndCallsTheSavedOneLater) {
    TOwnedPtr<TfrmEvents> form(Create<TfrmEvents>(nullptr));
    // The framework's way: keep the job's handler by name, install its own in its place.
    form->saved["edDate"] = *form->edDate->GetEvent<TNotifyEvent>("OnExit");
    form->edDate->SetEvent("OnExit", TNotifyEvent(form.get(), &TfrmEvents::HookExit));
    form->Show();
    User::Focus(*form->edOther);
    EXPECT_EQ(form->log, "framework check;job exit;");
    form->log.clear();
    form->refuse = true;
    User::Focus(*form->edDate);
    User::Focus(*form->edOther);
    EXPECT_EQ(form->log, "framework check;");
}

TEST(Event, BindingsCompareByObjectAndMethodCallablesByCopy) {
    struct Receiver {
        void A(TObject*) {}
        void B(TObject*) {}
    } first, second;
    EXPECT_EQ(TNotifyEvent(&first, &Receiver::A), TNotifyEvent(&first, &Receiver::A));
    EXPECT_FALSE(TNotifyEvent(&first, &Receiver::A) == TNotifyEvent(&first, &Receiver::B));
    EXPECT_FALSE(TNotifyEvent(&first, &Receiver::A) == TNotifyEvent(&second, &Receiver::A));
    const TNotifyEvent lambda = [](TObject*) {};
    const TNotifyEvent copy = lambda;
    EXPECT_EQ(copy, lambda);
    EXPECT_FALSE(lambda == TNotifyEvent([](TObject*) {}));
    EXPECT_EQ(TNotifyEvent(), TNotifyEvent(nullptr));
    EXPECT_FALSE(TNotifyEvent() == lambda);
    EXPECT_EQ(TNotifyEvent(&first, &Receiver::A).Object(), &first);
}

TEST_F(UiTest, ChangesFromCodeNotifyOnlyWhenAsked) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* edit = new TEdit(form.get());
    auto* check = new TCheckBox(form.get());
    int changes = 0;
    int clicks = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    check->OnClick = [&](TObject*) { ++clicks; };
    edit->SetText("a");
    edit->SetText("b", TNotify::No);
    edit->SetText("b");
    EXPECT_EQ(changes, 1) << "the same text again changes nothing";
    check->SetChecked(true);
    check->SetChecked(false, TNotify::No);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->SetPropText("Text", "c"), TPropResult::Ok);
    EXPECT_EQ(changes, 2) << "a write by name notifies as from code";
}

} // namespace
} // namespace vondrel::test
