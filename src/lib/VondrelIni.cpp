#include "lib/VondrelIni.h"

#include "lib/PasswordEncoding.h"
#include "lib/SuitePath.h"
#include "platform/IniFile.h"
#include "platform/PlatformServices.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

#include <filesystem>

namespace vondrel {

namespace {

constexpr const char* kWorkDLLPathSection = "WorkDLLPath";

/// The system code page as one of "936", "950" and "437".
std::string SystemCodePage() {
    std::string codePage;
    try {
        codePage = Platform().SysCodePage();
    } catch (const std::exception&) {
    }
    return codePage == "936" || codePage == "950" ? codePage : "437";
}

/// The first step of every load: defaults, with the code pages of the system.
template <class TSettings>
void SetCodePageDefaults(TSettings& settings) {
    settings.ProfilePath.clear();
    settings.ProfileType = "0";
    settings.ProfileName = "Default";
    settings.DBCodePage = "936";
    settings.SupportCallBack = false;
    settings.ErrorId.clear();
    settings.IniFileName.clear();
    settings.WorkDLLPaths.clear();
    settings.Version.clear();
    settings.SysCodePage = SystemCodePage();
    settings.UICodePage = settings.SysCodePage;
    settings.UIConvertMode = UIConvertModeOf(settings.UICodePage, settings.SysCodePage);
    settings.DBConvertMode = DBConvertModeOf(settings.UICodePage, settings.DBCodePage);
}

template <class TSettings>
void ComputeConvertModes(TSettings& settings) {
    settings.UIConvertMode = UIConvertModeOf(settings.UICodePage, settings.SysCodePage);
    settings.DBConvertMode = DBConvertModeOf(settings.UICodePage, settings.DBCodePage);
}

/// What the suite's registry key says about one kind of installation.
struct TInstallKey {
    bool Opened = false;
    std::string Path;
    std::string ProfileType;
};

std::string ReadRegistryText(const TRegistry& registry, const char* name) {
    try {
        return registry.ReadString(name);
    } catch (const std::exception&) {
        // A value of another type reads as a missing one.
        return {};
    }
}

TInstallKey ReadInstallKey(const char* pathValue) {
    TInstallKey key;
    TRegistry registry;
    registry.RootKey = HKEY::LocalMachine;
    if (!registry.OpenKeyReadOnly(kSuiteRegistryKey))
        return key;
    key.Opened = true;
    key.Path = ReadRegistryText(registry, pathValue);
    key.ProfileType = ReadRegistryText(registry, kProfileTypeValue);
    registry.CloseKey();
    return key;
}

/// Chooses the settings file: the user's own profile folder when profiles are on and the
/// file is there, else the install folder.
template <class TSettings>
void ChooseSettingsFile(TSettings& settings, const std::string& installPath, const char* fileName) {
    if (!settings.ProfileType.empty() && settings.ProfileType != "0") {
        const std::string user = Platform().UserName();
        settings.ProfilePath = installPath + "Profile/" + user + "/";
        settings.ProfileName = user;
    } else {
        settings.ProfilePath = installPath;
    }
    settings.IniFileName = settings.ProfilePath + fileName;
    std::error_code ec;
    if (!std::filesystem::exists(settings.IniFileName, ec)) {
        settings.ProfilePath = installPath;
        settings.IniFileName = installPath + fileName;
    }
}

bool IsTrueText(std::string_view value) {
    const std::string upper = UpperCase(value);
    return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

std::string NameOfLine(std::string_view line) {
    return std::string(line.substr(0, line.find('=')));
}

/// The value of the first "name=value" line that bears the name.
std::string ValueOfName(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), name))
            return line.substr(equals + 1);
    }
    return {};
}

/// The work folders of the "name=folder" lines, made absolute against the install
/// folder; the install folder's default folder when there are none.
std::vector<std::string> WorkFolders(const std::vector<std::string>& lines, const std::string& installPath,
                                     const char* defaultFolder) {
    if (lines.empty())
        return {installPath + defaultFolder};
    std::vector<std::string> folders;
    folders.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::string value = ValueOfName(lines, NameOfLine(line));
        // An empty folder is the install folder itself ("/" alone would be the root).
        folders.push_back(value.empty() ? installPath
                                        : ResolveSuitePath(WithTrailingSeparator(value), installPath));
    }
    return folders;
}

} // namespace

std::uint8_t UIConvertModeOf(std::string_view uiCodePage, std::string_view sysCodePage) {
    if (uiCodePage == "950")
        return 2;
    if (uiCodePage == "936" && sysCodePage == "950")
        return 4;
    return 0;
}

std::uint8_t DBConvertModeOf(std::string_view uiCodePage, std::string_view dbCodePage) {
    if (uiCodePage == "950" && dbCodePage == "936")
        return 2;
    if (uiCodePage == "936" && dbCodePage == "950")
        return 1;
    return 0;
}

// ---- TVondrelIniC ----------------------------------------------------------------------

TVondrelIniC::TVondrelIniC() {
    Load();
}

bool TVondrelIniC::Load() {
    try {
        ClientPath.clear();
        ServerList = Variant();
        LangType.clear();
        CreateGifBeforeSendEF.clear();
        AutoCheckNewMsg.clear();
        CheckInterval.clear();
        PopupMsg.clear();
        LoginCheck.clear();
        SetCodePageDefaults(*this);

        const TInstallKey key = ReadInstallKey(kClientPathValue);
        if (!key.Opened) {
            ErrorId = kErrorNoSuiteKey;
            return false;
        }
        ProfileType = key.ProfileType;
        if (key.Path.empty())
            return false;
        ClientPath = WithTrailingSeparator(key.Path);
        ChooseSettingsFile(*this, ClientPath, kClientIniName);

        const TIniFile ini(IniFileName);
        LangType = ini.ReadString("Client Components", "LangType", "ENG");
        Version = ini.ReadString("ProductVersion", "Version", "");
        CreateGifBeforeSendEF = ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y");
        UICodePage = ini.ReadString("CodePage", "UICodePage", SysCodePage);
        DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
        const std::string callBack = ini.ReadString("Server Information", "SupportCallBack", "0");
        std::string names = Trim(ini.ReadString("Server Information", "ComputerName", "127.0.0.1"));
        const int port = ini.ReadInteger("Server Information", "ServerPort", 211);
        WorkDLLPaths = ini.ReadSectionValues(kWorkDLLPathSection);
        AutoCheckNewMsg = ini.ReadString("TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
        CheckInterval = ini.ReadString("TaskMessageCenter Setting", "CheckInterval", "1");
        PopupMsg = ini.ReadString("TaskMessageCenter Setting", "PopupMsg", "1");
        LoginCheck = ini.ReadString("TaskMessageCenter Setting", "LoginCheck", "0");

        SupportCallBack = IsTrueText(callBack);
        ComputeConvertModes(*this);

        if (!names.empty() && names.back() == ';')
            names.pop_back();
        if (names.empty()) {
            ErrorId = kErrorNoServerName;
            return false;
        }
        // Entries are taken as they stand: blanks around a name and empty names stay.
        std::vector<std::string> entries;
        for (std::size_t start = 0;;) {
            const std::size_t semicolon = names.find(';', start);
            entries.push_back(names.substr(start, semicolon - start));
            if (semicolon == std::string::npos)
                break;
            start = semicolon + 1;
        }
        ServerList = VarArrayCreate({{0, 1}, {0, static_cast<int>(entries.size()) - 1}});
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            ServerList.At({0, i}) = entries[static_cast<std::size_t>(i)];
            ServerList.At({1, i}) = port;
        }

        WorkDLLPaths = WorkFolders(WorkDLLPaths, ClientPath, "C_PKG/");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// ---- TVondrelIniS ----------------------------------------------------------------------

TVondrelIniS::TVondrelIniS() {
    Load();
}

bool TVondrelIniS::Load() {
    try {
        ServerPath.clear();
        DBKind = 0;
        SystemControlAddress.clear();
        OtherSystemControlAddress.clear();
        SetCodePageDefaults(*this);
        DBSettings = VarArrayCreate({{0, kDBSettingsRows - 1}, {0, kDBSettingsColumns - 1}});

        const TInstallKey key = ReadInstallKey(kServerPathValue);
        if (!key.Opened) {
            ErrorId = kErrorNoSuiteKey;
            return false;
        }
        ProfileType = key.ProfileType;
        if (key.Path.empty())
            return false;
        ServerPath = WithTrailingSeparator(key.Path);
        ChooseSettingsFile(*this, ServerPath, kServerIniName);

        const TIniFile ini(IniFileName);
        const char* dbe = "DBE Setting";
        const char* control = "DBPasswordCtrl";
        auto cell = [this](int row, int column) -> Variant& { return DBSettings.At({row, column}); };
        Version = ini.ReadString("ProductVersion", "Version", "");
        UICodePage = ini.ReadString("CodePage", "UICodePage", SysCodePage);
        DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
        cell(0, 1) = ini.ReadString(dbe, "MainUserName", "sa");
        cell(0, 2) = DecodeSQLSa(ini.ReadString(dbe, "XXXXXX", ""));
        cell(0, 0) = ini.ReadString(dbe, "MainAlias", "Pellam");
        cell(0, 3) = ini.ReadString(dbe, "MainDBType", "MSSQL");
        cell(0, 4) = ini.ReadString(dbe, "MainDBName", "");
        cell(0, 5) = ini.ReadString(dbe, "MainServerName", "");
        SystemControlAddress = ini.ReadString(dbe, "SystemControlAddress", "");
        OtherSystemControlAddress = ini.ReadString(dbe, "OtherSystemControlAddress", "");
        cell(0, 6) = ini.ReadInteger(dbe, "MainConnectionTimeOut", 300);
        cell(0, 7) = ini.ReadInteger(dbe, "MainCommandTimeOut", 3000);
        cell(1, 0) = ini.ReadString(dbe, "TempAlias", "PellamTemp");
        cell(1, 1) = ini.ReadString(dbe, "TempUserName", "sa");
        cell(1, 2) = DecodeSQLSa(ini.ReadString(dbe, "TempPassword", ""));
        cell(1, 3) = ini.ReadString(dbe, "TempDBType", "PARADOX");
        cell(1, 4) = ini.ReadString(dbe, "TempDBName", "");
        cell(1, 5) = ini.ReadString(dbe, "TempDriverName", "PostgreSQL");
        cell(1, 6) = ini.ReadInteger(dbe, "TempConnectionTimeOut", 300);
        cell(1, 7) = ini.ReadInteger(dbe, "TempCommandTimeOut", 3000);
        cell(2, 0) = Trim(ini.ReadString(control, "ComputerName", ""));
        cell(2, 1) = ini.ReadInteger(control, "ServerPort", 211);
        cell(2, 2) = ini.ReadInteger(control, "ClientSocketPort", 1024);
        const std::string callBack = ini.ReadString(control, "SupportCallBack", "0");
        cell(2, 3) = ini.ReadString(dbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");
        cell(3, 0) = ini.ReadString(dbe, "EctAlias", "EDIDATA");
        cell(3, 1) = ini.ReadString(dbe, "EctUserName", "sa");
        cell(3, 2) = ini.ReadString(dbe, "EctPassword", "");
        WorkDLLPaths = ini.ReadSectionValues(kWorkDLLPathSection);

        const std::string mainServer = cell(0, 5).AsString();
        if (Trim(SystemControlAddress).empty())
            SystemControlAddress = mainServer;
        if (Trim(OtherSystemControlAddress).empty())
            OtherSystemControlAddress = mainServer;
        SupportCallBack = IsTrueText(callBack);
        ComputeConvertModes(*this);
        const std::string dbType = cell(0, 3).AsString();
        DBKind = SameText(dbType, "ORACLE") ? 1 : SameText(dbType, "DB2") ? 2 : 0;

        WorkDLLPaths = WorkFolders(WorkDLLPaths, ServerPath, "S_PKG/");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TVondrelIniS::CopyWorkDLLPaths(std::vector<std::string>& list) const {
    list = WorkDLLPaths;
}

} // namespace vondrel
