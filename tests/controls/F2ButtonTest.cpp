#include "support/UiFixture.h"

#include "controls/F2Button.h"
#include "controls/GlyphLibrary.h"
#include "controls/LookupRequest.h"

#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

// A form that answers lookup requests the way the framework does: it notes the control.
class TfrmLookup : public TForm {
public:
    explicit TfrmLookup(TComponent* owner) : TForm(owner) {
        panel = new TPanel(this);
        panel->SetParent(this);
        ed03 = AddEdit("ed03", 10, 20);
        ed07 = AddEdit("ed07", 10, 50);
        btn03 = new TF2Button(this);
        btn03->SetName("btn03");
        btn03->SetParent(panel);
        btn07 = new TF2Button(this);
        btn07->SetName("btn07");
        btn07->SetParent(panel);
        SetMessageHandler(WM_LOOKUPREQUEST, [this](TMessage& message) {
            TWinControl* control = LookupRequestControl(message);
            requests.push_back(control ? control->Name() : "?");
        });
    }
    TEdit* AddEdit(const char* name, int left, int top) {
        auto* edit = new TEdit(this);
        edit->SetName(name);
        edit->SetParent(panel);
        edit->SetBounds(left, top, 100, 21);
        return edit;
    }

    TPanel* panel;
    TEdit* ed03;
    TEdit* ed07;
    TF2Button* btn03;
    TF2Button* btn07;
    std::vector<std::string> requests;
};

class F2ButtonTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TfrmLookup>(nullptr));
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TfrmLookup> form;
};

TEST_F(F2ButtonTest, IsAFlatButtonWithTheLookupGlyph) {
    TBitmap lookup;
    ASSERT_TRUE(LoadGlyph(8, lookup));
    EXPECT_TRUE(form->btn03->Glyph()->SameAs(lookup));
    EXPECT_EQ(form->btn03->GlyphIndex(), 8);
    EXPECT_TRUE(form->btn03->Flat());
    EXPECT_TRUE(form->btn03->AutoAlign());
    EXPECT_EQ(form->btn03->Gap(), 2);
    EXPECT_EQ(form->btn03->Caption(), "");
}

TEST_F(F2ButtonTest, SitsRightOfItsControlAsASquareOfItsHeight) {
    form->btn03->SetF2Control(form->ed03);
    EXPECT_EQ(form->btn03->BoundsRect(), Bounds(10 + 100 + 2, 20, 21, 21));
    form->btn03->SetGap(5);
    EXPECT_EQ(form->btn03->Left(), 115);
    form->btn03->SetAutoAlign(false);
    form->btn03->SetLeft(0);
    form->btn03->SetGap(9);
    EXPECT_EQ(form->btn03->Left(), 0) << "without AutoAlign it stays where it is put";
    form->btn03->SetAutoAlign(true);
    EXPECT_EQ(form->btn03->Left(), 119);
}

TEST_F(F2ButtonTest, TwoButtonsBesideEachOtherCannotPointToOneEdit) {
    form->btn03->SetF2Control(form->ed03);
    form->btn07->SetF2Control(form->ed03);
    EXPECT_EQ(form->btn07->F2Control(), nullptr);
    ASSERT_EQ(DialogTexts(), (std::vector<std::string>{"不能同时有两个 F2Button 指到同一个 Edit."}));
    EXPECT_EQ(Driver().Dialogs()[0].DialogType, mtError);
    form->btn03->SetF2Control(form->ed03);
    EXPECT_EQ(Driver().Dialogs().size(), 1u) << "pointing again to its own control is no conflict";
    EXPECT_EQ(form->btn07->SetPropText("F2Control", "ed07"), TPropResult::Ok);
    EXPECT_EQ(form->btn07->F2Control(), form->ed07);
    form->btn03->Free();
    form->btn07->SetF2Control(form->ed03);
    EXPECT_EQ(form->btn07->F2Control(), form->ed03) << "free again once the other button is gone";
}

TEST_F(F2ButtonTest, AClickFocusesTheEditAndAsksTheFormForItsLookup) {
    form->btn03->SetF2Control(form->ed03);
    std::string order;
    form->btn03->OnClick = [&](TObject*) { order += "click;"; };
    form->ed03->OnEnter = [&](TObject*) { order += "enter;"; };
    form->Show();
    User::Focus(*form->ed07);
    order.clear();
    ASSERT_TRUE(User::Click(*form->btn03));
    EXPECT_EQ(order, "click;enter;");
    EXPECT_TRUE(form->ed03->Focused());
    EXPECT_EQ(form->requests, (std::vector<std::string>{"ed03"}));
}

TEST_F(F2ButtonTest, NoLookupWhenTheEditIsDisabledOrCannotGetTheFocus) {
    form->btn03->SetF2Control(form->ed03);
    form->Show();
    form->ed03->SetEnabled(false);
    form->btn03->Click();
    EXPECT_TRUE(form->requests.empty());
    form->ed03->SetEnabled(true);
    User::Focus(*form->ed07);
    form->ed07->OnExit = [this](TObject*) { form->ed07->SetFocus(); };
    User::Click(*form->btn03);
    EXPECT_TRUE(form->requests.empty()) << "the field being left kept the focus";
    EXPECT_TRUE(form->ed07->Focused());
}

TEST_F(F2ButtonTest, FreeingTheEditForgetsIt) {
    form->btn03->SetF2Control(form->ed03);
    form->ed03->Free();
    EXPECT_EQ(form->btn03->F2Control(), nullptr);
    form->btn03->Click();
    EXPECT_TRUE(form->requests.empty());
}

} // namespace
} // namespace vondrel::test
