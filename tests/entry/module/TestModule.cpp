// The start-up of the test module: its controller creates the test job form.
#include "TestJobForm.h"

#include "entry/DLLBTCtrller.h"

namespace {

[[maybe_unused]] const bool kStarted = [] {
    vondrel::frmBaseBatchClass = &vondrel::NewJobForm<vondrel::TfrmTestJob>;
    return true;
}();

} // namespace
