#pragma once

#include "ui/Collection.h"
#include "ui/WinControl.h"

#include <memory>
#include <string>

namespace vondrel {

/// One panel of a status bar: its text, width and alignment.
class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* collection);

    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);
    int Width() const noexcept { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment alignment);

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TStatusPanels : public TCollection {
public:
    TStatusPanels();
    TStatusPanel* Add();
    TStatusPanel* Items(int index) const noexcept { return static_cast<TStatusPanel*>(Item(index)); }
};

/// A bar along the bottom of a form showing texts in panels, or one simple text.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const noexcept { return panels_.get(); }
    bool SimplePanel() const noexcept { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const noexcept { return simpleText_; }
    void SetSimpleText(const std::string& text);

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
};

} // namespace vondrel
