#pragma once

#include "ui/Bitmap.h"
#include "ui/Component.h"

#include <memory>
#include <vector>

namespace vondrel {

/// Images of one size, reached by index (list-view icons, tool-button images).
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);

    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    int Height() const noexcept { return height_; }
    void SetHeight(int value);
    int Count() const noexcept { return static_cast<int>(images_.size()); }

    /// Adds the images of a bitmap (as many as fit side by side); returns the index of the
    /// first one, -1 when the bitmap holds none.
    int Add(const TBitmap& bitmap);
    /// The image at the index into the bitmap; false outside the range.
    bool GetBitmap(int index, TBitmap& bitmap) const;
    void Delete(int index);
    void Clear();

    TNotifyEvent OnChange;

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<std::unique_ptr<TBitmap>> images_;
};

} // namespace vondrel
