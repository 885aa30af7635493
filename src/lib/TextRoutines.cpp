#include "lib/TextRoutines.h"

#include "platform/SysUtils.h"
#include "platform/Unicode.h"

namespace vondrel {

namespace {

/// Position of the separator in the text, npos for an empty separator (which never occurs).
std::size_t FindSeparator(std::string_view text, std::string_view separator, std::size_t from = 0) {
    return separator.empty() ? std::string_view::npos : text.find(separator, from);
}

/// Each occurrence of oldText in the text replaced once, from left to right.
std::string ReplaceEachOnce(std::string_view text, std::string_view oldText, std::string_view newText) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t p = text.find(oldText); p != std::string_view::npos; p = text.find(oldText, from)) {
        out.append(text, from, p - from).append(newText);
        from = p + oldText.size();
    }
    return out.append(text.substr(from));
}

} // namespace

std::size_t CodePageLength(std::string_view text) {
    std::size_t length = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            length += 1;
        else if ((byte & 0xC0) != 0x80) // the lead byte of a multi-byte character
            length += 2;
    }
    return length;
}

std::string PadLeft(std::string_view text, std::span<const int> options) {
    if (options.empty())
        return std::string(text);
    const int width = options[0];
    const std::size_t length = CodePageLength(text);
    if (width <= 0 || length >= static_cast<std::size_t>(width))
        return std::string(text);
    const int code = options.size() > 1 ? options[1] : ' ';
    const char fill = code > 0 && code < 128 ? static_cast<char>(code) : ' ';
    return std::string(static_cast<std::size_t>(width) - length, fill) + std::string(text);
}

std::string GetToken(std::string_view text, std::string_view separator, int n) {
    int i = 1;
    std::string_view field;
    bool found = !text.empty();
    while (i <= n && found) {
        const std::size_t p = FindSeparator(text, separator);
        if (p != std::string_view::npos) {
            field = text.substr(0, p);
            text.remove_prefix(p + separator.size());
            ++i;
        } else {
            field = text;
            found = false;
        }
    }
    return i < n || n <= 0 ? std::string() : std::string(field);
}

int TokenCount(std::string_view text, std::string_view separator) {
    if (text.empty())
        return 0;
    int count = 1;
    for (std::size_t p = FindSeparator(text, separator); p != std::string_view::npos;
         p = FindSeparator(text, separator, p + separator.size()))
        ++count;
    return count;
}

void CutToken(std::string& text, std::string_view separator, std::string& head) {
    const std::size_t p = FindSeparator(text, separator);
    if (p == std::string::npos) {
        head = std::move(text);
        text.clear();
        return;
    }
    head = text.substr(0, p);
    text.erase(0, p + separator.size());
}

std::string ReplaceAllText(std::string_view text, std::string_view oldText, std::string_view newText,
                           bool trim) {
    std::string result(text);
    if (!oldText.empty() && !SameText(oldText, newText)) {
        if (newText.find(oldText) != std::string_view::npos) {
            // Searching again from the start would find the new text forever: replace
            // the occurrences of the original text in one pass instead.
            result = ReplaceEachOnce(text, oldText, newText);
        } else {
            // The text before a replacement is unchanged, so the next occurrence cannot
            // start earlier than one that overlaps the replaced part: searching from there
            // finds what a search from the very start would find.
            //
            // A new text no longer than the old one always comes to an end: the text gets
            // shorter, or keeps its length and only moves one way in character order. A
            // longer one can feed on its own output for ever ("ab" by "bbaa" in "aab").
            // While every replacement takes in a character of the original text there are
            // at most as many replacements as the text has characters; needing more means
            // the text is feeding on itself, and then each original occurrence is replaced
            // once instead.
            const bool grows = newText.size() > oldText.size();
            std::size_t replacements = 0;
            std::size_t from = 0;
            for (std::size_t p = result.find(oldText); p != std::string::npos;
                 p = result.find(oldText, from)) {
                if (grows && ++replacements > text.size()) {
                    result = ReplaceEachOnce(text, oldText, newText);
                    break;
                }
                result.replace(p, oldText.size(), newText);
                from = p + 1 >= oldText.size() ? p + 1 - oldText.size() : 0;
            }
        }
    }
    return trim ? Trim(result) : result;
}

std::u16string BuildDelimitedParams(std::string_view name, std::span<const Variant> counted) {
    auto text = [](const Variant& v) {
        try {
            return VarToStr(v);
        } catch (const Exception&) {
            return std::string();
        }
    };
    std::string out(name);
    out += '\x03';
    if (!counted.empty()) {
        out += text(counted[0]) + '\x03';
        int count = 0;
        try {
            count = counted[0].AsInteger();
        } catch (const Exception&) {
        }
        for (int i = 1; i <= count && static_cast<std::size_t>(i) < counted.size(); ++i)
            out += text(counted[static_cast<std::size_t>(i)]) + '\x03';
    }
    return Utf8ToUtf16(out);
}

std::string LocalButtonCaption(std::string_view buttonName) {
    static constexpr std::string_view kCaptions[][2] = {
        {"Yes", "是(&Y)"},       {"No", "否(&N)"},         {"OK", "确定"},         {"Cancel", "取消"},
        {"Abort", "中断(&A)"},   {"Retry", "重试(&R)"},    {"Ignore", "忽略(&I)"}, {"All", "全部(&A)"},
        {"NoToAll", "全否(&o)"}, {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"},
    };
    for (const auto& pair : kCaptions)
        if (pair[0] == buttonName)
            return std::string(pair[1]);
    return std::string(buttonName);
}

bool IsLocalAddress(std::string_view address) {
    return address == "127.0.0.1";
}

} // namespace vondrel
