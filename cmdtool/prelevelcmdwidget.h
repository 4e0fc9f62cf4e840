#pragma once

#include "cmdtool/levelcmdwidget.h"

// Level tab for the pre-mix level of an input: channel items "Input 1" .. "Input 16".
class PreLevelCmdWidget final : public LevelCmdWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PreLevelCmdWidget)

public:
    explicit PreLevelCmdWidget(QWidget *parent = nullptr);
};
