// Fuzz target for discovery: the announcement parser and the list of units.
//
// The whole input is first offered as one datagram (only 106 bytes make a
// record). Then it is read as a run of announcements: a selector byte and 106
// bytes each. The selector may put one of four small machine ids into the
// record, so the same units announce again and again with changed fields.
// The fields the list reports as changed are checked against the bytes
// themselves, and the record's numbers must survive a round trip.

#include "devices/broadcastmsg.h"
#include "devices/unitlist.h"
#include "fuzz/fuzzbytes.h"
#include "fuzz/fuzzsupport.h"
#include "protocol/lebytes.h"

#include <QMap>

namespace {

using Fields = broadcastMsg::Fields;

bool bytesDiffer(const QByteArray &a, const QByteArray &b, int offset, int count)
{
    return a.mid(offset, count) != b.mid(offset, count);
}

// A text field as the list compares it: its bytes up to the first NUL.
QByteArray textField(const QByteArray &d, int offset)
{
    const QByteArray f = d.mid(offset, broadcastMsg::TextWidth);
    const int nul = f.indexOf('\0');
    return nul < 0 ? f : f.left(nul);
}

// The fields in which two announcements differ, worked out from their bytes.
Fields expectedChanges(const QByteArray &a, const QByteArray &b)
{
    Fields f;
    f.setFlag(broadcastMsg::Address, bytesDiffer(a, b, 4, 4));
    f.setFlag(broadcastMsg::Extra, bytesDiffer(a, b, 8, 8));
    f.setFlag(broadcastMsg::Status, bytesDiffer(a, b, 16, 1));
    f.setFlag(broadcastMsg::ArmVersion, bytesDiffer(a, b, 17, 3));
    f.setFlag(broadcastMsg::DspVersion, bytesDiffer(a, b, 20, 3));
    const struct
    {
        broadcastMsg::Field field;
        int offset;
    } texts[] = {{broadcastMsg::Sn, 23},
                 {broadcastMsg::Model, 39},
                 {broadcastMsg::Location, 55},
                 {broadcastMsg::Description, 71},
                 {broadcastMsg::Preset, 87}};
    for (const auto &t : texts)
        f.setFlag(t.field, textField(a, t.offset) != textField(b, t.offset));
    f.setFlag(broadcastMsg::Fault, bytesDiffer(a, b, 103, 1));
    return f;
}

void checkRecord(const broadcastMsg &m, const QByteArray &d)
{
    // Numbers and versions travel unchanged; texts may not (bytes that are no
    // GB2312 decode lossily), but they must fit their fields again.
    const QByteArray back = m.toBytes();
    if (back.size() != broadcastMsg::Size)
        fuzzFail("a record does not make 106 bytes");
    if (back.left(23) != d.left(23) || back.mid(103) != d.mid(103))
        fuzzFail("a record's numbers changed on the way back to bytes");
    const auto again = parseBroadcastMsg(back);
    if (!again || again->machineid != m.machineid || again->code != m.code)
        fuzzFail("a record made from an announcement does not parse");
    if (changedFields(m, m) != Fields())
        fuzzFail("a record differs from itself");
    if (m.runningTime() != Le::get<quint32>(d, 8) || m.totalTime() != Le::get<quint32>(d, 12))
        fuzzFail("running times misread");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        quietLogging();
        return true;
    }();
    (void)ready;

    const QByteArray whole(reinterpret_cast<const char *>(data), int(size));
    const auto single = parseBroadcastMsg(whole);
    if (single.has_value() != (size == broadcastMsg::Size))
        fuzzFail("a datagram of the wrong size was taken, or a right one refused");
    if (single)
        checkRecord(*single, whole);

    UnitList list;
    QMap<quint32, QByteArray> last; // machine id -> its last announcement
    FuzzBytes in(data, size);
    while (in.remaining() > size_t(broadcastMsg::Size)) {
        const quint8 selector = in.u8();
        QByteArray d = in.bytes(broadcastMsg::Size);
        if (selector & 4)
            d.replace(0, 4, Le::bytes(quint32(selector & 3)));
        const auto m = parseBroadcastMsg(d);
        if (!m)
            fuzzFail("a 106-byte announcement was refused");
        checkRecord(*m, d);
        dottedAddress(m->ipaddress);
        acceptsCode(m->code, selector);

        const int row = list.indexOf(m->machineid);
        if (row < 0) {
            if (last.contains(m->machineid))
                fuzzFail("a listed unit was lost");
            list.append(*m, true, true);
        } else {
            const Fields changed = list.applyAnnouncement(row, *m);
            if (changed != expectedChanges(last.value(m->machineid), d))
                fuzzFail("the changed fields do not match the bytes");
            if (list.at(row).record.toBytes() != m->toBytes())
                fuzzFail("the list does not hold the last announcement");
        }
        last.insert(m->machineid, d);
        if (list.count() != last.size())
            fuzzFail("the list does not hold one entry per unit");
    }
    return 0;
}
