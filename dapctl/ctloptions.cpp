#include "dapctl/ctloptions.h"

DiscoveryScope CtlOptions::discoveryScope() const
{
    return DiscoveryScope::forTool(bind, announcePort, port);
}
