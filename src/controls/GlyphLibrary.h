#pragma once

#include <vondrel/Vorlen.h>

namespace vondrel {

class TBitmap;

/// The entry points of the glyph library. The program is linked against the library;
/// a test may install other entry points to see how its users handle a failure.
struct TGlyphSource {
    int32_t (*GetMaxBmpID)() = nullptr;
    int32_t (*LoadBmp)(VorlenBitmap* bitmap, int32_t number) = nullptr;
};

/// Installs entry points (an empty source restores the library's); returns the previous.
TGlyphSource SetGlyphSource(TGlyphSource source);

/// The highest glyph number available.
int MaxGlyphNumber();
/// Loads a glyph into the bitmap (its transparent colour fixed); false when the library
/// cannot deliver it. The bitmap is left alone on failure.
bool LoadGlyph(int number, TBitmap& bitmap);

} // namespace vondrel
