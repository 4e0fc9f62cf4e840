#include "dapctl/ctloptions.h"

DiscoveryScope CtlOptions::discoveryScope() const
{
    DiscoveryScope scope;
    if (!bind.isNull()) {
        scope.localAddresses = {bind};
        scope.listenOnAnyAddress = false;
        // dapctl sends no UDP command; keep even the command address local.
        scope.commandAddress = bind;
    }
    scope.announcePort = announcePort;
    scope.unitPort = port;
    return scope;
}
