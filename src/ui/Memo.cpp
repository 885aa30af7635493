#include "ui/Memo.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TScrollStyle>::Info() {
    static const TEnumInfo info("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TStringList>()) {
    static const TClassInfo& info = DescribeClass<TMemo>("TMemo", [](TClassBuilder<TMemo>& c) {
        c.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment);
        c.Property("Lines", &TMemo::Lines);
        c.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars);
        c.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
        c.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
        c.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
        c.Publish({"Align",      "BiDiMode",  "Color",       "Ctl3D",       "Enabled",    "Font",
                   "ImeName",    "MaxLength", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
                   "PopupMenu",  "ReadOnly",  "ShowHint",    "TabOrder",    "TabStop",    "Visible",
                   "OnChange",   "OnClick",   "OnDblClick",  "OnEnter",     "OnExit",     "OnKeyDown",
                   "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
    SetAutoSelect(false);
    SetBounds(0, 0, 185, 89);
    lines_->OnChange = [this](TObject*) {
        if (syncing_)
            return;
        std::string text = lines_->Text();
        if (text.size() >= 2)
            text.resize(text.size() - 2); // no line break after the last line
        syncing_ = true;
        SetText(text);
        syncing_ = false;
    };
}

void TMemo::TextChanged(TNotify notify) {
    if (!syncing_) {
        // Every line break starts a line, the last one included ("a\r\n" is two lines).
        const std::string text = Text();
        syncing_ = true;
        lines_->BeginUpdate();
        lines_->Clear();
        std::size_t start = 0;
        while (!text.empty()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) {
                lines_->Add(text.substr(start));
                break;
            }
            lines_->Add(text.substr(start, end - start));
            if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                ++end;
            start = end + 1;
            if (start == text.size()) {
                lines_->Add({});
                break;
            }
        }
        lines_->EndUpdate();
        syncing_ = false;
    }
    TCustomEdit::TextChanged(notify);
}

unsigned TMemo::DialogCode() const {
    unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (wantReturns_)
        code |= DLGC_WANTALLKEYS;
    if (wantTabs_)
        code |= DLGC_WANTTAB;
    return code;
}

TPoint TMemo::CaretPos() const {
    const std::u32string& text = Buffer().Text;
    TPoint position;
    for (int i = 0; i < Buffer().SelStart && i < static_cast<int>(text.size()); ++i) {
        if (text[static_cast<std::size_t>(i)] == U'\n') {
            ++position.Y;
            position.X = 0;
        } else if (text[static_cast<std::size_t>(i)] != U'\r') {
            ++position.X;
        }
    }
    return position;
}

void TMemo::SetCaretPos(TPoint position) {
    const std::u32string& text = Buffer().Text;
    int line = 0;
    int offset = 0;
    while (line < position.Y && offset < static_cast<int>(text.size())) {
        if (text[static_cast<std::size_t>(offset)] == U'\n')
            ++line;
        ++offset;
    }
    int column = 0;
    while (column < position.X && offset < static_cast<int>(text.size()) &&
           text[static_cast<std::size_t>(offset)] != U'\r' &&
           text[static_cast<std::size_t>(offset)] != U'\n') {
        ++offset;
        ++column;
    }
    Buffer().SetCaret(offset);
}

void TMemo::KeyPress(char32_t& key) {
    if (key == U'\r') {
        TWinControl::KeyPress(key);
        if (key == 0 || ReadOnly() || !wantReturns_)
            return;
        if (Buffer().Insert(U"\r\n", MaxLength()))
            CommitBuffer();
        return;
    }
    if (key == U'\t' && !wantTabs_)
        return;
    TCustomEdit::KeyPress(key);
}

} // namespace vondrel
