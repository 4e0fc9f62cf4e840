#include "app/appconfig.h"

#include "protocol/transport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTranslator>

namespace {

const char ConfigFile[] = "cfg.dat";
const char LanguageFile[] = "translations/language.dat";

QString chomp(QByteArray line)
{
    line.replace('\r', "").replace('\n', "");
    return QString::fromUtf8(line);
}

// The lines of a small text file as they come, without their line ends. Read
// whole: QIODevice::readLine() without a limit sets aside 16 KiB for each line.
QList<QByteArray> readLines(QFile &f)
{
    QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.last().isEmpty()) // after the last line end, or an empty file
        lines.removeLast();
    return lines;
}

// The text after `key` up to the first ';' (or the end of the line).
QString fieldAfter(const QString &line, const QString &key)
{
    const int at = line.indexOf(key);
    if (at < 0)
        return QString();
    const int start = at + key.size();
    const int end = line.indexOf(QLatin1Char(';'), start);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

// Qt writes the standard buttons of button boxes and message boxes (OK,
// Cancel) with texts of its own contexts: the generic one, and the GNOME
// theme's with mnemonics. Naming them here puts them in the program's
// translation files, so that those buttons follow the language as well.
[[maybe_unused]] const char *const QtStandardTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"), QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&OK"), QT_TRANSLATE_NOOP("QGnomeTheme", "&Cancel")};

} // namespace

bool AppConfig::readHighDpiSetting()
{
    bool flag = true;
    QFile f(QString::fromLatin1(ConfigFile));
    if (!f.open(QIODevice::ReadOnly))
        return flag;
    const QString key = QStringLiteral("HighDpiScaling:");
    for (const QByteArray &raw : readLines(f)) {
        const QString line = chomp(raw);
        if (line.startsWith(key))
            flag = line.mid(key.size()).toInt() != 0;
    }
    return flag;
}

void AppConfig::loadLanguageList()
{
    m_names.clear();
    m_fonts.clear();
    QFile f(QString::fromLatin1(LanguageFile));
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = readLines(f);
    for (int i = 0; i < lines.size() && m_names.size() < MaxLanguages; ++i) {
        const QString line = chomp(lines.at(i));
        m_names.append(fieldAfter(line, QStringLiteral("lang:")));
        m_fonts.append(fieldAfter(line, QStringLiteral("font:")));
    }
}

void AppConfig::loadConfig()
{
    QFile f(QString::fromLatin1(ConfigFile));
    if (f.open(QIODevice::ReadWrite)) {
        // The last occurrence of a key wins.
        for (const QByteArray &raw : readLines(f)) {
            const QString line = chomp(raw);
            if (line.startsWith(QLatin1String("current lang:"))) {
                // One decimal digit right after the key.
                m_indexRead = line.size() > 13 ? line.at(13).unicode() - '0' : 0;
            } else if (line.startsWith(QLatin1String("code:"))) {
                const QString value = line.mid(5).section(QLatin1Char(';'), 0, 0);
                m_code = quint16(value.toInt());
            } else if (line.startsWith(QLatin1String("connect ip:"))) {
                const QHostAddress address(line.mid(11).trimmed());
                m_connectAddress =
                    address.protocol() == QAbstractSocket::IPv4Protocol ? address : QHostAddress();
            } else if (line.startsWith(QLatin1String("EN:"))) {
                m_englishTitle = line.mid(3);
            } else if (line.startsWith(QLatin1String("CN:"))) {
                m_chineseTitle = line.mid(3);
            }
        }
    }
    setCodeId(m_code);
    m_index = (m_indexRead >= 0 && m_indexRead < languageCount()) ? m_indexRead : 0;
}

bool AppConfig::saveConfig() const
{
    QFile f(QString::fromLatin1(ConfigFile));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out;
    out += "current lang:" + QByteArray::number(m_index) + "\r\n";
    out += "code:" + QByteArray::number(m_code) + "\r\n";
    // Kept so that a language or DPI change does not drop the operator's setting.
    if (!m_connectAddress.isNull())
        out += "connect ip:" + m_connectAddress.toString().toLatin1() + "\r\n";
    if (!m_englishTitle.isEmpty())
        out += "EN:" + m_englishTitle.toUtf8() + "\r\n";
    if (!m_chineseTitle.isEmpty())
        out += "CN:" + m_chineseTitle.toUtf8() + "\r\n";
    out += "HighDpiScaling:" + QByteArray(m_highDpi ? "1" : "0") + "\r\n";
    return f.write(out) == out.size();
}

QString AppConfig::applyLanguage(int index, QTranslator &translator)
{
    if (index < 0 || index >= languageCount())
        index = 0;
    m_index = index;
    QCoreApplication::removeTranslator(&translator);
    if (translator.load(QStringLiteral("translations/") + currentLanguageName()))
        QCoreApplication::installTranslator(&translator);
    return windowTitle();
}

QString AppConfig::windowTitle() const
{
    const QString &own = isChineseLanguage() ? m_chineseTitle : m_englishTitle;
    if (!own.isEmpty())
        return own;
    return QCoreApplication::translate("MainWindow", "Digital Audio Processor");
}

QString AppConfig::currentFontFamily() const
{
    return m_index < m_fonts.size() ? m_fonts.at(m_index) : QString();
}

QString AppConfig::currentLanguageName() const
{
    return m_index < m_names.size() ? m_names.at(m_index) : QString();
}

bool AppConfig::isChineseLanguage() const
{
    return currentLanguageName().contains(QLatin1String("chinese"));
}
