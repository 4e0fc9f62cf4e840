#pragma once

#include "dapctl/ctloptions.h"
#include "devices/broadcastmsg.h"
#include "unitlink/unittarget.h"

#include <QVector>

#include <functional>
#include <optional>

// Finds units by their UDP announcements, as the program's device list does,
// without the registry: dapctl leaves no device.db behind.
class UnitLocator final
{
public:
    explicit UnitLocator(const CtlOptions &options);

    // Listens for `ms` milliseconds, or until `stop` accepts an announcement.
    // Each unit is kept once, in the order first heard. False (with `error`)
    // when no discovery socket could be opened.
    bool listen(int ms, const std::function<bool(const broadcastMsg &)> &stop,
                QVector<broadcastMsg> &found, QString &error) const;

    // The unit `text` names: an IPv4 address is taken as it is; otherwise the
    // first unit announcing that device id or serial number within the time
    // out.
    std::optional<UnitTarget> resolve(const QString &text, QString &error) const;

private:
    CtlOptions m_options;
};
