#pragma once

#include <QLoggingCategory>

// Debug output of the link: frame faults of the receive path and discarded sends.
Q_DECLARE_LOGGING_CATEGORY(lcProtocol)
