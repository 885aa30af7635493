#include "entry/DLLBTCtrller.h"

#include "platform/Library.h"
#include "platform/Unicode.h"
#include "ui/Form.h"

namespace vondrel {

namespace {

/// An address inside this library, to ask the loader which file the library came from.
const char kModuleAnchor = 0;

} // namespace

TDLLControllerClass DLLControllerClass = &NewController<TDLLBTCtrller>;
TfrmBaseBatchClass frmBaseBatchClass = nullptr;

TDLLBTCtrller::~TDLLBTCtrller() {
    if (Form)
        ReleaseJobForm();
}

std::u16string TDLLBTCtrller::GetVersionStamp() {
    return Form ? Utf8ToUtf16(Form->VersionStamp()) : std::u16string();
}

std::int32_t TDLLBTCtrller::GetFormVisible() {
    return Form && Form->Visible() ? -1 : 0;
}

void TDLLBTCtrller::SetFormVisible(std::int16_t value) {
    if (!Form)
        return;
    Form->SetVisible(value != 0);
    if (value == 0 || !Form)
        return;
    if (Form->WindowState() == wsMinimized)
        Form->SetWindowState(wsNormal);
    Form->BringToFront();
}

TWindowHandle TDLLBTCtrller::GetFormHandle() {
    return Form ? Form->Handle() : 0;
}

std::int32_t TDLLBTCtrller::CreateJobForm(const Variant& param) {
    const Variant session = param;
    if (!Form) {
        if (!frmBaseBatchClass)
            throw Exception("KMB DLL Internal Error :\rNot Assign \"frmBaseBatchClass\" varible");
        Form = frmBaseBatchClass(nullptr);
        Form->SetModulePath(ModuleFileNameOf(&kModuleAnchor));
        Form->Session = Session;
        NotifyCreated();
        if (!Form)
            return -1;
        // Chained once, here, so that a handler never ends up calling itself.
        SavedOnShow = Form->OnShow;
        Form->OnShow = TNotifyEvent(this, &TDLLBTCtrller::HandleFormShow);
        SavedOnHide = Form->OnHide;
        Form->OnHide = TNotifyEvent(this, &TDLLBTCtrller::HandleFormHide);
        SavedOnDestroy = Form->OnDestroy;
        Form->OnDestroy = TNotifyEvent(this, &TDLLBTCtrller::HandleFormDestroy);
    }
    return Form->AcceptSession(session) ? 0 : -1;
}

std::int32_t TDLLBTCtrller::ApplyToForm(const Variant& command) {
    try {
        Form->ApplyRunCommand(command);
        return 0;
    } catch (...) {
        // The shell gets -1; the form has already reported what went wrong.
        return -1;
    }
}

std::int32_t TDLLBTCtrller::RunWithOptions(const Variant& command) {
    if (!Form || command.IsNull() || !command.IsArray())
        return -1;
    return ApplyToForm(command);
}

std::int32_t TDLLBTCtrller::RunCommand(std::int32_t code, std::int32_t, const Variant& arg) {
    if (!Form || code != kRunCommandWithOptions)
        return -1;
    return ApplyToForm(VarArrayOf({false, arg}));
}

Variant TDLLBTCtrller::ShowJobModal() {
    if (!Form)
        return Variant(mrCancel);
    return Variant(static_cast<std::int32_t>(Form->ShowModal()));
}

void TDLLBTCtrller::ReleaseJobForm() {
    if (Form && !Form->Destroying())
        Form->Free();
}

std::int32_t TDLLBTCtrller::GetJobInfo(Variant& info) {
    if (!Form)
        return -1;
    info = VarArrayOf({Form->UserId(), Form->CompanyCode(), Form->ProgramCode(), Form->ProgramName()});
    return 0;
}

bool TDLLBTCtrller::IsFormReleased() {
    return !Form;
}

void TDLLBTCtrller::HandleFormShow(TObject* sender) {
    if (SavedOnShow)
        SavedOnShow(sender);
    TDLLBaseController::HandleFormShow(sender);
}

void TDLLBTCtrller::HandleFormHide(TObject* sender) {
    if (SavedOnHide)
        SavedOnHide(sender);
    TDLLBaseController::HandleFormHide(sender);
}

void TDLLBTCtrller::HandleFormDestroy(TObject* sender) {
    if (!Form)
        return;
    ResultCode = Form->ResultCode;
    ResultValue = Form->ResultValue;
    if (SavedOnDestroy)
        SavedOnDestroy(sender);
    Form = nullptr;
    // The notification comes last and nothing of this controller is touched after it: a
    // shell may read the outcome and delete the controller right there.
    TDLLBaseController::HandleFormDestroy(sender);
}

} // namespace vondrel
