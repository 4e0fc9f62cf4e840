#include "widgets/settingsstore.h"

QSettings userSettings()
{
    return QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"));
}
