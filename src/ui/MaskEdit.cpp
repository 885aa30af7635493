#include "ui/MaskEdit.h"

#include "ui/Application.h"
#include "ui/Errors.h"

namespace vondrel {

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {
    static const TClassInfo& info =
        DescribeClass<TCustomMaskEdit>("TCustomMaskEdit", [](TClassBuilder<TCustomMaskEdit>& c) {
            c.Declared("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
            c.Declared("Text", &TCustomMaskEdit::Text, &TCustomMaskEdit::SetText);
        });
    SetClass(info);
}

void TCustomMaskEdit::SetEditMask(const std::string& mask, TNotify notify) {
    if (mask == mask_.Source())
        return;
    const std::u32string entered = IsMasked() ? mask_.Unformat(ToChars(EditText())) : ToChars(EditText());
    mask_ = TEditMask(mask);
    SetMaxLength(IsMasked() ? mask_.Length() : 0);
    if (IsMasked())
        SetEditText(FromChars(mask_.Format(entered, mask_.Blank())), notify);
    else
        SetEditText(FromChars(entered), notify);
}

void TCustomMaskEdit::SetEditText(const std::string& text, TNotify notify) {
    TCustomEdit::SetText(text, notify);
}

std::string TCustomMaskEdit::Text() const {
    if (!IsMasked())
        return EditText();
    std::u32string text = mask_.Unformat(ToChars(EditText()));
    if (mask_.SaveLiterals())
        text = mask_.Format(text, U' ');
    return FromChars(text);
}

void TCustomMaskEdit::SetText(const std::string& text, TNotify notify) {
    if (!IsMasked()) {
        TCustomEdit::SetText(text, notify);
        return;
    }
    const std::u32string chars = ToChars(text);
    const std::u32string edit =
        mask_.SaveLiterals() ? mask_.PadInput(chars, mask_.Blank()) : mask_.Format(chars, mask_.Blank());
    SetEditText(FromChars(edit), notify);
}

bool TCustomMaskEdit::ValidateEdit() const {
    int position = 0;
    return !IsMasked() || mask_.Validate(ToChars(EditText()), position);
}

void TCustomMaskEdit::Reset() {
    if (EditText() != valueOnEnter_) {
        SetEditText(valueOnEnter_);
        SetModified(false);
    }
}

bool TCustomMaskEdit::WantSpecialKey(Word key) const {
    return key == VK_ESCAPE && IsMasked() && Modified();
}

void TCustomMaskEdit::DoEnter() {
    valueOnEnter_ = EditText();
    SetModified(false);
    TCustomEdit::DoEnter();
    if (IsMasked() && SelLength() == 0) {
        const int first = mask_.NextEditable(0);
        SetSelStart(first < 0 ? 0 : first);
    }
}

void TCustomMaskEdit::DoExit() {
    if (!Destroying() && !ValidateEdit()) {
        // The field keeps the focus and the user hears why; OnExit does not run.
        SetFocus();
        Application().HandleException(
            EDBEditError("Invalid input value.  Use escape key to abandon changes"));
        return;
    }
    TCustomEdit::DoExit();
}

void TCustomMaskEdit::UserCaretToEnd() {
    if (!IsMasked()) {
        TCustomEdit::UserCaretToEnd();
        return;
    }
    // Behind the last character entered: the next position to fill.
    const std::u32string& text = Buffer().Text;
    int end = 0;
    for (int i = 0; i < mask_.Length() && i < static_cast<int>(text.size()); ++i)
        if (mask_.IsEditable(i) && text[static_cast<std::size_t>(i)] != mask_.Blank() &&
            text[static_cast<std::size_t>(i)] != U' ')
            end = i + 1;
    const int next = mask_.NextEditable(end);
    SetSelStart(next < 0 ? mask_.Length() : next);
}

void TCustomMaskEdit::ClearSelectionMasked() {
    TEditBuffer& buffer = Buffer();
    for (int i = buffer.SelStart; i < buffer.SelStart + buffer.SelLength && i < mask_.Length(); ++i)
        if (mask_.IsEditable(i))
            buffer.Text[static_cast<std::size_t>(i)] = mask_.Blank();
    buffer.SelLength = 0;
}

void TCustomMaskEdit::FitBufferToMask() {
    // An edit text set from outside (or put back by Esc after the mask changed) may be
    // shorter or longer than the mask: editing works position by position on the mask.
    TEditBuffer& buffer = Buffer();
    if (static_cast<int>(buffer.Text.size()) != mask_.Length())
        buffer.Text = mask_.Format(mask_.Unformat(buffer.Text), mask_.Blank());
}

void TCustomMaskEdit::TypeMasked(char32_t key) {
    TEditBuffer& buffer = Buffer();
    const std::u32string original = buffer.Text;
    FitBufferToMask();
    const std::u32string before = buffer.Text;
    if (buffer.SelLength > 0)
        ClearSelectionMasked();
    const int caret = buffer.SelStart;
    const int position = mask_.NextEditable(caret);
    char32_t typed = key;
    if (position >= 0 && mask_.Accepts(position, typed)) {
        buffer.Text[static_cast<std::size_t>(position)] = typed;
        const int next = mask_.NextEditable(position + 1);
        buffer.SetCaret(next < 0 ? position + 1 : next);
    } else if (caret < mask_.Length() && !mask_.IsEditable(caret) && mask_.LiteralAt(caret) == key) {
        // The separator typed where the caret sits on it moves past it; anywhere else
        // a character the mask refuses is dropped.
        const int next = mask_.NextEditable(caret + 1);
        buffer.SetCaret(next < 0 ? caret + 1 : next);
    }
    if (buffer.Text != original)
        CommitBuffer();
}

void TCustomMaskEdit::KeyPress(char32_t& key) {
    if (!IsMasked()) {
        TCustomEdit::KeyPress(key);
        return;
    }
    TWinControl::KeyPress(key);
    if (key == 0)
        return;
    if (key == 27) {
        Reset();
        key = 0;
        return;
    }
    if (ReadOnly())
        return;
    TEditBuffer& buffer = Buffer();
    if (key == 8) {
        const std::u32string before = buffer.Text;
        FitBufferToMask();
        if (buffer.SelLength > 0) {
            ClearSelectionMasked();
        } else {
            const int position = mask_.PreviousEditable(buffer.SelStart - 1);
            if (position >= 0) {
                buffer.Text[static_cast<std::size_t>(position)] = mask_.Blank();
                buffer.SetCaret(position);
            }
        }
        if (buffer.Text != before)
            CommitBuffer();
    } else if (key >= 32) {
        TypeMasked(ApplyCharCase(key));
    }
}

void TCustomMaskEdit::KeyDown(Word& key, TShiftState shift) {
    if (!IsMasked() || key != VK_DELETE) {
        TCustomEdit::KeyDown(key, shift);
        return;
    }
    TWinControl::KeyDown(key, shift);
    if (key == 0 || ReadOnly())
        return;
    TEditBuffer& buffer = Buffer();
    const std::u32string before = buffer.Text;
    FitBufferToMask();
    if (buffer.SelLength > 0) {
        ClearSelectionMasked();
    } else {
        const int position = mask_.NextEditable(buffer.SelStart);
        if (position >= 0)
            buffer.Text[static_cast<std::size_t>(position)] = mask_.Blank();
    }
    if (buffer.Text != before)
        CommitBuffer();
}

TMaskEdit::TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    static const TClassInfo& info = DescribeClass<TMaskEdit>("TMaskEdit", [](TClassBuilder<TMaskEdit>& c) {
        c.Publish({"Align",       "AutoSelect", "BiDiMode",       "CharCase",  "Color",      "Ctl3D",
                   "EditMask",    "Enabled",    "Font",           "ImeName",   "MaxLength",  "ParentColor",
                   "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ReadOnly",   "ShowHint",
                   "TabOrder",    "TabStop",    "Text",           "Visible",   "OnChange",   "OnClick",
                   "OnDblClick",  "OnEnter",    "OnExit",         "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
}

} // namespace vondrel
