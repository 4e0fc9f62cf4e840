#pragma once

#include <QPixmap>

class QSize;
class QString;

// Registers the images of this static library with the resource system. Safe
// to call any number of times; the widgets that draw images call it themselves,
// so programs and tests linking the library need not.
void initWidgetResources();

// The SVG resource rendered at `size` logical pixels for a screen with the given
// device pixel ratio, so it stays sharp on high-DPI screens. Results are kept in
// the global pixmap cache; a missing resource gives a transparent pixmap.
QPixmap svgPixmap(const QString &resource, const QSize &size, qreal devicePixelRatio);
