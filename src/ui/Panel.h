#pragma once

#include "ui/WinControl.h"

namespace vondrel {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNoBorder, bsSingleBorder };
template <>
struct TEnumTraits<TBevelCut> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TBorderStyle> {
    static const TEnumInfo& Info();
};

/// A container with bevels and an optional caption; aligned children share its inside.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const noexcept { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const noexcept { return borderWidth_; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    void Paint(TCanvas& canvas) override;
    bool UserTakesFocusOnClick() const override { return false; }

protected:
    void AdjustClientRect(TRect& rect) const override;

private:
    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNoBorder;
};

/// A frame with a caption around related controls.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    void Paint(TCanvas& canvas) override;
    bool UserTakesFocusOnClick() const override { return false; }

protected:
    void AdjustClientRect(TRect& rect) const override;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
template <>
struct TEnumTraits<TResizeStyle> {
    static const TEnumInfo& Info();
};

/// A bar between aligned controls that the user drags to resize them.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const noexcept { return minSize_; }
    void SetMinSize(int value) noexcept { minSize_ = value; }
    bool Beveled() const noexcept { return beveled_; }
    void SetBeveled(bool value) noexcept { beveled_ = value; }
    TResizeStyle ResizeStyle() const noexcept { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) noexcept { resizeStyle_ = value; }

    TNotifyEvent OnMoved;

private:
    int minSize_ = 30;
    bool beveled_ = false;
    TResizeStyle resizeStyle_ = rsPattern;
};

} // namespace vondrel
