#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/MaskEdit.h"
#include "ui/UserSimulation.h"

#include "platform/FormatSettings.h"

namespace vondrel::test {
namespace {

class MaskEditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        edit = new TMaskEdit(form.get());
        edit->SetName("me06");
        edit->SetParent(form.get());
        other = new TButton(form.get());
        other->SetName("btnOther");
        other->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TMaskEdit* edit = nullptr;
    TButton* other = nullptr;
};

TEST_F(MaskEditTest, TextAndEditTextWithAndWithoutSavedLiterals) {
    struct Case {
        const char* Mask;
        const char* Set;
        const char* EditText;
        const char* Text;
    };
    const Case cases[] = {
        {"9999/99/99;1; ", "", "    /  /  ", "    /  /  "},
        {"9999/99/99;1; ", "2024/01/05", "2024/01/05", "2024/01/05"},
        {"9999/99/99;1; ", "2024/1/5", "2024/1 /5 ", "2024/1 /5 "},
        {"9999/99/99;0;_", "", "____/__/__", ""},
        {"9999/99/99;0;_", "20240105", "2024/01/05", "20240105"},
        {"9999/99/99;0;_", "2024", "2024/__/__", "2024"},
        {"99/99/9999;1;_", "01/05/2024", "01/05/2024", "01/05/2024"},
        {"99/99/9999;1;_", "", "__/__/____", "  /  /    "},
        {"999/99;0; ", "11312", "113/12", "11312"},
        {"999", "12", "12_", "12 "},
        {">LL-000;0;_", "ab123", "ab-123", "ab123"}, // code is not held to the mask
        {"!999;0;_", "7", "__7", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " <- \"" + c.Set + "\"");
        edit->SetEditMask(c.Mask);
        edit->SetText(c.Set);
        EXPECT_EQ(edit->EditText(), c.EditText);
        EXPECT_EQ(edit->Text(), c.Text);
        edit->SetEditMask("");
        edit->SetText("");
    }
}

TEST_F(MaskEditTest, TheEmptyDisplayOfAMaskIsFoundByClearingWithoutLiterals) {
    // The way required-field checks find what an untouched date field shows.
    edit->SetEditMask("9999/99/99;1; ");
    edit->SetText("2024/03/01");
    const std::string kept = edit->Text();
    edit->SetEditMask("9999/99/99;0; ");
    edit->SetText("");
    edit->SetEditMask("9999/99/99;1; ");
    EXPECT_EQ(edit->Text(), "    /  /  ");
    edit->SetText(kept);
    EXPECT_EQ(edit->Text(), "2024/03/01");
}

TEST_F(MaskEditTest, TypingFollowsTheMaskPositionByPosition) {
    edit->SetEditMask("9999/99/99;1; ");
    form->Show();
    ASSERT_TRUE(User::Set(*edit, "2024/1/05"));
    EXPECT_EQ(edit->EditText(), "2024/10/5 ")
        << "the caret passes the separators itself; typed ones are dropped";
    ASSERT_TRUE(User::Set(*edit, "2024"));
    User::Key(VK_LEFT);
    User::Type(*edit, "/1");
    EXPECT_EQ(edit->EditText(), "2024/1 /  ") << "a separator typed on its own position moves past it";
    ASSERT_TRUE(User::Set(*edit, "2024x0105"));
    EXPECT_EQ(edit->EditText(), "2024/01/05") << "a character the mask refuses is dropped";
    ASSERT_TRUE(User::Set(*edit, "20240105999"));
    EXPECT_EQ(edit->EditText(), "2024/01/05") << "nothing beyond the mask";
    User::Key(VK_BACK);
    EXPECT_EQ(edit->EditText(), "2024/01/0 ");
    User::Key(VK_BACK);
    User::Key(VK_BACK);
    EXPECT_EQ(edit->EditText(), "2024/0 /  ") << "backspace steps over the separator";
    ASSERT_TRUE(User::Set(*edit, ""));
    EXPECT_EQ(edit->EditText(), "    /  /  ");
    edit->SetEditMask(">LL-000;0;_");
    ASSERT_TRUE(User::Set(*edit, "ab123"));
    EXPECT_EQ(edit->Text(), "AB123") << "typing follows the case directive";
}

TEST_F(MaskEditTest, DeletingInAnEditTextShorterThanTheMaskWorksOnTheWholeMask) {
    // An edit text set from outside need not fill the mask; the keys still edit the
    // mask's positions and never reach past the text.
    struct Case {
        Word Key;
        int Caret;
        const char* EditText;
    };
    const Case cases[] = {
        {VK_DELETE, 2, "12_-___"},
        {VK_DELETE, 0, "_2_-___"},
        {VK_BACK, 2, "1__-___"},
    };
    edit->SetEditMask("999-999;1;_");
    form->Show();
    ASSERT_TRUE(User::Focus(*edit));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Key) + " at " + std::to_string(c.Caret));
        edit->SetEditText("12");
        edit->SetSelStart(c.Caret);
        User::Key(c.Key);
        EXPECT_EQ(edit->EditText(), c.EditText);
    }
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheEnteredCharacters) {
    edit->SetEditMask("9999/99/99;0;_");
    edit->SetText("20240105");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetEditMask("9999-99-99;1; ");
    EXPECT_EQ(edit->EditText(), "2024-01-05");
    EXPECT_EQ(changes, 1);
    edit->SetEditMask("9999.99.99;1; ", TNotify::No);
    EXPECT_EQ(edit->EditText(), "2024.01.05");
    EXPECT_EQ(changes, 1);
    edit->SetEditMask("");
    EXPECT_EQ(edit->Text(), "20240105");
}

TEST_F(MaskEditTest, TheDateSeparatorOfTheFormatSettingsReplacesTheMaskSlash) {
    const char saved = FormatSettings().DateSeparator;
    FormatSettings().DateSeparator = '-';
    edit->SetEditMask("9999/99/99;1;_");
    edit->SetText("2024-01-05");
    EXPECT_EQ(edit->EditText(), "2024-01-05");
    FormatSettings().DateSeparator = saved;
}

TEST_F(MaskEditTest, LeavingWithARequiredPositionEmptyKeepsTheFocusAndSaysWhy) {
    Driver().SetFailOnException(false);
    edit->SetEditMask("000;0;_");
    int exits = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    form->Show();
    ASSERT_TRUE(User::Set(*edit, "12"));
    EXPECT_FALSE(User::Focus(*other));
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(DialogTexts(),
              (std::vector<std::string>{"Invalid input value.  Use escape key to abandon changes"}));
    User::Key(VK_ESCAPE);
    EXPECT_EQ(edit->EditText(), "___") << "Esc abandons the changes";
    ASSERT_TRUE(User::Type(*edit, "123"));
    EXPECT_TRUE(User::Focus(*other));
    EXPECT_EQ(exits, 1);
}

} // namespace
} // namespace vondrel::test
