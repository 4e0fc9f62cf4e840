#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <QHash>
#include <QVector>

// The reads in flight on one connection to a unit, matched with their
// answers. The unit answers a read with the same op, module and cmd, and
// repeats the selector of a read that has one (a channel, an output, a
// band); an answer (flag 0x80, or 0x82 for a refusal, which repeats nothing)
// is taken by the oldest read of its command still waiting whose selector
// it repeats. Answers to nothing asked are left alone.
class ReadQueue final
{
public:
    // A read: op, module, cmd, the selector bytes sent with it, and how many
    // of them the answer repeats at its start.
    struct Request
    {
        quint8 op;
        quint8 module;
        quint8 cmd;
        QByteArray selector;
        int echo = 0;
    };

    // A read made as a frame (the unit model's): its whole payload is the
    // selector, and the answer repeats it.
    static Request fromFrame(const Proto::Frame &read);
    static quint32 commandKey(quint8 op, quint8 module, quint8 cmd)
    {
        return quint32(op) << 16 | quint32(module) << 8 | cmd;
    }

    // A read was sent; `tag` names it to the caller.
    void sent(const Request &request, int tag);
    // The tag of the read `answer` answers, which stops waiting; -1 when it
    // answers none (another flag, a command not asked, another selector).
    int take(const Proto::Frame &answer);
    // The tags still waiting, oldest first per command.
    QVector<int> waitingTags() const;
    int waiting() const { return m_count; }
    void clear();

private:
    struct Entry
    {
        Request request;
        int tag;
    };
    QHash<quint32, QVector<Entry>> m_waiting; // by command, in order sent
    int m_count = 0;
};
