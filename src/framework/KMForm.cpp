#include "framework/KMForm.h"

#include "controls/GSpeedButton.h"
#include "controls/KmEdit.h"
#include "lib/ClassLocalisation.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/SpeedButton.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <filesystem>

namespace vondrel {

namespace {

/// The font of an English interface, with the character set the suite gives it.
constexpr const char* kEnglishFontName = "Tahoma";

/// Pixels darker than this (R + G + B) belong to the shape of a glyph.
constexpr int kDarkPixelSum = 384;

} // namespace

TKMForm::TKMForm(TComponent* owner) : TForm(owner) {
    static const TClassInfo& info = DescribeClass<TKMForm>("TKMForm", [](TClassBuilder<TKMForm>&) {});
    SetClass(info);
    SetWidth(400);
    SetHeight(191);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetScaled(false);
    SetShowHint(true);
    Font()->SetName("宋体");
    Font()->SetHeight(-13);
    converter_ = new TCodeConverter(this);
    converter_->SetName("KmConverter");
    converter_->SetDesignType(dtClient);
    langController_ = new TKmLangController(this);
    langController_->SetName("LangController");
    OnCreate = TNotifyEvent(this, &TKMForm::FormCreate);
    OnShow = TNotifyEvent(this, &TKMForm::FormShow);
}

TKMForm::~TKMForm() = default;

void TKMForm::AfterConstruction() {
    if (const std::exception_ptr failure = converter_->TranslatorFailure()) {
        // The form never came to life: it goes without its OnDestroy, as it had no OnCreate.
        OnDestroy = nullptr;
        Free();
        std::rethrow_exception(failure);
    }
    TForm::AfterConstruction();
}

TCodeConverter& TKMForm::KmConverter() {
    return *converter_;
}

const TCodeConverter& TKMForm::KmConverter() const {
    return *converter_;
}

TKmLangController& TKMForm::LangController() {
    return *langController_;
}

void TKMForm::ConvertFormOnce() {
    if (converted_)
        return;
    converter_->ConvertForm(*this);
    converted_ = true;
}

std::vector<std::string> TKMForm::ChainNames(const TComponent& target, bool wholeChain, bool belowBase) {
    std::vector<std::string> names;
    for (const TClassInfo* info = &target.ClassType(); info; info = info->Parent()) {
        if (SameText(info->Name(), "TForm") || SameText(info->Name(), "TComponent") ||
            (belowBase && SameText(info->Name(), "TKMForm")))
            break;
        names.push_back(info->Name());
        if (!wholeChain)
            break;
    }
    std::reverse(names.begin(), names.end());
    return names;
}

void TKMForm::ApplyFiles(TComponent* target, const std::vector<std::string>& classNames) {
    if (!target)
        return;
    TKmLangController& controller = LangController();
    for (const std::string& name : classNames) {
        controller.SetLangPackageName(name);
        std::error_code ec;
        if (!std::filesystem::exists(controller.FileName(), ec))
            continue;
        try {
            controller.SetActive(true);
            controller.Reader().ReadComponent(target);
        } catch (const LanguageControllerError& error) {
            // A broken file costs only its own texts: it is reported, the other files still
            // apply and the form still opens.
            Application().HandleException(error);
        }
    }
}

void TKMForm::ApplyLanguageFiles(TComponent* target, bool wholeChain) {
    if (target)
        ApplyFiles(target, ChainNames(*target, wholeChain, false));
}

void TKMForm::ApplyLanguageFilesBelowBase(TComponent* target, bool wholeChain) {
    if (target)
        ApplyFiles(target, ChainNames(*target, wholeChain, wholeChain));
}

void TKMForm::GetFormText(std::string_view formClassName, std::string_view key, std::string& text,
                          bool convertDefault, std::string_view defaultText) {
    const std::string fallback = convertDefault
                                     ? VarToStr(converter_->ConvertUIValue(std::string(defaultText)))
                                     : std::string(defaultText);
    text = ReadLangMessage(langController_->DesignType(), formClassName, key, fallback);
}

TModalResult TKMForm::ShowMessageDlg(const std::string& text, TMsgDlgType dialogType,
                                     TMsgDlgButtons buttons) {
    return converter_->ShowMessageDlg(text, dialogType, buttons);
}

void TKMForm::FormCreate(TObject*) {
    converted_ = false;
    applyLanguagesOnShow_ = true;
    const bool english = converter_->UICodePage() == "437";
    std::vector<TComponentRef<TComponent>> owned;
    for (TComponent* component : OwnedComponents())
        owned.emplace_back(component);
    for (const TComponentRef<TComponent>& component : owned) {
        if (!component)
            continue;
        if (component->HasProperty("ImeName"))
            component->SetPropText("ImeName", "");
        if (english)
            if (auto* font = dynamic_cast<TFont*>(component->GetPropObject("Font"))) {
                font->SetCharset(GB2312_CHARSET);
                font->SetName(kEnglishFontName);
            }
        AddDisabledGlyphs(*component);
    }
}

void TKMForm::FormShow(TObject*) {
    if (applyLanguagesOnShow_)
        ApplyLanguageFiles(this, true);
}

void TKMForm::AddDisabledGlyphs(TComponent& component) {
    std::vector<TComponent*> buttons;
    if (auto* edit = dynamic_cast<TKmBtnDBEdit*>(&component)) {
        if (edit->Button())
            buttons.push_back(edit->Button());
    } else if (dynamic_cast<TSpeedButton*>(&component) || dynamic_cast<TBitBtn*>(&component)) {
        buttons.push_back(&component);
    }
    if (const TClassLocalisation* hooks = FindClassLocalisation(component); hooks && hooks->GlyphButtons)
        for (TComponent* button : hooks->GlyphButtons(component))
            buttons.push_back(button);
    for (TComponent* button : buttons) {
        auto* glyph = button ? dynamic_cast<TBitmap*>(button->GetPropObject("Glyph")) : nullptr;
        Variant count;
        if (!glyph || glyph->Empty() || button->GetPropValue("NumGlyphs", count) != TPropResult::Ok ||
            count.AsInteger() != 1)
            continue;
        AddDisabledGlyph(*glyph);
        button->SetPropValue("NumGlyphs", 2);
    }
}

void TKMForm::AddDisabledGlyph(TBitmap& glyph) {
    const int width = glyph.Width();
    const int height = glyph.Height();
    if (width == 0 || height == 0)
        return;
    const TColor transparent = glyph.TransparentColor();
    const auto isTransparent = [&](int x, int y) {
        return glyph.Pixel(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1)) == transparent;
    };
    // The shape: dark pixels, and the pixels along the edge of the image.
    std::vector<bool> shape(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor pixel = glyph.Pixel(x, y);
            if (pixel == transparent)
                continue;
            const int sum = GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel);
            shape[static_cast<std::size_t>(y) * width + x] =
                sum < kDarkPixelSum || isTransparent(x - 1, y) || isTransparent(x + 1, y) ||
                isTransparent(x, y - 1) || isTransparent(x, y + 1);
        }
    // The shape embossed on the button face: a highlight one pixel right and down, the
    // shadow over it.
    TBitmap greyed(width, height, clBtnFace);
    for (const auto& [colour, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}})
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (shape[static_cast<std::size_t>(y) * width + x])
                    greyed.SetPixel(x + offset, y + offset, colour);

    TBitmap original;
    original.Assign(glyph);
    glyph.SetSize(2 * width, height);
    glyph.FillRect({0, 0, 2 * width, height}, transparent);
    glyph.CopyFrom(original, {0, 0, width, height}, 0, 0);
    glyph.CopyFrom(greyed, {0, 0, width, height}, width, 0);
}

} // namespace vondrel
