#pragma once

#include "ui/RemoteServer.h"

#include <string>

namespace vondrel {

/// A directory of application servers a connection may ask for an address. The job
/// forms carry one for compatibility; a configured address makes it unnecessary.
class TSimpleObjectBroker : public TComponent {
public:
    explicit TSimpleObjectBroker(TComponent* owner);
};

/// The connection of a job form to the application server. A server on this machine is
/// created in process by its class name and handed to the connection (SetAppServer); a
/// server elsewhere is reached over TCP at Address and Port.
class TSocketConnection : public TCustomRemoteServer {
public:
    explicit TSocketConnection(TComponent* owner);
    ~TSocketConnection() override;

    const std::string& Address() const noexcept { return address_; }
    void SetAddress(const std::string& address);
    int Port() const noexcept { return port_; }
    void SetPort(int port);
    /// The class name of the server object ("Quorvex.dmReportCounter").
    const std::string& ServerName() const noexcept { return serverName_; }
    void SetServerName(const std::string& name);
    TSimpleObjectBroker* ObjectBroker() const noexcept { return broker_.Get(); }
    void SetObjectBroker(TSimpleObjectBroker* broker) { broker_ = broker; }
    bool SupportCallbacks() const noexcept { return supportCallbacks_; }
    void SetSupportCallbacks(bool value) noexcept { supportCallbacks_ = value; }

    bool Connected() const noexcept { return connected_; }
    /// Connecting reaches the server at Address and Port; raises EOleError when that is
    /// not possible. Disconnecting drops the server object.
    void SetConnected(bool value);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    /// The server object; empty while not connected.
    Variant AppServer() override { return appServer_; }
    /// Uses a server object that already exists in this process: the connection counts as
    /// connected with it until it is disconnected.
    void SetAppServer(Variant server);

private:
    std::string address_;
    int port_ = 211;
    std::string serverName_;
    TComponentRef<TSimpleObjectBroker> broker_;
    bool supportCallbacks_ = true;
    bool connected_ = false;
    Variant appServer_;
};

} // namespace vondrel
