#pragma once

class QWidget;

// The "Reset" menu action: after the operator confirms, the connected unit is
// told to restore its factory settings. Fire and forget: the unit restarts
// and the connection is made again as after any drop.
namespace FactoryReset {

// Does nothing while not logged in. Returns true when the command was sent.
bool confirmAndSend(QWidget *parent);

} // namespace FactoryReset
