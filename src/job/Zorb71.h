#pragma once

#include "framework/BaseGene.h"

namespace vondrel {

class TLabel;

/// The carry-forward job form. For now it holds only a notice that its options are not
/// built yet, so that the module can be loaded, started and shown end to end.
class TfrmZorb71 : public TfrmBaseGene {
public:
    explicit TfrmZorb71(TComponent* owner);

    TLabel* lblNotice = nullptr;

protected:
    /// Names the application server, as the run-mode form will once it exists.
    void PrepareConnection(TSocketConnection* connection) override;
};

} // namespace vondrel
