#pragma once

#include "ui/SpinEdit.h"

namespace vondrel {

/// A spin edit that drops stray sign keys: when its text holds a "+" after the first
/// character, the last character is removed; the same for "-". OnChange fires only for
/// a text that is not blank.
class TKmSpinEdit : public TSpinEdit {
public:
    explicit TKmSpinEdit(TComponent* owner);

protected:
    void Change() override;

private:
    bool fixing_ = false;
};

} // namespace vondrel
