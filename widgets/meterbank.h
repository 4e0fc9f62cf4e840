#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QVector>
#include <QWidget>

// A row of level meters in one widget: for each channel a caption above, a
// segmented bar (drawn as QMeter draws it) and the level as a number below,
// in columns of equal width. The overview shows 16 of them per side and
// their levels change ten times a second; drawn by one widget, a new round of
// levels is one paint of the changed segments and numbers, not a paint of
// each of 32 widgets.
class QPainter;

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
    // How a channel is named to assistive technology: `format` takes the
    // channel number (from 1), e.g. "IN %1"; the caption format by default.
    void setChannelNameFormat(const QString &format);
    QString channelName(int channel) const;
    // The bar's range; levels outside it fill or empty the bar, and the number
    // shows no less than the minimum (the floor).
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Repaints only the segments that went on or off and the number, if it
    // changed. A channel out of range is ignored.
    void setLevel(int channel, int level);
    // Levels of channels 0 .. count - 1 at once: what changed is repainted in
    // one rectangle. A clipped repaint of many small areas costs more than
    // drawing the few hundred segments of their bounding rectangle.
    void setLevels(const int *levels, int count);
    int level(int channel) const;
    // What the bar shows (the level within the range) and the number's text.
    int barValue(int channel) const;
    QString numberText(int channel) const;
    void setNumberColour(const QColor &colour);
    // The font the captions are drawn in: the widget's, or smaller where the
    // widest caption would not fit its column.
    QFont captionFont() const { return m_captionFont; }

    QRect barRect(int channel) const;
    QRect numberRect(int channel) const;
    QRect captionRect(int channel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Stores the level and returns the area that must be drawn again.
    QRect storeLevel(int channel, int level);
    int number(int channel) const;
    void drawNumber(QPainter &painter, const QRect &area, int value);
    void drawBar(QPainter &painter, const QRect &bar, const QRect &area, int value);
    void renderBars(); // the pictures of a bar all off and all lit
    const QImage &numberImage(int value, const QSize &size, const QColor &background);
    int lineHeight() const { return m_lineHeight; }
    int columnLeft(int channel) const;
    // Where each segment lies in a bar, from its top, for the current height
    // (every bar has the same height).
    void computeSegments();
    void fitCaptionFont();

    QString m_captionFormat;
    QString m_nameFormat;
    QVector<int> m_levels;
    int m_minimum = -40;
    int m_maximum = 24;
    int m_threshold = 0; // segments from here up are the upper (yellow) zone
    QColor m_numberColour = Qt::black;
    QString m_fontKey;   // of the font the numbers are drawn in, once known
    QFont m_captionFont; // the font, smaller where a caption would not fit
    int m_lineHeight = 0;
    QVector<int> m_segmentTops;            // of segment i, from the top of a bar
    QHash<quint64, QImage> m_numberImages; // by column width and number
    QColor m_imageBackground;              // the numbers' images are drawn on
    QImage m_unlitBar, m_litBar; // a whole bar, every segment off or lit; null: to be made
};
