#pragma once

// Operator input and answers for the page tests. Header-only: the tests that
// use it link the page library.

#include "pages/blockpage.h"
#include "pages/knobfield.h"
#include "protocol/lebytes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

// Types a text into a field and finishes the edit, as Return or leaving the field does.
inline void typeText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setModified(true);
    emit edit->editingFinished();
}

inline void typeText(KnobField *field, const QString &text)
{
    typeText(field->edit(), text);
}

// Runs the page's 10 ms timer `count` times without waiting for it.
inline void ticks(BlockPage &page, int count)
{
    for (int i = 0; i < count; ++i)
        QMetaObject::invokeMethod(&page, "timeout", Qt::DirectConnection);
}

// A mouse event with the given buttons held: QTest::mouseMove moves the cursor
// rather than sending a move with a held button.
inline void sendMouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// A press, one move and a release with the left button.
inline void dragMouse(QWidget *w, QPoint from, QPoint to)
{
    sendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(w, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// `count` copies of a little-endian float, as the per-channel tables come.
inline QByteArray floats(int count, float value)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        Le::append(out, value);
    return out;
}
