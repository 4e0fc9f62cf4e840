#include "widgets/widgetresources.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSize>
#include <QString>
#include <QSvgRenderer>

#include <cmath>

// Q_INIT_RESOURCE declares the rcc function in the scope it is used in, so it
// must sit in a function at global scope.
static bool registerWidgetResources()
{
    Q_INIT_RESOURCE(widgets);
    return true;
}

void initWidgetResources()
{
    static const bool registered = registerWidgetResources();
    Q_UNUSED(registered)
}

QPixmap svgPixmap(const QString &resource, const QSize &size, qreal devicePixelRatio)
{
    if (size.isEmpty())
        return QPixmap();
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize pixels(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)));
    const QString key =
        QStringLiteral("dap_svg:%1:%2x%3").arg(resource).arg(pixels.width()).arg(pixels.height());

    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    pixmap = QPixmap(pixels);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
