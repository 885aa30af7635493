#include "support/UiFixture.h"

#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/Panel.h"
#include "ui/ToolBar.h"
#include "ui/UserSimulation.h"

namespace vondrel::test {
namespace {

TEST_F(UiTest, ToolButtonsClickToggleAndDropTheirMenusDown) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    auto* check = new TToolButton(form.get());
    check->SetParent(bar);
    check->SetStyle(tbsCheck);
    auto* drop = new TToolButton(form.get());
    drop->SetName("ToolButton1");
    drop->SetParent(bar);
    drop->SetStyle(tbsDropDown);
    auto* separator = new TToolButton(form.get());
    separator->SetParent(bar);
    separator->SetStyle(tbsSeparator);
    auto* menu = new TPopupMenu(form.get());
    menu->SetName("mnList");
    auto* report = new TMenuItem(form.get());
    report->SetName("N10");
    menu->Items()->Add(report);
    drop->SetDropdownMenu(menu);
    std::vector<std::string> log;
    drop->OnClick = [&](TObject*) { log.push_back("ToolButton1Click"); };
    report->OnClick = [&](TObject*) { log.push_back("ViewReportExecute"); };
    form->Show();

    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Buttons(1), drop);
    ASSERT_TRUE(User::Click(*check));
    EXPECT_TRUE(check->Down());
    User::Click(*check);
    EXPECT_FALSE(check->Down());
    EXPECT_FALSE(User::Click(*separator));
    ASSERT_TRUE(User::Click(*drop));
    Driver().AnswerPopup("mnList", "N10");
    ASSERT_TRUE(drop->UserDropDown());
    EXPECT_EQ(log, (std::vector<std::string>{"ToolButton1Click", "ViewReportExecute"}));
    EXPECT_EQ(menu->PopupComponent(), drop);
}

TEST(ImageList, AddsTheImagesABitmapHoldsSideBySide) {
    TOwnedPtr<TImageList> images(new TImageList(nullptr));
    images->SetWidth(18);
    images->SetHeight(18);
    TBitmap strip(54, 18, clOlive);
    strip.FillRect(Bounds(18, 0, 18, 18), clRed);
    EXPECT_EQ(images->Add(strip), 0);
    EXPECT_EQ(images->Count(), 3);
    TBitmap second;
    ASSERT_TRUE(images->GetBitmap(1, second));
    EXPECT_EQ(second.Width(), 18);
    EXPECT_EQ(second.Pixel(5, 5), clRed);
    EXPECT_EQ(second.TransparentColor(), clOlive) << "the strip's transparent colour goes along";
    EXPECT_FALSE(images->GetBitmap(3, second));
    EXPECT_EQ(images->Add(TBitmap(10, 18)), -1) << "narrower than one image";
    images->SetWidth(24);
    EXPECT_EQ(images->Count(), 0) << "a new size empties the list";
}

TEST_F(UiTest, OnResizeFiresAfterTheAlignedChildrenAreLaidOut) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    auto* client = new TPanel(form.get());
    client->SetParent(form.get());
    client->SetAlign(alClient);
    std::vector<int> widths;
    form->OnResize = [&](TObject*) { widths.push_back(client->Width()); };
    form->SetWidth(538);
    form->SetBounds(form->Left() + 10, 0, 538, form->Height());
    EXPECT_EQ(widths, (std::vector<int>{538})) << "a move alone is no resize";
}

TEST(Bitmap, CopiesLeaveTheTransparentColourOut) {
    TBitmap glyph(4, 2, clFuchsia);
    glyph.SetPixel(1, 0, clBlack);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia) << "the bottom-left pixel";
    TBitmap target(8, 2, clWhite);
    target.CopyFrom(glyph, Bounds(0, 0, 4, 2), 4, 0, glyph.TransparentColor());
    EXPECT_EQ(target.Pixel(5, 0), clBlack);
    EXPECT_EQ(target.Pixel(4, 0), clWhite);
    target.SetTransparentColor(clBlack);
    EXPECT_EQ(target.TransparentMode(), tmFixed);
    EXPECT_EQ(target.TransparentColor(), clBlack);
    target.SetSize(2, 2);
    EXPECT_EQ(target.Pixels().size(), 4u);
    EXPECT_EQ(target.Pixel(9, 9), clNone);
}

} // namespace
} // namespace vondrel::test
