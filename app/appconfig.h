#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

class QTranslator;

// The operator's choices kept between runs: cfg.dat and the language list
// translations/language.dat, both relative to the working directory.
class AppConfig final
{
public:
    static constexpr int MaxLanguages = 5;

    // Reads only the high-DPI flag (before the application object exists).
    // A missing file leaves the flag on.
    static bool readHighDpiSetting();

    // Fills the language names and fonts from translations/language.dat.
    void loadLanguageList();
    // Reads cfg.dat (creating it empty when absent): language index, code,
    // connect address and titles. The code is handed to the transmit path.
    void loadConfig();
    // Rewrites cfg.dat with the current values.
    bool saveConfig() const;

    // Loads and installs the translation of language `index` (the first
    // language when the index is out of range) and returns the window title.
    QString applyLanguage(int index, QTranslator &translator);
    // The window title for the current language and titles.
    QString windowTitle() const;

    int languageCount() const { return m_names.size(); }
    int languageIndex() const { return m_index; }
    QString currentFontFamily() const;
    QString currentLanguageName() const;
    bool isChineseLanguage() const;
    QStringList languageNames() const { return m_names; }

    bool highDpi() const { return m_highDpi; }
    void setHighDpi(bool on) { m_highDpi = on; }
    quint16 code() const { return m_code; }
    QHostAddress connectAddress() const { return m_connectAddress; }
    QString englishTitle() const { return m_englishTitle; }
    QString chineseTitle() const { return m_chineseTitle; }

private:
    int m_index = 0;
    int m_indexRead = 0;
    quint16 m_code = 1;
    bool m_highDpi = true;
    QHostAddress m_connectAddress;
    QString m_englishTitle;
    QString m_chineseTitle;
    QStringList m_names;
    QStringList m_fonts;
};
