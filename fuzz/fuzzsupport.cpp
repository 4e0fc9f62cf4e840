#include "fuzz/fuzzsupport.h"

#include "protocol/lebytes.h"

#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

void fuzzFail(const char *what)
{
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

void quietLogging()
{
    QLoggingCategory::setFilterRules(QStringLiteral("dap.*=false"));
}

QString enterScratchDir()
{
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/dapfuzz-XXXXXX"));
        if (!dir->isValid() || !QDir::setCurrent(dir->path()))
            fuzzFail("cannot make a scratch directory");
    }
    return dir->path();
}

namespace PageRecord {

QByteArray frame(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload)
{
    QByteArray r = Le::bytes(quint8(Frame), op, module, cmd, flag, quint16(payload.size()));
    return r + payload;
}

QByteArray refresh(quint8 index)
{
    return Le::bytes(quint8(Refresh), index);
}

} // namespace PageRecord

namespace PresetRecord {

QByteArray header(quint8 mode, quint8 slot, quint32 size, const QByteArray &pattern)
{
    return Le::bytes(mode, slot, size, quint16(pattern.size())) + pattern;
}

} // namespace PresetRecord

QByteArray configInput(const QByteArray &cfg, const QByteArray &languages)
{
    return Le::bytes(quint16(cfg.size())) + cfg + languages;
}
