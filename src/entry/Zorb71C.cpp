// The module's start-up: the job form the controller creates is the carry-forward form.
#include "entry/DLLBTCtrller.h"
#include "job/Zorb71.h"

namespace {

[[maybe_unused]] const bool kStarted = [] {
    vondrel::frmBaseBatchClass = &vondrel::NewJobForm<vondrel::TfrmZorb71>;
    return true;
}();

} // namespace
