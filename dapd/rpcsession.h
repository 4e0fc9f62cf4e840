#pragma once

#include "dapd/failure.h"
#include "model/paramid.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>

#include <functional>

class Subscriptions;
class UnitAgent;
class UnitHub;

// One client of the WebSocket API: JSON-RPC 2.0 requests in, responses and
// notifications out, whatever carries them. Requests run as their units
// answer; a batch is answered in one message when all of its requests are.
//
//   units.list                      -> [unit, ...]
//   unit.status    {unit}           -> unit
//   get            {unit, paths}    -> {unit, values: {path: value}}
//   set            {unit, values}   -> {unit, values: {path: value}, notes}
//   subscribe      {unit, paths}    -> {unit, values}; then "changed" notifications
//   unsubscribe    {unit, paths?}   -> {unit, removed}
//   preset.list    {unit}           -> {unit, current, presets: [...]}
//   preset.recall  {unit, slot}     -> {unit, slot, name}
//   preset.save    {unit, slot}     -> {unit, slot, name}
//
// Notifications: "changed" {unit, values}, "unit.online" and
// "unit.offline" {unit, address}.
class RpcSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(RpcSession)

public:
    static constexpr int MaxMessageBytes = 1024 * 1024;
    static constexpr int MaxBatch = 256;
    static constexpr int MaxInFlight = 256;
    static constexpr int MaxPaths = 4096;
    static constexpr int MaxPathLength = 256;

    using Send = std::function<void(const QByteArray &message)>;
    RpcSession(UnitHub &hub, const Send &send, QObject *parent = nullptr);
    ~RpcSession() override;

    // One message of the client (a request, a notification or a batch).
    void handleMessage(const QByteArray &message);

    int inFlight() const { return m_inFlight; }
    const Subscriptions &subscriptions() const { return *m_subs; }

private:
    using Reply = std::function<void(const QJsonValue &result, const Failure &failure)>;
    // Handles one request; `answer` gets the response object, or nothing for
    // a notification.
    void handleOne(const QJsonValue &request,
                   const std::function<void(const QJsonValue &)> &answer);
    void dispatch(const QString &method, const QJsonObject &params, const Reply &reply);
    void notify(const QString &method, const QJsonObject &params);
    void sendChanges(UnitAgent *agent, const QVector<Model::ParamId> &points);

    UnitAgent *unitOf(const QJsonObject &params, Failure &failure) const;
    QVector<Model::ParamId> pathsOf(const QJsonObject &params, bool optional,
                                    Failure &failure) const;

    UnitHub &m_hub;
    Send m_send;
    Subscriptions *m_subs;
    int m_inFlight = 0;
};
