#include "pages/filters/filtergraph.h"

#include "pages/operatorprompt.h"
#include "widgets/appfont.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr int LeftMargin = 35;
constexpr int TopMargin = 10;
constexpr int RightMargin = 6;
constexpr int BottomMargin = 21;
constexpr double HandleSize = 16.0;
constexpr double HitMargin = 5.0;
// The plot spans 36 dB, centred on 0 dB.
constexpr float ScaleTop = 18.0f;
constexpr float ScaleSpan = 36.0f;
constexpr float GainKeyStep = 0.5f;

QString withSuffix(const QString &fileName, const QString &suffix)
{
    return QFileInfo(fileName).suffix().isEmpty() ? fileName + QLatin1Char('.') + suffix : fileName;
}

} // namespace

FilterGraph::FilterGraph(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
}

FilterGraph::~FilterGraph() = default;

QSize FilterGraph::sizeHint() const
{
    return {560, 220};
}

QSize FilterGraph::minimumSizeHint() const
{
    return {300, 140};
}

void FilterGraph::redraw()
{
    update();
}

void FilterGraph::setBandCount(int count)
{
    if (m_response.setBandCount(qMin(count, int(FilterResponse::MaxBands)))) {
        if (m_current >= 0 && m_current < FilterResponse::MaxBands && !isShown(m_current))
            m_current = NoHandle;
        redraw();
    }
}

void FilterGraph::setHPF(bool bypass, int type, int slope, float frequency)
{
    if (m_response.setCut(FilterResponse::HighPass, bypass, type, slope, frequency))
        redraw();
}

void FilterGraph::setLPF(bool bypass, int type, int slope, float frequency)
{
    if (m_response.setCut(FilterResponse::LowPass, bypass, type, slope, frequency))
        redraw();
}

void FilterGraph::setBand(int band, bool bypass, int type, float frequency, float gain, float q)
{
    if (m_response.setBand(band, bypass, type, frequency, gain, q))
        redraw();
}

void FilterGraph::setGainLimits(int top, int bottom)
{
    if (top <= bottom)
        return;
    m_gainTop = top;
    m_gainBottom = bottom;
    redraw();
}

void FilterGraph::setDivisions(int divisions)
{
    // One band or none would leave no grid and no level between the edges.
    if (divisions < 2)
        return;
    m_divisions = divisions;
    redraw();
}

void FilterGraph::setCurrentHandle(int index)
{
    const int next = isShown(index) ? index : NoHandle;
    if (next != m_current) {
        m_current = next;
        redraw();
    }
}

// ---- geometry -------------------------------------------------------------

QRectF FilterGraph::plotRect() const
{
    const int left = LeftMargin, top = TopMargin;
    const int right = width() - RightMargin, bottom = height() - BottomMargin;
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

float FilterGraph::xOf(double frequency) const
{
    const QRectF r = plotRect();
    const double span = std::log10(double(m_fMax)) - std::log10(double(m_fMin));
    return float(r.left() +
                 (std::log10(frequency) - std::log10(double(m_fMin))) * ((r.width() + 1.0) / span));
}

float FilterGraph::yOf(float db) const
{
    // Floating point throughout: the plot height is rarely a multiple of 36.
    const QRectF r = plotRect();
    return float(r.top() + (ScaleTop - db) * (r.height() + 1.0) / ScaleSpan);
}

double FilterGraph::frequencyAtX(double x) const
{
    const QRectF r = plotRect();
    const double span = std::log10(double(m_fMax)) - std::log10(double(m_fMin));
    return std::pow(10.0, (x - r.left()) / ((r.width() + 1.0) / span) + std::log10(double(m_fMin)));
}

float FilterGraph::gainAtY(double y) const
{
    // The inverse of yOf, so that a dragged handle stays under the pointer.
    const QRectF r = plotRect();
    return float(ScaleTop - (y - r.top()) * ScaleSpan / (r.height() + 1.0));
}

bool FilterGraph::isShown(int index) const
{
    return (index >= 0 && index < bandCount()) || index == HighPassHandle || index == LowPassHandle;
}

QRectF FilterGraph::handleRect(int index) const
{
    if (!isShown(index))
        return QRectF();
    QPointF centre;
    if (index < FilterResponse::MaxBands) {
        const FilterResponse::Band &b = m_response.band(index);
        centre = QPointF(xOf(b.frequency), yOf(b.gain));
    } else {
        const auto which =
            index == HighPassHandle ? FilterResponse::HighPass : FilterResponse::LowPass;
        centre = QPointF(xOf(m_response.cut(which).frequency), yOf(0.0f));
    }
    return QRectF(centre - QPointF(HandleSize / 2, HandleSize / 2), QSizeF(HandleSize, HandleSize));
}

int FilterGraph::handleAt(const QPointF &pos) const
{
    const QPointF p(std::round(pos.x()), std::round(pos.y()));
    for (int i = 0; i < HandleCount; ++i) {
        if (!isShown(i))
            continue;
        const QRectF hit = handleRect(i).adjusted(-HitMargin, -HitMargin, HitMargin, HitMargin);
        if (p.x() > hit.left() && p.x() < hit.right() && p.y() > hit.top() && p.y() < hit.bottom())
            return i;
    }
    return NoHandle;
}

// ---- operator -------------------------------------------------------------

void FilterGraph::moveHandle(int index, double frequency, float gain)
{
    const float f = float(
        qBound(double(FilterTables::MinFrequency), frequency, double(FilterTables::MaxFrequency)));
    if (index < FilterResponse::MaxBands) {
        const float g = qBound(float(m_gainBottom), gain, float(m_gainTop));
        const FilterResponse::Band &b = m_response.band(index);
        if (f == b.frequency && g == b.gain)
            return;
        m_response.setBandPoint(index, f, g);
        redraw();
        emit peqChanged(uchar(index), f, g);
        return;
    }
    const auto which = index == HighPassHandle ? FilterResponse::HighPass : FilterResponse::LowPass;
    if (!m_response.setCutFrequency(which, f))
        return;
    redraw();
    if (which == FilterResponse::HighPass)
        emit HPFilterChanged(f);
    else
        emit LPFilterChanged(f);
}

void FilterGraph::stepHandle(int index, int frequencySteps, float gainDelta)
{
    double frequency;
    float gain = 0.0f;
    if (index < FilterResponse::MaxBands) {
        frequency = m_response.band(index).frequency;
        gain = m_response.band(index).gain + gainDelta;
    } else {
        frequency =
            m_response
                .cut(index == HighPassHandle ? FilterResponse::HighPass : FilterResponse::LowPass)
                .frequency;
    }
    if (frequencySteps != 0) {
        // The next table frequency above (or below) the present one.
        const auto &table = FilterTables::frequencies();
        if (frequencySteps > 0) {
            const auto it = std::upper_bound(table.begin(), table.end(), frequency);
            if (it != table.end())
                frequency = *it;
        } else {
            const auto it = std::lower_bound(table.begin(), table.end(), frequency);
            if (it != table.begin())
                frequency = *(it - 1);
        }
    }
    moveHandle(index, frequency, gain);
}

void FilterGraph::mousePressEvent(QMouseEvent *event)
{
    m_dragged = handleAt(event->localPos());
    if (m_dragged == NoHandle || event->button() != Qt::LeftButton) {
        m_dragged = NoHandle;
        event->ignore();
        return;
    }
    // A press on a handle is taken, so that the moves of the drag come here.
    // The handle moves with the pointer from where it was taken, rather than
    // jumping to put its centre under it.
    m_pressedAt = QPointF(std::round(event->localPos().x()), std::round(event->localPos().y()));
    m_grabOffset = handleRect(m_dragged).center() - m_pressedAt;
    if (m_dragged < FilterResponse::MaxBands) {
        m_takenFrequency = m_response.band(m_dragged).frequency;
        m_takenGain = m_response.band(m_dragged).gain;
    } else {
        m_takenFrequency = m_response
                               .cut(m_dragged == HighPassHandle ? FilterResponse::HighPass
                                                                : FilterResponse::LowPass)
                               .frequency;
    }
    setCurrentHandle(m_dragged);
    emit handleSelected(m_dragged);
    event->accept();
}

void FilterGraph::mouseReleaseEvent(QMouseEvent *event)
{
    const bool dragging = m_dragged != NoHandle;
    m_dragged = NoHandle;
    event->setAccepted(dragging);
}

void FilterGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged == NoHandle || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const QPointF p(std::round(event->localPos().x()), std::round(event->localPos().y()));
    event->accept();
    if (p == m_pressedAt) {
        // Back where it was taken: the values it had (not the pixel's
        // approximation of them).
        moveHandle(m_dragged, m_takenFrequency, m_takenGain);
        return;
    }
    const QPointF centre = p + m_grabOffset;
    moveHandle(m_dragged, frequencyAtX(centre.x()), gainAtY(centre.y()));
}

void FilterGraph::keyPressEvent(QKeyEvent *event)
{
    if (m_current == NoHandle) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool band = m_current < FilterResponse::MaxBands;
    switch (event->key()) {
    case Qt::Key_Left:
        stepHandle(m_current, -1, 0.0f);
        break;
    case Qt::Key_Right:
        stepHandle(m_current, 1, 0.0f);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!band) {
            QWidget::keyPressEvent(event);
            return;
        }
        stepHandle(m_current, 0, event->key() == Qt::Key_Up ? GainKeyStep : -GainKeyStep);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FilterGraph::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *csv = menu.addAction(tr("Export response as CSV..."));
    QAction *png = menu.addAction(tr("Export picture as PNG..."));
    menu.addSeparator();
    QAction *importEq = menu.addAction(tr("Import EQ..."));
    QAction *exportEq = menu.addAction(tr("Export EQ..."));
    QAction *chosen = menu.exec(event->globalPos());
    if (chosen == importEq) {
        emit importEqRequested();
    } else if (chosen == exportEq) {
        emit exportEqRequested();
    } else if (chosen == csv) {
        const QString name = OperatorPrompt::current().saveFileName(
            this, tr("Export response"), QString(), tr("CSV files (*.csv)"));
        if (!name.isEmpty())
            exportCsv(withSuffix(name, QStringLiteral("csv")));
    } else if (chosen == png) {
        const QString name = OperatorPrompt::current().saveFileName(
            this, tr("Export picture"), QString(), tr("PNG images (*.png)"));
        if (!name.isEmpty())
            exportPng(withSuffix(name, QStringLiteral("png")));
    }
}

bool FilterGraph::exportCsv(const QString &fileName)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(m_response.toCsv()) >= 0 &&
        file.commit())
        return true;
    OperatorPrompt::current().inform(
        this, QMessageBox::Warning, tr("Export"),
        tr("Could not write %1:\n%2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return false;
}

bool FilterGraph::exportPng(const QString &fileName)
{
    if (grab().save(fileName, "PNG"))
        return true;
    OperatorPrompt::current().inform(
        this, QMessageBox::Warning, tr("Export"),
        tr("Could not write %1.").arg(QDir::toNativeSeparators(fileName)));
    return false;
}

// ---- painting -------------------------------------------------------------

void FilterGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    const QRectF plot = plotRect();
    drawGrid(p, plot);
    drawLabels(p, plot);
    drawCurve(p, plot);
    drawHandles(p);
}

void FilterGraph::drawGrid(QPainter &p, const QRectF &plot) const
{
    p.setPen(m_grid);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    const double step = (plot.height() + 1.0) / m_divisions;
    for (int i = 1; i < m_divisions; ++i) {
        const double y = std::round(plot.top() + i * step);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // 10, 20, ... 90, 100, 200, ... Hz.
    for (int f = m_fMin, step10 = 1; f < m_fMax; f += step10) {
        for (step10 = 1; step10 * 10 <= f; step10 *= 10) {
        }
        const double x = std::round(xOf(f));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

void FilterGraph::drawLabels(QPainter &p, const QRectF &plot) const
{
    p.setFont(appFont(8));
    p.setPen(m_label);
    for (int f = m_fMin, decade = 1; f < m_fMax; f += decade) {
        for (decade = 1; decade * 10 <= f; decade *= 10) {
        }
        if (f != decade && f != m_fMin)
            continue; // powers of ten only
        const QString text =
            f < 1000 ? QStringLiteral("%1Hz").arg(f) : QStringLiteral("%1KHz").arg(f / 1000);
        p.drawText(QPointF(int(xOf(f) - 10), plot.bottom() + 13), text);
    }
    // The level of each horizontal line, right-aligned against the plot.
    const double step = (plot.height() + 1.0) / m_divisions;
    for (int i = 0; i <= m_divisions; ++i) {
        const double level = ScaleTop - double(ScaleSpan) * i / m_divisions;
        const double y = plot.top() + i * step;
        const QRectF box(0, y - 7, plot.left() - 3, 14);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(level, 'g', 3) + QStringLiteral("dB"));
    }
}

void FilterGraph::drawCurve(QPainter &p, const QRectF &plot) const
{
    const auto &curve = m_response.curve();
    const auto &freq = FilterTables::frequencies();
    QPolygonF line;
    line.reserve(FilterResponse::Points);
    for (int i = 0; i < FilterResponse::Points; ++i) {
        const double x = xOf(freq[size_t(i)]);
        if (x - plot.left() > plot.width() + 1.0)
            break; // past the right edge
        const double y = qBound(plot.top(), double(yOf(curve[size_t(i)])), plot.bottom());
        line.append(QPointF(qBound(plot.left(), x, plot.right()), y));
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(plot);
    p.setPen(QPen(m_curve, 2));
    p.drawPolyline(line);
    p.restore();
}

void FilterGraph::drawHandles(QPainter &p) const
{
    p.setFont(appFont(8));
    for (int i = 0; i < HandleCount; ++i) {
        if (!isShown(i))
            continue;
        const QRectF r = handleRect(i);
        const bool band = i < FilterResponse::MaxBands;
        p.setBrush(band ? QColor(240, 240, 240) : QColor(255, 255, 255));
        p.setPen(i == m_current ? QPen(m_curve, 2) : QPen(Qt::black));
        p.drawRect(r);
        p.setPen(Qt::black);
        const QString text =
            band ? QString::number(i + 1)
                 : (i == HighPassHandle ? QStringLiteral("H") : QStringLiteral("L"));
        p.drawText(r, Qt::AlignCenter, text);
    }
}
