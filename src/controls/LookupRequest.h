#pragma once

#include "ui/Messages.h"

namespace vondrel {

class TControl;
class TWinControl;

/// The message a form receives when an F2 button asks it to open the lookup window for
/// an edit; LParam is the edit's window handle.
inline constexpr UINT WM_LOOKUPREQUEST = WM_USER + 10;

/// Sends the lookup request for the edit to the form the sender is on (or, without a
/// parent form, the form that owns the sender). Nothing when there is no such form.
void SendLookupRequest(const TControl& sender, TWinControl& edit);
/// The control a lookup request names, or nullptr.
TWinControl* LookupRequestControl(const TMessage& message) noexcept;

} // namespace vondrel
