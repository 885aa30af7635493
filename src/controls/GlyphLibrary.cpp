#include "controls/GlyphLibrary.h"

#include "ui/Bitmap.h"

#include <vector>

namespace vondrel {

namespace {

TGlyphSource& Source() {
    static TGlyphSource source{&::GetMaxBmpID, &::LoadBmp};
    return source;
}

} // namespace

TGlyphSource SetGlyphSource(TGlyphSource source) {
    const TGlyphSource previous = Source();
    if (!source.GetMaxBmpID || !source.LoadBmp)
        source = TGlyphSource{&::GetMaxBmpID, &::LoadBmp};
    Source() = source;
    return previous;
}

int MaxGlyphNumber() {
    return Source().GetMaxBmpID();
}

bool LoadGlyph(int number, TBitmap& bitmap) {
    std::vector<uint32_t> pixels(32 * 32);
    VorlenBitmap raw{0, 0, pixels.data(), static_cast<int32_t>(pixels.size()), 0};
    if (!Source().LoadBmp(&raw, number)) {
        // A glyph larger than the first buffer: the library says how large it is.
        const long long needed = static_cast<long long>(raw.Width) * raw.Height;
        if (raw.Width <= 0 || raw.Height <= 0 || needed <= static_cast<long long>(pixels.size()) ||
            needed > 4096 * 4096)
            return false;
        pixels.assign(static_cast<std::size_t>(needed), 0);
        raw.Pixels = pixels.data();
        raw.Capacity = static_cast<int32_t>(needed);
        if (!Source().LoadBmp(&raw, number))
            return false;
    }
    if (raw.Width <= 0 || raw.Height <= 0)
        return false;
    TBitmap loaded(raw.Width, raw.Height);
    for (int y = 0; y < raw.Height; ++y)
        for (int x = 0; x < raw.Width; ++x)
            loaded.SetPixel(
                x, y, static_cast<TColor>(pixels[static_cast<std::size_t>(y) * raw.Width + x] & 0xFFFFFF));
    loaded.SetTransparentColor(static_cast<TColor>(raw.TransparentColor & 0xFFFFFF));
    bitmap.Assign(loaded);
    return true;
}

} // namespace vondrel
