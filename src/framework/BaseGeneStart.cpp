// Start-up of the job form: the session, the services, the program master, the
// connection to the application server, server calls and system parameters.
#include "framework/BaseGene.h"

#include "framework/BaseGeneMessages.h"

#include "controls/SelectPanel.h"
#include "lib/TextRoutines.h"
#include "lib/VondrelIni.h"
#include "platform/ClassFactory.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"
#include "ui/ClientDataSet.h"
#include "ui/MaskEdit.h"
#include "ui/SpinEdit.h"

#include <algorithm>

namespace vondrel {

namespace {

constexpr const char* kServerClassSuffix = "S.Class1";

/// A variant that holds no usable object.
bool Unassigned(const Variant& service) {
    return !service.IsDispatch();
}

} // namespace

std::string ProgramCodeOf(std::string_view modulePath) {
    const std::size_t slash = modulePath.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    const std::size_t extension = dot == std::string_view::npos ? 0 : name.size() - dot;
    std::ptrdiff_t length =
        static_cast<std::ptrdiff_t>(name.size()) - static_cast<std::ptrdiff_t>(extension) - 1;
    if (length < 6)
        length = 6;
    return CodePageUpperCase(name.substr(0, std::min(name.size(), static_cast<std::size_t>(length))));
}

std::string CodePageUpperCase(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    for (char16_t& c : wide) {
        if ((c >= u'a' && c <= u'z') || (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) ||
            (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) || (c >= 0x0430 && c <= 0x044F))
            c = static_cast<char16_t>(c - 0x20);
        else if (c >= 0x0450 && c <= 0x045F)
            c = static_cast<char16_t>(c - 0x50);
        else if (c >= 0xFF41 && c <= 0xFF5A)
            c = static_cast<char16_t>(c - 0x20);
    }
    return Utf16ToUtf8(wide);
}

// ---- Start-up -------------------------------------------------------------------------

bool TfrmBaseGene::AcceptSession(const Variant& param) {
    if (!companyCode_.empty())
        return false;
    try {
        systemParams_.clear();
        DateRuleList.clear();
        SystemOptionCount = 1;
        ClearMessageLogs();
        edPrintDate->SetText("", TNotify::No);
        lastRunCommand_ = Variant::Null();
        restoreFlag_ = true;
        autoRun_ = false;
        CounterService = Variant();
        ValidatorService = Variant();
        LookupService = Variant();

        const int high = param.HighBound();
        shellWindow_ = high >= 3 ? static_cast<HWND>(param[3].AsInt64()) : 0;
        if (high >= 4) {
            sessionExtra_ = param[4];
        } else {
            PostMessageId(kMsgShortSession);
            RequestClose();
        }

        Hide();
        // A missing element leaves the texts after it empty; the checks below report it.
        try {
            userId_ = VarToStr(param[0]);
            companyCode_ = VarToStr(param[1]);
            databaseName_ = VarToStr(param[2]);
        } catch (const EVariantError&) {
        }

        StartServices();

        const std::string formPart = Name().size() > 3 ? Name().substr(3, 3) : std::string();
        if (!SameText(formPart, programCode_.substr(0, 3))) {
            PostMessageId(kMsgWrongProgram);
            RequestClose();
            return false;
        }
        MainMidas->SetConnected(false);
        if (ConfigureConnection()) {
            PrepareConnection(MainMidas);
            if (!MainMidas->ServerName().empty())
                ConnectServer();
        }
        if (!MainMidas->Connected()) {
            PostMessageId(kMsgNoServer);
            RequestClose();
            return false;
        }
    } catch (const std::exception& error) {
        RecordError(error.what());
        return false;
    }
    return true;
}

void TfrmBaseGene::StartServices() {
    RememberInitialColours();
    try {
        CounterService = Session.Call("Com_Counter");
        std::string ignored;
        GetSystemParam("", ignored);
        captionTag_ = SystemParam("KMB002");
    } catch (const std::exception&) {
        CounterService = Variant();
    }
    try {
        ValidatorService = Session.Call("Com_Validator");
    } catch (const std::exception&) {
        ValidatorService = Variant();
    }
    try {
        ProductCode = Session.Get("ProductID").AsInteger();
    } catch (const std::exception&) {
        ProductCode = 3;
    }
    InitOptions();
    if (LookupFlags & 4) {
        try {
            LookupService = Session.Call("Com_F2Window");
        } catch (const std::exception&) {
            LookupService = Variant();
        }
    }
}

void TfrmBaseGene::InitOptions() {
    DateFields = "edPrintDate";
    JobKind = "R";
    EnvCount = 9;
    LookupFlags = 0;
    programCode_ = ProgramCodeOf(modulePath_);
    serverClassName_ = programCode_ + kServerClassSuffix;
    ReadProgramMaster();
    SetOptionCount(0);
}

void TfrmBaseGene::ReadProgramMaster() {
    Variant row;
    if (!CheckCodeValue("ADMMB", "01", false, row, VarArrayOf({programCode_}))) {
        programName_.clear();
        return;
    }
    try {
        const bool english = row.HighBound() - row.LowBound() + 1 > 7 && KmConverter().UICodePage() == "437";
        programName_ = VarToStr(row[english ? 7 : 0]);
        wantLog_ = VarToStr(row[4]) == "Y";
    } catch (const std::exception&) {
        programName_ = programCode_;
        wantLog_ = false;
    }
}

void TfrmBaseGene::SetOptionCount(int count) {
    if (SystemOptionCount < OptionCount)
        OptionCount = count;
    else
        OptionCount = count + SystemOptionCount;
}

void TfrmBaseGene::RememberInitialColours() {
    InitialColours.clear();
    for (TComponent* component : OwnedComponents()) {
        if (auto* panel = dynamic_cast<TSelectPanel*>(component)) {
            // A selection panel is coloured by its parts.
            for (TWinControl* part :
                 {static_cast<TWinControl*>(panel->FromEdit()), static_cast<TWinControl*>(panel->ToEdit()),
                  static_cast<TWinControl*>(panel->List())})
                InitialColours[panel->Name() + "." + part->Name()] = part->Color();
            continue;
        }
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control || control->Name().empty() || !control->HasProperty("Color"))
            continue;
        // The edit inside a spin edit belongs to the spin edit.
        if (dynamic_cast<TSpinEdit*>(control->Parent()))
            continue;
        InitialColours[control->Name()] = control->Color();
    }
}

bool TfrmBaseGene::ConfigureConnection() {
    try {
        MainMidas->SetConnected(false);
        TVondrelIniC settings;
        if (!messageIdLog_.empty()) {
            // A message of this start-up is shown again: the connection is not made.
            PostMessageId(messageIdLog_);
            return false;
        }
        const Variant& servers = settings.ServerList;
        if (servers.DimCount() == 2 && servers.HighBound(2) >= servers.LowBound(2)) {
            const int first = servers.LowBound(2);
            MainMidas->SetAddress(VarToStr(servers.At({servers.LowBound(1), first})));
            MainMidas->SetObjectBroker(nullptr);
            MainMidas->SetPort(servers.At({servers.LowBound(1) + 1, first}).AsInteger());
        }
        return messageIdLog_.empty();
    } catch (const std::exception& error) {
        RecordError(error.what());
        return false;
    }
}

bool TfrmBaseGene::ConnectServer() {
    try {
        AppServer = Variant();
        if (MainMidas->Connected())
            MainMidas->SetConnected(false);
        isLocalServer_ = IsLocalAddress(MainMidas->Address());
        if (isLocalServer_) {
            const Variant server(CreateOleObject(MainMidas->ServerName()));
            MainMidas->SetAppServer(server);
            AppServer = server;
        } else {
            MainMidas->SetConnected(true);
            if (MainMidas->Connected())
                AppServer = MainMidas->AppServer();
        }
        return true;
    } catch (const std::exception& error) {
        RecordError(error.what());
        return false;
    }
}

void TfrmBaseGene::RequestClose() {
    PostMessage(Handle(), WM_CLOSE);
}

// ---- Server calls and system parameters ------------------------------------------------

void TfrmBaseGene::CallServer(std::string_view name, const Variant& args, Variant& result) {
    result = Variant();
    if (Unassigned(CounterService))
        return;
    Variant function(CodePageUpperCase(name));
    Variant arguments = args;
    Variant context = VarArrayOf({companyCode_, databaseName_});
    result = CounterService.Call("GetCounter", function, arguments, context);
    if (Converted())
        result = KmConverter().ConvertDBValue(result);
}

void TfrmBaseGene::GetSystemParam(std::string_view key, std::string& value) {
    value.clear();
    if (!key.empty()) {
        for (const auto& [name, text] : systemParams_) {
            if (SameText(name, key)) {
                value = text;
                break;
            }
        }
    } else if (!Unassigned(CounterService)) {
        Variant company(companyCode_);
        const Variant info = CounterService.Call("GetSysInfo", company);
        if (info.DimCount() == 2) {
            const int names = info.LowBound(1);
            for (int i = info.LowBound(2); i <= info.HighBound(2); ++i) {
                const std::string name = VarToStr(info.At({names, i}));
                const std::string text = VarToStr(info.At({names + 1, i}));
                auto found = std::find_if(systemParams_.begin(), systemParams_.end(),
                                          [&](const auto& entry) { return SameText(entry.first, name); });
                if (found != systemParams_.end())
                    found->second = text;
                else
                    systemParams_.emplace_back(name, text);
            }
        }
    }

    if (value.empty()) {
        static constexpr const char* kChinese[] = {"商品分类方式一", "商品分类方式二", "商品分类方式三",
                                                   "商品分类方式四"};
        static constexpr const char* kEnglish[] = {"Inv.Cate.1", "Inv.Cate.2", "Inv.Cate.3", "Inv.Cate.4"};
        static constexpr const char* kKeys[] = {"SYS007", "SYS008", "SYS009", "SYS010"};
        const std::string upper = UpperCase(key);
        for (int i = 0; i < 4; ++i)
            if (upper == kKeys[i])
                value = KmConverter().UICodePage() == "437" ? kEnglish[i] : kChinese[i];
    } else if (Converted()) {
        value = VarToStr(KmConverter().ConvertDBValue(Variant(value)));
    }
}

std::string TfrmBaseGene::SystemParam(std::string_view key) {
    std::string value;
    GetSystemParam(key, value);
    return value;
}

int TfrmBaseGene::DateType() {
    const auto type = TryStrToInt(SystemParam("Sys001"));
    return type ? *type : 1;
}

std::string TfrmBaseGene::DateSeparator() {
    std::string separator = SystemParam("Sys002");
    return separator.empty() ? std::string("/") : separator;
}

void TfrmBaseGene::ConvertDataSetText() {
    for (TComponent* component : OwnedComponents()) {
        auto* dataSet = dynamic_cast<TClientDataSet*>(component);
        if (!dataSet)
            continue;
        dataSet->DisableControls();
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            TField* field = dataSet->Fields(i);
            field->SetDisplayLabel(VarToStr(KmConverter().ConvertUIValue(Variant(field->DisplayLabel()))));
            if (!field->IsTextField())
                continue;
            if (!field->OnGetText)
                field->OnGetText = TFieldGetTextEvent([this](TField* sender, std::string& text, bool) {
                    text = VarToStr(KmConverter().ConvertUIValue(Variant(sender->AsString())));
                });
            if (!field->OnSetText)
                field->OnSetText = TFieldSetTextEvent([this](TField* sender, const std::string& text) {
                    sender->SetAsString(VarToStr(KmConverter().UIToSourceValue(Variant(text))));
                });
        }
        dataSet->EnableControls();
    }
}

} // namespace vondrel
