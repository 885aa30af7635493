#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// The file name of the message catalogue in the install folder.
inline constexpr const char* kMessageCatalogueFile = "VondrelMsg.cat";

/// The languages of the catalogue, as the client settings name them (LangType).
inline const std::vector<std::string>& CatalogueLanguages() {
    static const std::vector<std::string> languages{"CHS", "CHT", "ENG"};
    return languages;
}

/// The suite's message texts by kind, number and language, read from a UTF-8 text file:
///
///     # a comment (also ";" at the start of a line); blank lines are ignored
///     [E;000038]
///     CHS = 传入的参数不足。
///     CHT = 傳入的參數不足。
///     ENG = Too few session parameters were passed.
///
/// A section names one message: its kind (one letter) and its six-digit number. Its lines
/// give the text in a language; blanks around "=" are dropped, and in the text "\n", "\r",
/// "\t" and "\\" stand for a line feed, carriage return, tab and backslash (any other
/// backslash is kept). "%s" marks where an argument goes. A message may not appear twice
/// nor give a language twice; every message needs at least one text.
class TMessageCatalogue {
public:
    /// Reads the file; raises Exception naming the file and line of the first fault.
    static TMessageCatalogue Load(const std::string& path);
    /// The same from text (the name is used in error messages).
    static TMessageCatalogue Parse(std::string_view text, const std::string& name);

    /// The text of a message in a language, or empty when the catalogue has none.
    std::optional<std::string> Find(std::string_view kind, std::string_view number,
                                    std::string_view language) const;
    /// The text for the session: the language asked for, else simplified Chinese, else
    /// English; for a message the catalogue lacks, a text saying so (without arguments).
    std::string Text(std::string_view kind, std::string_view number, std::string_view language) const;

    /// Every message as "K;NNNNNN", in file order.
    const std::vector<std::string>& Identifiers() const noexcept { return order_; }

private:
    std::map<std::string, std::map<std::string, std::string>> texts_; // id → language → text
    std::vector<std::string> order_;
};

} // namespace vondrel
