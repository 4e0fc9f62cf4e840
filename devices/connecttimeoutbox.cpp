#include "devices/connecttimeoutbox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

ConnectTimeoutBox::ConnectTimeoutBox(QWidget *parent)
    : QMessageBox(parent), m_modify(new QPushButton(this)), m_doNotRemind(new QPushButton(this))
{
    setIcon(QMessageBox::Warning);
    setWindowModality(Qt::NonModal);
    addButton(m_modify, QMessageBox::ActionRole);
    addButton(m_doNotRemind, QMessageBox::ActionRole);
    setDefaultButton(m_modify);
    retranslate();
}

void ConnectTimeoutBox::retranslate()
{
    setWindowTitle(tr("Connection Timeout"));
    setText(tr("* The connection timed out!\n"
               "* Please check the network connection!\n"
               "* Please make sure that the PC and the device are on the same subnet!\n"
               "* Please make sure that there is no other IP conflicting with the device IP!\n"
               "  You can try to modify the PC's IP or device IP.\n"
               "  Right-click the mouse to select the device, you can modify its IP."));
    m_modify->setText(tr("Modify device IP immediately"));
    m_doNotRemind->setText(tr("Do not remind again"));
    // Wide enough that each line of the text stays one line.
    if (auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        const QStringList lines = text().split(QLatin1Char('\n'));
        for (const QString &line : lines)
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(widest + 8);
    }
}

void ConnectTimeoutBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMessageBox::changeEvent(event);
}

void ConnectTimeoutBox::closeEvent(QCloseEvent *event)
{
    event->accept();
    hide();
}

void ConnectTimeoutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QMessageBox::keyPressEvent(event);
}
