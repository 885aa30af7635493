#include "lib/Translator.h"

#include <vondrel/Exception.h>

#include <vector>

namespace vondrel {

namespace {

/// Handles below this value are failures, as the suite has always treated them.
constexpr HMODULE kFirstValidHandle = 33;

/// Converts one piece without NUL characters.
std::string RunPiece(long (*proc)(const char*, char*, long), const std::string& piece) {
    std::vector<char> buffer(piece.size() * 2 + 16);
    long length = proc(piece.c_str(), buffer.data(), static_cast<long>(buffer.size()));
    if (length >= 0 && static_cast<std::size_t>(length) >= buffer.size()) {
        buffer.resize(static_cast<std::size_t>(length) + 1);
        length = proc(piece.c_str(), buffer.data(), static_cast<long>(buffer.size()));
    }
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size())
        return piece;
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace

TTranslator::TTranslator(std::string libraryName) {
    handle_ = LoadLibrary(libraryName);
    if (handle_ < kFirstValidHandle) {
        handle_ = 0;
        throw Exception("Load Library " + libraryName + " Error!");
    }
    gbToBig5_ = reinterpret_cast<ConvertProc>(GetProcAddress(handle_, "GBtoBIG5"));
    big5ToGb_ = reinterpret_cast<ConvertProc>(GetProcAddress(handle_, "BIG5toGB"));
    if (!gbToBig5_ || !big5ToGb_) {
        FreeLibrary(handle_);
        throw Exception("Get Library Procedure Address Error!");
    }
}

TTranslator::~TTranslator() {
    if (handle_ != 0)
        FreeLibrary(handle_);
}

std::string TTranslator::TranslateToGB(std::string_view text) const {
    return big5ToGb_ ? Run(big5ToGb_, text) : std::string(text);
}

std::string TTranslator::TranslateToBig5(std::string_view text) const {
    return gbToBig5_ ? Run(gbToBig5_, text) : std::string(text);
}

std::string TTranslator::Run(ConvertProc proc, std::string_view text) {
    // The library takes NUL-terminated texts: convert the pieces between NULs and keep them.
    std::string result;
    result.reserve(text.size());
    for (std::size_t start = 0;;) {
        const std::size_t nul = text.find('\0', start);
        const std::string piece(text.substr(start, nul == std::string_view::npos ? nul : nul - start));
        result += piece.empty() ? piece : RunPiece(proc, piece);
        if (nul == std::string_view::npos)
            break;
        result += '\0';
        start = nul + 1;
    }
    return result;
}

} // namespace vondrel
