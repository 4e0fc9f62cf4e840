#include "devices/devicelog.h"

Q_LOGGING_CATEGORY(lcDevices, "dap.devices")
