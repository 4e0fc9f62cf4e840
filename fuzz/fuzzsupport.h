#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <QString>

// What the fuzz targets share: failure, quiet logs, a scratch working
// directory, and the input formats that the targets read and the corpus
// generator writes.

// Reports a broken property and aborts, which the fuzzer records as a finding.
[[noreturn]] void fuzzFail(const char *what);

// The project's log categories off: the receive path would log every junk
// byte, a transfer every refusal, and the output would slow the run down.
void quietLogging();

// Makes a fresh folder below the temporary directory the working directory
// for the rest of the process (the program reads and writes relative paths),
// and returns its path. It is removed when the process ends.
QString enterScratchDir();

// fuzz_pages reads a run of records, each starting with a tag byte whose low
// two bits say what follows:
namespace PageRecord {
enum Kind : quint8
{
    Stream = 0,  // n u8, then n bytes fed to the receive splitter as they are
    Frame = 1,   // op, module, cmd, flag, length u16, payload: one whole frame
    Refresh = 2, // page index: that page sends its reads
    Control = 3, // u8: a new connection, a cancelled transfer, pending events,
                 // the container's refresh, another page shown
};
QByteArray frame(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload);
QByteArray refresh(quint8 index);
} // namespace PageRecord

// fuzz_presettransfer: a header, then steps (see the target).
namespace PresetRecord {
enum Mode : quint8
{
    Import = 0,
    Export = 1,
    AllSlots = 2,     // or'ed with one of the two
    LargeFile = 0x80, // a file of up to 64 KiB, else up to 4 KiB
};
// The file (import) or image (export) is `size` bytes of `pattern` repeated.
QByteArray header(quint8 mode, quint8 slot, quint32 size, const QByteArray &pattern);
enum Step : quint8
{
    SizeAnswer = 0, // the unit announces the right size
    RawSize = 1,    // cmd byte, u32: any size answer
    TakeAll = 2,    // import: all of the last chunk taken; export: the chunk asked for
    TakeSome = 3,   // u16: that many bytes taken (import) or sent (export)
    RawAnswer = 4,  // cmd, flag, length u16, payload
    Cancel = 5,     // the operator cancels
    Restart = 6,    // mode, slot: a new transfer begins
    Displace = 7,   // another transfer takes the progress
    StepCount = 8
};
} // namespace PresetRecord

// fuzz_config: the cfg.dat length, cfg.dat, then language.dat.
QByteArray configInput(const QByteArray &cfg, const QByteArray &languages);
