#include "ui/Types.h"

#include "platform/SysUtils.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TShiftStateFlag>::Info() {
    static const TEnumInfo info("TShiftStateFlag",
                                {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});
    return info;
}
const TEnumInfo& TEnumTraits<TAlign>::Info() {
    static const TEnumInfo info("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return info;
}
const TEnumInfo& TEnumTraits<TAlignment>::Info() {
    static const TEnumInfo info("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return info;
}
const TEnumInfo& TEnumTraits<TBiDiMode>::Info() {
    static const TEnumInfo info(
        "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return info;
}
const TEnumInfo& TEnumTraits<TTextLayout>::Info() {
    static const TEnumInfo info("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return info;
}

const TIdentMap& CursorIdents() {
    static const TIdentMap map(
        "TCursor", {{"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
                    {"crIBeam", -4},      {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
                    {"crSizeWE", -9},     {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},
                    {"crNoDrop", -13},    {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16},
                    {"crSQLWait", -17},   {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},
                    {"crHandPoint", -21}, {"crSizeAll", -22}});
    return map;
}

namespace {

struct NamedKey {
    const char* Name;
    Word Key;
};

constexpr NamedKey kNamedKeys[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},       {"Enter", VK_RETURN}, {"Shift", VK_SHIFT},
    {"Ctrl", VK_CONTROL},   {"Alt", VK_MENU},      {"Esc", VK_ESCAPE},   {"Space", VK_SPACE},
    {"PageUp", VK_PRIOR},   {"PageDown", VK_NEXT}, {"End", VK_END},      {"Home", VK_HOME},
    {"Left", VK_LEFT},      {"Up", VK_UP},         {"Right", VK_RIGHT},  {"Down", VK_DOWN},
    {"Insert", VK_INSERT},  {"Delete", VK_DELETE},
};

struct OemKey {
    Word Key;
    char Plain;
    char Shifted;
};

constexpr OemKey kOemKeys[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

} // namespace

std::string KeyName(Word key) {
    for (const NamedKey& named : kNamedKeys)
        if (named.Key == key)
            return named.Name;
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    return "#" + std::to_string(key);
}

Word KeyByName(std::string_view name) {
    for (const NamedKey& named : kNamedKeys)
        if (SameText(named.Name, name))
            return named.Key;
    if (SameText(name, "Escape"))
        return VK_ESCAPE;
    if (SameText(name, "Return"))
        return VK_RETURN;
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f'))
        if (const auto n = TryStrToInt(name.substr(1)); n && *n >= 1 && *n <= 12)
            return static_cast<Word>(VK_F1 + *n - 1);
    if (name.size() == 1) {
        const char c = UpperCase(name)[0];
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<Word>(c);
    }
    if (name.size() > 1 && name[0] == '#')
        if (const auto n = TryStrToInt(name.substr(1)); n && *n > 0 && *n < 256)
            return static_cast<Word>(*n);
    return 0;
}

char32_t KeyToChar(Word key, TShiftState shift) {
    if (shift.Contains(ssAlt))
        return 0;
    const bool shifted = shift.Contains(ssShift);
    if (key >= 'A' && key <= 'Z') {
        if (shift.Contains(ssCtrl))
            return static_cast<char32_t>(key - 'A' + 1);
        return static_cast<char32_t>(shifted ? key : key + 32);
    }
    if (shift.Contains(ssCtrl))
        return 0;
    if (key >= '0' && key <= '9')
        return static_cast<char32_t>(shifted ? kShiftedDigits[key - '0'] : key);
    for (const OemKey& oem : kOemKeys)
        if (oem.Key == key)
            return static_cast<char32_t>(shifted ? oem.Shifted : oem.Plain);
    switch (key) {
    case VK_SPACE:
        return U' ';
    case VK_RETURN:
        return U'\r';
    case VK_ESCAPE:
        return 27;
    case VK_BACK:
        return 8;
    case VK_TAB:
        return U'\t';
    default:
        return 0;
    }
}

std::pair<Word, TShiftState> CharToKey(char32_t ch) {
    if (ch >= 'a' && ch <= 'z')
        return {static_cast<Word>(ch - 32), {}};
    if (ch >= 'A' && ch <= 'Z')
        return {static_cast<Word>(ch), {ssShift}};
    if (ch >= '0' && ch <= '9')
        return {static_cast<Word>(ch), {}};
    for (int i = 0; i < 10; ++i)
        if (static_cast<char32_t>(kShiftedDigits[i]) == ch)
            return {static_cast<Word>('0' + i), {ssShift}};
    for (const OemKey& oem : kOemKeys) {
        if (static_cast<char32_t>(oem.Plain) == ch)
            return {oem.Key, {}};
        if (static_cast<char32_t>(oem.Shifted) == ch)
            return {oem.Key, {ssShift}};
    }
    switch (ch) {
    case U' ':
        return {VK_SPACE, {}};
    case U'\r':
    case U'\n':
        return {VK_RETURN, {}};
    case U'\t':
        return {VK_TAB, {}};
    case 8:
        return {VK_BACK, {}};
    case 27:
        return {VK_ESCAPE, {}};
    default:
        return {0, {}};
    }
}

} // namespace vondrel
