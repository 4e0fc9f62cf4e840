#pragma once

// Operator input and answers for the page tests. Header-only: the tests that
// use it link the page library.

#include "pages/blockpage.h"
#include "pages/knobfield.h"
#include "protocol/lebytes.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <functional>

// Types `text` into a field key by key, as the operator does, and finishes
// the edit with Return. The field takes the focus (it has it only while its
// window is active) and what it held is selected and deleted first;
// the field's validator sees every key. `between` runs after each key: an
// answer of the unit arriving while the operator types.
inline void typeKeys(QWidget *field, const QString &text, const std::function<void()> &between)
{
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field, Qt::Key_Delete); // what was selected goes
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        if (between)
            between();
    }
    QTest::keyClick(field, Qt::Key_Return);
}

inline void typeText(QLineEdit *edit, const QString &text,
                     const std::function<void()> &between = {})
{
    edit->selectAll();
    typeKeys(edit, text, between);
}

inline void typeText(QAbstractSpinBox *box, const QString &text,
                     const std::function<void()> &between = {})
{
    box->selectAll();
    typeKeys(box, text, between);
}

inline void typeText(KnobField *field, const QString &text,
                     const std::function<void()> &between = {})
{
    typeText(field->edit(), text, between);
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
