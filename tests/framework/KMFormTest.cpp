#include "framework/KMForm.h"

#include "support/FixedPlatform.h"
#include "support/TempFolder.h"
#include "support/TempInstall.h"
#include "support/UiFixture.h"

#include "controls/BitCheckBox.h"
#include "controls/F2Button.h"
#include "controls/GSpeedButton.h"
#include "controls/KmEdit.h"
#include "controls/SelectPanel.h"
#include "lib/ClassLocalisation.h"
#include "platform/Library.h"
#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/SpeedButton.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempFolder;
using test::TempInstall;

/// A square glyph of one image: a black square on a transparent (olive) ground.
std::unique_ptr<TBitmap> SingleImageGlyph(int size) {
    auto glyph = std::make_unique<TBitmap>(size, size, clOlive);
    glyph->FillRect({2, 2, size - 2, size - 2}, clBlack);
    return glyph;
}

// A control of a layer above the framework whose glyph button is a part of its own.
class TGlyphBox : public TWinControl {
public:
    explicit TGlyphBox(TComponent* owner) : TWinControl(owner), Button(new TSpeedButton(this)) {
        static const TClassInfo& info = DescribeClass("TGlyphBox");
        SetClass(info);
        static const bool registered = [] {
            RegisterClassLocalisation(
                "TGlyphBox", {.ConvertTexts = {}, .GlyphButtons = [](TComponent& component) {
                                  return std::vector<TComponent*>{static_cast<TGlyphBox&>(component).Button};
                              }});
            return true;
        }();
        (void)registered;
        Button->SetGlyph(SingleImageGlyph(8).get());
    }
    TSpeedButton* Button;
};

int formsDestroyed = 0;

// A job form below the base form, with a control of each kind the base form prepares.
class TfrmLevel1 : public TKMForm {
public:
    explicit TfrmLevel1(TComponent* owner = nullptr) : TKMForm(owner) {
        static const TClassInfo& info = DescribeClass("TfrmLevel1");
        SetClass(info);
        SetName("frmSample");
        SetCaption("损益结转");
        Title = Make<TLabel>("lblTitle");
        Title->SetCaption("期间损益结转");
        Title->SetHint("损益");
        Code = Make<TEdit>("edCode");
        Code->SetImeName("Chinese (Simplified) - Microsoft Pinyin");
        Code->SetHint("损益");
        Kind = Make<TComboBox>("cbKind");
        Kind->SetImeName("Chinese (Simplified) - Microsoft Pinyin");
        Single = Make<TSpeedButton>("sbSingle");
        const auto glyph = SingleImageGlyph(8);
        Single->SetGlyph(glyph.get());
        TBitmap twoImages(16, 8, clOlive);
        Double = Make<TSpeedButton>("sbDouble");
        Double->SetGlyph(&twoImages);
        Empty = Make<TSpeedButton>("sbEmpty");
        Ok = Make<TBitBtn>("bbOk");
        Ok->SetGlyph(glyph.get());
        Library = Make<TGSpeedButton>("gsbLookup");
        Library->SetGlyphIndex(8);
        Lookup = Make<TKmBtnDBEdit>("edLookup");
        Box = Make<TGlyphBox>("gbBox");
        Currency = Make<TSelectPanel>("spCurrency");
        Menu = new TPopupMenu(this);
        Menu->SetName("pmMenu");
        OnDestroy = [](TObject*) { ++formsDestroyed; };
    }
    template <class T>
    T* Make(const char* name) {
        auto* control = new T(this);
        control->SetName(name);
        control->SetParent(this);
        return control;
    }

    using TKMForm::SetApplyLanguagesOnShow;

    TLabel* Title;
    TEdit* Code;
    TComboBox* Kind;
    TSpeedButton* Single;
    TSpeedButton* Double;
    TSpeedButton* Empty;
    TBitBtn* Ok;
    TGSpeedButton* Library;
    TKmBtnDBEdit* Lookup;
    TGlyphBox* Box;
    TSelectPanel* Currency;
    TPopupMenu* Menu;
};

// The next level converts its texts for display once shown, as the job forms do.
class TfrmLevel2 : public TfrmLevel1 {
public:
    TfrmLevel2() {
        static const TClassInfo& info = DescribeClass("TfrmLevel2");
        SetClass(info);
    }

protected:
    void FormShow(TObject* sender) override {
        TfrmLevel1::FormShow(sender);
        ConvertFormOnce();
    }
};

template <class T>
TOwnedPtr<T> NewForm() {
    return TOwnedPtr<T>(Create<T>());
}

class KMForm : public test::UiTest {
protected:
    TempInstall install;
    std::optional<ScopedPlatform> platform;

    /// The interface code page on a simplified-Chinese system; the language folders exist.
    void Interface(const std::string& uiCodePage) {
        platform.reset();
        platform.emplace(FixedPlatformValues{.SysCodePage = "936"});
        install.WriteClientIni("[CodePage]\nUICodePage=" + uiCodePage + "\n");
        for (const char* code : {"CHS", "CHT", "ENG"})
            std::filesystem::create_directories(install.PathOf(std::string("MultiLanguage/") + code));
    }
    void LanguageFile(const char* code, const std::string& className, const std::string& content) {
        install.WriteFile(std::string("MultiLanguage/") + code + "/" + className + ".Lng", content);
    }
};

TEST_F(KMForm, IsDesignedWithItsConverterAndLanguageController) {
    Interface("936");
    const auto form = NewForm<TfrmLevel1>();
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(form->Height(), 191);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_FALSE(form->Scaled());
    EXPECT_TRUE(form->ShowHint());
    EXPECT_EQ(form->Font()->Name(), "宋体");
    EXPECT_EQ(form->Font()->Height(), -13);
    EXPECT_EQ(form->FindComponent("KmConverter"), &form->KmConverter());
    EXPECT_EQ(form->FindComponent("LangController"), &form->LangController());
    std::string designType;
    EXPECT_EQ(form->KmConverter().GetPropText("DesignType", designType), TPropResult::Ok);
    EXPECT_EQ(designType, "dtClient");
    EXPECT_FALSE(form->LangController().Active());
    EXPECT_FALSE(form->Converted());
}

TEST_F(KMForm, CreationClearsInputMethodsAndGivesSingleImageGlyphsAGreyedImage) {
    Interface("936");
    const auto form = NewForm<TfrmLevel1>();
    EXPECT_EQ(form->Code->ImeName(), "");
    EXPECT_EQ(form->Kind->ImeName(), "");
    const struct {
        const char* name;
        TComponent* button;
        int width;
        int images;
    } cases[] = {
        {"speed button", form->Single, 16, 2},
        {"bit button", form->Ok, 16, 2},
        {"glyph-library button", form->Library, 2 * form->Library->Glyph()->Height(), 2},
        {"button of an edit with a lookup button", form->Lookup->Button(),
         2 * form->Lookup->Button()->Glyph()->Height(), 2},
        {"button of a control registered for it", form->Box->Button, 16, 2},
        {"selection panel's from button", form->Currency->FromButton(),
         2 * form->Currency->FromButton()->Glyph()->Height(), 2},
        {"selection panel's to button", form->Currency->ToButton(),
         2 * form->Currency->ToButton()->Glyph()->Height(), 2},
        {"selection panel's list button", form->Currency->ListButton(),
         2 * form->Currency->ListButton()->Glyph()->Height(), 2},
        {"selection panel's delete button", form->Currency->DeleteButton(),
         2 * form->Currency->DeleteButton()->Glyph()->Height(), 2},
        {"selection panel's clear button", form->Currency->ClearButton(),
         2 * form->Currency->ClearButton()->Glyph()->Height(), 2},
        {"a glyph with two images stays", form->Double, 16, 2},
        {"no glyph, nothing to grey", form->Empty, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* glyph = dynamic_cast<TBitmap*>(c.button->GetPropObject("Glyph"));
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->Width(), c.width);
        Variant images;
        ASSERT_EQ(c.button->GetPropValue("NumGlyphs", images), TPropResult::Ok);
        EXPECT_EQ(images.AsInteger(), c.images);
    }
    EXPECT_GT(form->Library->Glyph()->Height(), 0) << "the glyph library gave no glyph";
}

TEST_F(KMForm, AnEnglishInterfaceGivesEveryControlWithAFontTahoma) {
    const struct {
        const char* ui;
        const char* fontName;
        int charset;
    } cases[] = {{"437", "Tahoma", GB2312_CHARSET},
                 {"936", "宋体", DEFAULT_CHARSET},
                 {"950", "宋体", DEFAULT_CHARSET}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ui);
        Interface(c.ui);
        const auto form = NewForm<TfrmLevel1>();
        for (TControl* control :
             std::initializer_list<TControl*>{form->Title, form->Code, form->Lookup, form->Single}) {
            SCOPED_TRACE(control->Name());
            EXPECT_EQ(control->Font()->Name(), c.fontName);
            EXPECT_EQ(control->Font()->Charset(), c.charset);
        }
        EXPECT_EQ(form->Font()->Name(), "宋体") << "the form's own font is not one of its components'";
    }
}

TEST_F(KMForm, TheGreyedImageEmbossesTheGlyphsShape) {
    // T transparent (olive, itself dark), W white, A just dark enough, B just too light, K black.
    const char* picture[] = {
        "TTTTTTT", "TWWWWWT", "TWABKWT", "TWWWWWT", "TTTTTTT",
    };
    const auto colourOf = [](char c) {
        switch (c) {
        case 'W':
            return clWhite;
        case 'A':
            return RGB(128, 128, 127);
        case 'B':
            return RGB(128, 128, 128);
        case 'K':
            return clBlack;
        default:
            return clOlive;
        }
    };
    TBitmap glyph(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            glyph.SetPixel(x, y, colourOf(picture[y][x]));
    TBitmap original;
    original.Assign(glyph);

    TKMForm::AddDisabledGlyph(glyph);

    // S shadow (the shape), H highlight (the shape one pixel right and down), F button face.
    const char* greyed[] = {
        "FFFFFFF", "FSSSSSF", "FSSHSSH", "FSSSSSH", "FFHHHHH",
    };
    const auto greyOf = [](char c) {
        return c == 'S'   ? ColorToRGB(clBtnShadow)
               : c == 'H' ? ColorToRGB(clBtnHighlight)
                          : ColorToRGB(clBtnFace);
    };
    ASSERT_EQ(glyph.Width(), 14);
    ASSERT_EQ(glyph.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            SCOPED_TRACE("x " + std::to_string(x) + ", y " + std::to_string(y));
            EXPECT_EQ(glyph.Pixel(x, y), original.Pixel(x, y));
            EXPECT_EQ(glyph.Pixel(7 + x, y), greyOf(greyed[y][x]));
        }
    EXPECT_EQ(glyph.TransparentColor(), clOlive);
}

TEST_F(KMForm, AGlyphWithAFixedTransparentColourKeepsIt) {
    TBitmap glyph(3, 3, clWhite);
    glyph.SetPixel(1, 1, clRed);
    glyph.SetTransparentColor(clRed);
    TKMForm::AddDisabledGlyph(glyph);
    EXPECT_EQ(glyph.TransparentColor(), clRed);
    EXPECT_EQ(glyph.Width(), 6);
    // Every white pixel touches the red one or the edge; none is dark, only the middle's
    // neighbours are shape.
    EXPECT_EQ(glyph.Pixel(3 + 1, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(glyph.Pixel(3 + 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(glyph.Pixel(3 + 1, 1), ColorToRGB(clBtnFace));
    TBitmap empty;
    TKMForm::AddDisabledGlyph(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST_F(KMForm, LanguageFilesApplyOverTheClassChainMostBasicFirst) {
    Interface("437");
    LanguageFile(
        "ENG", "TKMForm",
        R"(<TKMForm><lblTitle Caption="Base title" Hint="Base hint"/><edCode Hint="Code"/></TKMForm>)");
    LanguageFile("ENG", "TfrmLevel2", R"(<TfrmLevel2><lblTitle Caption="Level two title"/></TfrmLevel2>)");
    // No file for TfrmLevel1: that class is passed over.
    enum Call { Show, WholeChain, OwnClass, BelowBase, BelowBaseOwnClass, LevelOneShown };
    const struct {
        const char* name;
        Call call;
        const char* caption;
        const char* hint;
        const char* codeHint;
    } cases[] = {
        {"shown", Show, "Level two title", "Base hint", "Code"},
        {"the whole chain", WholeChain, "Level two title", "Base hint", "Code"},
        {"the form's own class", OwnClass, "Level two title", "损益", "损益"},
        {"below the base form", BelowBase, "Level two title", "损益", "损益"},
        {"below the base form, own class only", BelowBaseOwnClass, "Level two title", "损益", "损益"},
        {"a form of the first level", LevelOneShown, "Base title", "Base hint", "Code"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOwnedPtr<TfrmLevel1> form(c.call == LevelOneShown ? Create<TfrmLevel1>() : Create<TfrmLevel2>());
        switch (c.call) {
        case Show:
        case LevelOneShown:
            form->Show();
            break;
        case WholeChain:
            form->ApplyLanguageFiles(form.get(), true);
            break;
        case OwnClass:
            form->ApplyLanguageFiles(form.get(), false);
            break;
        case BelowBase:
            form->ApplyLanguageFilesBelowBase(form.get(), true);
            break;
        case BelowBaseOwnClass:
            form->ApplyLanguageFilesBelowBase(form.get(), false);
            break;
        }
        EXPECT_EQ(form->Title->Caption(), c.caption);
        EXPECT_EQ(form->Title->Hint(), c.hint);
        EXPECT_EQ(form->Code->Hint(), c.codeHint);
    }
}

TEST_F(KMForm, AFormThatDoesNotApplyLanguagesOnShowKeepsItsTexts) {
    Interface("437");
    LanguageFile("ENG", "TKMForm", R"(<TKMForm><lblTitle Caption="Base title"/></TKMForm>)");
    const auto form = NewForm<TfrmLevel1>();
    form->SetApplyLanguagesOnShow(false);
    form->Show();
    EXPECT_EQ(form->Title->Caption(), "期间损益结转");
}

TEST_F(KMForm, ABrokenLanguageFileIsReportedAndCostsOnlyItsOwnTexts) {
    Driver().SetFailOnException(false);
    Interface("437");
    LanguageFile("ENG", "TKMForm", R"(<TKMForm><lblTitle Hint="Base hint"/></TKMForm>)");
    LanguageFile("ENG", "TfrmLevel1", "<TfrmLevel1>\n  <edCode Hint=\"Code\">\n</TfrmLevel1>\n");
    LanguageFile("ENG", "TfrmLevel2", R"(<TfrmLevel2><lblTitle Caption="Level two title"/></TfrmLevel2>)");
    const auto form = NewForm<TfrmLevel2>();
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Converted()) << "the form went on with its start";
    EXPECT_EQ(form->Title->Caption(), "Level two title");
    EXPECT_EQ(form->Title->Hint(), "Base hint");
    EXPECT_EQ(form->Code->Hint(), "损益");
    const std::vector<TUiRecord> dialogs = Driver().Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].What, TUiRecord::Kind::Exception);
    EXPECT_NE(dialogs[0].Text.find("line 3"), std::string::npos) << dialogs[0].Text;
}

TEST_F(KMForm, TheFormIsConvertedForDisplayOnce) {
    Interface("950");
    const auto form = NewForm<TfrmLevel1>();
    form->ConvertFormOnce();
    EXPECT_TRUE(form->Converted());
    EXPECT_EQ(form->Title->Caption(), "期間損益結轉");
    form->Title->SetCaption("期间损益结转");
    form->ConvertFormOnce();
    EXPECT_EQ(form->Title->Caption(), "期间损益结转");
}

TEST_F(KMForm, ATraditionalInterfaceConvertsTheSelectionPanelsOwnTexts) {
    Interface("950");
    const auto form = NewForm<TfrmLevel1>();
    TSelectPanel& panel = *form->Currency;
    panel.SetStyle(sp_UserChoice);
    panel.BeginWords()->SetText("开始\n开始");
    panel.ColumnCaptions()->SetText("币种\n名称");
    panel.AddRow({"HKD", "港币"});
    form->ConvertFormOnce();

    EXPECT_EQ(panel.HintWord(), "區間選擇");
    EXPECT_EQ(panel.ChoiceBox()->Caption(), "區間選擇");
    EXPECT_EQ(panel.ChildHints()->Get(1), "區間選擇-起始信息");
    EXPECT_EQ(panel.FromEdit()->Hint(), "區間選擇-起始信息") << "the parts take the converted hints";
    EXPECT_EQ(panel.BeginWords()->Get(1), "開始");
    EXPECT_EQ(panel.FromLabel()->Caption(), "開始");
    EXPECT_EQ(panel.ColumnCaptions()->Get(0), "幣種");
    ASSERT_EQ(panel.List()->Columns()->Count(), 2);
    EXPECT_EQ(panel.List()->Columns()->Items(0)->Caption(), "幣種");
    EXPECT_EQ(panel.List()->Columns()->Items(1)->Caption(), "名稱");
    EXPECT_EQ(panel.Row(0), (TSelectRow{"HKD", "港幣"}));
}

TEST_F(KMForm, FormTextsComeFromTheClassesFileOrTheDefault) {
    LanguageFile("ENG", "TfrmLevel2", R"(<TfrmLevel2><sTitle Msg="Title"/></TfrmLevel2>)");
    LanguageFile("CHT", "TfrmLevel2", R"(<TfrmLevel2><sTitle Msg="標題"/></TfrmLevel2>)");
    const struct {
        const char* ui;
        const char* key;
        bool convertDefault;
        const char* expected;
    } cases[] = {
        {"437", "sTitle", true, "Title"},
        {"437", "sMissing", true, "期间损益结转"},
        {"950", "sTitle", true, "標題"},
        {"950", "sMissing", true, "期間損益結轉"},
        {"950", "sMissing", false, "期间损益结转"},
        {"936", "sTitle", true, "期间损益结转"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ui) + " " + c.key);
        Interface(c.ui);
        const auto form = NewForm<TfrmLevel1>();
        std::string text = "unchanged";
        form->GetFormText("TfrmLevel2", c.key, text, c.convertDefault, "期间损益结转");
        EXPECT_EQ(text, c.expected);
    }
}

TEST_F(KMForm, MessageDialogsGoThroughTheConverter) {
    Interface("936");
    const auto form = NewForm<TfrmLevel1>();
    Driver().AnswerDialog(mrCancel);
    EXPECT_EQ(form->ShowMessageDlg("确实要删除此方案吗？", mtConfirmation, mbOKCancel), mrCancel);
    const std::vector<TUiRecord> dialogs = Driver().Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Caption, "损益结转");
    EXPECT_EQ(dialogs[0].Text, "确实要删除此方案吗？      ");
    EXPECT_EQ(dialogs[0].FontName, "SimSun");
}

TEST_F(KMForm, WithoutItsConversionLibraryAFormOfAConvertedInterfaceIsNotCreated) {
    const TempFolder folder;
    std::string half = VONDREL_HALF_LIBRARY;
    half.replace(half.rfind(".dll"), 4, ".so");
    folder.Copy(half, "Kmlanguage.so");
    AddLibrarySearchFolder(folder.Path());
    Interface("950");
    formsDestroyed = 0;
    try {
        NewForm<TfrmLevel1>();
        ADD_FAILURE() << "the form was created";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Get Library Procedure Address Error!");
    }
    EXPECT_TRUE(Screen().Forms().empty());
    EXPECT_EQ(formsDestroyed, 0);
}

/// The demo installation's language files, with files of a job form's class beside them.
class LocalisedBySettings : public KMForm {
protected:
    void SetUp() override {
        KMForm::SetUp();
        const std::string demo = std::string(VONDREL_SOURCE_DIR) + "/demo/install/MultiLanguage";
        std::filesystem::copy(demo, install.PathOf("MultiLanguage"),
                              std::filesystem::copy_options::recursive);
        LanguageFile("CHT", "TfrmLevel2",
                     R"(<TfrmLevel2><lblTitle Caption="期間損益結轉作業"/></TfrmLevel2>)");
        LanguageFile(
            "ENG", "TfrmLevel2",
            R"(<TfrmLevel2><lblTitle Caption="Period profit and loss"/><edCode Hint="Code"/></TfrmLevel2>)");
    }
};

TEST_F(LocalisedBySettings, AJobFormSpeaksTheLanguageTheClientSettingsName) {
    const struct {
        const char* ui;
        const char* title;
        const char* codeHint;
        const char* formFont;
        int formCharset;
        const char* titleFont;
        int titleCharset;
    } cases[] = {
        {"936", "期间损益结转", "损益", "宋体", DEFAULT_CHARSET, "宋体", DEFAULT_CHARSET},
        {"950", "期間損益結轉作業", "損益", "SimSun", CHINESEBIG5_CHARSET, "SimSun", CHINESEBIG5_CHARSET},
        {"437", "Period profit and loss", "Code", "Tahoma", GB2312_CHARSET, "Tahoma", GB2312_CHARSET},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ui);
        Interface(c.ui);
        const auto form = NewForm<TfrmLevel2>();
        form->Show();
        EXPECT_EQ(form->Title->Caption(), c.title);
        EXPECT_EQ(form->Code->Hint(), c.codeHint);
        EXPECT_EQ(form->Font()->Name(), c.formFont);
        EXPECT_EQ(form->Font()->Charset(), c.formCharset);
        EXPECT_EQ(form->Title->Font()->Name(), c.titleFont);
        EXPECT_EQ(form->Title->Font()->Charset(), c.titleCharset);
    }
}

} // namespace
} // namespace vondrel
