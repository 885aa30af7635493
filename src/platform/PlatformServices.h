#pragma once

#include "platform/DateTime.h"

#include <memory>
#include <string>

namespace vondrel {

/// What the program asks of the machine it runs on: the clock, the machine and user
/// names, the temporary folder. The defaults read the real machine; a test installs a
/// subclass that fixes some of them.
class TPlatformServices {
public:
    virtual ~TPlatformServices() = default;
    /// Local date and time.
    virtual TDateTime Now() const;
    virtual std::string ComputerName() const;
    virtual std::string UserName() const;
    /// The temporary folder, ending in "/"; empty when there is none.
    virtual std::string TempPath() const;
    /// The system's ANSI code page reduced to the three the suite knows: "936", "950" or
    /// "437", from the process locale (see ProcessAnsiCodePage).
    virtual std::string SysCodePage() const;
};

/// The services in use.
const TPlatformServices& Platform();
/// Installs other services (nullptr restores the machine's own); returns the ones
/// that were in use.
std::shared_ptr<const TPlatformServices>
SetPlatformServices(std::shared_ptr<const TPlatformServices> services);

/// Platform().Now(), and its date part.
TDateTime Now();
TDateTime Today();

} // namespace vondrel
