#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// One value of a registry key.
struct RegValue {
    enum class Kind { String, ExpandString, MultiString, DWord, Binary };
    Kind Type = Kind::String;
    std::string Text;               ///< String and ExpandString; the lines of MultiString joined by '\n'
    std::uint32_t Number = 0;       ///< DWord
    std::vector<std::uint8_t> Data; ///< Binary and the raw bytes of the hex forms
};

/// A read-only registry read from a file in the ".reg" export format ("REGEDIT4" or
/// "Windows Registry Editor Version 5.00"; UTF-8 or UTF-16LE). Key and value names
/// compare without regard to case; the short root names (HKLM, HKCU, HKCR, HKU) are
/// accepted in look-ups, and HKEY_CLASSES_ROOT also shows the keys below
/// HKEY_LOCAL_MACHINE\Software\Classes. A file that cannot be read or has no valid header is an empty
/// registry; Error says why. Lines that cannot be understood are skipped.
class TRegistryFile {
public:
    /// Reads and parses the file now; never raises.
    static std::shared_ptr<const TRegistryFile> Load(const std::string& path);
    static std::shared_ptr<const TRegistryFile> Parse(std::string_view content, std::string path = {});

    const std::string& Path() const noexcept { return path_; }
    /// The folder of the file, ending in "/"; relative paths in values are read from there.
    std::string Folder() const;
    const std::string& Error() const noexcept { return error_; }

    bool KeyExists(std::string_view key) const;
    std::optional<RegValue> Value(std::string_view key, std::string_view name) const;
    /// Value names of a key in file order ("" is the default value).
    std::vector<std::string> ValueNames(std::string_view key) const;

private:
    struct Key {
        std::vector<std::string> order;
        std::map<std::string, RegValue> values; // by upper-cased name
    };
    const Key* FindKey(std::string_view key) const;

    std::string path_;
    std::string error_;
    std::map<std::string, Key> keys_; // by normalised, upper-cased path
    std::set<std::string> parents_;   // keys that exist only as parents of others
};

/// The registry file named by VONDREL_REGISTRY, else /etc/vondrel/registry.reg.
std::string RegistryFilePath();
/// The registry of RegistryFilePath, read again whenever the path or the file changes.
std::shared_ptr<const TRegistryFile> SystemRegistry();

enum class HKEY { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

/// Read-only access to one key at a time, in the manner of the platform's registry
/// class: choose a root, open a key, read its values.
class TRegistry {
public:
    HKEY RootKey = HKEY::CurrentUser;

    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();
    bool KeyExists(std::string_view key) const;
    bool ValueExists(std::string_view name) const;
    /// The text of a string value; empty when the value is missing.
    std::string ReadString(std::string_view name) const;
    /// The number of a DWORD value; raises Exception when the value is missing or not a
    /// number.
    std::int32_t ReadInteger(std::string_view name) const;

private:
    std::string FullPath(std::string_view key) const;

    std::shared_ptr<const TRegistryFile> file_;
    std::string currentKey_;
};

} // namespace vondrel
