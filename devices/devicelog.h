#pragma once

#include <QLoggingCategory>

// Debug output of discovery, the registry and the unit connections.
Q_DECLARE_LOGGING_CATEGORY(lcDevices)
