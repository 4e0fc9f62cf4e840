#pragma once

#include "pages/filters/filterresponse.h"

#include <QColor>
#include <QRectF>
#include <QWidget>

// The response of one channel's filter block, drawn over a grid of 10 Hz to
// 24 kHz and -18 to +18 dB, with a handle for each band ("1".."16"), the
// high-pass ("H") and the low-pass filter ("L") that the operator can drag.
//
// The page gives the graph its values; the graph computes the curve with a
// FilterResponse and reports the operator's drags with peqChanged,
// HPFilterChanged and LPFilterChanged. A click selects a handle; the arrow
// keys then move it (frequency by one table step, gain by 0.5 dB). A dragged
// handle keeps its place under the pointer where it was taken. The
// context menu exports the shown response as CSV or PNG, and asks the page
// to import or export the channel's equaliser file.
class FilterGraph final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterGraph)

public:
    static constexpr int HighPassHandle = 16;
    static constexpr int LowPassHandle = 17;
    static constexpr int HandleCount = 18;
    static constexpr int NoHandle = -1;

    explicit FilterGraph(QWidget *parent = nullptr);
    ~FilterGraph() override;

    void setBandCount(int count);
    int bandCount() const { return m_response.bandCount(); }
    void setHPF(bool bypass, int type, int slope, float frequency);
    void setLPF(bool bypass, int type, int slope, float frequency);
    void setBand(int band, bool bypass, int type, float frequency, float gain, float q);
    // Limits of a gain set by dragging (the pages use 15 and -15).
    void setGainLimits(int top, int bottom);
    // Horizontal grid bands; fewer than 2 is ignored.
    void setDivisions(int divisions);
    int divisions() const { return m_divisions; }

    const FilterResponse &response() const { return m_response; }
    // The plot area in widget pixels.
    QRectF plotRect() const;
    float xOf(double frequency) const;
    float yOf(float db) const;
    // Handle `index` (bands 0..15, then HighPassHandle, LowPassHandle), or an
    // empty rectangle for a band beyond the band count.
    QRectF handleRect(int index) const;
    // The handle the arrow keys move (the last one clicked), or NoHandle.
    int currentHandle() const { return m_current; }
    void setCurrentHandle(int index);

    // Write the shown response; false (and the operator told why) on failure.
    bool exportCsv(const QString &fileName);
    bool exportPng(const QString &fileName);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void peqChanged(uchar band, float freq, float gain);
    void HPFilterChanged(float freq);
    void LPFilterChanged(float freq);
    // The operator picked a handle (pressed it or moved it with the keys).
    void handleSelected(int index);
    // "Import EQ..." and "Export EQ..." of the context menu.
    void importEqRequested();
    void exportEqRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void drawGrid(QPainter &p, const QRectF &plot) const;
    void drawLabels(QPainter &p, const QRectF &plot) const;
    void drawCurve(QPainter &p, const QRectF &plot) const;
    void drawHandles(QPainter &p) const;
    bool isShown(int index) const;
    int handleAt(const QPointF &pos) const;
    double frequencyAtX(double x) const;
    float gainAtY(double y) const;
    // Moves handle `index` as the operator asked and reports it.
    void moveHandle(int index, double frequency, float gain);
    void stepHandle(int index, int frequencySteps, float gainDelta);
    void redraw();

    FilterResponse m_response;
    QColor m_background{34, 34, 34};
    QColor m_grid{128, 128, 128};
    QColor m_label{128, 128, 128};
    QColor m_curve{45, 255, 254};
    int m_fMin = 10;
    int m_fMax = 24000;
    int m_gainTop = 18;
    int m_gainBottom = -18;
    int m_divisions = 8;
    int m_dragged = NoHandle;      // held by the mouse
    QPointF m_pressedAt;           // where it was taken
    QPointF m_grabOffset;          // from the pointer to the handle's centre
    double m_takenFrequency = 0.0; // the handle's values when it was taken
    float m_takenGain = 0.0f;
    int m_current = NoHandle; // moved by the keys
};
