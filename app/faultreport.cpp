#include "app/faultreport.h"

#include "app/repeattimer.h"

#include <QEvent>
#include <QMessageBox>

FaultReport::FaultReport(FaultSource source, QWidget *boxParent, RepeatTimer *timer)
    : QObject(boxParent), m_source(std::move(source)), m_boxParent(boxParent),
      m_timer(timer ? timer : new RepeatTimer)
{
    m_timer->setParent(this);
    connect(m_timer, &RepeatTimer::timeout, this, &FaultReport::showDeviceFaultMessageBox);
}

FaultReport::~FaultReport() = default;

QMessageBox *FaultReport::box()
{
    // Made when first needed: its critical icon loads the desktop's icon
    // theme, which would cost every start a tenth of its time.
    if (!m_box) {
        m_box = new QMessageBox(QMessageBox::Critical, tr("Device Fault"), QString(),
                                QMessageBox::Ok, m_boxParent);
        m_box->setModal(false);
        m_box->setWindowModality(Qt::NonModal);
        m_box->installEventFilter(this);
    }
    return m_box;
}

QString FaultReport::text(quint8 fault)
{
    QString t = tr("Found fault :") + QStringLiteral("\n\n");
    if (fault & 0x01)
        t += QStringLiteral("DSP, ");
    if (fault & 0x02)
        t += tr("DAC") + QStringLiteral(", ");
    if (fault & 0x04)
        t += tr("Flash") + QStringLiteral(", ");
    if (fault & 0x08)
        t += tr("Temp") + QStringLiteral(", ");
    if (t.endsWith(QLatin1String(", ")))
        t.chop(2);
    return t + QStringLiteral("\n\n") + tr("See the Settings page for details.");
}

void FaultReport::setFault(uchar fault, QVector<float>)
{
    const quint8 bits = fault & FaultBits;
    if (bits == 0) {
        m_bits = 0;
        close();
        return;
    }
    if (bits == m_bits)
        return; // only bits that name no part changed
    m_bits = bits;
    m_timer->start(RepeatMs);
    showDeviceFaultMessageBox();
}

void FaultReport::showDeviceFaultMessageBox()
{
    const quint8 fault = m_source ? m_source() : m_bits;
    // The fault may have cleared without a report reaching setFault (the
    // unit was cleared away): stop rather than show an empty list.
    if (!(fault & FaultBits)) {
        m_bits = 0;
        close();
        return;
    }
    box()->setText(text(fault));
    m_box->show();
    m_box->raise();
}

void FaultReport::close()
{
    m_timer->stop();
    if (m_box && m_box->isVisible())
        m_box->accept();
}

bool FaultReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::LanguageChange) {
        m_box->setWindowTitle(tr("Device Fault"));
        if (m_box->isVisible() && m_source)
            m_box->setText(text(m_source()));
    }
    return QObject::eventFilter(watched, event);
}
