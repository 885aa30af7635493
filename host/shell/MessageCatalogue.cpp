#include "MessageCatalogue.h"

#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"

#include <algorithm>
#include <vondrel/Exception.h>

namespace vondrel {

namespace {

std::string Unescape(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            const char* replacement = next == 'n'    ? "\n"
                                      : next == 'r'  ? "\r"
                                      : next == 't'  ? "\t"
                                      : next == '\\' ? "\\"
                                                     : nullptr;
            if (replacement) {
                result += replacement;
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

/// "K;NNNNNN" for a kind letter and a six-digit number, else empty.
std::string IdentifierOf(std::string_view kind, std::string_view number) {
    const std::string k = UpperCase(Trim(kind));
    std::string n = Trim(number);
    if (!n.empty() && n[0] == '-')
        n.erase(0, 1); // a log-only identifier names the same text
    if (k.size() != 1 || k[0] < 'A' || k[0] > 'Z' || n.size() != 6 ||
        !std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return k + ";" + n;
}

std::string MissingText(const std::string& id, std::string_view language) {
    if (SameText(language, "CHT"))
        return "訊息 " + id + " 不在訊息目錄中。";
    if (SameText(language, "ENG"))
        return "The message " + id + " is not in the message catalogue.";
    return "消息 " + id + " 不在消息目录中。";
}

} // namespace

TMessageCatalogue TMessageCatalogue::Load(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        throw Exception("Cannot read the message catalogue " + path);
    return Parse(*bytes, path);
}

TMessageCatalogue TMessageCatalogue::Parse(std::string_view text, const std::string& name) {
    TMessageCatalogue catalogue;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (!IsValidUtf8(text))
        throw Exception("The message catalogue " + name + " is not UTF-8 text");
    std::string current;
    int currentLine = 0;
    int lineNumber = 0;
    auto fail = [&](int line, const std::string& why) {
        throw Exception("Message catalogue " + name + " line " + std::to_string(line) + ": " + why);
    };
    auto finishSection = [&] {
        if (!current.empty() && catalogue.texts_[current].empty())
            fail(currentLine, "the message " + current + " has no text");
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                fail(lineNumber, "a section header ends with \"]\"");
            const std::string inside = Trim(std::string_view(line).substr(1, line.size() - 2));
            const std::size_t semicolon = inside.find(';');
            const std::string id =
                semicolon == std::string::npos
                    ? std::string()
                    : IdentifierOf(inside.substr(0, semicolon), inside.substr(semicolon + 1));
            if (id.empty() || inside.substr(semicolon + 1).find('-') != std::string::npos)
                fail(lineNumber, "\"" + inside + "\" is not a message (a kind letter, \";\" and six digits)");
            finishSection();
            if (catalogue.texts_.count(id))
                fail(lineNumber, "the message " + id + " appears twice");
            catalogue.texts_[id];
            catalogue.order_.push_back(id);
            current = id;
            currentLine = lineNumber;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            fail(lineNumber, "expected \"LANGUAGE = text\" or a section header");
        if (current.empty())
            fail(lineNumber, "a text before the first message header");
        const std::string language = UpperCase(Trim(std::string_view(line).substr(0, equals)));
        const auto& languages = CatalogueLanguages();
        if (std::find(languages.begin(), languages.end(), language) == languages.end())
            fail(lineNumber, "unknown language \"" + language + "\" (CHS, CHT or ENG)");
        auto& texts = catalogue.texts_[current];
        if (texts.count(language))
            fail(lineNumber, "the message " + current + " gives " + language + " twice");
        texts[language] = Unescape(Trim(std::string_view(line).substr(equals + 1)));
    }
    finishSection();
    return catalogue;
}

std::optional<std::string> TMessageCatalogue::Find(std::string_view kind, std::string_view number,
                                                   std::string_view language) const {
    const auto message = texts_.find(IdentifierOf(kind, number));
    if (message == texts_.end())
        return std::nullopt;
    const auto text = message->second.find(UpperCase(Trim(language)));
    if (text == message->second.end())
        return std::nullopt;
    return text->second;
}

std::string TMessageCatalogue::Text(std::string_view kind, std::string_view number,
                                    std::string_view language) const {
    for (std::string_view candidate : {language, std::string_view("CHS"), std::string_view("ENG")})
        if (auto text = Find(kind, number, candidate))
            return *text;
    std::string id = IdentifierOf(kind, number);
    if (id.empty())
        id = Trim(kind) + ";" + Trim(number);
    return MissingText(id, language);
}

} // namespace vondrel
