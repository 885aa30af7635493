#pragma once

#include "ui/Edit.h"
#include "ui/Strings.h"

namespace vondrel {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
template <>
struct TEnumTraits<TScrollStyle> {
    static const TEnumInfo& Info();
};

/// A multi-line text field. Lines and Text are two views of the same content (lines
/// joined by carriage return and line feed); Enter types a line break when WantReturns.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);

    TStrings* Lines() const noexcept { return lines_.get(); }
    bool WantReturns() const noexcept { return wantReturns_; }
    void SetWantReturns(bool value) noexcept { wantReturns_ = value; }
    bool WantTabs() const noexcept { return wantTabs_; }
    void SetWantTabs(bool value) noexcept { wantTabs_ = value; }
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value) noexcept { wordWrap_ = value; }
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle value) noexcept { scrollBars_ = value; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value) noexcept { alignment_ = value; }

    /// The caret as (column, line), both from 0.
    TPoint CaretPos() const;
    void SetCaretPos(TPoint position);

    unsigned DialogCode() const override;
    void KeyPress(char32_t& key) override;

protected:
    void TextChanged(TNotify notify) override;

private:
    std::unique_ptr<TStringList> lines_;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    TAlignment alignment_ = taLeftJustify;
    bool syncing_ = false;
};

} // namespace vondrel
