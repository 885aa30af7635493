#pragma once

#include <vondrel/Variant.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

inline constexpr const char* kClientIniName = "VondrelC.ini";
inline constexpr const char* kServerIniName = "VondrelS.ini";

/// Message identifiers of a failed load.
inline constexpr const char* kErrorNoSuiteKey = "E;000015";
inline constexpr const char* kErrorNoServerName = "E;000016";

/// How interface texts are converted: 2 when the interface is traditional Chinese ("950"),
/// 4 for a simplified interface ("936") on a traditional system, else 0. Code pages compare
/// as exact texts.
std::uint8_t UIConvertModeOf(std::string_view uiCodePage, std::string_view sysCodePage);
/// How database texts are converted: 2 for a traditional interface on a simplified
/// database, 1 for a simplified interface on a traditional database, else 0.
std::uint8_t DBConvertModeOf(std::string_view uiCodePage, std::string_view dbCodePage);

/// The settings of a client installation: the registry's ClientPath and the client
/// settings file VondrelC.ini in it (or in the user's profile folder). Made, read and
/// dropped at once; every instance reads the files afresh. Loading never raises: what
/// cannot be read keeps its default, and ErrorId names the failure.
class TVondrelIniC {
public:
    TVondrelIniC();

    /// Reads the registry and the settings file; true when everything was read.
    bool Load();

    std::string ClientPath;  ///< install folder, ending in a separator once loaded
    std::string ProfilePath; ///< folder of the settings file read
    std::string ProfileType;
    std::string ProfileName;
    std::string UICodePage;
    std::string DBCodePage;
    std::string SysCodePage;
    std::uint8_t UIConvertMode = 0;
    std::uint8_t DBConvertMode = 0;
    bool SupportCallBack = false;
    std::string IniFileName;
    /// Application servers, [0..1, 0..n-1]: row 0 the names, row 1 the ports. Empty (not
    /// an array) until the server names were read.
    Variant ServerList;
    std::string ErrorId;
    std::string LangType;
    std::vector<std::string> WorkDLLPaths;
    std::string Version;
    std::string CreateGifBeforeSendEF;
    std::string AutoCheckNewMsg;
    std::string CheckInterval;
    std::string PopupMsg;
    std::string LoginCheck;
};

/// Row and column counts of TVondrelIniS::DBSettings.
inline constexpr int kDBSettingsRows = 4;
inline constexpr int kDBSettingsColumns = 8;

/// The settings of a server installation: the registry's ServerPath and the server
/// settings file VondrelS.ini. Same life and failure rules as TVondrelIniC.
class TVondrelIniS {
public:
    TVondrelIniS();

    bool Load();
    /// Replaces the content of the list by the work folders.
    void CopyWorkDLLPaths(std::vector<std::string>& list) const;

    std::string ServerPath;
    std::string ProfilePath;
    std::string ProfileType;
    std::string ProfileName;
    std::string UICodePage;
    std::string DBCodePage;
    std::string SysCodePage;
    std::uint8_t UIConvertMode = 0;
    std::uint8_t DBConvertMode = 0;
    bool SupportCallBack = false;
    std::string IniFileName;
    /// Database settings [0..3, 0..7]: main database, temporary database, the server's
    /// own addresses, exchange database. Cells that have no setting stay empty.
    Variant DBSettings;
    std::string ErrorId;
    std::vector<std::string> WorkDLLPaths;
    std::string Version;
    std::uint8_t DBKind = 0; ///< 1 Oracle, 2 DB2, 0 any other
    std::string SystemControlAddress;
    std::string OtherSystemControlAddress;
};

} // namespace vondrel
