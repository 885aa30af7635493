#pragma once

#include "platform/Library.h"

#include <string>
#include <string_view>

namespace vondrel {

/// The suite's conversion library between simplified and traditional Chinese.
inline constexpr const char* kKmlanguageLibrary = "Kmlanguage.dll";

/// Converts texts between simplified (GB2312) and traditional (Big5) Chinese through the
/// conversion library's exports GBtoBIG5 and BIG5toGB. Each translator loads the library
/// once and unloads it when destroyed. Texts are the process's narrow (UTF-8) texts.
class TTranslator {
public:
    /// Loads the library and looks up both exports. Raises Exception "Load Library %s
    /// Error!" (with the library's file name) when it cannot be loaded, and "Get Library
    /// Procedure Address Error!" when an export is missing.
    explicit TTranslator(std::string libraryName = kKmlanguageLibrary);
    ~TTranslator();
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;

    /// Traditional to simplified Chinese; the text unchanged when the library cannot
    /// convert it.
    std::string TranslateToGB(std::string_view text) const;
    /// Simplified to traditional Chinese; the same rule.
    std::string TranslateToBig5(std::string_view text) const;

private:
    /// The exports' form: converts a NUL-terminated text into the caller's buffer and
    /// returns the length of the whole result, or -1 (see the library's header).
    using ConvertProc = long (*)(const char* text, char* buffer, long bufferSize);

    static std::string Run(ConvertProc proc, std::string_view text);

    HMODULE handle_ = 0;
    ConvertProc gbToBig5_ = nullptr;
    ConvertProc big5ToGb_ = nullptr;
};

} // namespace vondrel
