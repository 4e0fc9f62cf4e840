#include "dapd/dapdlog.h"

Q_LOGGING_CATEGORY(lcDapd, "dap.dapd", QtInfoMsg)
