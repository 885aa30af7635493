#include "ui/ImageList.h"

#include "ui/Errors.h"

namespace vondrel {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass<TImageList>("TImageList", [](TClassBuilder<TImageList>& c) {
        c.Property("Height", &TImageList::Height, &TImageList::SetHeight);
        c.Property("Width", &TImageList::Width, &TImageList::SetWidth);
        c.Event("OnChange", &TImageList::OnChange);
    });
    SetClass(info);
}

void TImageList::SetWidth(int value) {
    if (value == width_ || value <= 0)
        return;
    width_ = value;
    Clear();
}

void TImageList::SetHeight(int value) {
    if (value == height_ || value <= 0)
        return;
    height_ = value;
    Clear();
}

int TImageList::Add(const TBitmap& bitmap) {
    const int count = bitmap.Width() / width_;
    if (count <= 0)
        return -1;
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        TBitmap& image = *images_.emplace_back(std::make_unique<TBitmap>(width_, height_));
        image.CopyFrom(bitmap, Bounds(i * width_, 0, width_, height_), 0, 0);
        image.SetTransparentColor(bitmap.TransparentColor());
    }
    OnChange(this);
    return first;
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count())
        return false;
    bitmap.Assign(*images_[static_cast<std::size_t>(index)]);
    return true;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    images_.erase(images_.begin() + index);
    OnChange(this);
}

void TImageList::Clear() {
    if (images_.empty())
        return;
    images_.clear();
    OnChange(this);
}

} // namespace vondrel
