#include "support/UiFixture.h"

#include "controls/GSpeedButton.h"
#include "controls/GlyphLibrary.h"

#include "ui/Form.h"

namespace vondrel::test {
namespace {

class GSpeedButtonTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        button = new TGSpeedButton(form.get());
        button->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        SetGlyphSource({});
        UiTest::TearDown();
    }
    TOwnedPtr<TForm> form;
    TGSpeedButton* button = nullptr;
};

TEST(GlyphLibrary, EveryNumberUpToTheMaximumLoads) {
    const int max = MaxGlyphNumber();
    ASSERT_GE(max, 8) << "the lookup glyph is number 8";
    for (int number = 1; number <= max; ++number) {
        SCOPED_TRACE(number);
        TBitmap glyph;
        ASSERT_TRUE(LoadGlyph(number, glyph));
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_EQ(glyph.Height(), 16);
        EXPECT_EQ(glyph.TransparentColor(), glyph.Pixel(0, 15));
        EXPECT_NE(std::count(glyph.Pixels().begin(), glyph.Pixels().end(), glyph.TransparentColor()), 256)
            << "a glyph draws something";
    }
    TBitmap untouched(3, 3);
    EXPECT_FALSE(LoadGlyph(0, untouched));
    EXPECT_FALSE(LoadGlyph(max + 1, untouched));
    EXPECT_EQ(untouched.Width(), 3);
    TBitmap a;
    TBitmap b;
    LoadGlyph(1, a);
    LoadGlyph(8, b);
    EXPECT_FALSE(a.SameAs(b));
}

TEST_F(GSpeedButtonTest, AGlyphNumberLoadsItsGlyphInPlaceOfTheCaption) {
    button->SetGlyphIndex(5);
    TBitmap expected;
    ASSERT_TRUE(LoadGlyph(5, expected));
    EXPECT_TRUE(button->Glyph()->SameAs(expected));
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->NumGlyphs(), 1);
    EXPECT_EQ(button->GlyphIndex(), 5);
}

TEST_F(GSpeedButtonTest, ZeroOrANumberBeyondTheLibraryClearsTheGlyphAndShowsTheNumber) {
    button->SetGlyphIndex(5);
    button->SetGlyphIndex(0);
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(button->Caption(), "0");
    button->SetGlyphIndex(MaxGlyphNumber() + 1);
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(button->Caption(), std::to_string(MaxGlyphNumber() + 1));
    EXPECT_TRUE(Driver().Dialogs().empty());
}

TEST_F(GSpeedButtonTest, SettingTheNumberItAlreadyHasDoesNothing) {
    button->SetGlyphIndex(5);
    button->SetCaption("Mine");
    button->SetGlyphIndex(5);
    EXPECT_EQ(button->Caption(), "Mine");
}

int32_t NoGlyphs(VorlenBitmap*, int32_t) {
    return 0;
}

TEST_F(GSpeedButtonTest, AGlyphTheLibraryCannotDeliverIsReportedAndTheOldOneStays) {
    button->SetGlyphIndex(3);
    TBitmap before;
    before.Assign(*button->Glyph());
    SetGlyphSource({&GetMaxBmpID, &NoGlyphs});
    button->SetGlyphIndex(4);
    ASSERT_EQ(DialogTexts(), (std::vector<std::string>{"读取 BMP 发生错误"}));
    const TUiRecord shown = Driver().Dialogs()[0];
    EXPECT_EQ(shown.DialogType, mtError);
    EXPECT_EQ(shown.Buttons, (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(button->Glyph()->SameAs(before));
    EXPECT_EQ(button->Caption(), "4");
}

TEST_F(GSpeedButtonTest, TheHintNumberIsOnlyKept) {
    EXPECT_EQ(button->SetPropText("HintIndex", "12"), TPropResult::Ok);
    EXPECT_EQ(button->HintIndex(), 12);
    EXPECT_EQ(button->Hint(), "");
    EXPECT_EQ(button->SetPropText("GlyphIndex", "2"), TPropResult::Ok);
    EXPECT_FALSE(button->Glyph()->Empty());
}

} // namespace
} // namespace vondrel::test
