#include "settings/settingsform.h"

#include "widgets/appfont.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

QWidget *SettingsForm::panel(QWidget *parent, const char *objectName, const char *title,
                             QGridLayout *&grid)
{
    auto *bg = new QWidget(parent);
    bg->setObjectName(QString::fromLatin1(objectName));
    bg->setAttribute(Qt::WA_StyledBackground);
    auto *heading = new QLabel(bg);
    heading->setObjectName(QStringLiteral("titleLabel"));
    m_captions.append({heading, title});
    m_titles.append(heading);
    grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(2, 1); // spare width stays right of the values
    auto *layout = new QVBoxLayout(bg);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(3);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch(1);
    return bg;
}

QLabel *SettingsForm::addRow(QGridLayout *grid, const char *caption, QWidget *value)
{
    auto *parent = grid->parentWidget();
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_captions.append({label, caption});
    QLabel *valueLabel = nullptr;
    if (value)
        label->setBuddy(value); // the caption names the field for assistive technology
    if (!value) {
        valueLabel = new QLabel(parent);
        valueLabel->setMinimumHeight(17);
        value = valueLabel;
    }
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    return valueLabel;
}

void SettingsForm::retranslate()
{
    for (const Caption &c : qAsConst(m_captions))
        c.label->setText(QCoreApplication::translate("settings", c.text));
    for (QLabel *t : qAsConst(m_titles))
        t->setFont(appFont(8, true));
}
