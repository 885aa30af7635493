#include "ui/ButtonGlyph.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TButtonState>::Info() {
    static const TEnumInfo info("TButtonState", {"bsUp", "bsDisabled", "bsDown", "bsExclusive"});
    return info;
}
const TEnumInfo& TEnumTraits<TButtonLayout>::Info() {
    static const TEnumInfo info("TButtonLayout",
                                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
    return info;
}

TGlyphImage GlyphImageFor(const TBitmap& glyph, int numGlyphs, TButtonState state) {
    const int count = std::clamp(numGlyphs, 1, 4);
    TGlyphImage image;
    switch (state) {
    case bsUp:
        image.Index = 0;
        break;
    case bsDisabled:
        image.Index = count >= 2 ? 1 : 0;
        image.PlatformGreyed = count < 2;
        break;
    case bsDown:
        image.Index = count >= 3 ? 2 : 0;
        break;
    case bsExclusive:
        image.Index = count >= 4 ? 3 : count >= 3 ? 2 : 0;
        break;
    }
    const int width = glyph.Width() / count;
    image.Source = Bounds(image.Index * width, 0, width, glyph.Height());
    return image;
}

int GlyphCountOf(const TBitmap& glyph) noexcept {
    if (glyph.Height() <= 0 || glyph.Width() % glyph.Height() != 0)
        return 0;
    const int count = glyph.Width() / glyph.Height();
    return count >= 1 && count <= 4 ? count : 1;
}

} // namespace vondrel
