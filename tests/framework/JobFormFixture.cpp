#include "JobFormFixture.h"

#include "controls/SelectPanel.h"
#include "ui/Edit.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vondrel::test {

TJobFormInstall* JobFormTest::install_ = nullptr;

TJobFormInstall::TJobFormInstall() {
    std::ifstream in(demo_.RegistryFile());
    std::stringstream content;
    content << in.rdbuf();
    std::string registry = content.str();
    const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n";
    const std::size_t at = registry.find(key);
    if (at == std::string::npos)
        throw std::runtime_error("the demo registry has no suite key");
    registry.insert(at + key.size(), "\"ClientPath\"=\"" + demo_.Folder() + "/\"\n");
    const std::string file = demo_.Folder() + "/client.reg";
    std::ofstream(file) << registry;
    registry_.emplace("VONDREL_REGISTRY", file);
    std::filesystem::copy(std::string(VONDREL_SOURCE_DIR) + "/demo/install/MultiLanguage",
                          demo_.Folder() + "/MultiLanguage", std::filesystem::copy_options::recursive);
    WriteClientIni();
}

void TJobFormInstall::WriteClientIni(const std::string& computerName, const std::string& uiCodePage) {
    std::ofstream(demo_.Folder() + "/VondrelC.ini")
        << "[Client Components]\nLangType=CHS\n"
        << "[CodePage]\nUICodePage=" << uiCodePage << "\nDBCodePage=936\n"
        << "[Server Information]\nComputerName=" << computerName << "\nServerPort=211\n";
}

TfrmTestJob::TfrmTestJob(TComponent* owner) : TfrmBaseGene(owner) {
    static const TClassInfo& info = DescribeClass("TfrmTestJob");
    SetClass(info);
    SetName("frmZorb71");
    const auto place = [this](TWinControl* control, const char* name, int top) {
        control->SetName(name);
        control->SetParent(tsOption1);
        control->SetBounds(80, top, 120, 21);
    };
    ed01 = new TEdit(this);
    place(ed01, "ed01", 10);
    ed02 = new TEdit(this);
    place(ed02, "ed02", 40);
    me03 = new TMemo(this);
    place(me03, "me03", 70);
    sg04 = new TStringGrid(this);
    place(sg04, "sg04", 130);
    sg04->SetColCount(3);
    sg04->SetRowCount(2);
    sp05 = new TSelectPanel(this);
    sp05->SetName("sp05");
    sp05->SetParent(tsOption1);
    sp05->SetBounds(10, 200, 353, 45);
    sp05->SetCaption("选择币种");
}

void TfrmTestJob::InitOptions() {
    TfrmBaseGene::InitOptions();
    LookupFlags = LookupFlagsToUse;
}

void TfrmTestJob::PrepareConnection(TSocketConnection* connection) {
    TfrmBaseGene::PrepareConnection(connection);
    connection->SetServerName(ServerToUse);
}

void TfrmTestJob::RightsApplied() {
    TfrmBaseGene::RightsApplied();
    ++RightsAppliedCount;
}

void TfrmTestJob::HandleF2Key(Word key, TWinControl* control) {
    F2Requests.push_back(control ? control->Name() : std::string("(none)"));
    TfrmBaseGene::HandleF2Key(key, control);
}

void JobFormTest::SetUpTestSuite() {
    install_ = new TJobFormInstall();
}

void JobFormTest::TearDownTestSuite() {
    delete install_;
    install_ = nullptr;
}

void JobFormTest::SetUp() {
    UiTest::SetUp();
    platform_.emplace(FixedPlatformValues{.Now = MakeDateTime(2026, 12, 15, 9, 30)});
    install_->WriteClientIni();
    session_ = std::make_shared<TTestSession>();
}

void JobFormTest::TearDown() {
    for (TComponentRef<TfrmTestJob>& form : forms_)
        if (form)
            form->Free();
    forms_.clear();
    UiTest::TearDown();
    // The recorded lookup requests carry the session object itself; drop them so the
    // session and the server it created are freed with the test.
    session_->State().LookupRequests.clear();
    session_.reset();
    platform_.reset();
}

TfrmTestJob* JobFormTest::NewForm(const std::string& modulePath) {
    TfrmTestJob* form = Create<TfrmTestJob>(nullptr);
    forms_.emplace_back(form);
    form->SetModulePath(modulePath);
    form->Session = SessionObject();
    return form;
}

TfrmTestJob* JobFormTest::StartedForm() {
    TfrmTestJob* form = NewForm();
    EXPECT_TRUE(form->AcceptSession(SessionParam())) << form->MessageIdLog() << form->MessageTextLog();
    return form;
}

Variant JobFormTest::SessionParam(int count, HWND window) {
    const Variant values[] = {"KM01", "DEMO", "DEMO", static_cast<long long>(window), "extra"};
    std::vector<Variant> param(values, values + count);
    return VarArrayOf(param);
}

} // namespace vondrel::test
