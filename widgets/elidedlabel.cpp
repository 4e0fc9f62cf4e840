#include "widgets/elidedlabel.h"

#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : ElidedLabel(parent)
{
    setText(text);
}

void ElidedLabel::setText(const QString &text)
{
    QLabel::setText(text);
    setToolTip(text);
}

QString ElidedLabel::elidedText() const
{
    const int available = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), m_mode, qMax(0, available));
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    update();
}

// Wide names must not stop the label from shrinking in a layout.
QSize ElidedLabel::minimumSizeHint() const
{
    const QSize full = QLabel::minimumSizeHint();
    return QSize(qMin(full.width(), fontMetrics().horizontalAdvance(QStringLiteral("W...")) +
                                        2 * margin() + 2 * frameWidth()),
                 full.height());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, int(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), elidedText(), foregroundRole());
}
