#include "ui/Colors.h"

#include "ui/Object.h"

namespace vondrel {

const TIdentMap& ColorIdents() {
    static const TIdentMap map("TColor",
                               {
                                   {"clBlack", clBlack},
                                   {"clMaroon", clMaroon},
                                   {"clGreen", clGreen},
                                   {"clOlive", clOlive},
                                   {"clNavy", clNavy},
                                   {"clPurple", clPurple},
                                   {"clTeal", clTeal},
                                   {"clGray", clGray},
                                   {"clSilver", clSilver},
                                   {"clRed", clRed},
                                   {"clLime", clLime},
                                   {"clYellow", clYellow},
                                   {"clBlue", clBlue},
                                   {"clFuchsia", clFuchsia},
                                   {"clAqua", clAqua},
                                   {"clWhite", clWhite},
                                   {"clMoneyGreen", clMoneyGreen},
                                   {"clSkyBlue", clSkyBlue},
                                   {"clCream", clCream},
                                   {"clMedGray", clMedGray},
                                   {"clScrollBar", clScrollBar},
                                   {"clBackground", clBackground},
                                   {"clActiveCaption", clActiveCaption},
                                   {"clInactiveCaption", clInactiveCaption},
                                   {"clMenu", clMenu},
                                   {"clWindow", clWindow},
                                   {"clWindowFrame", clWindowFrame},
                                   {"clMenuText", clMenuText},
                                   {"clWindowText", clWindowText},
                                   {"clCaptionText", clCaptionText},
                                   {"clActiveBorder", clActiveBorder},
                                   {"clInactiveBorder", clInactiveBorder},
                                   {"clAppWorkSpace", clAppWorkSpace},
                                   {"clHighlight", clHighlight},
                                   {"clHighlightText", clHighlightText},
                                   {"clBtnFace", clBtnFace},
                                   {"clBtnShadow", clBtnShadow},
                                   {"clGrayText", clGrayText},
                                   {"clBtnText", clBtnText},
                                   {"clInactiveCaptionText", clInactiveCaptionText},
                                   {"clBtnHighlight", clBtnHighlight},
                                   {"cl3DDkShadow", cl3DDkShadow},
                                   {"cl3DLight", cl3DLight},
                                   {"clInfoText", clInfoText},
                                   {"clInfoBk", clInfoBk},
                                   {"clNone", clNone},
                                   {"clDefault", clDefault},
                                   // Accepted when read; written under the names above.
                                   {"clLtGray", clLtGray},
                                   {"clDkGray", clDkGray},
                               },
                               true);
    return map;
}

TColor ColorToRGB(TColor color) noexcept {
    static constexpr TColor kClassic[] = {
        RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    };
    if (color < 0) {
        const int index = color & 0xFF;
        return index < static_cast<int>(std::size(kClassic)) ? kClassic[index] : clBlack;
    }
    return color & 0xFFFFFF;
}

std::string ColorToString(TColor color) {
    return ColorIdents().ToText(color);
}

TColor StringToColor(std::string_view text) {
    if (const auto color = ColorIdents().FromText(text))
        return *color;
    throw EConvertError("'" + std::string(text) + "' is not a valid colour");
}

} // namespace vondrel
