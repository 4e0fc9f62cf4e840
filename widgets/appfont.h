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

// Pixels by which one line of `font` is taller than its glyphs need (1.2 em).
// Nothing for Latin fonts; CJK fonts such as Noto Sans CJK keep about a third
// of an em more above and below their glyphs. Tight layouts take it off their
// spacing, so that a page keeps its height in every language.
int lineSlack(const QFont &font);
