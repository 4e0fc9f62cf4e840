// Renders the program's SVG icon as PNG files of the sizes a desktop's icon
// theme asks for. Built and run at build time, so no pictures are kept twice.
//
//   dap-svgicon app.svg outdir 16 24 32 48 64 128 256

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: dap-svgicon SVG OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "dap-svgicon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QDir out(args.at(2));
    for (const QString &size : args.mid(3)) {
        const int px = size.toInt();
        QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
        p.end();
        out.mkpath(size);
        if (!image.save(out.filePath(size + QStringLiteral("/dapcontrol.png")))) {
            std::fprintf(stderr, "dap-svgicon: cannot write size %d\n", px);
            return 1;
        }
    }
    return 0;
}
