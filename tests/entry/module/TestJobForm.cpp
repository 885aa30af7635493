#include "TestJobForm.h"

#include "platform/ClassFactory.h"
#include "platform/SysUtils.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"

#include <filesystem>

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
    edCode->SetParent(this);
    cbKind = new TComboBox(this);
    cbKind->SetName("cbKind");
    cbKind->SetParent(this);
    cbKind->Items()->Add("汇兑损益结转");
    cbKind->Items()->Add("期间损益结转");
    chk15 = new TCheckBox(this);
    chk15->SetName("chk15");
    chk15->SetParent(this);
    chk15->SetCaption("自动过账");
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetCaption("OK");
    btnOk->OnClick = [this](TObject*) { Submit(); };
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetCaption("Cancel");
    btnCancel->OnClick = [this](TObject*) {
        ResultCode = 2;
        Close();
    };
    OnHide = [this](TObject*) { Echo("own OnHide"); };
    OnDestroy = [this](TObject*) { Echo("own OnDestroy"); };
    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F2 && ActiveControl() == edCode) {
            key = 0;
            LookupCode();
        } else if (key == VK_ESCAPE) {
            key = 0;
            Close();
        }
    };
}

void TfrmTestJob::FormShow(TObject* sender) {
    TfrmBaseGene::FormShow(sender);
    Echo("own OnShow");
}

void TfrmTestJob::Echo(const char* what) {
    if (userId_ == "ECHO")
        ShowMessage(what);
}

void TfrmTestJob::PostMessageId(const std::string& id) {
    messageIdLog_ += id + "; ";
    std::string text = "no session";
    try {
        text = VarToStr(Session.Call("GetMessage", id.substr(0, 1), id.substr(2, 6)));
    } catch (const std::exception& e) {
        text = e.what();
    }
    if (messageTextLog_.find(text) == std::string::npos)
        messageTextLog_ += text + "; ";
    MessageDlg(text, mtError, {mbOK});
}

bool TfrmTestJob::AcceptSession(const Variant& param) {
    if (!companyCode_.empty())
        return false;
    const bool complete = param.IsArray() && param.HighBound() >= 4;
    if (!complete) {
        PostMessageId("E;000038");
        PostMessage(Handle(), WM_CLOSE);
    }
    auto element = [&](int i) {
        return param.IsArray() && i <= param.HighBound() ? VarToStr(param[i]) : std::string();
    };
    userId_ = element(0);
    companyCode_ = element(1);
    databaseName_ = element(2);
    const std::string stem = std::filesystem::path(modulePath_).stem().string();
    programCode_ = UpperCase(stem.substr(0, stem.size() > 6 ? stem.size() - 1 : 6));
    try {
        Variant validator = Session.Call("Com_Validator");
        Variant table("ADMMB"), number("01"), database(databaseName_), values(VarArrayOf({programCode_}));
        Variant result;
        if (validator.Call("CheckValue", table, number, database, values, result).AsBoolean())
            programName_ = VarToStr(result[result.LowBound()]);
    } catch (const std::exception&) {
        programName_.clear();
    }
    if (!complete) {
        PostMessageId("E;000006");
        return false;
    }
    return true;
}

void TfrmTestJob::ApplyRunCommand(const Variant& command) {
    const Variant run = command[1];
    if (run.IsArray() && run[0] == Variant(99))
        throw Exception("the test form refuses mode 99");
    commandLog_ += Describe(command) + ";";
}

void TfrmTestJob::Submit() {
    Variant environment = VarArrayCreate({{1, 10}});
    environment[1] = programCode_;
    environment[3] = 1;
    environment[4] = companyCode_;
    environment[5] = userId_;
    environment[6] = databaseName_;
    environment[8] = programCode_ + "S.Class1";
    environment[9] = "R";
    environment[10] = 0;
    Variant names = VarArrayCreate({{1, 1}});
    names[1] = VarArrayOf({"Code", "edCode"});
    Variant values = VarArrayCreate({{1, 1}});
    values[1] = edCode->Text();
    const Variant number = Variant(CreateOleObject("Quorvex.dmReportCounter"))
                               .Call("Request", VarArrayOf({environment, names, values}));
    if (SameText(VarToStr(number), "ERROR")) {
        PostMessageId("E;000013");
        return;
    }
    ResultCode = 1;
    ResultValue = number;
    Close();
}

void TfrmTestJob::LookupCode() {
    Variant request =
        VarArrayOf({"ACTMA", "13", VarArrayOf({""}), false, "", companyCode_, databaseName_,
                    static_cast<int>(Handle()), 1, false, 3, "", "", "", "", false, false, Session, userId_});
    const Variant rows = Session.Call("Com_F2Window").Call("F2GetData", request);
    if (rows.IsArray() && rows[rows.LowBound()].IsArray())
        edCode->SetText(VarToStr(rows[rows.LowBound()][0]));
}

} // namespace vondrel
