#pragma once

#include <QString>

class QWidget;

// The "Reset" menu action: after the operator confirms, the connected unit is
// told to restore its factory settings. Fire and forget: the unit restarts
// and the connection is made again as after any drop.
namespace FactoryReset {

// Does nothing while not logged in. `unit` names the unit in the question
// (model, address, location), so that the operator sees which unit would
// lose its settings. Cancel is the default button: Enter erases nothing.
// Returns true when the command was sent.
bool confirmAndSend(QWidget *parent, const QString &unit = QString());

} // namespace FactoryReset
