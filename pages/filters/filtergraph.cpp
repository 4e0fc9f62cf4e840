#include "pages/filters/filtergraph.h"

#include "pages/accessibility.h"
#include "pages/operatorprompt.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSaveFile>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int LeftMargin = 35;
constexpr int TopMargin = 10;
constexpr int RightMargin = 6;
constexpr int BottomMargin = 21;
constexpr double HandleSize = 16.0;
constexpr double HitMargin = 5.0;
constexpr float GainKeyStep = 0.5f;
constexpr double HandleGap = 2.0; // between handles drawn side by side

QString frequencyText(double hz)
{
    if (hz < 1000.0)
        return QStringLiteral("%1 Hz").arg(qRound(hz));
    return QStringLiteral("%1 kHz").arg(hz / 1000.0, 0, 'f', hz < 10000.0 ? 2 : 1);
}

QString withSuffix(const QString &fileName, const QString &suffix)
{
    return QFileInfo(fileName).suffix().isEmpty() ? fileName + QLatin1Char('.') + suffix : fileName;
}

} // namespace

FilterGraph::FilterGraph(QWidget *parent) : QWidget(parent)
{
    initPageAccessibility();
    setFocusPolicy(Qt::StrongFocus);
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

QPointF FilterGraph::handlePoint(int index) const
{
    if (!isShown(index))
        return QPointF();
    if (index < FilterResponse::MaxBands) {
        const FilterResponse::Band &b = m_response.band(index);
        return QPointF(xOf(b.frequency), yOf(b.gain));
    }
    const auto which = index == HighPassHandle ? FilterResponse::HighPass : FilterResponse::LowPass;
    return QPointF(xOf(m_response.cut(which).frequency), yOf(0.0f));
}

QVector<int> FilterGraph::handleOrder() const
{
    QVector<int> order{HighPassHandle};
    for (int b = 0; b < bandCount(); ++b)
        order.append(b);
    order.append(LowPassHandle);
    return order;
}

QVector<QRectF> FilterGraph::placedHandles() const
{
    const QSizeF size(HandleSize, HandleSize);
    const auto at = [&](const QPointF &centre) {
        return QRectF(centre - QPointF(HandleSize / 2, HandleSize / 2), size);
    };
    // Handles whose squares meet one that is already in a group join it.
    QVector<QVector<int>> groups;
    for (int i : handleOrder()) {
        const QRectF own = at(handlePoint(i));
        auto joins = [&](const QVector<int> &group) {
            for (int member : group)
                if (at(handlePoint(member)).intersects(own))
                    return true;
            return false;
        };
        auto it = std::find_if(groups.begin(), groups.end(), joins);
        if (it == groups.end())
            groups.append(QVector<int>{i});
        else
            it->append(i);
    }
    QVector<QRectF> placed(HandleCount);
    for (const QVector<int> &group : qAsConst(groups)) {
        // Side by side, centred on the group's middle point.
        QPointF middle;
        for (int member : group)
            middle += handlePoint(member);
        middle /= group.size();
        if (group.size() == 1)
            middle = handlePoint(group.first());
        const double pitch = HandleSize + HandleGap;
        for (int j = 0; j < group.size(); ++j) {
            const double dx = (j - (group.size() - 1) / 2.0) * pitch;
            placed[group[j]] = at(QPointF(middle.x() + dx, middle.y()));
        }
    }
    return placed;
}

QRectF FilterGraph::handleRect(int index) const
{
    if (!isShown(index))
        return QRectF();
    return placedHandles().at(index);
}

int FilterGraph::handleAt(const QPointF &pos) const
{
    const QPointF p(std::round(pos.x()), std::round(pos.y()));
    const QVector<QRectF> placed = placedHandles();
    for (int i = 0; i < HandleCount; ++i) {
        if (!isShown(i))
            continue;
        const QRectF hit = placed.at(i).adjusted(-HitMargin, -HitMargin, HitMargin, HitMargin);
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

void FilterGraph::moveHandleByOperator(int index, double frequency, float gain)
{
    if (isShown(index))
        moveHandle(index, frequency, gain);
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
    // From the point of the handle's values, not from where it is drawn: a
    // handle moved aside for a neighbour still sets the values under it.
    m_grabOffset = handlePoint(m_dragged) - m_pressedAt;
    m_keyboardReadout = false;
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
    if (dragging)
        redraw(); // without the readout
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
    m_keyboardReadout = true;
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

void FilterGraph::wheelEvent(QWheelEvent *event)
{
    const int index = handleAt(event->position());
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (index == NoHandle || index >= FilterResponse::MaxBands) {
        event->ignore(); // only bands have a Q
        return;
    }
    event->accept();
    const int steps = delta / 120;
    if (steps == 0)
        return;
    pickHandle(index);
    emit qStepped(uchar(index), steps);
}

void FilterGraph::pickHandle(int index)
{
    if (index == m_current)
        return;
    setCurrentHandle(index);
    if (m_current == index)
        emit handleSelected(index);
    if (hasFocus() && QAccessible::isActive())
        notifyAccessibleHandleFocus(this, index);
}

void FilterGraph::focusInEvent(QFocusEvent *event)
{
    const QVector<int> order = handleOrder();
    if (event->reason() == Qt::TabFocusReason) {
        m_keyboardReadout = true;
        pickHandle(order.first());
    } else if (event->reason() == Qt::BacktabFocusReason) {
        m_keyboardReadout = true;
        pickHandle(order.last());
    }
    redraw();
    QWidget::focusInEvent(event);
}

void FilterGraph::focusOutEvent(QFocusEvent *event)
{
    m_keyboardReadout = false;
    redraw();
    QWidget::focusOutEvent(event);
}

bool FilterGraph::focusNextPrevChild(bool next)
{
    // Tab inside the graph goes from handle to handle; past the last (or
    // before the first) it leaves the graph.
    if (hasFocus()) {
        const QVector<int> order = handleOrder();
        const int at = order.indexOf(m_current);
        const int to = at < 0 ? (next ? 0 : order.size() - 1) : at + (next ? 1 : -1);
        if (to >= 0 && to < order.size()) {
            m_keyboardReadout = true;
            pickHandle(order.at(to));
            redraw();
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

QString FilterGraph::handleName(int index)
{
    if (index == HighPassHandle)
        return tr("High-pass");
    if (index == LowPassHandle)
        return tr("Low-pass");
    return tr("Band %1").arg(index + 1);
}

QString FilterGraph::handleValueText(int index) const
{
    if (!isShown(index))
        return {};
    if (index < FilterResponse::MaxBands) {
        const FilterResponse::Band &b = m_response.band(index);
        return QStringLiteral("%1, %2 dB, Q %3")
            .arg(frequencyText(double(b.frequency)))
            .arg(QString::asprintf("%+.1f", double(b.gain)))
            .arg(double(b.q), 0, 'f', 2);
    }
    const auto which = index == HighPassHandle ? FilterResponse::HighPass : FilterResponse::LowPass;
    return frequencyText(double(m_response.cut(which).frequency));
}

QString FilterGraph::readoutText() const
{
    if (m_dragged != NoHandle)
        return handleValueText(m_dragged);
    if (m_keyboardReadout && hasFocus() && m_current != NoHandle)
        return handleValueText(m_current);
    return {};
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
