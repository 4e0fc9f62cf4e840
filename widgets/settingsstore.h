#pragma once

#include <QSettings>

// The per-user settings store of the program (window geometries, the last
// selected unit). Its names are written here once.
QSettings userSettings();
