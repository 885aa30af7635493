#pragma once

#include "ui/Colors.h"
#include "ui/Object.h"
#include "ui/Types.h"

#include <optional>
#include <vector>

namespace vondrel {

enum TTransparentMode { tmAuto, tmFixed };
template <>
struct TEnumTraits<TTransparentMode> {
    static const TEnumInfo& Info();
};

/// A bitmap held as an array of RGB pixels ($00BBGGRR), row after row from the top.
/// Glyphs of buttons and check boxes are bitmaps; their drawing rules work on these
/// pixels. The transparent colour is the bottom-left pixel's unless fixed.
class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height, TColor fill = clWhite);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
    void SetWidth(int width);
    void SetHeight(int height);
    /// New dimensions; the pixels inside both keep their colour, new ones are white.
    void SetSize(int width, int height);
    /// No pixels at all.
    void Clear();

    TColor Pixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, TColor color);
    const std::vector<TColor>& Pixels() const noexcept { return pixels_; }

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    TTransparentMode TransparentMode() const noexcept { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    TColor TransparentColor() const noexcept;
    /// Fixes the transparent colour (TransparentMode becomes tmFixed).
    void SetTransparentColor(TColor color);

    /// Fills a rectangle (clipped to the bitmap) with a colour.
    void FillRect(const TRect& rect, TColor color);
    /// Copies a part of another bitmap to (x, y); with a transparent colour, pixels of
    /// that colour are left out.
    void CopyFrom(const TBitmap& source, const TRect& sourceRect, int x, int y,
                  std::optional<TColor> transparentColor = std::nullopt);

    void Assign(const TPersistent& source) override;
    bool SameAs(const TBitmap& other) const noexcept;

    TNotifyEvent OnChange;

private:
    void Changed();

    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> pixels_;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};

} // namespace vondrel
