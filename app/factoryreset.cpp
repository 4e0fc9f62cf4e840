#include "app/factoryreset.h"

#include "pages/operatorprompt.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/transport.h"

#include <QCoreApplication>

namespace FactoryReset {

bool confirmAndSend(QWidget *parent, const QString &unit)
{
    if (!isLoggedIn())
        return false;
    QString text =
        QStringLiteral("<font size='5' face='Arial' color='red'><B>%1<br>%2</font>")
            .arg(QCoreApplication::translate(
                     "MainWindow", "Restore the factory settings will delete all user data!!!"),
                 QCoreApplication::translate(
                     "MainWindow", "Do you want to reformat the disk and erase all data?"));
    if (!unit.isEmpty())
        text += QStringLiteral("<p>%1</p>")
                    .arg(QCoreApplication::translate("MainWindow", "Device: %1")
                             .arg(unit.toHtmlEscaped()));
    // "OK" is button 0, "Cancel" button 1 and the default, so that a
    // stray Enter erases nothing; closing the box chooses nothing.
    const int answer =
        OperatorPrompt::current().ask(parent, QMessageBox::Warning, QStringLiteral("warning"), text,
                                      {QStringLiteral("OK"), QStringLiteral("Cancel")}, 1);
    if (answer != 0)
        return false;
    sendPacket(Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::FactoryReset,
               Proto::FlagWrite);
    return true;
}

} // namespace FactoryReset
