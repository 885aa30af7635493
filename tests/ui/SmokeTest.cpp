#include "UiFixture.h"

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

class TfrmSmoke : public TForm {
public:
    explicit TfrmSmoke(TComponent* owner) : TForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmSmoke");
        SetClass(info);
        SetName("frmSmoke");
        ed01 = new TEdit(this);
        ed01->SetName("ed01");
        ed01->SetParent(this);
        ed02 = new TEdit(this);
        ed02->SetName("ed02");
        ed02->SetParent(this);
        btnOk = new TButton(this);
        btnOk->SetName("btnOk");
        btnOk->SetParent(this);
        btnOk->SetModalResult(mrOk);
        ed01->OnEnter = [this](TObject*) { log += "enter01;"; };
        ed01->OnExit = [this](TObject*) { log += "exit01;"; };
        ed02->OnEnter = [this](TObject*) { log += "enter02;"; };
        ed02->OnChange = [this](TObject*) { log += "change02;"; };
    }
    TEdit* ed01;
    TEdit* ed02;
    TButton* btnOk;
    std::string log;
};

TEST_F(UiTest, Smoke) {
    TOwnedPtr<TfrmSmoke> form(Create<TfrmSmoke>(nullptr));
    form->Show();
    EXPECT_EQ(form->log, "enter01;");
    ASSERT_TRUE(User::Leave());
    EXPECT_EQ(form->log, "enter01;exit01;enter02;");
    ASSERT_TRUE(User::Type(*form->ed02, "ab"));
    EXPECT_EQ(form->ed02->Text(), "ab");
    Driver().AnswerModal("TfrmSmoke", [](TForm& f) {
        auto& smoke = static_cast<TfrmSmoke&>(f);
        EXPECT_TRUE(User::Click(*smoke.btnOk));
        return mrNone;
    });
}

} // namespace
} // namespace vondrel::test
