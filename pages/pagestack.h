#pragma once

#include <QVector>
#include <QWidget>

class QVBoxLayout;

// The container's page area: one page shown at a time, like a stacked
// widget, but laid out by the page on screen alone. A stacked layout asks
// every page for its size, which polishes and lays out all 19 pages (4000
// widgets) when the window first shows and keeps their style data in memory;
// here a page is polished and laid out when it is first shown. The area may
// therefore change its minimum size with the page (the window scrolls a page
// that does not fit).
class PageStack final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PageStack)

public:
    explicit PageStack(QWidget *parent = nullptr);

    // Appends a page (made a child of the stack); the first page becomes current.
    int addWidget(QWidget *page);
    // Puts `page` at `index` in place of the page there, which is returned
    // (hidden, still a child of the stack) for the caller to delete.
    QWidget *replaceWidget(int index, QWidget *page);
    QWidget *widget(int index) const;
    int count() const { return int(m_pages.size()); }
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);

private:
    QVBoxLayout *m_layout;
    QVector<QWidget *> m_pages;
    int m_current = -1;
};
