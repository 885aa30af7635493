#include "lib/CodeConverter.h"

#include <vondrel/Exception.h>

#include "lib/ClassLocalisation.h"
#include "lib/CodePageRoutines.h"
#include "lib/Translator.h"
#include "lib/VondrelIni.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"
#include "ui/StringGrid.h"
#include "ui/TreeView.h"

#include "platform/SysUtils.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TDesignType>::Info() {
    static const TEnumInfo info("TDesignType", {"dtClient", "dtServer"});
    return info;
}

TCodeConverter::TCodeConverter(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info =
        DescribeClass<TCodeConverter>("TCodeConverter", [](TClassBuilder<TCodeConverter>& c) {
            c.Property("DesignType", &TCodeConverter::DesignType, &TCodeConverter::SetDesignType);
        });
    SetClass(info);
    const TVondrelIniC settings;
    sysCodePage_ = settings.SysCodePage;
    uiCodePage_ = settings.UICodePage;
    dbCodePage_ = settings.DBCodePage;
    uiConvertMode_ = settings.UIConvertMode;
    dbConvertMode_ = settings.DBConvertMode;
    if (uiConvertMode_ != 0) {
        // Kept, not raised: an exception leaving a component's constructor would skip its
        // Free. Whoever completes the construction raises it.
        try {
            translator_ = std::make_unique<TTranslator>();
        } catch (const std::exception&) {
            translatorFailure_ = std::current_exception();
        }
    }
}

TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::AfterConstruction() {
    if (translatorFailure_) {
        const std::exception_ptr failure = translatorFailure_;
        Free();
        std::rethrow_exception(failure);
    }
    TComponent::AfterConstruction();
}

Variant TCodeConverter::ConvertValue(int mode, const Variant& value) const {
    return Convert(mode, value, 1);
}

Variant TCodeConverter::Convert(int mode, const Variant& value, int depth) const {
    if (!translator_ || (mode != kConvertBig5ToGB && mode != kConvertGBToBig5) || value.IsEmpty() ||
        value.IsNull() || value.IsDispatch())
        return value;
    if (depth > kMaxArrayNesting)
        throw Exception("Variant arrays are nested more than " + std::to_string(kMaxArrayNesting) + " deep");
    if (!value.IsArray()) {
        const std::string text = value.AsString();
        return mode == kConvertBig5ToGB ? translator_->TranslateToGB(text)
                                        : translator_->TranslateToBig5(text);
    }
    Variant result = value;
    if (result.DimCount() == 1) {
        for (int i = result.LowBound(1); i <= result.HighBound(1); ++i)
            result[i] = Convert(mode, result[i], depth + 1);
    } else if (result.DimCount() == 2) {
        for (int i = result.LowBound(1); i <= result.HighBound(1); ++i)
            for (int j = result.LowBound(2); j <= result.HighBound(2); ++j)
                result.At({i, j}) = Convert(mode, result.At({i, j}), depth + 1);
    }
    return result;
}

Variant TCodeConverter::ConvertDBValue(const Variant& value) const {
    return ConvertValue(dbConvertMode_, value);
}

Variant TCodeConverter::ConvertUIValue(const Variant& value) const {
    return ConvertValue(uiConvertMode_, value);
}

Variant TCodeConverter::Reverse(int mode, const Variant& value) const {
    try {
        if (mode == kConvertBig5ToGB)
            return ConvertValue(kConvertGBToBig5, value);
        if (mode == kConvertGBToBig5)
            return ConvertValue(kConvertBig5ToGB, value);
    } catch (const std::exception&) {
    }
    return value;
}

Variant TCodeConverter::ToDBValue(const Variant& value) const {
    return Reverse(dbConvertMode_, value);
}

Variant TCodeConverter::UIToSourceValue(const Variant& value) const {
    return Reverse(uiConvertMode_, value);
}

std::string TCodeConverter::Big5ToGB(std::string_view text) const {
    return translator_ && !text.empty() ? translator_->TranslateToGB(text) : std::string(text);
}

std::string TCodeConverter::GBToBig5(std::string_view text) const {
    return translator_ && !text.empty() ? translator_->TranslateToBig5(text) : std::string(text);
}

void TCodeConverter::SetChineseFont(int mode, std::string& fontName, int& charset) const {
    switch (mode) {
    case 0:
    case 1:
    case 4:
        fontName = kChineseFontName;
        charset = kGB2312Charset;
        break;
    case 2:
    case 3:
        fontName = kChineseFontName;
        charset = kChineseBig5Charset;
        break;
    default:
        break;
    }
}

void TCodeConverter::SetChineseFont(int mode, TFont& font) const {
    std::string name = font.Name();
    int charset = font.Charset();
    SetChineseFont(mode, name, charset);
    font.SetName(name);
    font.SetCharset(static_cast<TFontCharset>(charset));
}

namespace {

/// The text of a text property converted by the mode, when the component publishes it.
void ConvertTextProperty(const TCodeConverter& converter, int mode, TObject& object, std::string_view name) {
    const TPropInfo* info = object.FindProperty(name);
    if (!info || info->Kind != TPropKind::Text)
        return;
    Variant value;
    if (object.GetPropValue(name, value) != TPropResult::Ok)
        return;
    const Variant converted = converter.ConvertValue(mode, value);
    if (converted != value)
        object.SetPropValue(name, converted);
}

template <class T>
T* ObjectProperty(const TObject& object, std::string_view name) {
    const TPropInfo* info = object.FindProperty(name);
    if (!info || !info->ReadObject)
        return nullptr;
    return dynamic_cast<T*>(info->ReadObject(object));
}

std::optional<int> ItemIndexOf(const TObject& object) {
    Variant value;
    const TPropInfo* info = object.FindProperty("ItemIndex");
    if (!info || info->Kind != TPropKind::Integer ||
        object.GetPropValue("ItemIndex", value) != TPropResult::Ok)
        return std::nullopt;
    return value.AsInteger();
}

/// The whole text of a list converted in one piece.
void ConvertStrings(const TCodeConverter& converter, int mode, TStrings& strings) {
    const std::string text = strings.Text();
    const std::string converted = VarToStr(converter.ConvertValue(mode, text));
    if (converted != text)
        strings.SetText(converted);
}

/// The owner-drawn style that replaces a combo or list box's standard one.
std::string_view OwnerDrawnStyle(std::string_view style) {
    if (style == "csDropDown")
        return "csOwnerDrawVariable";
    if (style == "csDropDownList")
        return "csOwnerDrawFixed";
    if (style == "lbStandard")
        return "lbOwnerDrawFixed";
    return {};
}

/// What every component gets by its published properties.
void ConvertProperties(const TCodeConverter& converter, int mode, TComponent& component) {
    for (const char* name : {"Font", "TitleFont"})
        if (auto* font = ObjectProperty<TFont>(component, name))
            converter.SetChineseFont(mode, *font);
    for (const char* name : {"Caption", "Hint", "ButtonHint"})
        ConvertTextProperty(converter, mode, component, name);
    if (auto* items = ObjectProperty<TStrings>(component, "Items")) {
        const std::optional<int> index = ItemIndexOf(component);
        ConvertStrings(converter, mode, *items);
        if (index && ItemIndexOf(component) != index)
            component.SetPropValue("ItemIndex", *index);
    }
    if (auto* lines = ObjectProperty<TStrings>(component, "Lines"))
        ConvertStrings(converter, mode, *lines);
    if (const TPropInfo* style = component.FindProperty("Style");
        mode != 0 && style && style->Kind == TPropKind::Enumeration) {
        std::string current;
        if (component.GetPropText("Style", current) == TPropResult::Ok) {
            if (const std::string_view ownerDrawn = OwnerDrawnStyle(current); !ownerDrawn.empty()) {
                const std::optional<int> index = ItemIndexOf(component);
                component.SetPropText("Style", ownerDrawn);
                if (index && ItemIndexOf(component) != index)
                    component.SetPropValue("ItemIndex", *index);
            }
        }
    }
    if (auto* panels = ObjectProperty<TStatusPanels>(component, "Panels"))
        for (int i = 0; i < panels->Count(); ++i)
            panels->Items(i)->SetText(VarToStr(converter.ConvertValue(mode, panels->Items(i)->Text())));
}

void ConvertComboBox(TComboBox& combo) {
    if (combo.Style() != csSimple)
        combo.SetStyle(csOwnerDrawFixed);
    if (combo.ItemIndex() < 0 && combo.Items()->Count() > 0)
        combo.SetItemIndex(0);
}

/// A tab set's tabs in one piece, the current tab kept; reached by name, as is the data
/// navigator's hint list.
void ConvertNamedStrings(const TCodeConverter& converter, TComponent& component, const char* listName,
                         const char* indexName) {
    auto* strings = ObjectProperty<TStrings>(component, listName);
    if (!strings)
        return;
    Variant index;
    const bool hasIndex = indexName && component.GetPropValue(indexName, index) == TPropResult::Ok;
    strings->SetText(converter.GBToBig5(strings->Text()));
    if (hasIndex)
        component.SetPropValue(indexName, index);
}

/// What each kind of control keeps beyond its published properties.
void ConvertByClass(const TCodeConverter& converter, int mode, TComponent& component) {
    if (component.InheritsFrom("TPopupMenu") || component.InheritsFrom("TMainMenu"))
        component.SetPropValue("OwnerDraw", true);
    if (mode != kConvertGBToBig5)
        return;
    if (component.InheritsFrom("TTabSet"))
        ConvertNamedStrings(converter, component, "Tabs", "TabIndex");
    if (component.InheritsFrom("TDBNavigator"))
        ConvertNamedStrings(converter, component, "Hints", nullptr);
    if (auto* list = dynamic_cast<TListView*>(&component))
        ConvertListView(converter, *list);
    if (auto* combo = dynamic_cast<TComboBox*>(&component))
        ConvertComboBox(*combo);
    if (auto* tree = dynamic_cast<TTreeView*>(&component)) {
        TTreeNodes& nodes = *tree->Items();
        for (int i = 0, count = nodes.Count(); i < count; ++i)
            nodes[i]->SetText(converter.GBToBig5(nodes[i]->Text()));
    }
    if (auto* grid = dynamic_cast<TStringGrid*>(&component))
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int col = 0; col < grid->ColCount(); ++col)
                grid->SetCells(col, row, converter.GBToBig5(grid->Cells(col, row)));
    if (const TClassLocalisation* hooks = FindClassLocalisation(component); hooks && hooks->ConvertTexts)
        hooks->ConvertTexts(component, converter);
}

} // namespace

void ConvertListView(const TCodeConverter& converter, TListView& list) {
    TListColumns& columns = *list.Columns();
    for (int i = 0; i < columns.Count(); ++i)
        columns.Items(i)->SetCaption(converter.GBToBig5(columns.Items(i)->Caption()));
    TListItems& items = *list.Items();
    for (int i = 0; i < items.Count(); ++i) {
        TListItem& item = *items[i];
        item.SetCaption(converter.GBToBig5(item.Caption()));
        TStrings& subItems = *item.SubItems();
        for (int j = 0; j < subItems.Count() && j < columns.Count(); ++j)
            subItems.Put(j, converter.GBToBig5(subItems.Get(j)));
    }
}

void TCodeConverter::ConvertForm(TForm& form) const {
    if (!translator_)
        return;
    const int mode = uiConvertMode_;
    ConvertFormCaption(form);
    for (const char* name : {"Hint", "ButtonHint"})
        ConvertTextProperty(*this, mode, form, name);
    SetChineseFont(mode, *Screen().IconFont());
    SetChineseFont(mode, *Screen().HintFont());
    SetChineseFont(mode, *Screen().MenuFont());
    if (Application().ShowHint()) {
        // The hint window takes its font when hints are switched on.
        Application().SetShowHint(false);
        Application().SetShowHint(true);
    }
    // Converting may create or free components (a list rebuilt): walk a copy.
    std::vector<TComponentRef<TComponent>> components;
    for (TComponent* component : form.OwnedComponents())
        components.emplace_back(component);
    for (const TComponentRef<TComponent>& component : components) {
        if (!component)
            continue;
        ConvertProperties(*this, mode, *component);
        ConvertByClass(*this, mode, *component);
    }
}

void TCodeConverter::ConvertFormCaption(TForm& form) const {
    if (sysCodePage_ == "950")
        form.SetCaption(VarToStr(ConvertValue(kConvertGBToBig5, form.Caption())));
}

TModalResult TCodeConverter::ShowMessageDlg(const std::string& text, TMsgDlgType dialogType,
                                            TMsgDlgButtons buttons) const {
    if (text.empty())
        return mrNone;
    // Room after the text: the dialog's width falls short of a Chinese text's.
    const std::string shown = uiCodePage_ == "936" || sysCodePage_ == "936" ? text + "      " : text;
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(shown, dialogType, buttons));
    if (auto* owner = dynamic_cast<TForm*>(Owner())) {
        if (owner->WindowState() == wsMinimized)
            owner->SetWindowState(wsNormal);
        dialog->SetCaption(owner->Caption());
    }
    SetChineseFont(uiConvertMode_, *dialog->Font());
    return dialog->ShowModal();
}

} // namespace vondrel
