#include "framework/SocketConnection.h"

#include <vondrel/Exception.h>

namespace vondrel {

TSimpleObjectBroker::TSimpleObjectBroker(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass("TSimpleObjectBroker");
    SetClass(info);
}

TSocketConnection::TSocketConnection(TComponent* owner) : TCustomRemoteServer(owner) {
    static const TClassInfo& info =
        DescribeClass<TSocketConnection>("TSocketConnection", [](TClassBuilder<TSocketConnection>& c) {
            c.Property("Address", &TSocketConnection::Address, &TSocketConnection::SetAddress);
            c.Property("Connected", &TSocketConnection::Connected, &TSocketConnection::SetConnected);
            c.Property("ObjectBroker", &TSocketConnection::ObjectBroker, &TSocketConnection::SetObjectBroker);
            c.Property("Port", &TSocketConnection::Port, &TSocketConnection::SetPort);
            c.Property("ServerName", &TSocketConnection::ServerName, &TSocketConnection::SetServerName);
            c.Property("SupportCallbacks", &TSocketConnection::SupportCallbacks,
                       &TSocketConnection::SetSupportCallbacks);
        });
    SetClass(info);
}

TSocketConnection::~TSocketConnection() = default;

void TSocketConnection::SetAddress(const std::string& address) {
    if (address == address_)
        return;
    SetConnected(false);
    address_ = address;
}

void TSocketConnection::SetPort(int port) {
    if (port == port_)
        return;
    SetConnected(false);
    port_ = port;
}

void TSocketConnection::SetServerName(const std::string& name) {
    if (name == serverName_)
        return;
    SetConnected(false);
    serverName_ = name;
}

void TSocketConnection::SetConnected(bool value) {
    if (value == connected_)
        return;
    if (!value) {
        appServer_ = Variant();
        connected_ = false;
        return;
    }
    // Reaching a server on another machine needs the TCP transport, which this build
    // does not have: say so rather than pretend to be connected.
    throw EOleError("Cannot connect to the application server " + serverName_ + " at " + address_ + ":" +
                    std::to_string(port_) + ": no TCP transport is available");
}

void TSocketConnection::SetAppServer(Variant server) {
    appServer_ = std::move(server);
    connected_ = appServer_.IsDispatch();
}

} // namespace vondrel
