#pragma once

#include "ui/SpeedButton.h"

namespace vondrel {

/// A speed button whose glyph comes from the glyph library by number. Setting a new
/// GlyphIndex shows the number as the caption; a number the library has replaces the
/// caption by the glyph, 0 or a number beyond the library's clears the glyph. A glyph
/// the library fails to deliver is reported ("读取 BMP 发生错误") and the button keeps
/// the glyph it had.
class TGSpeedButton : public TSpeedButton {
public:
    explicit TGSpeedButton(TComponent* owner);

    int GlyphIndex() const noexcept { return glyphIndex_; }
    void SetGlyphIndex(int index);
    /// Kept for the forms that set it; nothing depends on it.
    int HintIndex() const noexcept { return hintIndex_; }
    void SetHintIndex(int index) noexcept { hintIndex_ = index; }

private:
    int glyphIndex_ = 0;
    int hintIndex_ = 0;
};

inline constexpr const char* kGlyphLoadError = "读取 BMP 发生错误";

} // namespace vondrel
