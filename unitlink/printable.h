#pragma once

#include <QString>

// Text from outside (a unit's names and labels, a backup file) as dapctl
// prints it on a terminal: control characters are written as escapes, so a
// name can neither move the cursor, clear the screen, nor start a line of its
// own. "\n", "\r" and "\t" are shown as such; other C0 and C1 controls and DEL
// as "\xHH". Every other character, a backslash too, is printed as it is.
// JSON output needs none of this: its writer escapes control characters.
QString printable(const QString &text);
