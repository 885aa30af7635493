#pragma once

#include "ui/Bitmap.h"

namespace vondrel {

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
template <>
struct TEnumTraits<TButtonState> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TButtonLayout> {
    static const TEnumInfo& Info();
};

/// The image of a button glyph shown in a state: a glyph holds NumGlyphs images side by
/// side (up, disabled, down, exclusive). A state without an image of its own shows the
/// up image; a disabled button with a single image shows it greyed by the platform.
struct TGlyphImage {
    int Index = 0;
    TRect Source;
    bool PlatformGreyed = false;
};
TGlyphImage GlyphImageFor(const TBitmap& glyph, int numGlyphs, TButtonState state);

/// The number of images a newly assigned glyph holds when its width is a whole multiple
/// of its height (1 to 4), or 0 when that says nothing.
int GlyphCountOf(const TBitmap& glyph) noexcept;

} // namespace vondrel
