#include "ui/EditMask.h"

#include "ui/TextEditing.h"

#include "platform/FormatSettings.h"

namespace vondrel {

namespace {

bool IsLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}
bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

} // namespace

TEditMask::TEditMask(std::string_view mask) : source_(mask) {
    const std::u32string chars = ToChars(mask);
    const int length = static_cast<int>(chars.size());
    // Field separators count only among the last four characters.
    auto isSeparator = [&](int i) {
        return i >= 0 && i < length && chars[static_cast<std::size_t>(i)] == U';' && length >= 4 &&
               i >= length - 4 && !(i > 0 && chars[static_cast<std::size_t>(i) - 1] == U'\\');
    };
    int bodyEnd = length;
    int firstSeparator = -1;
    int lastSeparator = -1;
    for (int i = length - 1; i >= 0 && i >= length - 4; --i)
        if (isSeparator(i)) {
            if (lastSeparator < 0)
                lastSeparator = i;
            firstSeparator = i;
        }
    if (firstSeparator >= 0) {
        bodyEnd = firstSeparator;
        if (firstSeparator + 1 < length && firstSeparator != lastSeparator)
            saveLiterals_ = chars[static_cast<std::size_t>(firstSeparator) + 1] != U'0';
        else if (firstSeparator == lastSeparator && firstSeparator + 1 < length)
            saveLiterals_ = chars[static_cast<std::size_t>(firstSeparator) + 1] != U'0';
        // The blank field needs a save field before it.
        if (lastSeparator == length - 2 && firstSeparator != lastSeparator)
            blank_ = chars[static_cast<std::size_t>(length) - 1];
    }

    int caseMode = 0;
    for (int i = 0; i < bodyEnd; ++i) {
        const char32_t c = chars[static_cast<std::size_t>(i)];
        switch (c) {
        case U'\\':
            if (i + 1 < bodyEnd)
                positions_.push_back({Kind::Literal, chars[static_cast<std::size_t>(++i)], 0});
            continue;
        case U'!':
            reverse_ = true;
            continue;
        case U'>':
            caseMode = 1;
            continue;
        case U'<':
            if (i + 1 < bodyEnd && chars[static_cast<std::size_t>(i) + 1] == U'>') {
                caseMode = 0;
                ++i;
            } else {
                caseMode = 2;
            }
            continue;
        case U'0':
        case U'L':
        case U'A':
        case U'C':
            positions_.push_back({Kind::Mask, c, caseMode});
            continue;
        case U'9':
        case U'#':
        case U'l':
        case U'a':
        case U'c':
            positions_.push_back({Kind::MaskOptional, c, caseMode});
            continue;
        case U'/':
            positions_.push_back({Kind::Literal, static_cast<char32_t>(FormatSettings().DateSeparator), 0});
            continue;
        case U':':
            positions_.push_back({Kind::Literal, static_cast<char32_t>(FormatSettings().TimeSeparator), 0});
            continue;
        case U'_':
            positions_.push_back({Kind::Literal, U' ', 0});
            continue;
        default:
            positions_.push_back({Kind::Literal, c, 0});
        }
    }
}

bool TEditMask::IsEditable(int position) const noexcept {
    return position >= 0 && position < Length() &&
           positions_[static_cast<std::size_t>(position)].What != Kind::Literal;
}

bool TEditMask::IsRequired(int position) const noexcept {
    return position >= 0 && position < Length() &&
           positions_[static_cast<std::size_t>(position)].What == Kind::Mask;
}

char32_t TEditMask::LiteralAt(int position) const noexcept {
    if (position < 0 || position >= Length() || IsEditable(position))
        return 0;
    return positions_[static_cast<std::size_t>(position)].Char;
}

int TEditMask::NextEditable(int position) const noexcept {
    for (int i = std::max(position, 0); i < Length(); ++i)
        if (IsEditable(i))
            return i;
    return -1;
}

int TEditMask::PreviousEditable(int position) const noexcept {
    for (int i = std::min(position, Length() - 1); i >= 0; --i)
        if (IsEditable(i))
            return i;
    return -1;
}

bool TEditMask::Accepts(int position, char32_t& character) const noexcept {
    if (!IsEditable(position))
        return false;
    const Position& p = positions_[static_cast<std::size_t>(position)];
    if (p.Case == 1 && character >= 'a' && character <= 'z')
        character -= 32;
    else if (p.Case == 2 && character >= 'A' && character <= 'Z')
        character += 32;
    const bool optional = p.What == Kind::MaskOptional;
    if (character == U' ' && optional)
        return true;
    switch (p.Char) {
    case U'0':
    case U'9':
        return IsDigit(character);
    case U'#':
        return IsDigit(character) || character == U'+' || character == U'-';
    case U'L':
    case U'l':
        return IsLetter(character);
    case U'A':
    case U'a':
        return IsLetter(character) || IsDigit(character);
    default:
        return character >= 32;
    }
}

std::u32string TEditMask::Format(std::u32string_view entered, char32_t blank) const {
    std::u32string result(static_cast<std::size_t>(Length()), blank);
    int editable = 0;
    for (int i = 0; i < Length(); ++i)
        if (IsEditable(i))
            ++editable;
    // Entered characters fill the editable positions from the left, or from the right
    // with "!" when there are fewer than positions.
    const int count = static_cast<int>(entered.size());
    int skip = reverse_ && count < editable ? editable - count : 0;
    int next = 0;
    for (int i = 0; i < Length(); ++i) {
        if (!IsEditable(i)) {
            result[static_cast<std::size_t>(i)] = positions_[static_cast<std::size_t>(i)].Char;
            continue;
        }
        if (skip > 0) {
            --skip;
            continue;
        }
        if (next < count)
            result[static_cast<std::size_t>(i)] = entered[static_cast<std::size_t>(next++)];
    }
    return result;
}

std::u32string TEditMask::Unformat(std::u32string_view editText) const {
    std::u32string entered;
    for (int i = 0; i < Length() && i < static_cast<int>(editText.size()); ++i)
        if (IsEditable(i))
            entered += editText[static_cast<std::size_t>(i)];
    if (reverse_) {
        std::size_t start = 0;
        while (start < entered.size() && entered[start] == blank_)
            ++start;
        entered.erase(0, start);
    } else {
        while (!entered.empty() && entered.back() == blank_)
            entered.pop_back();
    }
    for (char32_t& c : entered)
        if (c == blank_)
            c = U' ';
    return entered;
}

std::u32string TEditMask::PadInput(std::u32string_view text, char32_t blank) const {
    std::u32string result(static_cast<std::size_t>(Length()), blank);
    std::size_t source = 0;
    int i = 0;
    while (i < Length()) {
        if (!IsEditable(i)) {
            const char32_t literal = positions_[static_cast<std::size_t>(i)].Char;
            result[static_cast<std::size_t>(i)] = literal;
            if (source < text.size() && text[source] == literal)
                ++source;
            ++i;
            continue;
        }
        // One part: the editable positions up to the next literal.
        int end = i;
        while (end < Length() && IsEditable(end))
            ++end;
        const char32_t closing = end < Length() ? positions_[static_cast<std::size_t>(end)].Char : 0;
        for (int k = i; k < end; ++k) {
            if (source >= text.size() || (closing && text[source] == closing))
                break;
            result[static_cast<std::size_t>(k)] = text[source] == U' ' ? blank : text[source];
            ++source;
        }
        // Characters beyond the part's width are dropped up to its closing literal.
        while (source < text.size() && !(closing && text[source] == closing))
            ++source;
        i = end;
    }
    return result;
}

bool TEditMask::Validate(std::u32string_view editText, int& errorPosition) const {
    for (int i = 0; i < Length(); ++i) {
        if (!IsRequired(i))
            continue;
        const char32_t c =
            i < static_cast<int>(editText.size()) ? editText[static_cast<std::size_t>(i)] : blank_;
        if (c == blank_ || c == U' ') {
            errorPosition = i;
            return false;
        }
    }
    return true;
}

} // namespace vondrel
