#pragma once

#include <QColor>
#include <QWidget>

class QStaticText;

// The laid-out text of a whole number in a font (`fontKey` is `font.key()`),
// shared by every meter number: levels move within a few dB, and a number
// drawn before is drawn again without shaping its text.
const QStaticText &meterNumberText(int value, const QFont &font, const QString &fontKey);

// The number under a meter: a whole number drawn centred in one colour. The
// numbers change ten times a second, so it draws nothing else (no frame, no
// style) and keeps the laid-out text of the numbers it has drawn: levels move
// within a few dB, and a number drawn before is drawn again without shaping
// its text. It takes the width its column gives it and the height of a line,
// so a new number never makes the window lay itself out again.
class MeterNumber final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MeterNumber)

public:
    explicit MeterNumber(int value = 0, QWidget *parent = nullptr);

    // Repaints only when the number changes.
    void setValue(int value);
    int value() const { return m_value; }
    QString text() const;
    void setColour(const QColor &colour);
    // Draws its own background in the background colour of its parent (a
    // plain panel), so that a new number is not drawn on top of the panel
    // drawing itself again behind it.
    void setOpaqueOnParent(bool opaque);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int m_value;
    QColor m_colour = Qt::black;
    QString m_fontKey; // of the font the number is drawn in, once known
};
