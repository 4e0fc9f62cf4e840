#pragma once

#include <QIODevice>

#include <cstdio>

// dapctl's standard output as a device: the bytes go to `file` as they come,
// except control characters other than the line break, which are written as
// "\xHH". Each value from a unit is already printed through printable(); this
// keeps a terminal safe from any text that reaches the output another way.
class TerminalWriter final : public QIODevice
{
    Q_OBJECT
    Q_DISABLE_COPY(TerminalWriter)

public:
    explicit TerminalWriter(FILE *file, QObject *parent = nullptr);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    FILE *m_file;
};
