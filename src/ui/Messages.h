#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace vondrel {

class TWinControl;

/// Windows are known by number; a handle is created for a window when first asked for
/// and stays unique for the life of the program.
using HWND = std::intptr_t;
using UINT = unsigned;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_USER = 0x0400;
/// Messages of the class library itself.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TMessageHandler = std::function<void(TMessage& message)>;

/// Gives a control its handle (done by TWinControl::Handle).
HWND AllocateWindowHandle(TWinControl* control);
/// A window that is not a control (the shell's own window, a helper window): messages sent
/// or posted to the handle go to the handler.
HWND AllocateHWnd(TMessageHandler handler);
void DeallocateHWnd(HWND window);
/// Forgets a handle; messages still queued for it are dropped.
void ReleaseWindowHandle(HWND window);
/// The control a handle belongs to, or nullptr.
TWinControl* FindControl(HWND window) noexcept;
bool IsWindow(HWND window) noexcept;

/// Handles the message at once and returns its result (0 for an unknown window).
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
/// Queues the message; it is handled when pending messages are processed. False when the
/// window does not exist.
bool PostMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
/// Handles the queued messages in order, also those posted meanwhile; returns how many.
int DispatchPostedMessages();
std::size_t PendingMessageCount() noexcept;

} // namespace vondrel
