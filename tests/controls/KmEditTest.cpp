#include "support/UiFixture.h"

#include "controls/GSpeedButton.h"
#include "controls/KmEdit.h"
#include "controls/LookupRequest.h"

#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

TEST(EditLabel, PlacementByPosition) {
    const TRect edit = Bounds(100, 40, 120, 21);
    struct Case {
        TLabelPosition Position;
        TPoint Expected;
    };
    const Case cases[] = {
        {lpAbove, {100, 40 - 13 - 4}},
        {lpBelow, {100, 61 + 4}},
        {lpLeft, {100 - 50 - 4, 40 + (21 - 13) / 2}},
        {lpRight, {220 + 4, 44}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Position);
        EXPECT_EQ(EditLabelPosition(c.Position, 4, edit, 50, 13), c.Expected);
    }
    EXPECT_EQ(EditLabelPosition(lpLeft, 0, Bounds(0, 0, 10, 10), 20, 15).Y, -2) << "(10 - 15) div 2";
    EXPECT_EQ(EditLabelPosition(lpLeft, 4, Bounds(10, 5, 10, 10), 20, 13), (TPoint{-14, 4})) << "no clamping";
}

class KmEditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        form->Font()->SetHeight(-12);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 400, 200);
        edit = new TKmEdit(form.get());
        edit->SetName("edEveryHour");
        edit->SetParent(panel);
        edit->SetBounds(100, 40, 120, 21);
        other = new TEdit(form.get());
        other->SetParent(panel);
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TPanel* panel = nullptr;
    TKmEdit* edit = nullptr;
    TEdit* other = nullptr;
};

TEST_F(KmEditTest, CarriesAnOwnedLabelThatFollowsIt) {
    TLabel* label = edit->EditLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(edit->FindComponent("EditLabel"), label);
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_EQ(edit->Caption(), "");
    EXPECT_EQ(edit->LabelPosition(), lpLeft);
    EXPECT_EQ(edit->LabelSpacing(), 4);
    EXPECT_EQ(edit->SetPropText("Caption", "每隔"), TPropResult::Ok);
    EXPECT_EQ(label->Caption(), "每隔");
    EXPECT_EQ(edit->Text(), "") << "Caption is the label's, not the edit's text";
    EXPECT_EQ(label->BoundsRect(), Bounds(100 - 24 - 4, 40 + (21 - 12) / 2, 24, 12));
    edit->SetCaption("每隔几小时");
    EXPECT_EQ(label->Left(), 100 - 60 - 4) << "a longer caption moves the label out";
    edit->SetBounds(150, 80, 120, 30);
    EXPECT_EQ(label->BoundsRect(), Bounds(150 - 60 - 4, 80 + 9, 60, 12));
    edit->SetLabelPosition(lpAbove);
    EXPECT_EQ(label->Top(), 80 - 12 - 4);
    edit->SetLabelSpacing(-3);
    EXPECT_EQ(edit->LabelSpacing(), 4) << "negative spacings are ignored";
    edit->SetLabelSpacing(0);
    EXPECT_EQ(label->Top(), 80 - 12);
    label->Font()->SetHeight(-20);
    EXPECT_EQ(label->Top(), 80 - 20) << "the label's own size counts";
}

TEST_F(KmEditTest, TheLabelFollowsParentVisibilityAndEnabledState) {
    TLabel* label = edit->EditLabel();
    edit->SetParent(form.get());
    EXPECT_EQ(label->Parent(), form.get());
    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetVisible(true);
    edit->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
}

TEST_F(KmEditTest, TheLabelsAcceleratorFocusesTheEdit) {
    edit->SetCaption("每隔(&H)");
    form->Show();
    User::Focus(*other);
    User::Key('H', {ssAlt});
    EXPECT_TRUE(edit->Focused());
}

class TfrmBtnEdit : public TForm {
public:
    explicit TfrmBtnEdit(TComponent* owner) : TForm(owner) {
        edit = new TKmBtnDBEdit(this);
        edit->SetName("edVoucher");
        edit->SetParent(this);
        edit->SetBounds(60, 30, 100, 21);
        other = new TEdit(this);
        other->SetParent(this);
        SetMessageHandler(WM_LOOKUPREQUEST,
                          [this](TMessage& message) { requests.push_back(LookupRequestControl(message)); });
    }
    TKmBtnDBEdit* edit;
    TEdit* other;
    std::vector<TWinControl*> requests;
};

TEST_F(UiTest, AButtonEditPlacesItsLookupButtonBesideIt) {
    TOwnedPtr<TfrmBtnEdit> form(Create<TfrmBtnEdit>(nullptr));
    TKmBtnDBEdit* edit = form->edit;
    TGSpeedButton* button = edit->Button();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Name(), "F2Button");
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->GlyphIndex(), 8);
    EXPECT_EQ(button->Parent(), form.get());
    EXPECT_EQ(button->BoundsRect(), Bounds(60 + 100 + 2, 30, 21, 21));
    edit->SetButtonSpacing(6);
    edit->SetHeight(25);
    EXPECT_EQ(button->BoundsRect(), Bounds(166, 30, 25, 25));
    edit->SetButtonHint("选择凭证单别");
    EXPECT_EQ(button->Hint(), "选择凭证单别");
    edit->SetVisible(false);
    EXPECT_FALSE(button->Visible());
    edit->SetVisible(true);
    edit->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    edit->SetEnabled(true);
    EXPECT_EQ(edit->SetPropText("LabelPosition", "lpRight"), TPropResult::Ok);
}

TEST_F(UiTest, PressingTheButtonCallsOnDialogOrAsksForTheLookup) {
    TOwnedPtr<TfrmBtnEdit> form(Create<TfrmBtnEdit>(nullptr));
    form->Show();
    User::Focus(*form->other);
    ASSERT_TRUE(User::Click(*form->edit->Button()));
    EXPECT_TRUE(form->edit->Focused());
    EXPECT_EQ(form->requests, (std::vector<TWinControl*>{form->edit}));
    std::vector<TObject*> dialogs;
    form->edit->OnDialog = [&](TObject* sender) { dialogs.push_back(sender); };
    User::Focus(*form->other);
    User::Click(*form->edit->Button());
    EXPECT_EQ(dialogs, (std::vector<TObject*>{form->edit}));
    EXPECT_EQ(form->requests.size(), 1u) << "OnDialog replaces the lookup request";
    EXPECT_TRUE(form->other->Focused()) << "and the focus stays";
}

} // namespace
} // namespace vondrel::test
