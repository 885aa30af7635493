#pragma once

#include <string>

namespace vondrel {

/// Whether an action of the simulated user took place; when it did not, why (the button
/// is disabled, the field is read-only, a modal form is in the way).
struct TUserResult {
    bool Ok = true;
    std::string Reason;

    explicit operator bool() const noexcept { return Ok; }
    static TUserResult Done() { return {}; }
    static TUserResult Refused(std::string reason) { return {false, std::move(reason)}; }
};

} // namespace vondrel
