#include "pages/matrix/qmixbutton.h"

#include "widgets/accessibility.h"

#include <QCoreApplication>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString OffSheet = QStringLiteral(
    "QMixButton{background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #F2F2F2, stop: 1 "
    "#CFCFCF);color: rgb(6, 6, 6);border: 1px solid rgb(152, 152, 152);border-radius:4px;}");
const QString OffSelectedSheet = QStringLiteral(
    "QMixButton{background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #F2F2F2, stop: 1 "
    "#CFCFCF);color: rgb(6, 6, 6);border: 1px solid rgb(255, 0, 0);border-radius:4px;}");
const QString OnSheet =
    QStringLiteral("QMixButton{background: rgb(18, 183, 245);color: rgb(252, 240, 240);border: "
                   "1px solid rgb(39, 129, 184);border-radius: 4px;}");
const QString OnSelectedSheet =
    QStringLiteral("QMixButton{background: rgb(18, 183, 245);color: rgb(252, 240, 240);border: "
                   "1px solid rgb(255, 0, 0);border-radius: 4px;}");
} // namespace

QMixButton::QMixButton(int input, int output, QWidget *parent)
    : QPushButton(parent), m_input(input), m_output(output)
{
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral("IN %1 -> OUT %2").arg(input + 1).arg(output + 1));
    restyle();
}

const QString &QMixButton::styleFor(bool on, bool selected)
{
    if (on)
        return selected ? OnSelectedSheet : OnSheet;
    return selected ? OffSelectedSheet : OffSheet;
}

void QMixButton::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    restyle();
}

void QMixButton::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    restyle();
}

void QMixButton::restyle()
{
    if (m_isTemplate)
        setStyleSheet(styleFor(m_on, m_selected));
    else
        update();
}

const QMixButton::Face &QMixButton::face(bool on, bool selected, QSize size, qreal pixelRatio)
{
    // Pixmaps must go before the application does.
    static QHash<quint64, Face> faces;
    static const bool cleared = [] {
        qAddPostRoutine([] { faces.clear(); });
        return true;
    }();
    Q_UNUSED(cleared)
    const quint64 key = quint64(on) | quint64(selected) << 1 | quint64(size.width() & 0xFFFF) << 2 |
                        quint64(size.height() & 0xFFFF) << 18 |
                        quint64(qRound(pixelRatio * 100)) << 34;
    auto it = faces.find(key);
    if (it != faces.end())
        return *it;

    QMixButton sample(-1, -1);
    sample.m_isTemplate = true;
    sample.m_on = on;
    sample.m_selected = selected;
    sample.restyle();
    sample.resize(size);
    sample.ensurePolished();
    Face f;
    f.pixmap = QPixmap(size * pixelRatio);
    f.pixmap.setDevicePixelRatio(pixelRatio);
    f.pixmap.fill(Qt::transparent);
    sample.render(&f.pixmap, QPoint(), QRegion(), QWidget::RenderFlags());
    f.text = sample.palette().color(QPalette::ButtonText);
    return *faces.insert(key, f);
}

void QMixButton::paintEvent(QPaintEvent *event)
{
    if (m_isTemplate) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const Face &f = face(m_on, m_selected, size(), devicePixelRatioF());
    painter.drawPixmap(0, 0, f.pixmap);
    if (!text().isEmpty()) {
        painter.setPen(f.text);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
    if (m_cursorMark) {
        // Dark and light, so the ring shows on both faces.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 1.0));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 2.0, 2.0);
        drawFocusRing(painter, QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), palette());
    }
}

void QMixButton::setCursorMark(bool marked)
{
    if (marked == m_cursorMark)
        return;
    m_cursorMark = marked;
    update();
}

void QMixButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    press();
}

void QMixButton::press()
{
    if (!m_selected) {
        emit select();
        setSelected(true);
        return;
    }
    m_on = !m_on;
    restyle();
    emit clicked(m_on);
}

void QMixButton::mouseReleaseEvent(QMouseEvent *event)
{
    // The press did the work; the base class would emit a second clicked().
    event->accept();
}
