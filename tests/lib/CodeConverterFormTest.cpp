#include "lib/ClassLocalisation.h"
#include "lib/CodeConverter.h"

#include "support/FixedPlatform.h"
#include "support/TempFolder.h"
#include "support/TempInstall.h"
#include "support/UiFixture.h"

#include "platform/Library.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"
#include "ui/StringGrid.h"
#include "ui/TreeView.h"

#include <optional>
#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempFolder;
using test::TempInstall;

const std::string kGB = "损益结转";
const std::string kBig5 = "損益結轉";

// A control of a layer above the converter that keeps a text of its own.
class TTitledBox : public TWinControl {
public:
    explicit TTitledBox(TComponent* owner) : TWinControl(owner) {
        static const TClassInfo& info = DescribeClass("TTitledBox");
        SetClass(info);
        static const bool registered = [] {
            RegisterClassLocalisation("TTitledBox",
                                      {.ConvertTexts =
                                           [](TComponent& component, const TCodeConverter& converter) {
                                               auto& box = static_cast<TTitledBox&>(component);
                                               box.Title = converter.GBToBig5(box.Title);
                                               ++box.Conversions;
                                           },
                                       .GlyphButtons = {}});
            return true;
        }();
        (void)registered;
    }
    std::string Title = "损益";
    int Conversions = 0;
};

// Its descendant inherits the hook.
class TBigTitledBox : public TTitledBox {
public:
    explicit TBigTitledBox(TComponent* owner) : TTitledBox(owner) {
        static const TClassInfo& info = DescribeClass("TBigTitledBox");
        SetClass(info);
    }
};

// A list whose selection goes whenever its lines change.
class TPickList : public TWinControl {
public:
    explicit TPickList(TComponent* owner) : TWinControl(owner) {
        static const TClassInfo& info =
            DescribeClass<TPickList>("TPickList", [](TClassBuilder<TPickList>& c) {
                c.Property("Items", &TPickList::Items);
                c.Property("ItemIndex", &TPickList::ItemIndex, &TPickList::SetItemIndex);
            });
        SetClass(info);
        items_.OnChange = [this](TObject*) { itemIndex_ = -1; };
    }
    TStrings* Items() const noexcept { return &items_; }
    int ItemIndex() const noexcept { return itemIndex_; }
    void SetItemIndex(int index) { itemIndex_ = index; }

private:
    mutable TStringList items_;
    int itemIndex_ = -1;
};

// A tab set and a data navigator as far as the conversion sees them: lists by name.
class TTabSet : public TWinControl {
public:
    explicit TTabSet(TComponent* owner) : TWinControl(owner) {
        static const TClassInfo& info = DescribeClass<TTabSet>("TTabSet", [](TClassBuilder<TTabSet>& c) {
            c.Property("Tabs", &TTabSet::Tabs);
            c.Property("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
        });
        SetClass(info);
        tabs_.OnChange = [this](TObject*) { tabIndex_ = -1; };
    }
    TStrings* Tabs() const noexcept { return &tabs_; }
    int TabIndex() const noexcept { return tabIndex_; }
    void SetTabIndex(int index) { tabIndex_ = index; }

private:
    mutable TStringList tabs_;
    int tabIndex_ = -1;
};

class TDBNavigator : public TWinControl {
public:
    explicit TDBNavigator(TComponent* owner) : TWinControl(owner) {
        static const TClassInfo& info =
            DescribeClass<TDBNavigator>("TDBNavigator", [](TClassBuilder<TDBNavigator>& c) {
                c.Property("Hints", &TDBNavigator::Hints);
            });
        SetClass(info);
    }
    TStrings* Hints() const noexcept { return &hints_; }

private:
    mutable TStringList hints_;
};

/// A form with a control of every kind the conversion knows, all texts in simplified
/// Chinese.
struct SampleForm {
    TOwnedPtr<TForm> Form{Create<TForm>(nullptr)};
    TLabel* Title = new TLabel(Form.get());
    TEdit* Code = new TEdit(Form.get());
    TComboBox* Kind = new TComboBox(Form.get());
    TComboBox* Unselected = new TComboBox(Form.get());
    TComboBox* Simple = new TComboBox(Form.get());
    TMemo* Note = new TMemo(Form.get());
    TListView* Rows = new TListView(Form.get());
    TTreeView* Tree = new TTreeView(Form.get());
    TStringGrid* Grid = new TStringGrid(Form.get());
    TStatusBar* Status = new TStatusBar(Form.get());
    TPopupMenu* Menu = new TPopupMenu(Form.get());
    TMenuItem* MenuItem = new TMenuItem(Form.get());
    TBigTitledBox* Box = new TBigTitledBox(Form.get());
    TPickList* Picks = new TPickList(Form.get());
    TTabSet* Tabs = new TTabSet(Form.get());
    TDBNavigator* Navigator = new TDBNavigator(Form.get());

    SampleForm() {
        Form->SetCaption(kGB);
        Title->SetCaption(kGB);
        Title->SetHint(kGB);
        Title->Font()->SetName("Arial");
        Code->SetText(kGB);
        Code->SetHint(kGB);
        Kind->Items()->SetText("损益\n结转");
        Kind->SetItemIndex(1);
        Unselected->SetStyle(csDropDownList);
        Unselected->Items()->SetText("结转");
        Simple->SetStyle(csSimple);
        Note->Lines()->SetText(kGB + "\n" + kGB);
        Rows->Columns()->Add()->SetCaption(kGB);
        Rows->Columns()->Add()->SetCaption(kGB);
        TListItem* row = Rows->Items()->Add();
        row->SetCaption(kGB);
        row->SubItems()->Add(kGB);
        Tree->Items()->AddChild(Tree->Items()->AddChild(nullptr, kGB), kGB);
        Grid->SetColCount(2);
        Grid->SetRowCount(2);
        Grid->SetCells(0, 0, kGB);
        Grid->SetCells(1, 1, kGB);
        Status->Panels()->Add()->SetText(kGB);
        MenuItem->SetCaption(kGB);
        Picks->Items()->SetText("损益\n结转");
        Picks->SetItemIndex(1);
        Tabs->Tabs()->SetText("损益\n结转");
        Tabs->SetTabIndex(1);
        Navigator->Hints()->SetText("结转");
    }
};

class CodeConverterForm : public test::UiTest {
protected:
    TempInstall install;
    std::optional<ScopedPlatform> platform;

    void Settings(const std::string& sysCodePage, const std::string& uiCodePage) {
        platform.reset();
        platform.emplace(FixedPlatformValues{.SysCodePage = sysCodePage});
        install.WriteClientIni("[CodePage]\nUICodePage=" + uiCodePage + "\n");
        for (TFont* font : {Screen().IconFont(), Screen().HintFont(), Screen().MenuFont()}) {
            font->SetName("Arial");
            font->SetCharset(ANSI_CHARSET);
        }
    }
    static TOwnedPtr<TCodeConverter> NewConverter(TComponent* owner = nullptr) {
        return TOwnedPtr<TCodeConverter>(Create<TCodeConverter>(owner));
    }
};

TEST_F(CodeConverterForm, ATraditionalInterfaceConvertsEveryTextAndFont) {
    Settings("936", "950");
    SampleForm f;
    const auto converter = NewConverter();
    converter->ConvertForm(*f.Form);

    EXPECT_EQ(f.Form->Caption(), kGB) << "the caption follows the system, not the interface";
    EXPECT_EQ(f.Title->Caption(), kBig5);
    EXPECT_EQ(f.Title->Hint(), kBig5);
    EXPECT_EQ(f.Title->Font()->Name(), "SimSun");
    EXPECT_EQ(f.Title->Font()->Charset(), CHINESEBIG5_CHARSET);
    EXPECT_EQ(f.Code->Text(), kGB) << "typed texts stay as they are";
    EXPECT_EQ(f.Code->Hint(), kBig5);
    EXPECT_EQ(f.Kind->Items()->Get(0), "損益");
    EXPECT_EQ(f.Kind->ItemIndex(), 1);
    EXPECT_EQ(f.Kind->Style(), csOwnerDrawFixed);
    EXPECT_EQ(f.Picks->Items()->Get(1), "結轉");
    EXPECT_EQ(f.Picks->ItemIndex(), 1);
    EXPECT_EQ(f.Tabs->Tabs()->Get(1), "結轉");
    EXPECT_EQ(f.Tabs->TabIndex(), 1);
    EXPECT_EQ(f.Navigator->Hints()->Get(0), "結轉");
    EXPECT_EQ(f.Unselected->ItemIndex(), 0);
    EXPECT_EQ(f.Unselected->Style(), csOwnerDrawFixed);
    EXPECT_EQ(f.Simple->Style(), csSimple);
    EXPECT_EQ(f.Note->Lines()->Text(), kBig5 + "\r\n" + kBig5 + "\r\n");
    EXPECT_EQ(f.Rows->Columns()->Items(1)->Caption(), kBig5);
    EXPECT_EQ(f.Rows->Items()->Item(0)->Caption(), kBig5);
    EXPECT_EQ(f.Rows->Items()->Item(0)->SubItems()->Get(0), kBig5);
    EXPECT_EQ(f.Tree->Items()->Item(1)->Text(), kBig5);
    EXPECT_EQ(f.Grid->Cells(1, 1), kBig5);
    EXPECT_EQ(f.Grid->Cells(0, 0), kBig5);
    EXPECT_EQ(f.Status->Panels()->Items(0)->Text(), kBig5);
    EXPECT_TRUE(f.Menu->OwnerDraw());
    EXPECT_EQ(f.MenuItem->Caption(), kBig5);
    EXPECT_EQ(f.Box->Title, "損益");
    EXPECT_EQ(f.Box->Conversions, 1);
    EXPECT_EQ(Screen().HintFont()->Name(), "SimSun");
    EXPECT_EQ(Screen().MenuFont()->Charset(), CHINESEBIG5_CHARSET);
    EXPECT_TRUE(Application().ShowHint());
}

TEST_F(CodeConverterForm, ASimplifiedInterfaceOnATraditionalSystemOnlyChangesFontsAndStyles) {
    Settings("950", "936");
    SampleForm f;
    const auto converter = NewConverter();
    ASSERT_EQ(converter->UIConvertMode(), 4);
    converter->ConvertForm(*f.Form);

    EXPECT_EQ(f.Form->Caption(), kBig5) << "a traditional system shows its captions in traditional Chinese";
    EXPECT_EQ(f.Title->Caption(), kGB);
    EXPECT_EQ(f.Title->Font()->Name(), "SimSun");
    EXPECT_EQ(f.Title->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(f.Kind->Style(), csOwnerDrawVariable);
    EXPECT_EQ(f.Kind->ItemIndex(), 1);
    EXPECT_EQ(f.Unselected->Style(), csOwnerDrawFixed);
    EXPECT_EQ(f.Unselected->ItemIndex(), -1);
    EXPECT_EQ(f.Rows->Items()->Item(0)->Caption(), kGB);
    EXPECT_EQ(f.Grid->Cells(1, 1), kGB);
    EXPECT_EQ(f.Tabs->Tabs()->Get(1), "结转");
    EXPECT_TRUE(f.Menu->OwnerDraw());
    EXPECT_EQ(f.Box->Conversions, 0);
    EXPECT_EQ(Screen().IconFont()->Charset(), GB2312_CHARSET);
}

TEST_F(CodeConverterForm, AnUnconvertedInterfaceLeavesTheFormAlone) {
    Settings("936", "936");
    SampleForm f;
    const auto converter = NewConverter();
    converter->ConvertForm(*f.Form);
    EXPECT_EQ(f.Title->Font()->Name(), "Arial");
    EXPECT_EQ(f.Kind->Style(), csDropDown);
    EXPECT_FALSE(f.Menu->OwnerDraw());
    EXPECT_EQ(Screen().IconFont()->Name(), "Arial");
}

TEST_F(CodeConverterForm, TheCaptionFollowsATraditionalSystemWhateverTheModes) {
    const struct {
        const char* system;
        const char* ui;
        std::string caption;
    } cases[] = {{"950", "950", kBig5}, {"950", "936", kBig5}, {"936", "950", kGB}, {"936", "936", kGB}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.system) + "/" + c.ui);
        Settings(c.system, c.ui);
        TOwnedPtr<TForm> form(Create<TForm>(nullptr));
        form->SetCaption(kGB);
        NewConverter()->ConvertFormCaption(*form);
        EXPECT_EQ(form->Caption(), c.caption);
    }
}

TEST_F(CodeConverterForm, MessageDialogsTakeTheOwnersCaptionAndTheInterfacesFont) {
    const struct {
        const char* name;
        const char* system;
        const char* ui;
        std::string shown;
        int charset;
    } cases[] = {
        {"simplified", "936", "936", kGB + "      ", GB2312_CHARSET},
        {"traditional interface on a simplified system", "936", "950", kGB + "      ", CHINESEBIG5_CHARSET},
        {"simplified interface on a traditional system", "950", "936", kGB + "      ", GB2312_CHARSET},
        {"traditional throughout", "950", "950", kGB, CHINESEBIG5_CHARSET},
        {"English", "437", "437", kGB, GB2312_CHARSET},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings(c.system, c.ui);
        Driver().ClearRecord();
        TOwnedPtr<TForm> owner(Create<TForm>(nullptr));
        owner->SetCaption("结转[演示]");
        owner->SetWindowState(wsMinimized);
        const auto converter = NewConverter(owner.get());
        Driver().AnswerDialog(mrNo);
        EXPECT_EQ(converter->ShowMessageDlg(kGB, mtConfirmation, {mbYes, mbNo}), mrNo);
        EXPECT_EQ(owner->WindowState(), wsNormal);
        const std::vector<TUiRecord> dialogs = Driver().Dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        const TUiRecord& dialog = dialogs[0];
        EXPECT_EQ(dialog.Text, c.shown);
        EXPECT_EQ(dialog.Caption, "结转[演示]");
        EXPECT_EQ(dialog.DialogType, mtConfirmation);
        EXPECT_EQ(dialog.FontName, "SimSun");
        EXPECT_EQ(dialog.FontCharset, c.charset);
    }
    EXPECT_EQ(NewConverter()->ShowMessageDlg("", mtError, {mbOK}), mrNone);
    EXPECT_EQ(Driver().Dialogs().size(), 1u) << "an empty text shows nothing";
}

TEST_F(CodeConverterForm, AConverterWithoutItsLibraryCannotBeCreated) {
    // A conversion library that lacks its exports, found before the real one.
    const TempFolder folder;
    std::string half = VONDREL_HALF_LIBRARY;
    half.replace(half.rfind(".dll"), 4, ".so");
    folder.Copy(half, "Kmlanguage.so");
    AddLibrarySearchFolder(folder.Path());

    Settings("936", "950");
    try {
        NewConverter();
        ADD_FAILURE() << "the converter was created";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Get Library Procedure Address Error!");
    }
    Settings("936", "936");
    EXPECT_FALSE(NewConverter()->HasTranslator()) << "an unconverted interface never loads the library";
}

} // namespace
} // namespace vondrel
