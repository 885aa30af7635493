#pragma once

#include "ui/Event.h"
#include "ui/Messages.h"

#include <exception>
#include <string>

namespace vondrel {

// Flags of MessageBox.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_RETRYCANCEL = 0x05;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONASTERISK = 0x40;

using TExceptionEvent = TEvent<TObject*, const std::exception&>;

/// The running program: processing pending messages, message boxes, exceptions that
/// reach the message loop, and the hint settings.
class TApplication {
public:
    TApplication();

    /// Lets the UI driver process pending messages (posted messages among them).
    void ProcessMessages();
    /// A message box with the platform's flags (buttons and icon); returns the modal
    /// result of the button chosen (IDOK = mrOk and so on).
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags = MB_OK);
    /// An exception that reached the message loop: OnException when assigned, otherwise
    /// an error dialog with its message.
    void HandleException(const std::exception& error);

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    int HintHidePause() const noexcept { return hintHidePause_; }
    void SetHintHidePause(int milliseconds) noexcept { hintHidePause_ = milliseconds; }
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool value) noexcept { showHint_ = value; }
    /// The handle of the program's own (hidden) window.
    HWND Handle();

    TExceptionEvent OnException;

private:
    std::string title_ = "Vondrel";
    int hintHidePause_ = 2500;
    bool showHint_ = true;
    HWND handle_ = 0;
};

TApplication& Application();

} // namespace vondrel
