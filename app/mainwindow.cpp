#include "app/mainwindow.h"

#include <QIcon>
#include <QSettings>


MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowIcon(QIcon(QStringLiteral("image/app.ico")));
    m_config.loadLanguageList();
    m_config.loadConfig();
    applyLanguage(m_config.languageIndex());

    resize(1024, 600);
    QSettings settings(QStringLiteral("Tarnvale"), QStringLiteral("KR"));
    restoreGeometry(settings.value(QStringLiteral("WindowGeometry")).toByteArray());
}

MainWindow::~MainWindow()
{
    QSettings settings(QStringLiteral("Tarnvale"), QStringLiteral("KR"));
    settings.setValue(QStringLiteral("WindowGeometry"), saveGeometry());
}

void MainWindow::applyLanguage(int index)
{
    setWindowTitle(m_config.applyLanguage(index, m_translator));
}
