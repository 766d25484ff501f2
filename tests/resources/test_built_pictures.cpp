#include "app/Pictures.h"
#include "resources/PictureDrawing.h"
#include "resources/PixelFile.h"

#include <QDirIterator>
#include <QTest>

using namespace corvelle;

// The images the program loads are drawn at build time; each must still be what its
// SVG source draws now, at every ratio, or an edited picture would ship stale.
class BuiltPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyImageIsItsSourceDrawnNow_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("ratio");
        QDirIterator it(QStringLiteral(CORVELLE_RESOURCES_DIR), {QStringLiteral("*.svg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString file = it.next();
            const QString relative = QDir(QStringLiteral(CORVELLE_RESOURCES_DIR)).relativeFilePath(file);
            const bool cursor = relative.startsWith(QLatin1String("cursors/"));
            for (int ratio : cursor ? QList<int>{1} : QList<int>{1, 2}) {
                QTest::addRow("%s@%d", qPrintable(relative), ratio) << file << ratio;
                ++count;
            }
        }
        // 19 styles, 5 framing bitmaps, 32 screen pictures at two ratios, one cursor.
        QCOMPARE(count, (19 + 5 + 32) * 2 + 1);
    }
    void everyImageIsItsSourceDrawnNow()
    {
        QFETCH(QString, source);
        QFETCH(int, ratio);
        const QString relative = QDir(QStringLiteral(CORVELLE_RESOURCES_DIR)).relativeFilePath(source);
        const auto kind = relative.startsWith(QLatin1String("cursors/")) ? PictureKind::Cursor : PictureKind::Opaque;
        const QImage drawn = DrawPicture(source, kind, ratio);
        QVERIFY(!drawn.isNull());
        const QImage built = BuiltImage(QStringLiteral(":/") + relative, ratio);
        QCOMPARE(built.size(), drawn.size());
        QCOMPARE(built.devicePixelRatio(), qreal(ratio));
        QCOMPARE(built.convertToFormat(drawn.format()), drawn);
    }

    void aMissingPictureIsAFailure()
    {
        QVERIFY_THROWS_EXCEPTION(std::exception, RenderPicture(QStringLiteral(":/pictures/screen3/Image9.svg")));
    }

    // A damaged pixel file is no picture, and is never read past its end.
    void aDamagedPixelFileIsRefused()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(2, 1, qRgb(200, 0, 0));
        const QByteArray bytes = PixelFileBytes(image);
        QCOMPARE(ReadPixelFile(bytes), image);
        QVERIFY(ReadPixelFile(bytes.chopped(1)).isNull());
        QVERIFY(ReadPixelFile(bytes + '\0').isNull());
        QVERIFY(ReadPixelFile(bytes.first(15)).isNull());
        QByteArray tag = bytes;
        tag[0] = 'X';
        QVERIFY(ReadPixelFile(tag).isNull());
        QByteArray format = bytes;
        format[12] = char(QImage::Format_Indexed8);
        QVERIFY(ReadPixelFile(format).isNull());
        QVERIFY(PixelFileBytes(image.convertToFormat(QImage::Format_RGB888)).isEmpty());
    }
};

QTEST_MAIN(BuiltPicturesTest)
#include "test_built_pictures.moc"
