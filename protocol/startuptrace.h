#pragma once

#include <QEvent>

class QObject;

// Times the phases of the program's start-up on the logging category
// "dap.startup" (debug level, off unless enabled:
// QT_LOGGING_RULES="dap.startup.debug=true"). Each mark logs the time since
// start() and since the previous mark, with the CPU time the process used
// since the previous mark and its resident memory, so a costly phase stands
// out:
//   dap.startup:   112.4 ms (+ 38.1, cpu + 36.0)   98.2 MB  pages built
// Marks cost next to nothing while the category is off.
namespace StartupTrace {

// Starts the clock; main() calls it first.
void start();
// Logs one phase as finished.
void mark(const char *phase);
// True while the trace is on, for callers that count something for a mark.
bool isEnabled();
// Marks `phase` when `object` first receives an event of `type` (after it has
// been handled), e.g. the first expose of the main window.
void markFirstEvent(QObject *object, QEvent::Type type, const char *phase);

} // namespace StartupTrace
