#include "platform/IniFile.h"

#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"

#include <sstream>

namespace vondrel {

namespace {

std::string Unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::istringstream stream(DecodeTextBytes(ReadFileBytes(fileName_).value_or(std::string())));
    std::string line;
    Section* current = nullptr;
    while (std::getline(stream, line)) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            // A header without its closing bracket names the section up to the line end.
            const std::size_t close = trimmed.find(']');
            const std::string name = Trim(std::string_view(trimmed).substr(
                1, close == std::string::npos ? std::string::npos : close - 1));
            sections_.push_back({name, {}});
            current = &sections_.back();
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (!current || equals == std::string::npos)
            continue;
        current->entries.push_back({TrimRight(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))});
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view section) const {
    const std::string name = Trim(section);
    for (const Section& s : sections_)
        if (SameText(s.name, name))
            return &s;
    return nullptr;
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const std::string name = Trim(key);
    for (const Entry& e : s->entries)
        if (SameText(e.key, name))
            return &e;
    return nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    const Entry* e = FindEntry(section, key);
    return e ? Unquoted(e->value) : std::string(fallback);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
    const Entry* e = FindEntry(section, key);
    return e ? StrToIntDef(Unquoted(e->value), fallback) : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        bool seen = false;
        for (const std::string& n : names)
            seen = seen || SameText(n, s.name);
        if (!seen)
            names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            keys.push_back(e.key);
    return keys;
}

std::vector<std::string> TIniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::string> lines;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            lines.push_back(e.key + "=" + Unquoted(e.value));
    return lines;
}

} // namespace vondrel
