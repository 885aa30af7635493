#include "support/UiFixture.h"

#include "controls/DBLabel.h"
#include "controls/KmEdit.h"

#include "ui/ClientDataSet.h"
#include "ui/DataSource.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace vondrel::test {
namespace {

TEST(AttachedLabel, PlacementByPositionKeepsItsCoordinatesAtZeroOrMore) {
    struct Case {
        const char* Name;
        TPos Position;
        TRect Control;
        TPoint Expected;
    };
    const Case cases[] = {
        {"top", psTop, Bounds(50, 40, 100, 21), {50, 40 - 13 - 4}},
        {"top, clamped", psTop, Bounds(50, 3, 100, 21), {50, 0}},
        {"left", psLeft, Bounds(80, 40, 100, 21), {80 - 30 - 4, 40 + 10 - 6}},
        {"left, clamped", psLeft, Bounds(10, 40, 100, 21), {0, 44}},
        {"right", psRight, Bounds(80, 40, 100, 21), {184, 44}},
        {"bottom", psBottom, Bounds(80, 40, 100, 21), {80, 65}},
        {"left of a tall control", psLeft, Bounds(80, 0, 100, 4), {46, 2 - 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(AttachedLabelPosition(c.Position, 4, c.Control, 30, 13), c.Expected);
    }
}

class DBLabelTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        form->Font()->SetHeight(-13);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        edit = new TEdit(form.get());
        edit->SetName("ed08");
        edit->SetParent(panel);
        edit->SetBounds(120, 3, 100, 21);
        label = new TDBLabel(form.get());
        label->SetName("lbl08");
        label->SetParent(panel);
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    TDBLabel* label = nullptr;
};

TEST_F(DBLabelTest, StartsWithItsOwnCaptionAndSettings) {
    EXPECT_EQ(label->Caption(), "挂靠标签");
    EXPECT_TRUE(label->AutoAlign());
    EXPECT_TRUE(label->AutoCaption());
    EXPECT_EQ(label->Gap(), 4);
    EXPECT_EQ(label->Pos(), psLeft);
}

TEST_F(DBLabelTest, MovesBesideItsControlWhenAttachedAndWhenItsSettingsChange) {
    label->SetFocusControl(edit);
    EXPECT_EQ(label->BoundsRect(), Bounds(120 - 52 - 4, 3 + 10 - 6, 52, 13));
    label->SetPos(psTop);
    EXPECT_EQ(label->Top(), 0) << "3 - 13 - 4 is kept at 0";
    label->SetPos(psBottom);
    label->SetGap(10);
    EXPECT_EQ(label->Top(), 3 + 21 + 10);
    label->SetAutoAlign(false);
    label->SetPos(psRight);
    EXPECT_EQ(label->Left(), 120) << "without AutoAlign nothing moves";
    EXPECT_EQ(label->SetPropText("Pos", "psRight"), TPropResult::Ok);
    label->SetAutoAlign(true);
    EXPECT_EQ(label->Left(), 120 + 100 + 10);
}

TEST_F(DBLabelTest, TwoLabelsBesideEachOtherCannotPointToOneControl) {
    label->SetFocusControl(edit);
    auto* second = new TDBLabel(form.get());
    second->SetParent(panel);
    second->SetFocusControl(edit);
    EXPECT_EQ(second->FocusControl(), nullptr);
    EXPECT_EQ(DialogTexts(), (std::vector<std::string>{"不能同时有两个 DBLabel 指到同一个 Control."}));
    auto* otherPanel = new TPanel(form.get());
    otherPanel->SetParent(form.get());
    auto* elsewhere = new TDBLabel(form.get());
    elsewhere->SetParent(otherPanel);
    elsewhere->SetFocusControl(edit);
    EXPECT_EQ(elsewhere->FocusControl(), edit) << "another parent is no conflict";
    // On the form itself, every label the form owns counts as beside it.
    auto* onForm = new TDBLabel(form.get());
    onForm->SetParent(form.get());
    onForm->SetFocusControl(edit);
    EXPECT_EQ(onForm->FocusControl(), nullptr);
}

TEST_F(DBLabelTest, TakesTheDisplayLabelOfTheControlsField) {
    auto* data = new TClientDataSet(form.get());
    data->AddField("MA001", ftString, 10)->SetDisplayLabel("科目编号");
    data->CreateDataSet();
    auto* source = new TDataSource(form.get());
    source->SetDataSet(data);
    auto* dbEdit = new TKmDBEdit(form.get());
    dbEdit->SetParent(panel);
    dbEdit->SetDataSource(source);
    dbEdit->SetDataField("MA001");
    auto* attached = new TDBLabel(form.get());
    attached->SetParent(panel);
    attached->SetFocusControl(dbEdit);
    EXPECT_EQ(attached->Caption(), "科目编号");
    // Failures (no such field, a control without a data source) leave the caption alone.
    dbEdit->SetDataField("MISSING");
    attached->SetCaption("mine");
    attached->AlignToControl();
    EXPECT_EQ(attached->Caption(), "mine");
    label->SetFocusControl(edit);
    EXPECT_EQ(label->Caption(), "挂靠标签");
    dbEdit->SetDataField("MA001");
    attached->SetAutoCaption(false);
    EXPECT_EQ(attached->Caption(), "mine");
}

class TfrmBuilt : public TForm {
public:
    explicit TfrmBuilt(TComponent* owner) : TForm(owner) {
        label = new TDBLabel(this);
        label->SetParent(this);
        edit = new TEdit(this);
        edit->SetParent(this);
        label->SetFocusControl(edit);
        edit->SetBounds(200, 100, 80, 21); // placed after the label was attached
    }
    TDBLabel* label;
    TEdit* edit;
};

TEST_F(UiTest, ALabelAttachedWhileTheFormIsBuiltTakesItsPlaceWhenTheFormIsDone) {
    TOwnedPtr<TfrmBuilt> form(Create<TfrmBuilt>(nullptr));
    EXPECT_EQ(form->label->Left() + form->label->Width() + 4, 200);
}

} // namespace
} // namespace vondrel::test
