#include "Terminal.h"

#include <istream>
#include <ostream>

namespace vondrel {

std::optional<std::string> TStreamTerminal::ReadLine(const std::string& prompt) {
    out_ << prompt << std::flush;
    std::string line;
    if (!std::getline(in_, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

void TStreamTerminal::Write(const std::string& text) {
    out_ << text << std::flush;
}

} // namespace vondrel
