#pragma once

class QApplication;

// What every start of the program does before its main window is built: the
// locale codec for texts on the wire, the resources and the application style
// sheet. Shared by dapcontrol and the tools that run it on loopback, so that
// they start the same way.
void prepareApplication(QApplication &app);
