#include "protocol/logcompressor.h"

#include <QCoreApplication>
#include <QMessageLogContext>
#include <QString>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

struct State
{
    QtMessageHandler next = nullptr;
    QtMsgType type = QtDebugMsg;
    QByteArray category; // of the run
    QString message;     // of the run
    QByteArray file, function;
    int line = 0;
    int repeats = 0; // lines swallowed after the first
    bool inRun = false;
    std::unique_ptr<QTimer> quiet;
};

State *g_state = nullptr;

void writeRepeats()
{
    State &s = *g_state;
    if (s.repeats > 0) {
        const QMessageLogContext context(s.file.constData(), s.line, s.function.constData(),
                                         s.category.constData());
        s.next(s.type, context,
               QStringLiteral("(the line above repeated %1 more times)").arg(s.repeats));
    }
    s.repeats = 0;
    s.inRun = false;
}

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    State &s = *g_state;
    if (QThread::currentThread() != s.quiet->thread()) {
        s.next(type, context, message);
        return;
    }
    const char *category = context.category ? context.category : "";
    if (s.inRun && type == s.type && s.category == category && s.message == message) {
        ++s.repeats;
        s.quiet->start();
        return;
    }
    writeRepeats();
    s.next(type, context, message);
    s.inRun = true;
    s.type = type;
    s.category = category;
    s.message = message;
    s.file = context.file;
    s.function = context.function;
    s.line = context.line;
    s.quiet->start();
}

} // namespace

void LogCompressor::install(int quietMs)
{
    if (g_state)
        return;
    g_state = new State;
    g_state->quiet = std::make_unique<QTimer>();
    g_state->quiet->setSingleShot(true);
    g_state->quiet->setInterval(quietMs);
    QObject::connect(g_state->quiet.get(), &QTimer::timeout, [] {
        if (g_state)
            writeRepeats();
    });
    g_state->next = qInstallMessageHandler(handler);
    if (!g_state->next)
        g_state->next = [](QtMsgType type, const QMessageLogContext &context, const QString &m) {
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, m)));
        };
}

void LogCompressor::flush()
{
    if (g_state)
        writeRepeats();
}

void LogCompressor::uninstall()
{
    if (!g_state)
        return;
    writeRepeats();
    qInstallMessageHandler(g_state->next);
    delete g_state;
    g_state = nullptr;
}
