#include "controls/KmSpinEdit.h"

#include "ui/TextEditing.h"

#include "platform/SysUtils.h"

namespace vondrel {

TKmSpinEdit::TKmSpinEdit(TComponent* owner) : TSpinEdit(owner) {
    static const TClassInfo& info = DescribeClass("TKmSpinEdit");
    SetClass(info);
}

void TKmSpinEdit::Change() {
    if (fixing_)
        return;
    fixing_ = true;
    for (const char sign : {'+', '-'}) {
        const std::string text = Text();
        if (text.find(sign, 1) == std::string::npos)
            continue;
        std::u32string chars = ToChars(text);
        chars.pop_back();
        SetText(FromChars(chars), TNotify::No);
        SetSelStart(static_cast<int>(chars.size()));
    }
    fixing_ = false;
    if (!Trim(Text()).empty())
        TSpinEdit::Change();
}

} // namespace vondrel
