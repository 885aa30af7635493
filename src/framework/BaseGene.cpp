#include "framework/BaseGene.h"

namespace vondrel {

TfrmBaseGene::TfrmBaseGene(TComponent* owner) : TKMForm(owner) {
    static const TClassInfo& info =
        DescribeClass<TfrmBaseGene>("TfrmBaseGene", [](TClassBuilder<TfrmBaseGene>&) {});
    SetClass(info);
    versionStamp_ = "870401-0.00.00";
}

TfrmBaseGene::~TfrmBaseGene() = default;

void TfrmBaseGene::SetModulePath(const std::string& path) {
    modulePath_ = path;
}

bool TfrmBaseGene::AcceptSession(const Variant&) {
    return false;
}

void TfrmBaseGene::ApplyRunCommand(const Variant&) {}

} // namespace vondrel
