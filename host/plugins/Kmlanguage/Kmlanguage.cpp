#include "Kmlanguage.h"

#include <opencc.h>

#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

namespace {

/// One OpenCC conversion, opened on first use and closed when the library is unloaded.
class Conversion {
public:
    explicit Conversion(const char* config) : config_(config) {}
    ~Conversion() {
        if (IsOpen())
            opencc_close(handle_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    /// The converted text; false when OpenCC cannot be opened or refuses the text.
    bool Convert(std::string_view text, std::string& out) {
        std::lock_guard lock(mutex_);
        if (!opened_) {
            handle_ = opencc_open(config_);
            opened_ = true;
        }
        if (!IsOpen())
            return false;
        const std::string input(text);
        char* converted = opencc_convert_utf8(handle_, input.c_str(), input.size());
        if (!converted)
            return false;
        out += converted;
        opencc_convert_utf8_free(converted);
        return true;
    }

private:
    bool IsOpen() const { return opened_ && handle_ != reinterpret_cast<opencc_t>(-1); }

    const char* config_;
    std::mutex mutex_;
    bool opened_ = false;
    opencc_t handle_ = reinterpret_cast<opencc_t>(-1);
};

Conversion simplifiedToTraditional("s2t.json");
Conversion traditionalToSimplified("t2s.json");

/// Length of the well-formed UTF-8 sequence at the start of the text, 0 when there is none.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

/// Converts the UTF-8 runs of the text and copies the bytes between them unchanged.
long Run(Conversion& conversion, const char* text, char* buffer, long bufferSize) {
    if (!text || bufferSize < 0)
        return -1;
    const std::string_view input(text);
    std::string out;
    out.reserve(input.size());
    std::size_t runStart = 0;
    std::size_t i = 0;
    const auto flush = [&](std::size_t end) {
        return end == runStart || conversion.Convert(input.substr(runStart, end - runStart), out);
    };
    while (i < input.size()) {
        const std::size_t length = SequenceLength(input.substr(i));
        if (length > 0) {
            i += length;
            continue;
        }
        if (!flush(i))
            return -1;
        out += input[i];
        runStart = ++i;
    }
    if (!flush(i))
        return -1;
    const long length = static_cast<long>(out.size());
    if (buffer && bufferSize > 0) {
        if (length < bufferSize)
            std::memcpy(buffer, out.c_str(), out.size() + 1);
        else
            buffer[0] = '\0';
    }
    return length;
}

} // namespace

extern "C" long GBtoBIG5(const char* text, char* buffer, long bufferSize) {
    try {
        return Run(simplifiedToTraditional, text, buffer, bufferSize);
    } catch (...) {
        return -1;
    }
}

extern "C" long BIG5toGB(const char* text, char* buffer, long bufferSize) {
    try {
        return Run(traditionalToSimplified, text, buffer, bufferSize);
    } catch (...) {
        return -1;
    }
}
