#pragma once

// Event helpers for the widget tests. QTest::mouseMove moves the cursor rather
// than sending an event with a held button, so drags are sent directly.

#include <QApplication>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTranslator>
#include <QWheelEvent>
#include <QWidget>

inline bool sendMouse(QWidget *widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

inline void dragBy(QWidget *widget, QPoint from, QPoint offset)
{
    sendMouse(widget, QEvent::MouseButtonPress, from);
    sendMouse(widget, QEvent::MouseMove, from + offset);
    sendMouse(widget, QEvent::MouseButtonRelease, from + offset, Qt::NoButton);
}

inline void sendWheel(QWidget *widget, int delta)
{
    const QPointF pos = widget->rect().center();
    QWheelEvent event(pos, widget->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Brightest and darkest pixel (0..255) of the 3 x 3 square around a point:
// antialiased lines put their full colour within a pixel of where they should be.
inline int brightestAround(const QImage &image, QPoint pos)
{
    int brightest = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx)
            brightest = qMax(brightest, qGray(image.pixel(pos + QPoint(dx, dy))));
    }
    return brightest;
}

// Translates every text to itself in brackets; installing it sends LanguageChange.
class BracketTranslator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *text, const char *, int) const override
    {
        return QLatin1Char('[') + QString::fromUtf8(text) + QLatin1Char(']');
    }
};
