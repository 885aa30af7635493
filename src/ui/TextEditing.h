#pragma once

#include <string>
#include <string_view>

namespace vondrel {

/// Characters of UTF-8 text (malformed bytes become U+FFFD) and back.
std::u32string ToChars(std::string_view text);
std::string FromChars(std::u32string_view chars);
/// The width of text in the suite's double-byte code pages: 1 per ASCII character, 2 per
/// other character. Edit limits count this width.
int CodePageWidth(std::u32string_view chars) noexcept;

/// The text of an edit field with its caret and selection, edited as keys do it.
struct TEditBuffer {
    std::u32string Text;
    int SelStart = 0;
    int SelLength = 0;

    void Assign(std::string_view text);
    std::string Utf8() const { return FromChars(Text); }
    void SelectAll() noexcept;
    void SetCaret(int position) noexcept;
    /// Replaces the selection by the characters, as many as fit when a width limit is
    /// given (0: none). False when nothing changed.
    bool Insert(std::u32string_view chars, int maxWidth = 0);
    /// Deletes the selection, or the character before (backspace) or after the caret.
    bool Backspace();
    bool Delete();
    bool DeleteSelection();
};

} // namespace vondrel
