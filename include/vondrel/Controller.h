#pragma once

// The contract between a job module and the shell that loads it: the controller object
// the module's GetController export returns. Module and shell are built from this one
// declaration, so the order of the fields and of the virtual operations below is the
// layout both sides rely on; never reorder, insert or remove a member.

#include <vondrel/Variant.h>

#include <cstdint>
#include <string>

namespace vondrel {

class TObject;
class TDLLBaseController;

/// A window handle, as the control model numbers its windows.
using TWindowHandle = std::intptr_t;

/// Life-cycle notifications the controller passes to OnNotify.
inline constexpr std::int32_t kNotifyFormCreated = 0x100;   ///< 256: created, module path and session taken
inline constexpr std::int32_t kNotifyFormShown = 0x110;     ///< 272: shown, after the form's own OnShow
inline constexpr std::int32_t kNotifyFormHidden = 0x120;    ///< 288: hidden, after the form's own OnHide
inline constexpr std::int32_t kNotifyFormDestroyed = 0x130; ///< 304: being destroyed, outcome copied
inline constexpr std::int32_t kNotifyReserved = 0x140;      ///< 320: not raised by job modules

/// Run command code of RunCommand that runs the job with saved options.
inline constexpr std::int32_t kRunCommandWithOptions = 5;

/// The controller's notification event: a procedure bound to an object, spelled out as
/// a plain pair so that it crosses the module boundary without any library type. The
/// shell sets Proc and Data; the controller calls Proc(Data, code, itself). An event
/// whose Proc is null is unassigned and never called.
struct TControllerNotifyEvent {
    using Procedure = void (*)(void* data, std::int32_t code, TDLLBaseController* sender);

    Procedure Proc = nullptr;
    void* Data = nullptr;

    explicit operator bool() const noexcept { return Proc != nullptr; }
    void operator()(std::int32_t code, TDLLBaseController* sender) const {
        if (Proc)
            Proc(Data, code, sender);
    }
};

/// The controller of one job window. The shell owns it and drives it in this order:
/// write Session (and OnNotify), CreateJobForm, then any of the other operations, then
/// (after the form has gone) read ResultCode and ResultValue and delete the controller.
/// Operations that need a form answer neutrally when there is none: empty text, 0,
/// false, 2 for the modal result, -1 for the integer results.
class TDLLBaseController {
public:
    /// The shell's session object (a dispatch object); the form keeps a copy.
    Variant Session;
    /// 0 nothing done, 1 job submitted or run, 2 cancelled; copied from the form when it
    /// is destroyed.
    std::int32_t ResultCode = 0;
    /// The job number when ResultCode is 1; unassigned otherwise.
    Variant ResultValue;
    TControllerNotifyEvent OnNotify;

    // Slots 0-10: what the job controller does with its form.

    /// The form's version stamp; empty without a form.
    virtual std::u16string GetVersionStamp() = 0;
    /// -1 when the form is visible, else 0.
    virtual std::int32_t GetFormVisible() = 0;
    /// Shows (value != 0: restored and brought to the front) or hides the form.
    virtual void SetFormVisible(std::int16_t value) = 0;
    /// The form's window handle; 0 without a form.
    virtual TWindowHandle GetFormHandle() = 0;
    /// Creates the form (hidden) on the first call and hands it the session parameter
    /// array [user, company, company database, shell window, extra]: 0 when the form
    /// accepted it, -1 otherwise.
    virtual std::int32_t CreateJobForm(const Variant& param) = 0;
    /// Runs the job with saved options: command[1] is [mode, [restore flag, data]].
    virtual std::int32_t RunWithOptions(const Variant& command) = 0;
    /// Code 5 runs RunWithOptions([false, arg]); any other code does nothing (-1).
    virtual std::int32_t RunCommand(std::int32_t code, std::int32_t reserved, const Variant& arg) = 0;
    /// Shows the form modally; its modal result as an integer, 2 without a form.
    virtual Variant ShowJobModal() = 0;
    /// Frees the form (which then notifies 304).
    virtual void ReleaseJobForm() = 0;
    /// [user id, company code, program code, program name] into info, returning 0; -1
    /// and info untouched without a form.
    virtual std::int32_t GetJobInfo(Variant& info) = 0;
    virtual bool IsFormReleased() = 0;

    // Slots 11-17: notifications, with the bodies every controller shares.

    virtual void NotifyCreated() { DoNotify(kNotifyFormCreated, nullptr); }
    virtual void HandleFormShow(TObject* /*sender*/) { DoNotify(kNotifyFormShown, nullptr); }
    virtual void HandleFormHide(TObject* /*sender*/) { DoNotify(kNotifyFormHidden, nullptr); }
    virtual void HandleFormDestroy(TObject* /*sender*/) { DoNotify(kNotifyFormDestroyed, nullptr); }
    virtual void NotifyCode320() { DoNotify(kNotifyReserved, nullptr); }
    /// Passes the code to OnNotify, with the controller itself as the sender.
    virtual void DoNotify(std::int32_t code, TObject* /*sender*/) { OnNotify(code, this); }
    virtual void ReservedHook() {}

    /// Declared after the numbered slots so that its table entries follow them.
    virtual ~TDLLBaseController() = default;
};

/// The number of numbered slots at the start of the controller's virtual table.
inline constexpr int kControllerSlotCount = 18;

/// The module's one export: a new controller, owned by the caller. Raises an exception
/// when the module's controller class is not set.
using GetControllerProc = TDLLBaseController* (*)();
inline constexpr const char* kGetControllerExport = "GetController";

} // namespace vondrel

extern "C" vondrel::TDLLBaseController* GetController();
