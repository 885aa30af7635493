#include "support/UiFixture.h"

#include "controls/KmSpinEdit.h"

#include "ui/Form.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

TEST_F(UiTest, AKmSpinEditDropsStraySignsAndStaysQuietWhenEmpty) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* spin = new TKmSpinEdit(form.get());
    spin->SetName("sePeriodHour");
    spin->SetParent(form.get());
    spin->SetMaxValue(23);
    std::vector<std::string> changes;
    spin->OnChange = [&](TObject*) { changes.push_back(spin->Text()); };
    form->Show();
    struct Case {
        const char* Typed;
        const char* Text;
        std::vector<std::string> Changes;
    };
    const Case cases[] = {
        {"12-", "12", {"1", "12", "12"}},
        {"1+2", "12", {"1", "1", "12"}},
        {"-5", "-5", {"-", "-5"}},
        {"+5-", "+5", {"+", "+5", "+5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        spin->SetText("", TNotify::No);
        changes.clear();
        ASSERT_TRUE(User::Type(*spin, c.Typed));
        EXPECT_EQ(spin->Text(), c.Text);
        EXPECT_EQ(changes, c.Changes);
    }
    changes.clear();
    ASSERT_TRUE(User::Set(*spin, ""));
    EXPECT_EQ(spin->Text(), "");
    EXPECT_TRUE(changes.empty()) << "an emptied spin edit fires no change event";
    spin->SetText(" ");
    EXPECT_TRUE(changes.empty());
    spin->SetValue(7);
    EXPECT_EQ(changes, (std::vector<std::string>{"7"}));
}

} // namespace
} // namespace vondrel::test
