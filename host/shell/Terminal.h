#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace vondrel {

/// Where a person at a terminal types commands and reads what happens.
class TTerminal {
public:
    virtual ~TTerminal() = default;
    /// A line typed after the prompt; nothing at the end of the input.
    virtual std::optional<std::string> ReadLine(const std::string& prompt) = 0;
    virtual void Write(const std::string& text) = 0;
};

/// A terminal on two streams (standard input and output, or strings in tests).
class TStreamTerminal : public TTerminal {
public:
    TStreamTerminal(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    std::optional<std::string> ReadLine(const std::string& prompt) override;
    void Write(const std::string& text) override;

private:
    std::istream& in_;
    std::ostream& out_;
};

} // namespace vondrel
