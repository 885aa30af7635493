#pragma once

#include "ShellSession.h"

#include <vondrel/Dispatch.h>

#include <memory>

namespace vondrel {

/// What the session object and its services share: the settings and the application
/// server, which outlive the session when a form still holds a service.
class TShellContext {
public:
    explicit TShellContext(TShellSessionSettings settings) : settings_(std::move(settings)) {}

    const TShellSessionSettings& Settings() const noexcept { return settings_; }
    /// The application server, created on first use.
    Variant AppServer();

private:
    TShellSessionSettings settings_;
    Variant server_;
};

/// Com_Counter: the application server's counter functions and system parameters.
class TCounterService : public TAutoObject {
public:
    explicit TCounterService(std::shared_ptr<TShellContext> context);

private:
    std::shared_ptr<TShellContext> context_;
};

/// Com_Validator: code checks on the server's check definitions.
class TValidatorService : public TAutoObject {
public:
    explicit TValidatorService(std::shared_ptr<TShellContext> context);

private:
    std::shared_ptr<TShellContext> context_;
    Variant productId_;
    Variant baseLimited_;
};

/// Com_F2Window: the lookup window, the phrase list and the date chooser.
class TLookupService : public TAutoObject {
public:
    explicit TLookupService(std::shared_ptr<TShellContext> context);

    Variant F2GetData(const Variant& request);
    Variant GetPhrase(const Variant& user, const Variant& database);
    Variant ShowInputDay(const Variant& request);

private:
    std::shared_ptr<TShellContext> context_;
};

} // namespace vondrel
