#include "ui/TextEditing.h"

#include <algorithm>

namespace vondrel {

std::u32string ToChars(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (byte < 0x80) {
            length = 1;
            code = byte;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2;
            code = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            code = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            code = byte & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            result += U'\uFFFD';
            ++i;
            continue;
        }
        result += code;
        i += static_cast<std::size_t>(length);
    }
    return result;
}

std::string FromChars(std::u32string_view chars) {
    std::string result;
    result.reserve(chars.size());
    for (char32_t c : chars) {
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (c >> 18));
            result += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

int CodePageWidth(std::u32string_view chars) noexcept {
    int width = 0;
    for (char32_t c : chars)
        width += c < 0x80 ? 1 : 2;
    return width;
}

void TEditBuffer::Assign(std::string_view text) {
    Text = ToChars(text);
    SelStart = 0;
    SelLength = 0;
}

void TEditBuffer::SelectAll() noexcept {
    SelStart = 0;
    SelLength = static_cast<int>(Text.size());
}

void TEditBuffer::SetCaret(int position) noexcept {
    SelStart = std::clamp(position, 0, static_cast<int>(Text.size()));
    SelLength = 0;
}

bool TEditBuffer::DeleteSelection() {
    SelStart = std::clamp(SelStart, 0, static_cast<int>(Text.size()));
    SelLength = std::clamp(SelLength, 0, static_cast<int>(Text.size()) - SelStart);
    if (SelLength == 0)
        return false;
    Text.erase(static_cast<std::size_t>(SelStart), static_cast<std::size_t>(SelLength));
    SelLength = 0;
    return true;
}

bool TEditBuffer::Insert(std::u32string_view chars, int maxWidth) {
    const std::u32string before = Text;
    DeleteSelection();
    std::u32string accepted(chars);
    if (maxWidth > 0) {
        const int room = maxWidth - CodePageWidth(Text);
        std::size_t fits = 0;
        int used = 0;
        while (fits < accepted.size() && used + CodePageWidth(accepted.substr(fits, 1)) <= room)
            used += CodePageWidth(accepted.substr(fits++, 1));
        accepted.resize(fits);
    }
    Text.insert(static_cast<std::size_t>(SelStart), accepted);
    SelStart += static_cast<int>(accepted.size());
    return Text != before;
}

bool TEditBuffer::Backspace() {
    if (DeleteSelection())
        return true;
    if (SelStart <= 0)
        return false;
    Text.erase(static_cast<std::size_t>(--SelStart), 1);
    return true;
}

bool TEditBuffer::Delete() {
    if (DeleteSelection())
        return true;
    if (SelStart >= static_cast<int>(Text.size()))
        return false;
    Text.erase(static_cast<std::size_t>(SelStart), 1);
    return true;
}

} // namespace vondrel
