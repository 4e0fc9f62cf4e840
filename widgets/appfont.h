#pragma once

#include <QFont>
#include <QString>

// The font family of the application's current language. Start-up and the
// language switch set it; pages and dialogs build their fonts from it when they
// are created and again on QEvent::LanguageChange. Empty means the default
// application font.
QString currentFontFamily();
void setCurrentFontFamily(const QString &family);

// The application font in the current language's family at the given point size.
QFont appFont(int pointSize, bool bold = false);
