#pragma once

#include "ui/Component.h"

#include <vondrel/Variant.h>

namespace vondrel {

/// A connection to an application server: whatever it is (in process, over TCP), it
/// hands out the server object that client datasets fetch their records from.
class TCustomRemoteServer : public TComponent {
public:
    explicit TCustomRemoteServer(TComponent* owner);
    /// The server object (a dispatch variant); empty when not connected.
    virtual Variant AppServer() = 0;
};

/// A connection to a server object that already exists in this process.
class TLocalConnection : public TCustomRemoteServer {
public:
    explicit TLocalConnection(TComponent* owner);
    Variant AppServer() override { return appServer_; }
    void SetAppServer(Variant server) { appServer_ = std::move(server); }

private:
    Variant appServer_;
};

} // namespace vondrel
