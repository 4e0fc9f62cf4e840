#include "unitlink/readqueue.h"

#include <algorithm>

ReadQueue::Request ReadQueue::fromFrame(const Proto::Frame &read)
{
    return Request{read.op, read.module, read.cmd, read.payload, int(read.payload.size())};
}

void ReadQueue::sent(const Request &request, int tag)
{
    m_waiting[commandKey(request.op, request.module, request.cmd)].append(Entry{request, tag});
    ++m_count;
}

int ReadQueue::take(const Proto::Frame &f)
{
    if (f.flag != Proto::FlagAnswer && f.flag != Proto::FlagRefused)
        return -1;
    const auto found = m_waiting.find(commandKey(f.op, f.module, f.cmd));
    if (found == m_waiting.end())
        return -1;
    QVector<Entry> &waiting = found.value();
    for (auto it = waiting.begin(); it != waiting.end(); ++it) {
        const Request &r = it->request;
        if (f.flag == Proto::FlagAnswer && f.payload.left(r.echo) != r.selector.left(r.echo))
            continue;
        const int tag = it->tag;
        waiting.erase(it);
        if (waiting.isEmpty())
            m_waiting.erase(found);
        --m_count;
        return tag;
    }
    return -1;
}

QVector<int> ReadQueue::waitingTags() const
{
    QVector<int> tags;
    tags.reserve(m_count);
    for (const QVector<Entry> &entries : m_waiting)
        for (const Entry &e : entries)
            tags.append(e.tag);
    std::sort(tags.begin(), tags.end());
    return tags;
}

void ReadQueue::clear()
{
    m_waiting.clear();
    m_count = 0;
}
