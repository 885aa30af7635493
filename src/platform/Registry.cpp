#include "platform/Registry.h"

#include <vondrel/Exception.h>

#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>

namespace vondrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoots[][2] = {
    {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKCU", "HKEY_CURRENT_USER"},   {"HKCR", "HKEY_CLASSES_ROOT"},
    {"HKU", "HKEY_USERS"},          {"HKCC", "HKEY_CURRENT_CONFIG"},
};

/// Upper-cased path with single backslashes, no slashes at either end, long root name.
std::string NormaliseKey(std::string_view key) {
    std::string out;
    bool lastSlash = true;
    for (char c : key) {
        if (c == '/')
            c = '\\';
        if (c == '\\') {
            if (!lastSlash)
                out += c;
            lastSlash = true;
            continue;
        }
        out += c;
        lastSlash = false;
    }
    if (!out.empty() && out.back() == '\\')
        out.pop_back();
    out = UpperCase(out);
    const std::size_t slash = out.find('\\');
    const std::string root = out.substr(0, slash);
    for (const auto& pair : kRoots)
        if (root == pair[0])
            return std::string(pair[1]) + (slash == std::string::npos ? "" : out.substr(slash));
    return out;
}

/// The key below HKEY_LOCAL_MACHINE\Software\Classes that a normalised key below
/// HKEY_CLASSES_ROOT stands for; empty for keys of other roots.
std::string MachineClassesKey(const std::string& normal) {
    static const std::string kClassesRoot = "HKEY_CLASSES_ROOT";
    if (normal.compare(0, kClassesRoot.size(), kClassesRoot) != 0 ||
        (normal.size() > kClassesRoot.size() && normal[kClassesRoot.size()] != '\\'))
        return {};
    return "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES" + normal.substr(kClassesRoot.size());
}

/// Reads a quoted string starting at text[pos] == '"'; handles \\ and \" escapes.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos) {
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string out;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '\\' && pos + 1 < text.size()) {
            out += text[++pos];
        } else if (c == '"') {
            ++pos;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadHexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::string item;
    auto flush = [&]() -> bool {
        const std::string trimmed = Trim(item);
        item.clear();
        if (trimmed.empty())
            return true;
        const auto value = TryStrToInt64("0x" + trimmed);
        if (!value || *value < 0 || *value > 255 || trimmed.size() > 2)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(*value));
        return true;
    };
    for (char c : text) {
        if (c == ',') {
            if (!flush())
                return std::nullopt;
        } else {
            item += c;
        }
    }
    if (!flush())
        return std::nullopt;
    return bytes;
}

/// Text of string bytes stored by a hex(2)/hex(7) value: UTF-16LE in version 5 files,
/// single bytes in REGEDIT4 files.
std::string HexText(const std::vector<std::uint8_t>& data, bool wide) {
    if (wide) {
        std::u16string text;
        for (std::size_t i = 0; i + 1 < data.size(); i += 2)
            text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        return Utf16ToUtf8(text);
    }
    return std::string(data.begin(), data.end());
}

std::optional<RegValue> ParseValue(std::string_view text, bool wide) {
    text = std::string_view(text).substr(0);
    const std::string trimmed = Trim(text);
    RegValue value;
    if (!trimmed.empty() && trimmed.front() == '"') {
        std::size_t pos = 0;
        auto quoted = ReadQuoted(trimmed, pos);
        if (!quoted || !Trim(std::string_view(trimmed).substr(pos)).empty())
            return std::nullopt;
        value.Type = RegValue::Kind::String;
        value.Text = std::move(*quoted);
        return value;
    }
    if (StartsText("dword:", trimmed)) {
        const std::string digits = Trim(trimmed.substr(6));
        const auto number = TryStrToInt64("0x" + digits);
        if (digits.empty() || digits.size() > 8 || !number)
            return std::nullopt;
        value.Type = RegValue::Kind::DWord;
        value.Number = static_cast<std::uint32_t>(*number);
        return value;
    }
    if (StartsText("hex", trimmed)) {
        const std::size_t colon = trimmed.find(':');
        if (colon == std::string::npos)
            return std::nullopt;
        const std::string kind = trimmed.substr(3, colon - 3);
        auto bytes = ReadHexBytes(std::string_view(trimmed).substr(colon + 1));
        if (!bytes)
            return std::nullopt;
        value.Data = std::move(*bytes);
        if (kind.empty() || kind == "(3)") {
            value.Type = RegValue::Kind::Binary;
        } else if (kind == "(2)" || kind == "(7)") {
            std::string textValue = HexText(value.Data, wide);
            while (!textValue.empty() && textValue.back() == '\0')
                textValue.pop_back();
            if (kind == "(7)")
                for (char& c : textValue)
                    if (c == '\0')
                        c = '\n';
            value.Type = kind == "(2)" ? RegValue::Kind::ExpandString : RegValue::Kind::MultiString;
            value.Text = std::move(textValue);
        } else if (kind == "(4)" && value.Data.size() == 4) {
            value.Type = RegValue::Kind::DWord;
            value.Number = value.Data[0] | (value.Data[1] << 8) | (value.Data[2] << 16) |
                           (static_cast<std::uint32_t>(value.Data[3]) << 24);
        } else {
            value.Type = RegValue::Kind::Binary;
        }
        return value;
    }
    return std::nullopt;
}

} // namespace

std::shared_ptr<const TRegistryFile> TRegistryFile::Load(const std::string& path) {
    const auto content = ReadFileBytes(path);
    if (!content) {
        auto empty = std::make_shared<TRegistryFile>();
        empty->path_ = path;
        empty->error_ = "The registry file cannot be read: " + path;
        return empty;
    }
    return Parse(*content, path);
}

std::shared_ptr<const TRegistryFile> TRegistryFile::Parse(std::string_view content, std::string path) {
    auto file = std::make_shared<TRegistryFile>();
    file->path_ = std::move(path);
    const bool wideFile = content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0xFF;
    const std::string text = DecodeTextBytes(content);

    // Lines, with a trailing backslash joining the next line (long hex values).
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    std::string pending;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = TrimRight(line);
        // Only hex values are continued; a string value never ends in a bare backslash.
        const bool continued = !trimmed.empty() && trimmed.back() == '\\' &&
                               (!pending.empty() || trimmed.find("=hex") != std::string::npos);
        if (continued) {
            pending += Trim(trimmed.substr(0, trimmed.size() - 1));
            continue;
        }
        lines.push_back(pending.empty() ? line : pending + Trim(line));
        pending.clear();
    }
    if (!pending.empty())
        lines.push_back(pending);

    std::size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty())
        ++first;
    const std::string header = first < lines.size() ? Trim(lines[first]) : std::string();
    const bool version5 = header == "Windows Registry Editor Version 5.00";
    if (header != "REGEDIT4" && !version5) {
        file->error_ = "Not a registry file (no REGEDIT4 or version 5.00 header): " + file->path_;
        return file;
    }
    const bool wide = version5 || wideFile;

    Key* current = nullptr;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::string trimmed = Trim(lines[i]);
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            current = nullptr;
            if (trimmed.back() != ']' || trimmed.size() < 3 || trimmed[1] == '-')
                continue;
            const std::string key = NormaliseKey(std::string_view(trimmed).substr(1, trimmed.size() - 2));
            // Importing a key makes its parents exist as well, without values.
            for (std::size_t slash = key.find('\\'); slash != std::string::npos;
                 slash = key.find('\\', slash + 1))
                file->parents_.insert(key.substr(0, slash));
            current = &file->keys_[key];
            continue;
        }
        if (!current)
            continue;
        std::string name;
        std::size_t pos = 0;
        if (trimmed.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ReadQuoted(trimmed, pos);
            if (!quoted)
                continue;
            name = std::move(*quoted);
        }
        while (pos < trimmed.size() && (trimmed[pos] == ' ' || trimmed[pos] == '\t'))
            ++pos;
        if (pos >= trimmed.size() || trimmed[pos] != '=')
            continue;
        const std::string_view valueText = std::string_view(trimmed).substr(pos + 1);
        if (Trim(valueText) == "-")
            continue;
        auto value = ParseValue(valueText, wide);
        if (!value)
            continue;
        const std::string upperName = UpperCase(name);
        if (!current->values.count(upperName))
            current->order.push_back(name);
        current->values[upperName] = std::move(*value);
    }
    return file;
}

std::string TRegistryFile::Folder() const {
    const fs::path parent = fs::path(path_).parent_path();
    return parent.empty() ? std::string("./") : parent.string() + "/";
}

const TRegistryFile::Key* TRegistryFile::FindKey(std::string_view key) const {
    const std::string normal = NormaliseKey(key);
    if (const auto found = keys_.find(normal); found != keys_.end())
        return &found->second;
    if (const std::string merged = MachineClassesKey(normal); !merged.empty())
        if (const auto found = keys_.find(merged); found != keys_.end())
            return &found->second;
    return nullptr;
}

bool TRegistryFile::KeyExists(std::string_view key) const {
    if (FindKey(key))
        return true;
    const std::string normal = NormaliseKey(key);
    const std::string merged = MachineClassesKey(normal);
    return parents_.count(normal) || (!merged.empty() && parents_.count(merged));
}

std::optional<RegValue> TRegistryFile::Value(std::string_view key, std::string_view name) const {
    const Key* found = FindKey(key);
    if (!found)
        return std::nullopt;
    const auto value = found->values.find(UpperCase(name));
    if (value == found->values.end())
        return std::nullopt;
    return value->second;
}

std::vector<std::string> TRegistryFile::ValueNames(std::string_view key) const {
    const Key* found = FindKey(key);
    return found ? found->order : std::vector<std::string>();
}

std::string RegistryFilePath() {
    const char* path = std::getenv("VONDREL_REGISTRY");
    return path && *path ? std::string(path) : std::string("/etc/vondrel/registry.reg");
}

std::shared_ptr<const TRegistryFile> SystemRegistry() {
    struct Cached {
        std::string path;
        fs::file_time_type stamp{};
        std::uintmax_t size = 0;
        std::shared_ptr<const TRegistryFile> file;
    };
    static std::mutex mutex;
    static Cached cached;
    const std::string path = RegistryFilePath();
    std::error_code ec;
    const auto stamp = fs::last_write_time(path, ec);
    const auto size = ec ? 0 : fs::file_size(path, ec);
    std::lock_guard lock(mutex);
    if (!cached.file || cached.path != path || cached.stamp != stamp || cached.size != size) {
        cached.path = path;
        cached.stamp = stamp;
        cached.size = size;
        cached.file = TRegistryFile::Load(path);
    }
    return cached.file;
}

// ---- TRegistry ------------------------------------------------------------------------

std::string TRegistry::FullPath(std::string_view key) const {
    static constexpr std::string_view kRootNames[] = {
        "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
    std::string path(kRootNames[static_cast<int>(RootKey)]);
    // A key that starts with a backslash is absolute below the root; others are relative
    // to the open key.
    if (!key.empty() && (key.front() == '\\' || key.front() == '/'))
        return path + std::string(key);
    if (!currentKey_.empty())
        path += "\\" + currentKey_;
    return path + "\\" + std::string(key);
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    file_ = SystemRegistry();
    const std::string full = FullPath(key);
    if (!file_->KeyExists(full))
        return false;
    const std::size_t slash = full.find('\\');
    currentKey_ = slash == std::string::npos ? std::string() : full.substr(slash + 1);
    return true;
}

void TRegistry::CloseKey() {
    currentKey_.clear();
    file_.reset();
}

bool TRegistry::KeyExists(std::string_view key) const {
    return SystemRegistry()->KeyExists(FullPath(key));
}

bool TRegistry::ValueExists(std::string_view name) const {
    return file_ && file_->Value(FullPath(""), name).has_value();
}

std::string TRegistry::ReadString(std::string_view name) const {
    if (!file_)
        return {};
    const auto value = file_->Value(FullPath(""), name);
    if (!value)
        return {};
    if (value->Type == RegValue::Kind::DWord)
        throw Exception("Invalid data type for '" + std::string(name) + "'");
    return value->Text;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    const auto value = file_ ? file_->Value(FullPath(""), name) : std::nullopt;
    if (!value || value->Type != RegValue::Kind::DWord)
        throw Exception("Invalid data type for '" + std::string(name) + "'");
    return static_cast<std::int32_t>(value->Number);
}

} // namespace vondrel
