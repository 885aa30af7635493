#include "ui/Messages.h"

#include "ui/WinControl.h"

#include <cassert>
#include <deque>
#include <map>

namespace vondrel {

namespace {

struct Window {
    TWinControl* Control = nullptr;
    TMessageHandler Handler;
};

struct PostedMessage {
    HWND Target;
    TMessage Message;
};

struct WindowTable {
    std::map<HWND, Window> Windows;
    std::deque<PostedMessage> Queue;
    // Handles look like the platform's: even numbers, well above zero, so that a shell
    // keeping the "below 33 means failure" habit never mistakes one.
    HWND Next = 0x10000;
};

WindowTable& Table() {
    static WindowTable table;
    return table;
}

HWND NewHandle() {
    WindowTable& table = Table();
    const HWND handle = table.Next;
    table.Next += 4;
    return handle;
}

} // namespace

HWND AllocateWindowHandle(TWinControl* control) {
    const HWND handle = NewHandle();
    Table().Windows[handle] = Window{control, {}};
    return handle;
}

HWND AllocateHWnd(TMessageHandler handler) {
    const HWND handle = NewHandle();
    Table().Windows[handle] = Window{nullptr, std::move(handler)};
    return handle;
}

void DeallocateHWnd(HWND window) {
    ReleaseWindowHandle(window);
}

void ReleaseWindowHandle(HWND window) {
    Table().Windows.erase(window);
}

TWinControl* FindControl(HWND window) noexcept {
    const auto& windows = Table().Windows;
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : found->second.Control;
}

bool IsWindow(HWND window) noexcept {
    return Table().Windows.count(window) != 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& windows = Table().Windows;
    const auto found = windows.find(window);
    if (found == windows.end())
        return 0;
    if (found->second.Control)
        return found->second.Control->Perform(message, wParam, lParam);
    const TMessageHandler handler = found->second.Handler;
    TMessage m{message, wParam, lParam, 0};
    if (handler)
        handler(m);
    return m.Result;
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window))
        return false;
    Table().Queue.push_back(PostedMessage{window, TMessage{message, wParam, lParam, 0}});
    return true;
}

int DispatchPostedMessages() {
    // A handler that posts to itself every time would keep this going forever; the
    // limit turns that programming error into a visible one.
    constexpr int kLimit = 100000;
    int handled = 0;
    auto& queue = Table().Queue;
    while (!queue.empty()) {
        const PostedMessage posted = queue.front();
        queue.pop_front();
        SendMessage(posted.Target, posted.Message.Msg, posted.Message.WParam, posted.Message.LParam);
        assert(++handled < kLimit && "posted messages keep posting themselves");
        if (handled >= kLimit)
            break;
    }
    return handled;
}

std::size_t PendingMessageCount() noexcept {
    return Table().Queue.size();
}

} // namespace vondrel
