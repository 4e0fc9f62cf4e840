#include "cmdtool/prelevelcmdwidget.h"

PreLevelCmdWidget::PreLevelCmdWidget(QWidget *parent)
    : LevelCmdWidget(QT_TRANSLATE_NOOP("LevelCmdWidget", "Input "), parent)
{
}
