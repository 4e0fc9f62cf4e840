#include "dapd/rpcsession.h"

#include "dapd/paths.h"
#include "dapd/subscriptions.h"
#include "dapd/unitagent.h"
#include "dapd/unithub.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QSet>

#include <cmath>
#include <memory>

using namespace Model;

namespace {

QJsonObject errorObject(const Failure &f)
{
    QJsonObject error{{QStringLiteral("code"), f.code}, {QStringLiteral("message"), f.message}};
    QJsonObject data;
    if (!f.field.isEmpty())
        data.insert(QStringLiteral("field"), f.field);
    if (!f.path.isEmpty())
        data.insert(QStringLiteral("path"), f.path);
    if (!data.isEmpty())
        error.insert(QStringLiteral("data"), data);
    return error;
}

QJsonObject response(const QJsonValue &id, const QJsonValue &result, const Failure &f)
{
    QJsonObject o{{QStringLiteral("jsonrpc"), QStringLiteral("2.0")}, {QStringLiteral("id"), id}};
    if (f.failed())
        o.insert(QStringLiteral("error"), errorObject(f));
    else
        o.insert(QStringLiteral("result"), result);
    return o;
}

QByteArray compact(const QJsonValue &v)
{
    return v.isArray() ? QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact)
                       : QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
}

} // namespace

RpcSession::RpcSession(UnitHub &hub, const Send &send, QObject *parent)
    : QObject(parent), m_hub(hub), m_send(send), m_subs(new Subscriptions(this))
{
    connect(m_subs, &Subscriptions::changed, this, &RpcSession::sendChanges);
    connect(&hub, &UnitHub::unitOnline, this,
            [this](UnitAgent *agent) { notify(QStringLiteral("unit.online"), agent->describe()); });
    connect(&hub, &UnitHub::unitOffline, this, [this](UnitAgent *agent) {
        notify(QStringLiteral("unit.offline"), agent->describe());
    });
}

RpcSession::~RpcSession() = default;

void RpcSession::notify(const QString &method, const QJsonObject &params)
{
    m_send(compact(QJsonObject{{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
                               {QStringLiteral("method"), method},
                               {QStringLiteral("params"), params}}));
}

void RpcSession::sendChanges(UnitAgent *agent, const QVector<ParamId> &points)
{
    QJsonObject values;
    for (const ParamId &id : points)
        values.insert(Paths::path(id), agent->lastValue(id));
    notify(QStringLiteral("changed"),
           QJsonObject{{QStringLiteral("unit"), agent->key()}, {QStringLiteral("values"), values}});
}

void RpcSession::handleMessage(const QByteArray &message)
{
    const QJsonValue null(QJsonValue::Null);
    if (message.size() > MaxMessageBytes) {
        m_send(compact(response(
            null, {},
            Failure::of(Failure::InvalidRequest, QStringLiteral("the message has %1 bytes; at most "
                                                                "%2 are taken")
                                                     .arg(message.size())
                                                     .arg(MaxMessageBytes)))));
        return;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(message, &parse);
    if (doc.isNull()) {
        m_send(compact(
            response(null, {},
                     Failure::of(Failure::ParseError, QStringLiteral("not JSON: %1 at byte %2")
                                                          .arg(parse.errorString())
                                                          .arg(parse.offset)))));
        return;
    }
    if (doc.isObject()) {
        handleOne(doc.object(), [this](const QJsonValue &answer) {
            if (!answer.isUndefined())
                m_send(compact(answer));
        });
        return;
    }
    const QJsonArray batch = doc.array();
    if (batch.isEmpty() || batch.size() > MaxBatch) {
        m_send(compact(
            response(null, {},
                     Failure::of(Failure::InvalidRequest,
                                 QStringLiteral("a batch holds 1 to %1 requests").arg(MaxBatch)))));
        return;
    }
    // The batch is answered when its last request is, in the order given.
    struct Pending
    {
        QVector<QJsonValue> answers;
        int left = 0;
    };
    auto pending = std::make_shared<Pending>();
    pending->answers.resize(batch.size());
    pending->left = batch.size();
    QPointer<RpcSession> self(this);
    for (int i = 0; i < batch.size(); ++i) {
        handleOne(batch[i], [self, pending, i](const QJsonValue &answer) {
            pending->answers[i] = answer;
            if (--pending->left > 0 || !self)
                return;
            QJsonArray out;
            for (const QJsonValue &a : qAsConst(pending->answers))
                if (!a.isUndefined())
                    out.append(a);
            if (!out.isEmpty())
                self->m_send(compact(out));
        });
    }
}

void RpcSession::handleOne(const QJsonValue &request,
                           const std::function<void(const QJsonValue &)> &answer)
{
    const QJsonValue null(QJsonValue::Null);
    const auto invalid = [&](const QString &why, const QJsonValue &id) {
        answer(response(id, {}, Failure::of(Failure::InvalidRequest, why)));
    };
    if (!request.isObject())
        return invalid(QStringLiteral("a request is a JSON object"), null);
    const QJsonObject o = request.toObject();
    const QJsonValue id = o.value(QStringLiteral("id"));
    const bool isNotification = id.isUndefined();
    if (!isNotification && !id.isString() && !id.isDouble() && !id.isNull())
        return invalid(QStringLiteral("\"id\" must be a text, a number or null"), null);
    if (o.value(QStringLiteral("jsonrpc")) != QJsonValue(QStringLiteral("2.0")))
        return invalid(QStringLiteral("\"jsonrpc\" must be \"2.0\""), isNotification ? null : id);
    const QJsonValue method = o.value(QStringLiteral("method"));
    if (!method.isString())
        return invalid(QStringLiteral("\"method\" must be a text"), isNotification ? null : id);
    const QJsonValue params = o.value(QStringLiteral("params"));
    if (!params.isUndefined() && !params.isObject()) {
        answer(isNotification
                   ? QJsonValue(QJsonValue::Undefined)
                   : QJsonValue(response(
                         id, {},
                         Failure::of(Failure::InvalidParams,
                                     QStringLiteral("\"params\" must be an object of named "
                                                    "parameters"),
                                     QStringLiteral("params")))));
        return;
    }
    if (m_inFlight >= MaxInFlight) {
        answer(isNotification
                   ? QJsonValue(QJsonValue::Undefined)
                   : QJsonValue(response(
                         id, {},
                         Failure::of(Failure::Busy, QStringLiteral("more than %1 requests in "
                                                                   "flight")
                                                        .arg(MaxInFlight)))));
        return;
    }
    ++m_inFlight;
    QPointer<RpcSession> self(this);
    dispatch(method.toString(), params.toObject(),
             [self, id, isNotification, answer](const QJsonValue &result, const Failure &f) {
                 if (!self)
                     return; // the client left
                 --self->m_inFlight;
                 answer(isNotification ? QJsonValue(QJsonValue::Undefined)
                                       : QJsonValue(response(id, result, f)));
             });
}

UnitAgent *RpcSession::unitOf(const QJsonObject &params, Failure &failure) const
{
    const QJsonValue unit = params.value(QStringLiteral("unit"));
    QString name;
    if (unit.isString() && unit.toString().size() <= MaxPathLength) {
        name = unit.toString();
    } else if (unit.isDouble() && unit.toDouble() >= 0 && unit.toDouble() <= 4294967295.0 &&
               unit.toDouble() == std::floor(unit.toDouble())) {
        name = QString::number(quint32(unit.toDouble()));
    } else {
        failure = Failure::of(Failure::InvalidParams,
                              QStringLiteral("\"unit\" must name a unit: its device id, address "
                                             "or serial number"),
                              QStringLiteral("unit"));
        return nullptr;
    }
    UnitAgent *agent = m_hub.find(name);
    if (!agent)
        failure = Failure::of(Failure::UnknownUnit,
                              QStringLiteral("no unit is known as \"%1\"").arg(name),
                              QStringLiteral("unit"));
    return agent;
}

QVector<ParamId> RpcSession::pathsOf(const QJsonObject &params, bool optional,
                                     Failure &failure) const
{
    const QJsonValue value = params.value(QStringLiteral("paths"));
    QJsonArray list;
    if (value.isString())
        list.append(value);
    else if (value.isArray())
        list = value.toArray();
    else if (!(optional && value.isUndefined()))
        failure =
            Failure::of(Failure::InvalidParams, QStringLiteral("\"paths\" must be a list of paths"),
                        QStringLiteral("paths"));
    if (failure.failed())
        return {};
    if ((list.isEmpty() && !optional) || list.size() > MaxPaths) {
        failure = Failure::of(Failure::InvalidParams,
                              QStringLiteral("\"paths\" holds 1 to %1 paths").arg(MaxPaths),
                              QStringLiteral("paths"));
        return {};
    }
    QVector<ParamId> out;
    QSet<ParamId> seen;
    for (const QJsonValue &p : qAsConst(list)) {
        QString error;
        if (!p.isString() || p.toString().size() > MaxPathLength) {
            failure = Failure::of(
                Failure::InvalidParams,
                QStringLiteral("a path is a text of at most %1 characters").arg(MaxPathLength),
                QStringLiteral("paths"));
            return {};
        }
        const QVector<ParamId> ids = Paths::expand(p.toString(), &error);
        if (ids.isEmpty()) {
            failure =
                Failure::of(Failure::InvalidParams, error, QStringLiteral("paths"), p.toString());
            return {};
        }
        for (const ParamId &id : ids)
            if (!seen.contains(id)) {
                seen.insert(id);
                out.append(id);
            }
    }
    return out;
}
