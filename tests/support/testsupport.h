#pragma once

#include "protocol/frame.h"
#include "protocol/streamsplitter.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

// Bytes from hexadecimal text as the examples write them: "82 7D 01 00".
QByteArray hexBytes(const char *text);

// A frame as the splitter hands it on (requests to the simulated unit,
// answers to a page).
Proto::Frame frameOf(quint8 op, quint8 module, quint8 cmd, quint8 flag,
                     const QByteArray &payload = QByteArray());

// Makes a fresh scratch directory the working directory for the life of the
// object (the program reads and writes relative paths) and restores the old one.
class ScratchDir final
{
public:
    ScratchDir();
    ~ScratchDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Writes a file below the scratch directory (creating folders as needed).
    void writeFile(const QString &name, const QByteArray &contents) const;
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Collects frames cut out of a byte stream.
class FrameCollector final
{
public:
    FrameCollector();
    void feed(const QByteArray &bytes) { m_splitter.feed(bytes); }
    QVector<Proto::Frame> frames;
    void clear()
    {
        frames.clear();
        m_splitter.clear();
    }
    int bufferedSize() const { return m_splitter.bufferedSize(); }

private:
    StreamSplitter m_splitter;
};

// Counts the debug lines of the protocol category that start with `prefix`
// while the object lives (the category's debug output is switched on for it).
class ProtocolLogCounter final
{
public:
    explicit ProtocolLogCounter(const char *prefix);
    ~ProtocolLogCounter();
    int count() const;
    QString lastMessage() const;
};

// Prepares the test process as start-up prepares the program; tests call it
// in initTestCase.
void initTestEnvironment();
