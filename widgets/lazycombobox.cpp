#include "widgets/lazycombobox.h"

#include <QAbstractItemView>
#include <QEvent>

LazyComboBox::LazyComboBox(const QFont &font, QWidget *parent) : QComboBox(parent)
{
    setFont(font);
    m_building = false;
}

void LazyComboBox::changeEvent(QEvent *event)
{
    // The font given while building: nothing is measured or made yet, and the
    // list takes the font when it is made.
    if (m_building && event->type() == QEvent::FontChange) {
        QWidget::changeEvent(event);
        return;
    }
    if (event->type() == QEvent::FontChange)
        m_popupFont = true; // QComboBox passes it on to the list itself
    QComboBox::changeEvent(event);
}

void LazyComboBox::showPopup()
{
    if (!m_popupFont) {
        // The list is a window of its own and does not inherit the font.
        m_popupFont = true;
        view()->window()->setFont(font());
        view()->doItemsLayout();
    }
    QComboBox::showPopup();
}
