#include "sim/labeltables.h"

#include "protocol/localtext.h"

namespace {
// A few names so that a demonstration shows what the pages do with them.
const char *const DefaultInputs[] = {"Lectern",   "Handheld 1", "Handheld 2", "Lapel",
                                     "Ceiling A", "Ceiling B",  "PC audio",   "Media player"};
const char *const DefaultOutputs[] = {"Main L", "Main R",   "Subwoofer",    "Delay zone",
                                      "Foyer",  "Recorder", "Hearing loop", "Stream"};
} // namespace

LabelTables::LabelTables()
{
    reset();
}

void LabelTables::reset()
{
    for (quint8 t = Inputs; t <= Panel; ++t)
        m_tables[t - 1] = QByteArray(16 * width(t), '\0');
    for (int c = 0; c < 8; ++c) {
        const QByteArray in = LocalText::encode(QString::fromLatin1(DefaultInputs[c]));
        const QByteArray out = LocalText::encode(QString::fromLatin1(DefaultOutputs[c]));
        m_tables[Inputs - 1].replace(c * 16, in.size(), in);
        m_tables[Outputs - 1].replace(c * 16, out.size(), out);
        m_tables[Panel - 1].replace(c * 10, qMin(10, in.size()), in.left(10));
    }
}

void LabelTables::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.cmd < Inputs || f.cmd > Panel)
        return;
    QByteArray &table = m_tables[f.cmd - 1];
    const int w = width(f.cmd);
    if (f.flag == Proto::FlagRead) {
        out.append({Proto::OpSystem, Module, f.cmd, Proto::FlagAnswer, table});
    } else if (f.flag == Proto::FlagWrite && !f.payload.isEmpty()) {
        const int channel = quint8(f.payload.at(0));
        if (channel >= 16)
            return;
        // The unit keeps what fits its field.
        QByteArray name = f.payload.mid(1, w);
        name.append(QByteArray(w - name.size(), '\0'));
        table.replace(channel * w, w, name);
    }
}

QByteArray LabelTables::label(Table table, int channel) const
{
    const int w = width(table);
    QByteArray field = m_tables[table - 1].mid(channel * w, w);
    const int nul = field.indexOf('\0');
    return nul < 0 ? field : field.left(nul);
}
