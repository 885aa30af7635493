#pragma once

#include "ui/TypeInfo.h"

#include <algorithm>
#include <cstdint>

namespace vondrel {

using Word = std::uint16_t;

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A rectangle from its left-top corner to (not including) its right-bottom corner.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const noexcept { return Right - Left; }
    int Height() const noexcept { return Bottom - Top; }
    bool Contains(TPoint p) const noexcept {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    /// Grown by dx and dy on every side (shrunk for negative values).
    TRect Inflated(int dx, int dy) const noexcept { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    TRect Offset(int dx, int dy) const noexcept { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) noexcept {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) noexcept {
    return {left, top, left + width, top + height};
}

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TTextLayout { tlTop, tlCenter, tlBottom };

template <>
struct TEnumTraits<TShiftStateFlag> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TAlign> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TAlignment> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TBiDiMode> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TTextLayout> {
    static const TEnumInfo& Info();
};

/// The result a modal form or dialog ends with.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

/// Mouse cursors: crDefault and the other standard names.
using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;
const TIdentMap& CursorIdents();

// Virtual key codes; letters and digits are their upper-case characters.
inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_F1 = 0x70;
inline constexpr Word VK_F2 = 0x71;
inline constexpr Word VK_F3 = 0x72;
inline constexpr Word VK_F4 = 0x73;
inline constexpr Word VK_F5 = 0x74;
inline constexpr Word VK_F6 = 0x75;
inline constexpr Word VK_F7 = 0x76;
inline constexpr Word VK_F8 = 0x77;
inline constexpr Word VK_F9 = 0x78;
inline constexpr Word VK_F10 = 0x79;
inline constexpr Word VK_F11 = 0x7A;
inline constexpr Word VK_F12 = 0x7B;
inline constexpr Word VK_OEM_1 = 0xBA;      // ;:
inline constexpr Word VK_OEM_PLUS = 0xBB;   // =+
inline constexpr Word VK_OEM_COMMA = 0xBC;  // ,<
inline constexpr Word VK_OEM_MINUS = 0xBD;  // -_
inline constexpr Word VK_OEM_PERIOD = 0xBE; // .>
inline constexpr Word VK_OEM_2 = 0xBF;      // /?

/// The key name for scripts and records ("F2", "Enter", "A"); "#<code>" for others.
std::string KeyName(Word key);
/// A key by its name (as KeyName gives it, any case); 0 when unknown.
Word KeyByName(std::string_view name);
/// The character a key gives with the shift state on a US keyboard; 0 for none.
char32_t KeyToChar(Word key, TShiftState shift);
/// The key and shift state that type a character; key 0 when no key types it directly
/// (characters that come from an input method).
std::pair<Word, TShiftState> CharToKey(char32_t ch);

} // namespace vondrel
