#pragma once

#include <exception>
#include <string>

namespace vondrel {

/// Root of every exception the platform and the module raise; carries a message.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

/// A variant could not be converted, indexed or called.
class EVariantError : public Exception {
    using Exception::Exception;
};
class EVariantTypeCastError : public EVariantError {
    using EVariantError::EVariantError;
};
class EVariantOverflowError : public EVariantError {
    using EVariantError::EVariantError;
};
class EVariantBadIndexError : public EVariantError {
    using EVariantError::EVariantError;
};
class EVariantInvalidOpError : public EVariantError {
    using EVariantError::EVariantError;
};

/// A late-bound call failed before reaching the object (unknown name, unknown class).
class EOleError : public Exception {
    using Exception::Exception;
};

/// A late-bound call reached the object and the object reported a failure; the message
/// is the object's error description.
class EOleException : public EOleError {
public:
    EOleException(std::string description, std::string source = {})
        : EOleError(std::move(description)), source_(std::move(source)) {}
    const std::string& Source() const noexcept { return source_; }

private:
    std::string source_;
};

} // namespace vondrel
