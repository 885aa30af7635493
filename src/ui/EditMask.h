#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// An edit mask with the platform's semantics: "mask;save;blank". The mask characters
/// 0 (digit), 9 (digit or blank), # (digit, sign or blank), L/l (letter), A/a (letter or
/// digit), C/c (any character; capitals are required, small letters optional), the
/// directives ! (blanks lead), > < <> (case) and \ (next character literal), the
/// separators "/" and ":" (the date and time separators of the format settings), "_" (a
/// blank); anything else is a literal. The second field "0" keeps the literals out of
/// Text; the third field is the blank character shown for an empty position ("_" when
/// absent).
class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(std::string_view mask);

    bool Empty() const noexcept { return positions_.empty(); }
    const std::string& Source() const noexcept { return source_; }
    bool SaveLiterals() const noexcept { return saveLiterals_; }
    char32_t Blank() const noexcept { return blank_; }
    /// The length of the edit text.
    int Length() const noexcept { return static_cast<int>(positions_.size()); }
    bool IsEditable(int position) const noexcept;
    bool IsRequired(int position) const noexcept;
    /// The literal shown at a literal position.
    char32_t LiteralAt(int position) const noexcept;
    /// The first editable position at or after / before the position; -1 when none.
    int NextEditable(int position) const noexcept;
    int PreviousEditable(int position) const noexcept;
    /// Whether the character may go to the editable position; applies the case directive.
    bool Accepts(int position, char32_t& character) const noexcept;

    /// The characters the user entered, literals inserted: blanks fill the positions
    /// beyond them (the platform's formatting of a text into a mask).
    std::u32string Format(std::u32string_view entered, char32_t blank) const;
    /// The entered characters of an edit text: literals removed, trailing blanks
    /// dropped (leading with "!"), the blank character read as a space.
    std::u32string Unformat(std::u32string_view editText) const;
    /// A text that carries its literals, fitted to the mask: each part between literals
    /// is padded with blanks to its width (or cut).
    std::u32string PadInput(std::u32string_view text, char32_t blank) const;
    /// True when every required position is filled; otherwise errorPosition is the first
    /// that is not.
    bool Validate(std::u32string_view editText, int& errorPosition) const;

private:
    enum class Kind { Literal, Mask, MaskOptional };
    struct Position {
        Kind What = Kind::Literal;
        char32_t Char = 0; ///< the mask character, or the literal shown
        int Case = 0;      ///< 0 as typed, 1 upper, 2 lower
    };

    std::string source_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    char32_t blank_ = U'_';
    bool reverse_ = false;
};

} // namespace vondrel
