#pragma once

#include "cmdtool/levelcmdwidget.h"

// Level tab for the level of an output: channel items "Output 1" .. "Output 16".
class OutLevelCmdWidget final : public LevelCmdWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OutLevelCmdWidget)

public:
    explicit OutLevelCmdWidget(QWidget *parent = nullptr);
};
