#include "ui/RemoteServer.h"

namespace vondrel {

TCustomRemoteServer::TCustomRemoteServer(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass("TCustomRemoteServer");
    SetClass(info);
}

TLocalConnection::TLocalConnection(TComponent* owner) : TCustomRemoteServer(owner) {
    static const TClassInfo& info = DescribeClass("TLocalConnection");
    SetClass(info);
}

} // namespace vondrel
