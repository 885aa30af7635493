#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// Reads an INI file with the platform's profile-string rules: section and key names
/// compare without regard to case; names and values are trimmed, and a value enclosed in
/// matching single or double quotes loses them; the first of duplicate sections or keys
/// wins; lines beginning with ";" are comments. A missing or unreadable file reads as an
/// empty one, so every read gives its default. The file is read once, when the object is
/// made; the reader never writes.
class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const noexcept { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    /// The value as a decimal or hexadecimal ("$1F", "0x1F") integer; the default when
    /// the value is missing or not such a number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    /// A non-zero integer is true; the default when the value is not an integer.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    /// Section names in file order.
    std::vector<std::string> ReadSections() const;
    /// Key names of a section in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    /// Every "name=value" line of a section in file order, each value as ReadString gives it.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::string_view section) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    std::string fileName_;
    std::vector<Section> sections_;
};

} // namespace vondrel
