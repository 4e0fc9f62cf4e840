// The main window's menus that are not about the unit's link: language,
// high-DPI scaling, and the File and Edit menus.

#include "app/mainwindow.h"

#include "app/configurationactions.h"
#include "app/editactions.h"
#include "model/edithistory.h"
#include "pages/blockpage.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>

void MainWindow::buildFileAndEditMenus()
{
    QMenuBar *bar = menuBar();
    m_fileMenu = bar->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_files = new ConfigurationActions(this, m_fileMenu);
    connect(m_files, &ConfigurationActions::titleChanged, this, &MainWindow::showTitle);
    m_editMenu = bar->addMenu(QString());
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    m_edit = new EditActions(m_func->history(), m_editMenu, this);
    // What undo wrote shows at once on the page on screen: it reads its block.
    m_edit->setRefresh([this] {
        if (isLoggedIn())
            if (BlockPage *page = m_func->page(m_func->currentIndex()))
                page->refresh();
    });
    // Told once, when steps are dropped; the bar is shown only for it.
    connect(m_func->history(), &Model::EditHistory::dropped, this, [this](const QString &what) {
        statusBar()->showMessage(tr("%1: what was done before can no longer be undone.").arg(what),
                                 10000);
    });
    statusBar()->setSizeGripEnabled(false);
    statusBar()->hide();
    connect(statusBar(), &QStatusBar::messageChanged, statusBar(),
            [this](const QString &text) { statusBar()->setVisible(!text.isEmpty()); });
}

void MainWindow::showTitle()
{
    const QString title = m_config.windowTitle();
    setWindowTitle(m_files ? m_files->decorate(title) : title);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_files && !m_files->maySave()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::applyLanguage(int index)
{
    m_config.applyLanguage(index, m_translator);
    showTitle();
    applyFont();
    // The menu bar keeps its height in every language: a font with a taller
    // line (CJK) takes it from the style sheet's 4 px item padding.
    const int slack = lineSlack(QApplication::font("QMenuBar"));
    menuBar()->setStyleSheet(
        slack > 0 ? QStringLiteral("QMenuBar::item { padding: %1px 10px; }").arg(qMax(1, 4 - slack))
                  : QString());
    checkLanguageAction();
}

void MainWindow::checkLanguageAction()
{
    for (int i = 0; i < m_languageActions.size(); ++i)
        m_languageActions[i]->setChecked(i == m_config.languageIndex());
}

void MainWindow::applyFont()
{
    setCurrentFontFamily(m_config.currentFontFamily());
    // One compact size for the whole program; pages pick their own sizes from it.
    QFont font = QApplication::font();
    if (!m_config.currentFontFamily().isEmpty())
        font.setFamily(m_config.currentFontFamily());
    font.setPointSize(9);
    QApplication::setFont(font);
    QApplication::setFont(font, "QMenuBar");
    QApplication::setFont(font, "QMenu");
}

void MainWindow::languageActionClicked()
{
    const auto *a = qobject_cast<QAction *>(sender());
    if (!a || a->objectName().size() < 9)
        return;
    applyLanguage(a->objectName().at(8).unicode() - '1');
    m_config.saveConfig();
}

void MainWindow::highDpiScalingTriggered(bool)
{
    auto *triggered = qobject_cast<QAction *>(sender());
    if (!triggered)
        return;
    const bool on = triggered == m_dpiOn;
    m_dpiOn->setChecked(on);
    m_dpiOff->setChecked(!on);
    if (on == m_config.highDpi())
        return;
    m_config.setHighDpi(on);
    m_config.saveConfig();
    QString text;
    if (!on)
        text = tr("Disabling high DPI scaling and the application will keep the default size.\n\n");
    text += tr("Need to restart the application to take effect, are you sure that you want to "
               "restart now?");
    const int answer = OperatorPrompt::current().ask(
        this, QMessageBox::Question, tr("Restart to take effect"), text,
        {tr("Restart immediately to take effect"), tr("No, take effect at next startup")});
    if (answer == 0) {
        // main() starts the new copy once this one has let go of its lock.
        m_restart = true;
        QCoreApplication::exit(0);
    }
}
