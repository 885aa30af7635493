#include "ui/UiDriver.h"

#include "ui/ScriptedUiDriver.h"

namespace vondrel {

namespace {

std::shared_ptr<UiDriver>& Installed() {
    static std::shared_ptr<UiDriver> driver = std::make_shared<TScriptedUiDriver>();
    return driver;
}

} // namespace

void UiDriver::ProcessMessages() {
    DispatchPostedMessages();
}

std::shared_ptr<UiDriver> SetUiDriver(std::shared_ptr<UiDriver> driver) {
    if (!driver)
        driver = std::make_shared<TScriptedUiDriver>();
    std::shared_ptr<UiDriver> previous = std::move(Installed());
    Installed() = std::move(driver);
    return previous;
}

UiDriver& CurrentUiDriver() {
    return *Installed();
}

bool ShellExecuteEx(const TShellExecuteInfo& info) {
    return CurrentUiDriver().ShellExecute(info);
}

void RepaintWindow(HWND window) {
    CurrentUiDriver().RepaintWindow(window);
}

} // namespace vondrel
