#include "dapd/linesession.h"

#include "dapd/dapdlog.h"
#include "dapd/paths.h"
#include "dapd/privatefile.h"
#include "dapd/subscriptions.h"
#include "dapd/unitagent.h"
#include "dapd/unitconnection.h"
#include "dapd/unithub.h"
#include "unitlink/paramedit.h"
#include "unitlink/printable.h"

#include <QPointer>
#include <QTcpSocket>

using namespace Model;

LineSession::LineSession(UnitHub &hub, QTcpSocket *socket, const QByteArray &token, QObject *parent)
    : QObject(parent), m_hub(hub), m_socket(socket), m_token(token), m_authorised(token.isEmpty()),
      m_subs(new Subscriptions(this))
{
    socket->setParent(this);
    connect(socket, &QIODevice::readyRead, this, &LineSession::readLines);
    connect(socket, &QAbstractSocket::disconnected, this, &LineSession::finished);
    connect(m_subs, &Subscriptions::changed, this,
            [this](UnitAgent *agent, const QVector<ParamId> &points) {
                QString text;
                for (const ParamId &id : points)
                    text +=
                        QStringLiteral("changed %1 %2 = %3\n")
                            .arg(agent->keyText(), Paths::path(id), printable(agent->shown(id)));
                write(text);
            });
    connect(&hub, &UnitHub::unitOnline, this, [this](UnitAgent *agent) {
        if (m_authorised)
            write(QStringLiteral("online %1\n").arg(agent->keyText()));
    });
    connect(&hub, &UnitHub::unitOffline, this, [this](UnitAgent *agent) {
        if (m_authorised)
            write(QStringLiteral("offline %1\n").arg(agent->keyText()));
    });
}

LineSession::~LineSession() = default;

bool LineSession::split(const QString &line, QStringList &words)
{
    words.clear();
    QString word;
    bool inWord = false, quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < line.size()) {
                word += line[++i];
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return !quoted;
}

QString LineSession::quoted(const QString &word)
{
    if (!word.isEmpty() && !word.contains(QLatin1Char(' ')) && !word.contains(QLatin1Char('"')) &&
        !word.contains(QLatin1Char('\\')) && !word.contains(QLatin1Char('\t')))
        return word;
    QString out = QStringLiteral("\"");
    for (QChar c : word) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

void LineSession::write(const QString &text)
{
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (m_socket->bytesToWrite() > MaxBacklogBytes) {
        qCWarning(lcDapd).noquote() << QStringLiteral("line client %1 reads too slowly; dropped")
                                           .arg(m_socket->peerAddress().toString());
        m_socket->abort();
        return;
    }
    m_socket->write(text.toUtf8());
}

void LineSession::readLines()
{
    m_buffer += m_socket->readAll();
    int start = 0;
    for (;;) {
        const int end = m_buffer.indexOf('\n', start);
        if (end < 0)
            break;
        const QByteArray line = m_buffer.mid(start, end - start);
        start = end + 1;
        if (m_discarding) {
            m_discarding = false;
            continue;
        }
        if (line.size() > MaxLineBytes) {
            write(QStringLiteral("error: a line has at most %1 bytes\n").arg(MaxLineBytes));
            continue;
        }
        if (m_lines.size() >= size_t(MaxQueuedLines)) {
            write(QStringLiteral("error: more than %1 commands waiting; dropped\n")
                      .arg(MaxQueuedLines));
            continue;
        }
        m_lines.push_back(QString::fromUtf8(line).trimmed());
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > MaxLineBytes) {
        // The rest of this line is dropped when it ends.
        m_buffer.clear();
        if (!m_discarding)
            write(QStringLiteral("error: a line has at most %1 bytes\n").arg(MaxLineBytes));
        m_discarding = true;
    }
    runNext();
}

void LineSession::runNext()
{
    while (!m_busy && !m_lines.empty()) {
        const QString line = m_lines.front();
        m_lines.pop_front();
        if (line.isEmpty())
            continue;
        QStringList words;
        if (!split(line, words)) {
            fail(QStringLiteral("a quote is not closed"));
            continue;
        }
        if (!m_authorised) {
            const bool ok = words.size() == 2 && words[0] == QLatin1String("auth") &&
                            PrivateFile::sameSecret(words[1].toUtf8(), m_token);
            if (!ok) {
                qCWarning(lcDapd).noquote() << QStringLiteral("refused line client %1: %2")
                                                   .arg(m_socket->peerAddress().toString(),
                                                        words.value(0) == QLatin1String("auth")
                                                            ? QStringLiteral("wrong token")
                                                            : QStringLiteral("no token"));
                write(QStringLiteral("error: the token is wrong or missing\n"));
                m_lines.clear();
                m_socket->disconnectFromHost();
                emit refused();
                return;
            }
            m_authorised = true;
            write(QStringLiteral("ok\n"));
            continue;
        }
        m_busy = true;
        run(words);
    }
}

void LineSession::done(const QStringList &lines)
{
    QString text;
    for (const QString &l : lines)
        text += l + QLatin1Char('\n');
    write(text + QStringLiteral("ok\n"));
    m_busy = false;
    QMetaObject::invokeMethod(this, &LineSession::runNext, Qt::QueuedConnection);
}

void LineSession::fail(const QString &message)
{
    write(QStringLiteral("error: %1\n").arg(printable(message)));
    if (m_busy) {
        m_busy = false;
        QMetaObject::invokeMethod(this, &LineSession::runNext, Qt::QueuedConnection);
    }
}

UnitAgent *LineSession::unitOf(const QString &name)
{
    UnitAgent *agent = m_hub.find(name);
    if (!agent)
        fail(QStringLiteral("no unit is known as \"%1\"").arg(name));
    return agent;
}

bool LineSession::expand(const QStringList &patterns, QVector<ParamId> &out)
{
    for (const QString &p : patterns) {
        QString error;
        const QVector<ParamId> ids = Paths::expand(p, &error);
        if (ids.isEmpty()) {
            fail(error);
            return false;
        }
        out += ids;
    }
    return true;
}

QStringList LineSession::valueLines(UnitAgent *agent, const QVector<ParamId> &points) const
{
    QStringList lines;
    for (const ParamId &id : points)
        lines << Paths::path(id) + QStringLiteral(" = ") + printable(agent->shown(id));
    return lines;
}

void LineSession::run(const QStringList &words)
{
    const QString verb = words.value(0);
    QPointer<LineSession> self(this);
    if (verb == QLatin1String("quit")) {
        done({});
        m_socket->disconnectFromHost();
        return;
    }
    if (verb == QLatin1String("units")) {
        QStringList lines;
        for (UnitAgent *a : m_hub.agents())
            lines << QStringLiteral("%1 %2 %3")
                         .arg(a->keyText(), a->connection()->address().toString(),
                              quoted(a->connection()->statusText()));
        return done(lines);
    }
    const bool get = verb == QLatin1String("get"), set = verb == QLatin1String("set"),
               subscribe = verb == QLatin1String("subscribe"),
               unsubscribe = verb == QLatin1String("unsubscribe");
    if (!get && !set && !subscribe && !unsubscribe)
        return fail(QStringLiteral("unknown command \"%1\"; commands are get, set, subscribe, "
                                   "unsubscribe, units and quit")
                        .arg(verb));
    if (words.size() < (unsubscribe ? 2 : set ? 4 : 3) || (set && words.size() % 2 != 0))
        return fail(set ? QStringLiteral("set takes a unit, then pairs of path and value")
                        : QStringLiteral("%1 takes a unit and paths").arg(verb));
    UnitAgent *agent = unitOf(words[1]);
    if (!agent)
        return;
    QPointer<UnitAgent> unit(agent);

    if (set) {
        QVector<ParamEdit::Edit> edits;
        QVector<ParamId> points;
        for (int i = 2; i + 1 < words.size(); i += 2) {
            QVector<ParamId> ids;
            if (!expand({words[i]}, ids))
                return;
            for (const ParamId &id : qAsConst(ids)) {
                const QString readOnly = Paths::whyNotWritable(id);
                if (!readOnly.isEmpty())
                    return fail(readOnly);
                edits.append({ids.size() > 1 ? Paths::path(id) : words[i], id, words[i + 1]});
                points.append(id);
            }
        }
        QString error;
        if (!ParamEdit::check(edits, error))
            return fail(error);
        agent->set(edits, [self, unit, points](const Failure &f, const QStringList &notes) {
            if (!self)
                return;
            if (f.failed() || !unit)
                return self->fail(f.message);
            QStringList lines;
            for (const QString &n : notes)
                lines << QStringLiteral("note: ") + printable(n);
            self->done(lines + self->valueLines(unit, points));
        });
        return;
    }

    QVector<ParamId> points;
    if (!expand(words.mid(2), points))
        return;
    if (unsubscribe) {
        m_subs->remove(agent, points);
        return done({});
    }
    const auto answer = [self, unit, points](const Failure &f) {
        if (!self)
            return;
        if (f.failed() || !unit)
            return self->fail(f.message);
        self->done(self->valueLines(unit, points));
    };
    if (get)
        agent->get(points, answer);
    else if (m_subs->count() + points.size() > Subscriptions::MaxPoints)
        fail(QStringLiteral("a client holds at most %1 subscriptions")
                 .arg(Subscriptions::MaxPoints));
    else
        m_subs->add(agent, points, answer);
}
