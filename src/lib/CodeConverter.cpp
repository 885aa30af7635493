#include "lib/CodeConverter.h"

#include <vondrel/Exception.h>

#include "lib/CodePageRoutines.h"
#include "lib/Translator.h"
#include "lib/VondrelIni.h"

namespace vondrel {

TCodeConverter::TCodeConverter() {
    const TVondrelIniC settings;
    sysCodePage_ = settings.SysCodePage;
    uiCodePage_ = settings.UICodePage;
    dbCodePage_ = settings.DBCodePage;
    uiConvertMode_ = settings.UIConvertMode;
    dbConvertMode_ = settings.DBConvertMode;
    if (uiConvertMode_ != 0)
        translator_ = std::make_unique<TTranslator>();
}

TCodeConverter::~TCodeConverter() = default;

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

} // namespace vondrel
