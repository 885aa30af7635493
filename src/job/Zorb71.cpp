#include "job/Zorb71.h"

#include "ui/Label.h"

namespace vondrel {

TfrmZorb71::TfrmZorb71(TComponent* owner) : TfrmBaseGene(owner) {
    static const TClassInfo& info = DescribeClass("TfrmZorb71");
    SetClass(info);
    SetName("frmZorb71");
    SetCaption("损益结转");
    lblNotice = new TLabel(this);
    lblNotice->SetName("lblNotice");
    // The option page of the base form, once it has one; the form itself until then.
    auto* page = dynamic_cast<TWinControl*>(FindComponent("tsOption1"));
    lblNotice->SetParent(page ? page : this);
    lblNotice->SetBounds(16, 16, 320, 40);
    lblNotice->SetWordWrap(true);
    lblNotice->SetCaption("损益结转的选项尚未完成：此窗口只用来检查模块的加载与启动。");
    // The run-mode form will name the application server when the connection is prepared;
    // until it exists, the server's name is given to the base form's connection here.
    if (TComponent* connection = FindComponent("MainMidas"))
        connection->SetPropText("ServerName", "Quorvex.dmReportCounter");
}

} // namespace vondrel
