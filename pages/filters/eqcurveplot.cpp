#include "pages/filters/eqcurveplot.h"

#include "widgets/appfont.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {

constexpr double FMin = 10.0;
constexpr double FMax = 24000.0;
constexpr double DbTop = 18.0;
constexpr double DbSpan = 36.0;
constexpr int Divisions = 6;
const QColor Background(34, 34, 34);
const QColor Grid(128, 128, 128);
const QColor UnitColour(45, 255, 254); // the filter graph's curve
const QColor FileColour(255, 176, 64);

} // namespace

EqCurvePlot::EqCurvePlot(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eqCurvePlot"));
}

void EqCurvePlot::setCurves(const Curve &file, const Curve &unit)
{
    m_file = file;
    m_unit = unit;
    update();
}

void EqCurvePlot::setLegend(const QString &file, const QString &unit)
{
    m_fileLegend = file;
    m_unitLegend = unit;
    update();
}

QSize EqCurvePlot::sizeHint() const
{
    return QSize(640, 240);
}

QSize EqCurvePlot::minimumSizeHint() const
{
    return QSize(360, 160);
}

QRectF EqCurvePlot::plotRect() const
{
    return QRectF(40, 10, width() - 48, height() - 32);
}

double EqCurvePlot::xOf(double frequency) const
{
    const QRectF r = plotRect();
    return r.left() + (std::log10(frequency) - std::log10(FMin)) /
                          (std::log10(FMax) - std::log10(FMin)) * r.width();
}

double EqCurvePlot::yOf(double db) const
{
    const QRectF r = plotRect();
    return r.top() + (DbTop - db) / DbSpan * r.height();
}

void EqCurvePlot::drawCurve(QPainter &p, const Curve &curve, const QPen &pen) const
{
    const QRectF r = plotRect();
    const auto &freq = FilterTables::frequencies();
    QPolygonF line;
    for (size_t i = 0; i < curve.size() && freq[i] <= FMax; ++i)
        line.append(QPointF(xOf(freq[i]), qBound(r.top(), yOf(double(curve[i])), r.bottom())));
    p.setPen(pen);
    p.drawPolyline(line);
}

void EqCurvePlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Background);
    const QRectF r = plotRect();
    p.setPen(Grid);
    p.drawRect(r);
    p.setFont(appFont(8));
    for (int i = 0; i <= Divisions; ++i) {
        const double db = DbTop - DbSpan * i / Divisions;
        const double y = yOf(db);
        if (i > 0 && i < Divisions)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        p.drawText(QRectF(0, y - 7, r.left() - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(db) + QStringLiteral("dB"));
    }
    for (int f = 10, step = 10; f < FMax; f += step) {
        for (step = 1; step * 10 <= f; step *= 10) {
        }
        const double x = xOf(f);
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        if (f == step)
            p.drawText(QPointF(x - 10, r.bottom() + 14),
                       f < 1000 ? QStringLiteral("%1Hz").arg(f)
                                : QStringLiteral("%1KHz").arg(f / 1000));
    }

    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing);
    drawCurve(p, m_unit, QPen(UnitColour, 2));
    QPen dashed(FileColour, 2, Qt::DashLine);
    drawCurve(p, m_file, dashed);
    p.restore();

    // The legend, top right inside the plot.
    const QFontMetrics fm(p.font());
    const int textWidth =
        qMax(fm.horizontalAdvance(m_fileLegend), fm.horizontalAdvance(m_unitLegend));
    const double left = r.right() - textWidth - 40;
    const double rows[2] = {r.top() + 14, r.top() + 14 + fm.height() + 2};
    const QString texts[2] = {m_fileLegend, m_unitLegend};
    const QPen pens[2] = {dashed, QPen(UnitColour, 2)};
    p.fillRect(QRectF(left - 6, r.top() + 4, textWidth + 46, 2 * fm.height() + 10),
               QColor(34, 34, 34, 220));
    for (int i = 0; i < 2; ++i) {
        p.setPen(pens[i]);
        p.drawLine(QPointF(left, rows[i] - fm.ascent() / 3.0),
                   QPointF(left + 26, rows[i] - fm.ascent() / 3.0));
        p.setPen(QColor(220, 220, 220));
        p.drawText(QPointF(left + 32, rows[i]), texts[i]);
    }
}
