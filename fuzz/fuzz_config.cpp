// Fuzz target for the files read at start: cfg.dat and
// translations/language.dat, written from the input into a scratch working
// directory and read as start-up reads them. What was read must also survive
// being written back: a configuration saved and read again by a fresh reader
// gives the same values.

#include "app/appconfig.h"
#include "fuzz/fuzzbytes.h"
#include "fuzz/fuzzsupport.h"
#include "protocol/transport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

void writeFile(const QString &name, const QByteArray &contents)
{
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contents) != contents.size())
        fuzzFail("cannot write a scratch file");
}

bool sameValues(const AppConfig &a, const AppConfig &b)
{
    return a.code() == b.code() && a.languageIndex() == b.languageIndex() &&
           a.connectAddress() == b.connectAddress() && a.englishTitle() == b.englishTitle() &&
           a.chineseTitle() == b.chineseTitle() && a.languageNames() == b.languageNames() &&
           a.currentFontFamily() == b.currentFontFamily();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_config";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = [] {
        quietLogging();
        auto *a = new QCoreApplication(argc, argv);
        enterScratchDir();
        QDir().mkpath(QStringLiteral("translations"));
        return a;
    }();
    (void)app;

    FuzzBytes in(data, size);
    writeFile(QStringLiteral("cfg.dat"), in.bytes(in.u16()));
    writeFile(QStringLiteral("translations/language.dat"), in.rest());

    AppConfig config;
    config.loadLanguageList();
    config.loadConfig();
    config.setHighDpi(AppConfig::readHighDpiSetting());
    if (config.languageCount() > AppConfig::MaxLanguages)
        fuzzFail("more languages than the menu holds");
    if (config.languageIndex() < 0 ||
        (config.languageIndex() > 0 && config.languageIndex() >= config.languageCount()))
        fuzzFail("a language index outside the list");
    if (codeId() != config.code())
        fuzzFail("the code read is not the code sent");
    config.windowTitle();
    config.isChineseLanguage();

    if (!config.saveConfig())
        fuzzFail("cfg.dat cannot be written back");
    AppConfig again;
    again.loadLanguageList();
    again.loadConfig();
    if (!sameValues(config, again) || AppConfig::readHighDpiSetting() != config.highDpi())
        fuzzFail("cfg.dat written back reads differently");
    return 0;
}
