#pragma once

#include <QMargins>
#include <QRect>

class QApplication;
class QWidget;

// What every start does before the application object exists: the scaling
// the operator chose, and no OpenGL. Every page is drawn by the raster
// engine, so the X11 platform need not load a GL driver for the window
// (on a software renderer that alone is about 50 MB and a third of the start).
// An operator's own QT_XCB_GL_INTEGRATION is kept.
void preparePlatform();

// What every start of the program does before its main window is built: the
// locale codec for texts on the wire, the resources and the application style
// sheet. Shared by dapcontrol and the tools that run it on loopback, so that
// they start the same way.
void prepareApplication(QApplication &app);

// The window's geometry moved and shrunk, as little as needed, so that the
// window with its frame (`frame`: title bar and borders) lies inside
// `available`, the screen's area without its panels.
QRect fittedGeometry(const QRect &geometry, const QMargins &frame, const QRect &available);
// Fits the (not yet shown) window to its screen: a stored geometry or the
// start size may be larger than the screen, with high-DPI scaling above all,
// where every size is multiplied by the screen's scale.
void fitToScreen(QWidget &window);
