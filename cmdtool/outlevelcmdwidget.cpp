#include "cmdtool/outlevelcmdwidget.h"

OutLevelCmdWidget::OutLevelCmdWidget(QWidget *parent)
    : LevelCmdWidget(QT_TRANSLATE_NOOP("LevelCmdWidget", "Output "), parent)
{
}
