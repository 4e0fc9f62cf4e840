#include "protocol/protocollog.h"

Q_LOGGING_CATEGORY(lcProtocol, "dap.protocol")
