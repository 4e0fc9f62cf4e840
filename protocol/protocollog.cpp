#include "protocol/protocollog.h"

// Off unless asked for (QT_LOGGING_RULES="dap.protocol.debug=true"): under a
// stream of junk the receive path writes a line per byte.
Q_LOGGING_CATEGORY(lcProtocol, "dap.protocol", QtInfoMsg)
