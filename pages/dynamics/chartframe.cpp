#include "pages/dynamics/chartframe.h"

#include "widgets/appfont.h"

#include <QCoreApplication>
#include <QPainter>

#include <cstdlib>

namespace ChartFrame {

namespace {
constexpr int TitleRoom = 11; // for the axis titles, outside the labels
constexpr int MarginLeft = 25 + TitleRoom;
constexpr int MarginTop = 10;
constexpr int MarginRight = 10;
constexpr int MarginBottom = 25 + TitleRoom;

QString label(int db)
{
    return QString::asprintf("%d", db);
}
} // namespace

Plot plotArea(const QSize &size, int divisions)
{
    Plot plot;
    plot.left = MarginLeft;
    plot.top = MarginTop;
    plot.width = qMax(0, size.width() - MarginLeft - MarginRight);
    plot.height = qMax(0, size.height() - MarginTop - MarginBottom);
    if (divisions > 1) {
        plot.width -= plot.width % divisions;
        plot.height -= plot.height % divisions;
    }
    return plot;
}

QColor background()
{
    return QColor(34, 34, 34);
}

QPen framePen()
{
    return QPen(QColor(128, 128, 128), 1, Qt::SolidLine);
}

QPen textPen()
{
    return QPen(QColor(128, 128, 128), 1, Qt::SolidLine);
}

QFont labelFont()
{
    QFont font = appFont(7);
    font.setPixelSize(9);
    return font;
}

void drawFrame(QPainter &painter, const QSize &size, const Plot &plot)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRect(QPoint(0, 0), size), background());
    painter.setPen(framePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.left, plot.top, plot.width, plot.height);
}

void drawGrid(QPainter &painter, const Plot &plot, int divisions, int minimum, int maximum)
{
    if (divisions < 1)
        return;
    const int stepDb = std::abs(maximum - minimum) / divisions;
    const int stepY = plot.height / divisions;
    const int stepX = plot.width / divisions;
    painter.setFont(labelFont());
    painter.setPen(textPen());
    painter.drawText(TitleRoom + 2, plot.top + 10, label(maximum));
    for (int k = 1; k <= divisions; ++k) {
        const int y = plot.top + k * stepY;
        painter.setPen(framePen());
        painter.drawLine(plot.left, y, plot.right(), y);
        painter.setPen(textPen());
        painter.drawText(TitleRoom + 2, y + 5, label(maximum - stepDb * k));

        const int x = plot.left + k * stepX;
        painter.setPen(framePen());
        painter.drawLine(x, plot.top, x, plot.bottom());
        painter.setPen(textPen());
        painter.drawText(x - 10, plot.bottom() + 3 + 10, label(minimum + stepDb * k));
    }
}

QString inputAxisTitle()
{
    return QCoreApplication::translate("ChartFrame", "Input (dB)");
}

QString outputAxisTitle()
{
    return QCoreApplication::translate("ChartFrame", "Output (dB)");
}

void drawAxisTitles(QPainter &painter, const Plot &plot)
{
    painter.save();
    painter.setFont(labelFont());
    painter.setPen(textPen());
    const int line = painter.fontMetrics().height();
    painter.drawText(QRect(plot.left, plot.bottom() + 3 + 13, plot.width, line),
                     Qt::AlignHCenter | Qt::AlignTop, inputAxisTitle());
    // Turned a quarter to the left, reading upwards along the plot.
    painter.translate(0, plot.bottom());
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, plot.height, line), Qt::AlignHCenter | Qt::AlignTop,
                     outputAxisTitle());
    painter.restore();
}

void drawDiagonal(QPainter &painter, const Plot &plot)
{
    painter.setPen(framePen());
    painter.drawLine(plot.left, plot.bottom(), plot.right(), plot.top);
}

} // namespace ChartFrame
