#include "lib/LanguageController.h"

#include "lib/VondrelIni.h"

#include <filesystem>

namespace vondrel {

namespace {

std::string FormatName(std::string_view pattern, std::string_view name) {
    std::string text(pattern);
    if (const std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

} // namespace

std::string LanguageCodeOf(std::string_view uiCodePage) {
    if (uiCodePage == "936")
        return "CHS";
    if (uiCodePage == "950")
        return "CHT";
    if (uiCodePage == "437")
        return "ENG";
    return {};
}

std::string LanguageFolder(TDesignType kind) {
    std::string install;
    std::string codePage;
    if (kind == dtServer) {
        const TVondrelIniS settings;
        install = settings.ServerPath;
        codePage = settings.UICodePage;
    } else {
        const TVondrelIniC settings;
        install = settings.ClientPath;
        codePage = settings.UICodePage;
    }
    const std::string code = LanguageCodeOf(codePage);
    // Without an install folder the name would be relative to wherever the program runs.
    if (code.empty() || install.empty())
        return {};
    const std::string folder = install + "MultiLanguage/" + code + "/";
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? folder : std::string();
}

std::string LanguageFileName(TDesignType kind, std::string_view packageName) {
    return LanguageFolder(kind) + std::string(packageName) + kLanguageFileExtension;
}

std::string ReadLangMessage(TDesignType kind, std::string_view packageName, std::string_view identifier,
                            std::string_view defaultText) {
    try {
        const std::string fileName = LanguageFileName(kind, packageName);
        std::error_code ec;
        if (!std::filesystem::exists(fileName, ec))
            return std::string(defaultText);
        TXmlDocument document;
        if (!document.Load(fileName))
            return std::string(defaultText);
        const TXmlNode node = document.SelectSingleNode("//" + std::string(identifier) + "/@Msg");
        if (node.Attribute)
            return node.Attribute.Value();
    } catch (const std::exception&) {
        // An identifier that makes no valid expression finds nothing.
    }
    return std::string(defaultText);
}

// ---- TLanguageController ---------------------------------------------------------------

TLanguageController::TLanguageController(TComponent* owner)
    : TComponent(owner), excludeControls_(std::make_unique<TStringList>()) {
    static const TClassInfo& info =
        DescribeClass<TLanguageController>("TLanguageController", [](TClassBuilder<TLanguageController>& c) {
            c.Declared("Active", &TLanguageController::Active, &TLanguageController::SetActive);
            c.Declared("ExcludeControls", &TLanguageController::ExcludeControls);
            c.Event("AfterClose", &TLanguageController::AfterClose, false);
            c.Event("AfterLoadComponent", &TLanguageController::AfterLoadComponent, false);
            c.Event("AfterOpen", &TLanguageController::AfterOpen, false);
            c.Event("BeforeClose", &TLanguageController::BeforeClose, false);
            c.Event("BeforeLoadComponent", &TLanguageController::BeforeLoadComponent, false);
            c.Event("BeforeOpen", &TLanguageController::BeforeOpen, false);
        });
    SetClass(info);
    excludeControls_->OnChange = [this](TObject*) {
        if (reader_)
            reader_->SetExcludeControls(*excludeControls_);
    };
}

TLanguageController::~TLanguageController() {
    Release();
}

bool TLanguageController::Active() const noexcept {
    return document_ && document_->DocumentElement();
}

void TLanguageController::SetActive(bool value) {
    if (Loading()) {
        streamedActive_ = value;
        return;
    }
    if (value && !Active())
        Open();
    else if (!value && Active())
        Close();
}

void TLanguageController::Loaded() {
    TComponent::Loaded();
    if (streamedActive_)
        SetActive(true);
}

void TLanguageController::SetExcludeControls(const TStrings* lines) {
    if (lines)
        excludeControls_->Assign(*lines);
    else
        excludeControls_->Clear();
}

TLangReader& TLanguageController::Reader() {
    if (!Active() || !reader_)
        throw LanguageControllerError(kNoActiveControllerError);
    return *reader_;
}

void TLanguageController::Open() {
    DoBeforeOpen();
    Release();
    if (fileName_.empty())
        throw LanguageControllerError(FormatName(kCannotFindFileError, fileName_));
    auto document = std::make_unique<TXmlDocument>();
    if (!document->Load(fileName_))
        throw LanguageControllerError(document->ParseError().Reason);
    document_ = std::move(document);
    reader_ = std::make_unique<TLangReader>(*document_);
    reader_->SetExcludeControls(*excludeControls_);
    reader_->BeforeLoadComponent = TLoadComponentEvent(this, &TLanguageController::DoBeforeLoadComponent);
    reader_->AfterLoadComponent = TLoadComponentEvent(this, &TLanguageController::DoAfterLoadComponent);
    DoAfterOpen();
}

void TLanguageController::Close() {
    DoBeforeClose();
    Release();
    DoAfterClose();
}

void TLanguageController::Release() {
    reader_.reset();
    document_.reset();
}

void TLanguageController::DoBeforeOpen() {
    BeforeOpen(this);
}

void TLanguageController::DoAfterOpen() {
    AfterOpen(this);
}

void TLanguageController::DoBeforeClose() {
    BeforeClose(this);
}

void TLanguageController::DoAfterClose() {
    AfterClose(this);
}

void TLanguageController::DoBeforeLoadComponent(TComponent* component, const TXmlElement& element) {
    BeforeLoadComponent(component, element);
}

void TLanguageController::DoAfterLoadComponent(TComponent* component, const TXmlElement& element) {
    AfterLoadComponent(component, element);
}

// ---- TKmLangController -----------------------------------------------------------------

TKmLangController::TKmLangController(TComponent* owner) : TLanguageController(owner) {
    static const TClassInfo& info =
        DescribeClass<TKmLangController>("TKmLangController", [](TClassBuilder<TKmLangController>& c) {
            c.Publish({"Active", "AfterClose", "AfterLoadComponent", "AfterOpen", "BeforeClose",
                       "BeforeLoadComponent", "BeforeOpen", "ExcludeControls"});
            c.Property("DesignType", &TKmLangController::DesignType, &TKmLangController::SetDesignType);
            c.Property("LangPackageName", &TKmLangController::LangPackageName,
                       &TKmLangController::SetLangPackageName);
        });
    SetClass(info);
}

void TKmLangController::SetLangPackageName(const std::string& name) {
    if (name == langPackageName_)
        return;
    langPackageName_ = name;
    const std::string fileName = LanguageFileName(designType_, name);
    if (fileName != FileName()) {
        SetFileName(fileName);
        SetActive(false);
    }
}

} // namespace vondrel
