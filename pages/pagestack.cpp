#include "pages/pagestack.h"

#include <QCoreApplication>
#include <QPointer>
#include <QVBoxLayout>

PageStack::PageStack(QWidget *parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

int PageStack::addWidget(QWidget *page)
{
    if (page->parentWidget() != this)
        page->setParent(this);
    m_pages.append(page);
    if (m_current < 0)
        setCurrentIndex(count() - 1);
    else
        page->hide();
    return count() - 1;
}

QWidget *PageStack::replaceWidget(int index, QWidget *page)
{
    if (index < 0 || index >= count() || !page || m_pages[index] == page)
        return nullptr;
    if (page->parentWidget() != this)
        page->setParent(this);
    QWidget *old = m_pages[index];
    m_pages[index] = page;
    if (index == m_current) {
        m_layout->removeWidget(old);
        old->hide();
        m_layout->addWidget(page);
        page->show();
    } else {
        page->hide();
        old->hide();
    }
    return old;
}

QWidget *PageStack::widget(int index) const
{
    return m_pages.value(index, nullptr);
}

void PageStack::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    QWidget *next = m_pages[index];
    QWidget *previous = m_current >= 0 ? m_pages[m_current] : nullptr;
    // Focus on the page that goes moves to the page that comes.
    const QPointer<QWidget> focus = window()->focusWidget();
    const bool focusWasOnPrevious = focus && previous && previous->isAncestorOf(focus);
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    if (previous) {
        previous->clearFocus();
        m_layout->removeWidget(previous);
        previous->hide();
    }
    m_current = index;
    m_layout->addWidget(next);
    // The page takes the area at once rather than at the next layout pass,
    // so that it is never shown (or used) at the size it had while hidden.
    next->setGeometry(contentsRect());
    next->show();
    // Settle the layout now: the page may need more room than the one before
    // (the area then scrolls), and it must not be used at a passing size.
    if (isVisible())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (focusWasOnPrevious) {
        if (QWidget *w = next->focusWidget())
            w->setFocus();
        else
            next->setFocus();
    }
    setUpdatesEnabled(updates);
}
