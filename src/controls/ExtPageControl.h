#pragma once

#include "ui/PageControl.h"

namespace vondrel {

/// How a tab of an ExtPageControl looks when OnDrawTab does not draw it.
struct TTabLook {
    TRect Rect; ///< the area filled (the active tab inset by 2 pixels)
    TColor Back = clNone;
    TColor TextColor = clNone;
    bool Bold = false;
    int TextOffset = 0; ///< inactive tabs' text sits 2 pixels lower
    std::string Text;   ///< the caption of the page the tab shows
};

/// A page control with drawn tabs: OnDrawTab draws them when assigned; otherwise the
/// active tab shows its caption in bold caption-text colour on the active-caption colour,
/// inactive tabs in the inactive colours.
class TExtPageControl : public TPageControl {
public:
    explicit TExtPageControl(TComponent* owner);

    TTabLook TabLook(int tabIndex, const TRect& rect, bool active) const;

protected:
    void DrawTabDefault(TCanvas& canvas, int tabIndex, const TRect& rect, bool active) override;
};

} // namespace vondrel
