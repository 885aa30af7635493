#include "ui/Bitmap.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TTransparentMode>::Info() {
    static const TEnumInfo info("TTransparentMode", {"tmAuto", "tmFixed"});
    return info;
}

TBitmap::TBitmap() {
    static const TClassInfo& info = DescribeClass<TBitmap>("TBitmap", [](TClassBuilder<TBitmap>& c) {
        c.Property("Height", &TBitmap::Height, &TBitmap::SetHeight);
        c.Property("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
        c.Property("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor,
                   ColorIdents());
        c.Property("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode);
        c.Property("Width", &TBitmap::Width, &TBitmap::SetWidth);
    });
    SetClass(info);
}

TBitmap::TBitmap(int width, int height, TColor fill) : TBitmap() {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, ColorToRGB(fill));
}

void TBitmap::SetWidth(int width) {
    SetSize(width, height_);
}

void TBitmap::SetHeight(int height) {
    SetSize(width_, height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    std::vector<TColor> pixels(static_cast<std::size_t>(width) * height, clWhite);
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                pixels_[static_cast<std::size_t>(y) * width_ + x];
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
    Changed();
}

void TBitmap::Clear() {
    SetSize(0, 0);
}

TColor TBitmap::Pixel(int x, int y) const noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return clNone;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = ColorToRGB(color);
    Changed();
}

void TBitmap::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const noexcept {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return ColorToRGB(transparentColor_);
    return Empty() ? clDefault : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::FillRect(const TRect& rect, TColor color) {
    const TColor rgb = ColorToRGB(color);
    for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, height_); ++y)
        for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, width_); ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb;
    Changed();
}

void TBitmap::CopyFrom(const TBitmap& source, const TRect& sourceRect, int x, int y,
                       std::optional<TColor> transparentColor) {
    for (int sy = sourceRect.Top; sy < sourceRect.Bottom; ++sy)
        for (int sx = sourceRect.Left; sx < sourceRect.Right; ++sx) {
            const int dx = x + sx - sourceRect.Left;
            const int dy = y + sy - sourceRect.Top;
            if (sx < 0 || sy < 0 || sx >= source.width_ || sy >= source.height_ || dx < 0 || dy < 0 ||
                dx >= width_ || dy >= height_)
                continue;
            const TColor color = source.pixels_[static_cast<std::size_t>(sy) * source.width_ + sx];
            if (transparentColor && color == ColorToRGB(*transparentColor))
                continue;
            pixels_[static_cast<std::size_t>(dy) * width_ + dx] = color;
        }
    Changed();
}

void TBitmap::Assign(const TPersistent& source) {
    const auto* bitmap = dynamic_cast<const TBitmap*>(&source);
    if (!bitmap) {
        TPersistent::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    width_ = bitmap->width_;
    height_ = bitmap->height_;
    pixels_ = bitmap->pixels_;
    transparent_ = bitmap->transparent_;
    transparentMode_ = bitmap->transparentMode_;
    transparentColor_ = bitmap->transparentColor_;
    Changed();
}

bool TBitmap::SameAs(const TBitmap& other) const noexcept {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

void TBitmap::Changed() {
    OnChange(this);
}

} // namespace vondrel
