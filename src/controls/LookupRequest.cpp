#include "controls/LookupRequest.h"

#include "ui/Form.h"

namespace vondrel {

void SendLookupRequest(const TControl& sender, TWinControl& edit) {
    TForm* form = GetParentForm(&sender);
    for (const TComponent* owner = sender.Owner(); !form && owner; owner = owner->Owner())
        form = dynamic_cast<TForm*>(const_cast<TComponent*>(owner));
    if (form)
        form->Perform(WM_LOOKUPREQUEST, 0, edit.Handle());
}

TWinControl* LookupRequestControl(const TMessage& message) noexcept {
    return message.Msg == WM_LOOKUPREQUEST ? FindControl(message.LParam) : nullptr;
}

} // namespace vondrel
