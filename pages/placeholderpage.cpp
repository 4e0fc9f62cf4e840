#include "pages/placeholderpage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

PlaceholderPage::PlaceholderPage(const char *title, QWidget *parent)
    : BlockPage(parent), m_title(title), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("placeholderPage"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setStyleSheet(QStringLiteral("color: rgb(120, 130, 140);"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    retranslate();
}

void PlaceholderPage::retranslate()
{
    m_label->setText(tr("The %1 page is not available in this version.")
                         .arg(QCoreApplication::translate("FuncWidget", m_title)));
}
