#include "support/UiFixture.h"

#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/Strings.h"
#include "ui/Timer.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

TEST_F(UiTest, AlignedControlsShareTheirParentsInside) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
    auto* top = new TPanel(form.get());
    top->SetParent(form.get());
    top->SetHeight(40);
    top->SetAlign(alTop);
    auto* bottom = new TPanel(form.get());
    bottom->SetParent(form.get());
    bottom->SetHeight(30);
    bottom->SetAlign(alBottom);
    auto* left = new TPanel(form.get());
    left->SetParent(form.get());
    left->SetWidth(100);
    left->SetAlign(alLeft);
    auto* client = new TPanel(form.get());
    client->SetParent(form.get());
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 400, 40));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 270, 400, 30));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 40, 100, 230));
    EXPECT_EQ(client->BoundsRect(), Bounds(100, 40, 300, 230));
    form->SetBounds(0, 0, 500, 300);
    EXPECT_EQ(client->Width(), 400) << "resizing the parent lays out again";
    top->SetVisible(false);
    EXPECT_EQ(client->Top(), 0) << "a hidden control gives its room back";
    // Inside a panel with a bevel the aligned child keeps off the border.
    auto* inner = new TPanel(form.get());
    inner->SetParent(client);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1, 1, client->Width() - 2, client->Height() - 2));
}

TEST_F(UiTest, AnAutoSizedLabelMeasuresItsCaption) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->Font()->SetHeight(-12);
    label->SetCaption("凭证&日期");
    EXPECT_EQ(label->Width(), 48) << "the accelerator marker takes no room";
    EXPECT_EQ(label->Height(), 12);
    label->SetCaption("");
    EXPECT_EQ(label->Width(), 6) << "an empty caption measures as a blank";
    label->SetAlignment(taRightJustify);
    label->SetBounds(100, 0, label->Width(), label->Height());
    label->SetCaption("ABCD");
    EXPECT_EQ(label->Left() + label->Width(), 106) << "a right-justified label keeps its right edge";

    TCanvas canvas;
    label->Paint(canvas);
    const TDrawOp& text = canvas.Ops().back();
    EXPECT_EQ(text.What, TDrawOp::Kind::Text);
    EXPECT_EQ(text.Text, "ABCD");
    EXPECT_EQ(text.FontHeight, -12);
}

TEST_F(UiTest, ChildrenFollowTheParentsFontUntilTheyHaveTheirOwn) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    auto* own = new TEdit(form.get());
    own->SetParent(panel);
    own->Font()->SetName("Tahoma");
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-13);
    EXPECT_EQ(edit->Font()->Name(), "宋体");
    EXPECT_EQ(edit->Font()->Height(), -13);
    EXPECT_EQ(own->Font()->Name(), "Tahoma");
    EXPECT_TRUE(edit->ParentFont());
    EXPECT_FALSE(own->ParentFont());
}

TEST(Strings, TextCommaTextAndValues) {
    TStringList lines;
    lines.SetText("a\r\nb\nc\r");
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Text(), "a\r\nb\r\nc\r\n");
    lines.SetCommaText("one,\"two words\", \"say \"\"hi\"\"\",");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[2], "say \"hi\"");
    EXPECT_EQ(lines.CommaText(), "one,\"two words\",\"say \"\"hi\"\"\"");
    lines.SetText("936=CHS\r\n950=CHT\r\n437=ENG");
    EXPECT_EQ(lines.Values("950"), "CHT");
    EXPECT_EQ(lines.Values("1252"), "");
    lines.SetValue("950", "");
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_THROW(lines.Get(5), EListError);
    TStringList sorted;
    sorted.SetSorted(true);
    EXPECT_EQ(sorted.Add("b"), 0);
    EXPECT_EQ(sorted.Add("A"), 0);
    EXPECT_EQ(sorted.Add("c"), 2);
    int changes = 0;
    sorted.OnChange = [&](TObject*) { ++changes; };
    sorted.BeginUpdate();
    sorted.Add("d");
    sorted.Add("e");
    sorted.EndUpdate();
    EXPECT_EQ(changes, 1);
}

TEST_F(UiTest, TimersFireOnlyWhileAPersonWaits) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* timer = new TTimer(owner.get());
    timer->SetInterval(500);
    std::vector<std::int64_t> fired;
    timer->OnTimer = [&](TObject*) { fired.push_back(TimerClock()); };
    const std::int64_t start = TimerClock();
    User::Wait(400);
    EXPECT_TRUE(fired.empty());
    User::Wait(700);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{start + 500, start + 1000}));
    // Restarting it (as a search delay does on every key) puts the next firing off.
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    User::Wait(499);
    EXPECT_EQ(fired.size(), 2u);
    timer->SetEnabled(false);
    User::Wait(5000);
    EXPECT_EQ(fired.size(), 2u);
}

} // namespace
} // namespace vondrel::test
