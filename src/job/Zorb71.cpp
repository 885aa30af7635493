#include "job/Zorb71.h"

#include "ui/Label.h"
#include "ui/PageControl.h"

namespace vondrel {

namespace {

constexpr const char* kAppServerClass = "Quorvex.dmReportCounter";

} // namespace

TfrmZorb71::TfrmZorb71(TComponent* owner) : TfrmBaseGene(owner) {
    static const TClassInfo& info =
        DescribeClass<TfrmZorb71>("TfrmZorb71", [](TClassBuilder<TfrmZorb71>&) {});
    SetClass(info);
    SetName("frmZorb71");
    SetCaption("损益结转");
    lblNotice = new TLabel(this);
    lblNotice->SetName("lblNotice");
    lblNotice->SetParent(tsOption1);
    lblNotice->SetBounds(16, 16, 320, 40);
    lblNotice->SetWordWrap(true);
    lblNotice->SetCaption("损益结转的选项尚未完成：此窗口只用来检查模块的加载与启动。");
}

void TfrmZorb71::PrepareConnection(TSocketConnection* connection) {
    TfrmBaseGene::PrepareConnection(connection);
    connection->SetServerName(kAppServerClass);
}

} // namespace vondrel
