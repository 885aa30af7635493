#include "TestJobForm.h"

#include "platform/SysUtils.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/PageControl.h"

namespace vondrel {

namespace {

std::string Describe(const Variant& value) {
    if (value.IsEmpty())
        return "empty";
    if (value.IsNull())
        return "null";
    if (value.IsArray()) {
        std::string text = "[";
        for (int i = value.LowBound(); value.DimCount() == 1 && i <= value.HighBound(); ++i)
            text += (i > value.LowBound() ? "," : "") + Describe(value[i]);
        return text + "]";
    }
    return VarToStr(value);
}

} // namespace

TfrmTestJob::TfrmTestJob(TComponent* owner) : TfrmBaseGene(owner) {
    static const TClassInfo& info =
        DescribeClass<TfrmTestJob>("TfrmTestJob", [](TClassBuilder<TfrmTestJob>& c) {
            c.Property("MessageIdLog", &TfrmTestJob::MessageIdLog);
            c.Property("MessageTextLog", &TfrmTestJob::MessageTextLog);
            c.Property("CommandLog", &TfrmTestJob::CommandLog);
        });
    SetClass(info);
    SetName("frmZorb71");
    SetCaption("Test job");
    edCode = new TEdit(this);
    edCode->SetName("edCode");
    edCode->SetParent(tsOption1);
    edCode->SetTabOrder(0);
    cbKind = new TComboBox(this);
    cbKind->SetName("cbKind");
    cbKind->SetParent(tsOption1);
    cbKind->Items()->Add("汇兑损益结转");
    cbKind->Items()->Add("期间损益结转");
    chk15 = new TCheckBox(this);
    chk15->SetName("chk15");
    chk15->SetParent(tsOption1);
    chk15->SetCaption("自动过账");
    OnHide = [this](TObject*) { Echo("own OnHide"); };
}

void TfrmTestJob::PrepareConnection(TSocketConnection* connection) {
    TfrmBaseGene::PrepareConnection(connection);
    connection->SetServerName("Quorvex.dmReportCounter");
}

void TfrmTestJob::FormShow(TObject* sender) {
    TfrmBaseGene::FormShow(sender);
    Echo("own OnShow");
}

void TfrmTestJob::FormDestroy(TObject* sender) {
    Echo("own OnDestroy");
    TfrmBaseGene::FormDestroy(sender);
}

void TfrmTestJob::Echo(const char* what) {
    if (UserId() == "ECHO")
        ShowMessage(what);
}

void TfrmTestJob::ApplyRunCommand(const Variant& command) {
    const Variant run = command[1];
    if (run.IsArray() && run[0] == Variant(99))
        throw Exception("the test form refuses mode 99");
    commandLog_ += Describe(command) + ";";
}

void TfrmTestJob::btnOkClick(TObject*) {
    Variant environment = VarArrayCreate({{1, 10}});
    environment[1] = ProgramCode();
    environment[3] = 1;
    environment[4] = CompanyCode();
    environment[5] = UserId();
    environment[6] = DatabaseName();
    environment[8] = ServerClassName();
    environment[9] = JobKind;
    environment[10] = 0;
    Variant names = VarArrayCreate({{1, 1}});
    names[1] = VarArrayOf({"Code", "edCode"});
    Variant values = VarArrayCreate({{1, 1}});
    values[1] = edCode->Text();
    const Variant number = AppServer.Call("Request", VarArrayOf({environment, names, values}));
    if (SameText(VarToStr(number), "ERROR")) {
        PostMessageId("E;000013;" + VarToStr(AppServer.Call("ErrorDescript")));
        return;
    }
    ResultCode = 1;
    ResultValue = number;
    Close();
}

void TfrmTestJob::btnCancelClick(TObject* sender) {
    ResultCode = 2;
    TfrmBaseGene::btnCancelClick(sender);
}

void TfrmTestJob::HandleF2Key(Word key, TWinControl* control) {
    if (control != edCode) {
        TfrmBaseGene::HandleF2Key(key, control);
        return;
    }
    Variant request = VarArrayOf({"ACTMA", "13", VarArrayOf({""}), false, "", CompanyCode(), DatabaseName(),
                                  static_cast<int>(Handle()), 1, false, ProductCode, "", "", "", "", false,
                                  false, Session, UserId()});
    const Variant rows = Session.Call("Com_F2Window").Call("F2GetData", request);
    if (rows.IsArray() && rows[rows.LowBound()].IsArray())
        edCode->SetText(VarToStr(rows[rows.LowBound()][0]));
}

} // namespace vondrel
