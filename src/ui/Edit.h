#pragma once

#include "ui/TextEditing.h"
#include "ui/WinControl.h"

namespace vondrel {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
template <>
struct TEnumTraits<TEditCharCase> {
    static const TEnumInfo& Info();
};

/// A one-line text field. Typing goes through OnKeyPress, then into the text at the
/// caret; every change of the text fires OnChange. MaxLength counts the code-page width
/// (two for a Chinese character) and limits typing, not text set from code.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool value) noexcept { readOnly_ = value; }
    bool AutoSelect() const noexcept { return autoSelect_; }
    void SetAutoSelect(bool value) noexcept { autoSelect_ = value; }
    TEditCharCase CharCase() const noexcept { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool Modified() const noexcept { return modified_; }
    void SetModified(bool value) noexcept { modified_ = value; }
    const std::string& ImeName() const noexcept { return imeName_; }
    void SetImeName(const std::string& name) { imeName_ = name; }

    int SelStart() const noexcept { return buffer_.SelStart; }
    void SetSelStart(int position) noexcept { buffer_.SetCaret(position); }
    int SelLength() const noexcept { return buffer_.SelLength; }
    void SetSelLength(int length) noexcept;
    std::string SelText() const;
    void SelectAll() noexcept { buffer_.SelectAll(); }
    void Clear() { SetText({}); }

    std::string Text() const override { return TWinControl::Text(); }
    void SetText(const std::string& text, TNotify notify = TNotify::Yes) override;

    TNotifyEvent OnChange;

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    TUserResult UserCanType() const override;
    void UserSelectAll() override { SelectAll(); }
    void UserCaretToEnd() override { SetSelStart(static_cast<int>(buffer_.Text.size())); }

protected:
    /// Fires OnChange.
    virtual void Change();
    void TextChanged(TNotify notify) override;
    /// Puts the edited text back after a key changed it.
    void CommitBuffer();
    TEditBuffer& Buffer() noexcept { return buffer_; }
    const TEditBuffer& Buffer() const noexcept { return buffer_; }
    char32_t ApplyCharCase(char32_t key) const noexcept;

private:
    TEditBuffer buffer_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    TEditCharCase charCase_ = ecNormal;
    bool modified_ = false;
    bool committing_ = false;
    std::string imeName_;
};

/// The platform's edit control.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
};

} // namespace vondrel
