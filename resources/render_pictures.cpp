// Build-time renderer: draws SVG pictures into the pixel files the wizard loads, so
// the program itself never parses or draws SVG, nor decodes an image.
// Usage: render_pictures opaque|cursor DPR SOURCE.svg OUTPUT.pixels
#include "resources/PictureDrawing.h"
#include "resources/PixelFile.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Fonts and painting need a platform; the build machine may have no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s opaque|cursor DPR SOURCE.svg OUTPUT.pixels\n", argv[0]);
        return 2;
    }
    const auto kind = qstrcmp(argv[1], "cursor") == 0 ? corvelle::PictureKind::Cursor : corvelle::PictureKind::Opaque;
    const int ratio = QByteArray(argv[2]).toInt();
    const QString source = QString::fromLocal8Bit(argv[3]);
    const QString output = QString::fromLocal8Bit(argv[4]);
    const QImage image = corvelle::DrawPicture(source, kind, ratio);
    if (image.isNull() || ratio < 1) {
        std::fprintf(stderr, "render_pictures: cannot draw %s\n", argv[3]);
        return 1;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(corvelle::PixelFileBytes(image)) <= 0 || !file.commit()) {
        std::fprintf(stderr, "render_pictures: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
