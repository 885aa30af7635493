#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Field.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"

namespace vondrel::test {
namespace {

class PropertyTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TForm>(nullptr));
        label = new TLabel(form.get());
        label->SetName("lblCode");
        label->SetParent(form.get());
        edit = new TEdit(form.get());
        edit->SetName("edCode");
        edit->SetParent(form.get());
        check = new TCheckBox(form.get());
        check->SetName("chkLog");
        check->SetParent(form.get());
        button = new TButton(form.get());
        button->SetName("btnOk");
        button->SetParent(form.get());
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }

    TOwnedPtr<TForm> form;
    TLabel* label = nullptr;
    TEdit* edit = nullptr;
    TCheckBox* check = nullptr;
    TButton* button = nullptr;
};

TEST_F(PropertyTest, WritesByNameGiveDistinctOutcomes) {
    struct Case {
        const char* Name;
        TObject* Target;
        const char* Path;
        const char* Text;
        TPropResult Expected;
    };
    TOwnedPtr<TField> field(new TField(nullptr));
    const Case cases[] = {
        {"a text", edit, "Text", "ABC", TPropResult::Ok},
        {"names ignore case", edit, "text", "abc", TPropResult::Ok},
        {"unknown name", edit, "Txet", "x", TPropResult::UnknownProperty},
        {"declared but not published", button, "Text", "x", TPropResult::UnknownProperty},
        {"integer", edit, "MaxLength", "12", TPropResult::Ok},
        {"not an integer", edit, "MaxLength", "twelve", TPropResult::BadValue},
        {"boolean", check, "Checked", "True", TPropResult::Ok},
        {"not a boolean", check, "Checked", "maybe", TPropResult::BadValue},
        {"enumeration by name", label, "Alignment", " taRightJustify ", TPropResult::Ok},
        {"unknown enumeration value", label, "Alignment", "taMiddle", TPropResult::BadValue},
        {"colour name", label, "Color", "clRed", TPropResult::Ok},
        {"colour number", label, "Color", "255", TPropResult::Ok},
        {"colour nonsense", label, "Color", "reddish", TPropResult::BadValue},
        {"a path through an object", label, "Font.Name", "Tahoma", TPropResult::Ok},
        {"a set, trimmed", label, "Font.Style", " [fsBold, fsItalic] ", TPropResult::Ok},
        {"a bad set", label, "Font.Style", "[fsHeavy]", TPropResult::BadValue},
        {"an object is no value", label, "Font", "Arial", TPropResult::NotAValue},
        {"a path into nothing", label, "Caption.Name", "x", TPropResult::UnknownProperty},
        {"an event is no value", button, "OnClick", "x", TPropResult::NotAValue},
        {"read-only", field.get(), "DataType", "ftInteger", TPropResult::ReadOnly},
        {"a reference by name", label, "FocusControl", "EDCODE", TPropResult::Ok},
        {"a reference to nothing", label, "FocusControl", "edMissing", TPropResult::BadValue},
        {"a byte out of range", label, "Font.Charset", "300", TPropResult::BadValue},
        {"a character set name", label, "Font.Charset", "GB2312_CHARSET", TPropResult::Ok},
        {"a name the setter refuses", button, "Name", "edCode", TPropResult::BadValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Target->SetPropText(c.Path, c.Text), c.Expected);
    }
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(label->Alignment(), taRightJustify);
    EXPECT_EQ(label->Color(), clRed);
    EXPECT_EQ(label->Font()->Name(), "Tahoma");
    EXPECT_EQ(label->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(label->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(button->Name(), "btnOk");
}

TEST_F(PropertyTest, ReadsGiveValuesAndFormFileTexts) {
    label->SetColor(clBtnFace);
    label->SetAlignment(taCenter);
    label->Font()->SetStyle({fsUnderline});
    label->SetFocusControl(edit);
    check->SetChecked(true);
    struct Case {
        TObject* Target;
        const char* Path;
        const char* Text;
    };
    const Case cases[] = {
        {label, "Color", "clBtnFace"},          {label, "Alignment", "taCenter"},
        {label, "Font.Style", "[fsUnderline]"}, {check, "Checked", "True"},
        {label, "FocusControl", "edCode"},      {label, "Font.Charset", "DEFAULT_CHARSET"},
        {label, "Cursor", "crDefault"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        std::string text;
        ASSERT_EQ(c.Target->GetPropText(c.Path, text), TPropResult::Ok);
        EXPECT_EQ(text, c.Text);
    }
    label->SetColor(RGB(1, 2, 3));
    std::string text;
    label->GetPropText("Color", text);
    EXPECT_EQ(text, "$00030201");

    Variant value;
    ASSERT_EQ(label->GetPropValue("Alignment", value), TPropResult::Ok);
    EXPECT_EQ(value, Variant(static_cast<int>(taCenter))) << "enumerations travel as ordinals";
    ASSERT_EQ(label->GetPropValue("Font.Style", value), TPropResult::Ok);
    EXPECT_EQ(value.AsInteger(), 1 << fsUnderline) << "sets travel as bit masks";
    EXPECT_EQ(label->GetPropValue("Font", value), TPropResult::NotAValue);
    EXPECT_EQ(label->GetPropValue("Nothing", value), TPropResult::UnknownProperty);
}

TEST_F(PropertyTest, VariantWritesAcceptNumbersAndTexts) {
    EXPECT_EQ(label->SetPropValue("Alignment", Variant(2)), TPropResult::Ok);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->SetPropValue("Alignment", Variant(3)), TPropResult::BadValue);
    EXPECT_EQ(label->SetPropValue("Font.Style", Variant(3)), TPropResult::Ok);
    EXPECT_EQ(label->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(label->SetPropValue("Font.Style", Variant(64)), TPropResult::BadValue);
    EXPECT_EQ(edit->SetPropValue("MaxLength", Variant::Null()), TPropResult::BadValue);
    EXPECT_EQ(label->SetPropValue("FocusControl", Variant()), TPropResult::Ok);
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(PropertyTest, StringsPropertiesAreReadAndWrittenAsTheirWholeText) {
    auto* memo = new TMemo(form.get());
    EXPECT_EQ(memo->SetPropText("Lines", "one\r\ntwo"), TPropResult::Ok);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "two");
    std::string text;
    memo->GetPropText("Lines", text);
    EXPECT_EQ(text, "one\r\ntwo\r\n");
    auto* list = dynamic_cast<TStrings*>(memo->GetPropObject("Lines"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, memo->Lines());
}

TEST_F(PropertyTest, CollectionItemsAreNavigableObjects) {
    auto* view = new TListView(form.get());
    view->Columns()->Add()->SetCaption("Code");
    view->Items()->Add()->SetCaption("USD");
    auto* columns = dynamic_cast<TListColumns*>(view->GetPropObject("Columns"));
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->Items(0)->SetPropText("Caption", "币种"), TPropResult::Ok);
    EXPECT_EQ(view->Columns()->Items(0)->Caption(), "币种");
    EXPECT_EQ(view->Items()->Item(0)->SetPropText("Caption", "HKD"), TPropResult::Ok);
    EXPECT_EQ(view->Items()->Item(0)->Caption(), "HKD");
}

TEST_F(PropertyTest, ThePublishedListFollowsTheClassChain) {
    auto names = [](const TObject& object) {
        std::vector<std::string> list;
        for (const TPropInfo* info : object.ClassType().Properties())
            list.push_back(info->Name);
        return list;
    };
    const auto editNames = names(*edit);
    const auto buttonNames = names(*button);
    auto has = [](const std::vector<std::string>& list, const char* name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    EXPECT_TRUE(has(editNames, "Name")) << "inherited from TComponent";
    EXPECT_TRUE(has(editNames, "Text"));
    EXPECT_TRUE(has(editNames, "OnExit"));
    EXPECT_FALSE(has(editNames, "Caption"));
    EXPECT_TRUE(has(buttonNames, "Caption"));
    EXPECT_FALSE(has(buttonNames, "Text"));
    EXPECT_EQ(std::count(editNames.begin(), editNames.end(), "Text"), 1);
    EXPECT_TRUE(edit->InheritsFrom("TWinControl"));
    EXPECT_TRUE(edit->InheritsFrom("tcustomedit"));
    EXPECT_FALSE(edit->InheritsFrom("TButton"));
    EXPECT_EQ(FindClass("TEdit"), &edit->ClassType());

    const TPropInfo* color = label->FindProperty("Color");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Kind, TPropKind::Integer);
    EXPECT_NE(color->Idents, nullptr);
    EXPECT_EQ(label->FindProperty("Alignment")->Kind, TPropKind::Enumeration);
    EXPECT_EQ(label->FindProperty("Font")->Kind, TPropKind::Class);
    EXPECT_EQ(button->FindProperty("OnClick")->Kind, TPropKind::Event);
    auto* combo = new TComboBox(form.get());
    EXPECT_EQ(combo->FindProperty("Items")->Kind, TPropKind::Strings);
}

TEST_F(PropertyTest, EventsAreReadAndReplacedByName) {
    int clicks = 0;
    const TNotifyEvent handler = [&clicks](TObject*) { ++clicks; };
    EXPECT_EQ(button->SetEvent("OnClick", handler), TPropResult::Ok);
    const auto read = button->GetEvent<TNotifyEvent>("OnClick");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, handler);
    button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->SetEvent("OnClick", TKeyPressEvent{}), TPropResult::BadValue) << "another event type";
    EXPECT_EQ(button->SetEvent("Caption", handler), TPropResult::NotAValue);
    EXPECT_FALSE(button->GetEvent<TKeyPressEvent>("OnClick"));
}

TEST(Colors, NamesAndNumbersConvertBothWays) {
    EXPECT_EQ(StringToColor("clRed"), clRed);
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(StringToColor("$00FFFFAF"), RGB(175, 255, 255));
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ColorToString(RGB(255, 255, 175)), "$00AFFFFF");
    EXPECT_THROW(StringToColor("blue-ish"), EConvertError);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
}

TEST(Font, SizeAndHeightAreOneValue) {
    TFont font;
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
    // The model's metric: ASCII half the height (rounded up), other characters the height.
    EXPECT_EQ(font.TextHeight(), 13);
    EXPECT_EQ(font.TextWidth("ab"), 14);
    EXPECT_EQ(font.TextWidth("摘要"), 26);
    EXPECT_EQ(font.TextWidth("F2摘"), 27);
}

} // namespace
} // namespace vondrel::test
