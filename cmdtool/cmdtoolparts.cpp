#include "cmdtool/cmdtoolparts.h"

#include <QGridLayout>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace CmdToolParts {

const char *const ToggleStyle =
    "QPushButton:checked{border-radius:1px;background-color:rgb(80, 202, 158)}";

void setControlWidth(QWidget *control)
{
    // Room for the widest channel item, with the box's arrow.
    const int width = control->fontMetrics().horizontalAdvance(QStringLiteral("Output 16")) + 48;
    control->setMinimumWidth(width);
}

QPushButton *toggleButton(const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setCheckable(true);
    button->setStyleSheet(QString::fromLatin1(ToggleStyle));
    setControlWidth(button);
    return button;
}

QPushButton *generateButton(const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

QGridLayout *panelGrid(QWidget *panel)
{
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    return grid;
}

void finishPanelGrid(QGridLayout *grid)
{
    const int rows = grid->rowCount();
    const int columns = grid->columnCount();
    grid->setRowStretch(rows, 1);
    grid->setColumnStretch(columns, 1);
}

} // namespace CmdToolParts
