#pragma once

#include "dapd/dapdconfig.h"
#include "dapd/dapdoptions.h"
#include "dapd/unithub.h"

#include <QObject>

class ApiServer;
class LineServer;

// The control server put together: the units (UnitHub), the WebSocket API
// and the line protocol, with the rules on where it may listen.
class DapdServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DapdServer)

public:
    // `hub` holds where units are found and the time-outs (tests shorten
    // them and keep discovery on loopback).
    DapdServer(const DapdOptions &options, const DapdConfig &config, const UnitHub::Settings &hub,
               QObject *parent = nullptr);
    ~DapdServer() override;

    // The settings of the hub for these options.
    static UnitHub::Settings hubSettings(const DapdOptions &options);
    // Reads the configuration file of the options and DAPD_PASSWORD.
    static bool loadConfig(const DapdOptions &options, const QString &environmentPassword,
                           bool hasEnvironmentPassword, DapdConfig &config, QString &error);

    // Listens and starts the units. False (with `error`) when an address
    // other than loopback is asked for without a token, or a port cannot be
    // had.
    bool start(QString &error);

    UnitHub &hub() { return *m_hub; }
    ApiServer *api() const { return m_api; }
    LineServer *line() const { return m_line; }

private:
    DapdOptions m_options;
    DapdConfig m_config;
    UnitHub *m_hub;
    ApiServer *m_api = nullptr;
    LineServer *m_line = nullptr;
};
