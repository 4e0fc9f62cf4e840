#pragma once

#include <QLoggingCategory>

// The control server's log: connections of units and clients, refusals.
// Passwords and tokens never reach it.
Q_DECLARE_LOGGING_CATEGORY(lcDapd)
