#include "tests/support/testsupport.h"

#include "protocol/protocollog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray hexBytes(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

ScratchDir::ScratchDir() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

ScratchDir::~ScratchDir()
{
    QDir::setCurrent(m_previous);
}

void ScratchDir::writeFile(const QString &name, const QByteArray &contents) const
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(contents);
}

QByteArray ScratchDir::readFile(const QString &name) const
{
    QFile f(m_dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Proto::Frame frameOf(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload)
{
    Proto::Frame f;
    f.op = op;
    f.module = module;
    f.cmd = cmd;
    f.flag = flag;
    f.length = quint16(payload.size());
    f.payload = payload;
    return f;
}

FrameCollector::FrameCollector() : m_splitter([this](const Proto::Frame &f) { frames.append(f); })
{
}

namespace {
QtMessageHandler g_previousHandler = nullptr;
const char *g_prefix = nullptr;
int g_count = 0;
QString g_last;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrcmp(context.category, lcProtocol().categoryName()) == 0 &&
        message.startsWith(QLatin1String(g_prefix))) {
        ++g_count;
        g_last = message;
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

ProtocolLogCounter::ProtocolLogCounter(const char *prefix)
{
    g_prefix = prefix;
    g_count = 0;
    const_cast<QLoggingCategory &>(lcProtocol()).setEnabled(QtDebugMsg, true);
    g_previousHandler = qInstallMessageHandler(countingHandler);
}

ProtocolLogCounter::~ProtocolLogCounter()
{
    qInstallMessageHandler(g_previousHandler);
    const_cast<QLoggingCategory &>(lcProtocol()).setEnabled(QtDebugMsg, false);
}

int ProtocolLogCounter::count() const
{
    return g_count;
}

QString ProtocolLogCounter::lastMessage() const
{
    return g_last;
}

void initTestEnvironment()
{
    // The process keeps the locale's codec, as the programs do: Qt converts
    // file names and command lines through it, and the unit's GB2312 is
    // LocalText's own.
}
