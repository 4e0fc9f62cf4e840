#pragma once

class QObject;

// Removes every connection from a descendant of `receiver` to `receiver`.
//
// A widget whose slots its own children signal calls it first thing in its
// destructor: QWidget's destructor hides the widget after the derived parts
// are gone, and a field that holds the focus then loses it and reports its
// edit (editingFinished) to slots of an object that no longer exists.
void disconnectChildren(QObject *receiver);
