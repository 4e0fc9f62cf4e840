#pragma once

#include <QtGlobal>

// Folds runs of identical log lines. Under a stream of junk the receive path
// writes one "PacketHeader Error!!!" line per junk byte; written as they come
// that is a million lines in five minutes. With the compressor installed a run
// of identical lines (same category, kind and text) is written as its first
// line, and, when the run ends (another line, or `quietMs` without one), one
// line with the number of repeats. Lines from other threads pass unchanged.
namespace LogCompressor {

// Installs the compressor in front of the current message handler.
void install(int quietMs = 1000);
// Writes the count of a pending run now (at exit).
void flush();
// Removes the compressor again (tests).
void uninstall();

} // namespace LogCompressor
