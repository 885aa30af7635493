#pragma once

#include "ui/Messages.h"
#include "ui/Types.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace vondrel {

class TControl;
class TForm;
class TMenuItem;
class TMessageForm;
class TPopupMenu;

/// The platform's request to the shell to act on a file (its properties window).
struct TShellExecuteInfo {
    unsigned Mask = 0;
    HWND Window = 0;
    std::string Verb;
    std::string File;
    std::string Parameters;
    std::string Directory;
    int Show = 0;
};
inline constexpr unsigned SEE_MASK_INVOKEIDLIST = 12;

/// Everything that leaves the control model for a person: message dialogs, modal forms,
/// popup menus, the shell, repaint requests, the message loop and the screen's fonts.
/// One driver is installed at a time: a scripted one in tests and unattended runs, an
/// interactive one in the shell.
class UiDriver {
public:
    virtual ~UiDriver() = default;

    /// Shows a message dialog; returns the modal result of the button the person chose.
    virtual TModalResult ShowMessageDialog(TMessageForm& dialog) = 0;
    /// The person works with a modal form (already shown and active) until they are done:
    /// returns the modal result to end with when the form has not set one itself (0: the
    /// person closed the window).
    virtual TModalResult RunModal(TForm& form) = 0;
    /// A popup menu at a screen point; returns the item the person clicked, or nullptr.
    virtual TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint at) = 0;
    /// Asks the shell to act on a file; true when it did.
    virtual bool ShellExecute(const TShellExecuteInfo& info) = 0;
    /// A window (possibly outside the model, such as the shell's) asked to be repainted at once.
    virtual void RepaintWindow(HWND window) = 0;
    virtual std::vector<std::string> ScreenFonts() = 0;
    /// Processes pending messages; the base version handles the posted messages.
    virtual void ProcessMessages();

    // Notifications for a front end that renders the model; nothing to do by default.
    virtual void FormShown(TForm& /*form*/) {}
    virtual void FormHidden(TForm& /*form*/) {}
    virtual void ControlChanged(TControl& /*control*/) {}
    /// An exception was shown to the person (after the dialog).
    virtual void ExceptionShown(const std::exception& /*error*/) {}
};

/// Installs a driver and returns the one installed before.
std::shared_ptr<UiDriver> SetUiDriver(std::shared_ptr<UiDriver> driver);
/// The installed driver; a scripted driver without answers until another is installed.
UiDriver& CurrentUiDriver();

/// The platform's ShellExecuteEx: true when the shell did it.
bool ShellExecuteEx(const TShellExecuteInfo& info);
/// Asks a window to repaint at once (RedrawWindow with the update-now flag).
void RepaintWindow(HWND window);

} // namespace vondrel
