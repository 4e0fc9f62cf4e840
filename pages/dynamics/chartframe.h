#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QSize>
#include <QString>

class QPainter;

// The frame shared by the dynamics charts (the limiter's transfer chart and
// the AGC graph): a dark background, the plot area with margins of 36 pixels
// left, 10 top, 10 right and 36 bottom, grey grid lines with level labels in
// dB at the left and below, the axis titles ("Input (dB)" below, "Output
// (dB)" up the left side) and the unity diagonal for reference.
namespace ChartFrame {

// The plot area in whole pixels; right() and bottom() are its far edges.
struct Plot
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// With divisions above 1 the plot is cut down to a multiple of them, so every
// grid line falls on a whole pixel and on its level.
Plot plotArea(const QSize &size, int divisions = 1);

QColor background();
QPen framePen();
QPen textPen();
QFont labelFont();

// Fills the chart and outlines the plot area.
void drawFrame(QPainter &painter, const QSize &size, const Plot &plot);
// `divisions` grid lines each way (the last on the plot's edge), labelled
// from maximum down the left side and from minimum + one step along the
// bottom, in whole dB steps of trunc((maximum - minimum) / divisions).
void drawGrid(QPainter &painter, const Plot &plot, int divisions, int minimum, int maximum);
// The unity line from the bottom-left to the top-right corner.
void drawDiagonal(QPainter &painter, const Plot &plot);
// "Input (dB)" centred under the bottom labels, "Output (dB)" upwards left of
// the side labels.
void drawAxisTitles(QPainter &painter, const Plot &plot);
QString inputAxisTitle();
QString outputAxisTitle();

} // namespace ChartFrame
