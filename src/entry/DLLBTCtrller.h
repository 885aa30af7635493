#pragma once

#include <vondrel/Controller.h>

#include "framework/BaseGene.h"
#include "ui/Component.h"

namespace vondrel {

/// The class GetController instantiates: a function that makes a new controller.
using TDLLControllerClass = TDLLBaseController* (*)();
/// The job form class the controller creates: a function that makes a new form with the
/// given owner.
using TfrmBaseBatchClass = TfrmBaseGene* (*)(TComponent* owner);

/// Set while the library initialises: the batch-job controller.
extern TDLLControllerClass DLLControllerClass;
/// Set by the library's start-up code: the module's job form.
extern TfrmBaseBatchClass frmBaseBatchClass;

/// The class value of a controller class.
template <class T>
TDLLBaseController* NewController() {
    return new T();
}
/// The class value of a job form class.
template <class T>
TfrmBaseGene* NewJobForm(TComponent* owner) {
    return Create<T>(owner);
}

/// The batch-job controller: creates the module's job form, hands it the session, chains
/// its show, hide and destroy events to the notifications, and copies the outcome when
/// the form goes.
class TDLLBTCtrller : public TDLLBaseController {
public:
    TDLLBTCtrller() = default;
    ~TDLLBTCtrller() override;

    std::u16string GetVersionStamp() override;
    std::int32_t GetFormVisible() override;
    void SetFormVisible(std::int16_t value) override;
    TWindowHandle GetFormHandle() override;
    std::int32_t CreateJobForm(const Variant& param) override;
    std::int32_t RunWithOptions(const Variant& command) override;
    std::int32_t RunCommand(std::int32_t code, std::int32_t reserved, const Variant& arg) override;
    Variant ShowJobModal() override;
    void ReleaseJobForm() override;
    std::int32_t GetJobInfo(Variant& info) override;
    bool IsFormReleased() override;

    void HandleFormShow(TObject* sender) override;
    void HandleFormHide(TObject* sender) override;
    void HandleFormDestroy(TObject* sender) override;

private:
    /// Hands a run command to the form; -1 when the form raised.
    std::int32_t ApplyToForm(const Variant& command);

    TComponentRef<TfrmBaseGene> Form;
    TNotifyEvent SavedOnShow;
    TNotifyEvent SavedOnHide;
    TNotifyEvent SavedOnDestroy;
};

} // namespace vondrel
