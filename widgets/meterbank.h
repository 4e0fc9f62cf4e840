#pragma once

#include <QColor>
#include <QVector>
#include <QWidget>

// A row of level meters in one widget: for each channel a caption above, a
// segmented bar (drawn as QMeter draws it) and the level as a number below,
// in columns of equal width. The overview shows 16 of them per side and
// their levels change ten times a second; drawn by one widget, a new round of
// levels is one paint of the changed segments and numbers, not a paint of
// each of 32 widgets.
class MeterBank final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MeterBank)

public:
    static constexpr int Segments = 26;
    static constexpr int MaxBarWidth = 14;
    static constexpr int MinBarWidth = 8;
    static constexpr int MinBarHeight = 70;

    // `captionFormat` takes the channel number (from 1), e.g. "I%1".
    MeterBank(int channels, const QString &captionFormat, QWidget *parent = nullptr);

    int channels() const { return int(m_levels.size()); }
    // The bar's range; levels outside it fill or empty the bar, and the number
    // shows no less than the minimum (the floor).
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Repaints only the segments that went on or off and the number, if it
    // changed. A channel out of range is ignored.
    void setLevel(int channel, int level);
    int level(int channel) const;
    // What the bar shows (the level within the range) and the number's text.
    int barValue(int channel) const;
    QString numberText(int channel) const;
    void setNumberColour(const QColor &colour);

    QRect barRect(int channel) const;
    QRect numberRect(int channel) const;
    QRect captionRect(int channel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int number(int channel) const;
    int lineHeight() const;
    int columnLeft(int channel) const;

    QString m_captionFormat;
    QVector<int> m_levels;
    int m_minimum = -40;
    int m_maximum = 24;
    int m_threshold = 0; // segments from here up are the upper (yellow) zone
    QColor m_numberColour = Qt::black;
    QString m_fontKey; // of the font the numbers are drawn in, once known
};
