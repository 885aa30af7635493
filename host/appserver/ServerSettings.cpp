#include "ServerSettings.h"

#include "platform/Database.h"
#include "platform/IniFile.h"
#include "platform/Library.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

#include <cstdlib>
#include <filesystem>

namespace vondrel {

namespace {

namespace fs = std::filesystem;

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

std::string InFolder(std::string folder, const char* name) {
    if (folder.empty())
        return {};
    for (char& c : folder)
        if (c == '\\')
            c = '/';
    return (fs::path(folder) / name).string();
}

} // namespace

std::string TServerSettings::FindIniFile() {
    if (const char* named = std::getenv("QUORVEX_INI"); named && *named)
        return named; // a missing file is reported by Load with its name
    TRegistry registry;
    registry.RootKey = HKEY::LocalMachine;
    if (registry.OpenKeyReadOnly("Software\\KMB\\Vondrel")) {
        for (const char* value : {"ServerPath", "ClientPath"}) {
            const std::string candidate = InFolder(registry.ReadString(value), "Quorvex.ini");
            if (IsFile(candidate))
                return candidate;
        }
    }
    const std::string beside =
        InFolder(fs::path(ModuleFileNameOf(reinterpret_cast<const void*>(&TServerSettings::FindIniFile)))
                     .parent_path()
                     .string(),
                 "Quorvex.ini");
    return IsFile(beside) ? beside : std::string();
}

TServerSettings TServerSettings::Load(const std::string& iniFile) {
    if (!IsFile(iniFile))
        throw Exception("The server settings file " +
                        (iniFile.empty() ? std::string("Quorvex.ini") : iniFile) + " was not found");
    TIniFile ini(iniFile);
    TServerSettings settings;
    settings.IniFile = fs::absolute(iniFile).string();
    const fs::path folder = fs::path(settings.IniFile).parent_path();

    settings.ConnectString = ini.ReadString("Database", "ConnectString", "");
    if (settings.ConnectString.empty()) {
        const std::string file = ini.ReadString("Database", "SQLiteFile", "");
        if (file.empty())
            throw Exception("The server settings " + iniFile +
                            " name no database ([Database] SQLiteFile or ConnectString)");
        const fs::path path = fs::path(file).is_absolute() ? fs::path(file) : folder / file;
        settings.ConnectString = SqliteConnectString(path.lexically_normal().string());
    }
    settings.NoticeConnectString = ini.ReadString("Notice", "ConnectString", "");
    if (settings.NoticeConnectString.empty())
        settings.NoticeConnectString = settings.ConnectString;

    for (const std::string& line : ini.ReadSectionValues("Companies")) {
        const std::size_t equals = line.find('=');
        const std::string code = Trim(line.substr(0, equals));
        const std::string database = equals == std::string::npos ? code : Trim(line.substr(equals + 1));
        if (!code.empty())
            settings.Companies.push_back({code, database.empty() ? code : database});
    }
    return settings;
}

const TCompany* TServerSettings::CompanyByCode(std::string_view code) const {
    for (const TCompany& company : Companies)
        if (SameText(company.Code, Trim(code)))
            return &company;
    return nullptr;
}

const TCompany* TServerSettings::CompanyByDatabase(std::string_view database) const {
    for (const TCompany& company : Companies)
        if (SameText(company.Database, Trim(database)))
            return &company;
    return nullptr;
}

} // namespace vondrel
