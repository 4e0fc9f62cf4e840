#pragma once

#include "model/paramid.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <deque>

class QTcpSocket;
class Subscriptions;
class UnitAgent;
class UnitHub;

// One client of the line protocol, for control systems that speak plain
// TCP. A line is a command; words are separated by blanks, and a word with
// blanks is written in double quotes ("Main hall", with \" and \\ inside).
//
//   auth TOKEN                      first line, when the server asks for a token
//   units                           one line per unit: UNIT ADDRESS STATUS
//   get UNIT PATH...                PATH = VALUE lines
//   set UNIT PATH VALUE...          note: lines, then PATH = VALUE lines
//   subscribe UNIT PATH...          PATH = VALUE lines; later
//                                   "changed UNIT PATH = VALUE" lines
//   unsubscribe UNIT [PATH...]
//   quit
//
// Values are printed as dapctl prints them. Every command ends with a line
// "ok", or instead with one line "error: ..."; commands are answered in
// the order they came. "online UNIT" and "offline UNIT" lines tell of units
// coming and going.
class LineSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LineSession)

public:
    static constexpr int MaxLineBytes = 64 * 1024;
    static constexpr int MaxQueuedLines = 256;
    static constexpr qint64 MaxBacklogBytes = 16 * 1024 * 1024;

    // Takes the socket; `token` empty: no token is asked for.
    LineSession(UnitHub &hub, QTcpSocket *socket, const QByteArray &token,
                QObject *parent = nullptr);
    ~LineSession() override;

    // The words of a line; false for an unfinished quote.
    static bool split(const QString &line, QStringList &words);
    // A word as split() reads it back.
    static QString quoted(const QString &word);

signals:
    void finished();
    void refused();

private:
    void readLines();
    void runNext();
    void run(const QStringList &words);
    void done(const QStringList &lines);
    void fail(const QString &message);
    void write(const QString &text);
    UnitAgent *unitOf(const QString &name);
    bool expand(const QStringList &patterns, QVector<Model::ParamId> &out);
    QStringList valueLines(UnitAgent *agent, const QVector<Model::ParamId> &points) const;

    UnitHub &m_hub;
    QTcpSocket *m_socket;
    QByteArray m_token;
    bool m_authorised;
    bool m_busy = false;
    bool m_discarding = false; // the rest of an overlong line
    QByteArray m_buffer;
    std::deque<QString> m_lines;
    Subscriptions *m_subs;
};
