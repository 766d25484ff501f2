// The 3D view as a user sees it: rendered under Xvfb with Mesa's software renderer.
#include "SampleShed.h"
#include "refhost/view3d/ModelView3D.h"

#include <QApplication>
#include <QDir>
#include <QQuickWidget>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace corvelle;
using corvelle::view3d::ModelView3D;
using corvelle::view3d::ViewPreset;

namespace {

// Renders after every change has reached the screen; saved under $VIEW3D_PICTURES to look at.
QImage frame(ModelView3D &view, const QString &name)
{
    QSignalSpy shown(&view, &ModelView3D::frameShown);
    view.quickWidget()->update();
    shown.wait(5000);
    QImage image = view.renderImage().convertToFormat(QImage::Format_RGB32);
    const QString dir = qEnvironmentVariable("VIEW3D_PICTURES");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    return image;
}

int differing(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

int notBackground(const QImage &img)
{
    const QRgb bg = img.pixel(0, 0);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) != bg;
    return n;
}

// Pixels on a vertical line at least 5 pixels long: studs seen through siding are such lines.
int verticalLinePixels(const QImage &img)
{
    const QRgb bg = img.pixel(0, 0);
    int n = 0;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 2; y + 2 < img.height(); ++y) {
            bool run = true;
            for (int dy = -2; dy <= 2 && run; ++dy)
                run = img.pixel(x, y + dy) != bg && (x == 0 || img.pixel(x - 1, y + dy) == bg);
            n += run;
        }
    return n;
}

int distinctColours(const QImage &img)
{
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            seen.insert(img.pixel(x, y));
    return int(seen.size());
}

} // namespace

class TestView3D : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("3D needs a real X server: run under xvfb-run");
        view_.resize(720, 560);
        view_.setModel(testing::sampleShed());
        view_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view_));
        view_.setPreset(ViewPreset::ThreeQuarter);
    }

    void shadingModes()
    {
        QImage img[5];
        for (int mode = 1; mode <= 4; ++mode) {
            view_.setShading(shed::Shading(mode));
            img[mode] = frame(view_, QStringLiteral("mode%1").arg(mode));
            QVERIFY2(notBackground(img[mode]) > img[mode].width() * img[mode].height() / 200,
                     qPrintable(QStringLiteral("mode %1 is blank").arg(mode)));
        }
        const int area = img[1].width() * img[1].height();
        // Lines leave most of the paper white; filled modes cover the shed's silhouette.
        QVERIFY(notBackground(img[1]) < area / 4);
        QVERIFY(notBackground(img[2]) < area / 4);
        QVERIFY(notBackground(img[3]) > area / 5);
        QVERIFY(notBackground(img[4]) > area / 5);
        QVERIFY(distinctColours(img[4]) > 2 * distinctColours(img[3]));

        // Front view, siding and framing only: the studs behind the siding show in wireframe only.
        view_.setPreset(ViewPreset::Front);
        for (int l = 0; l < shed::LayerCount; ++l)
            view_.setLayerVisible(shed::Layer(l), l == int(shed::Layer::Framing) || l == int(shed::Layer::Siding));
        view_.setShading(shed::Shading::Wireframe);
        const int wire = verticalLinePixels(frame(view_, QStringLiteral("front-wireframe")));
        view_.setShading(shed::Shading::HiddenLine);
        const int hidden = verticalLinePixels(frame(view_, QStringLiteral("front-hiddenline")));
        QVERIFY2(wire > 4 * std::max(hidden, 50), qPrintable(QStringLiteral("%1 vs %2").arg(wire).arg(hidden)));
        for (int l = 0; l < shed::LayerCount; ++l)
            view_.setLayerVisible(shed::Layer(l), true);
        view_.setPreset(ViewPreset::ThreeQuarter);
    }

    void layersAndPicking()
    {
        view_.setShading(shed::Shading::Smooth);
        const QImage whole = frame(view_, QStringLiteral("layers-all"));
        // Picking goes through hidden layers to what is behind them.
        view_.setPreset(ViewPreset::Front);
        const QPointF centre(view_.quickWidget()->width() / 2.0, view_.quickWidget()->height() * 0.6);
        view_.pick(centre);
        QVERIFY2(view_.pickedText().startsWith(QLatin1String("Door leaf")), qPrintable(view_.pickedText()));
        view_.setLayerVisible(shed::Layer::Doors, false);
        view_.pick(centre);
        QVERIFY2(view_.pickedText().startsWith(QLatin1String("Siding")), qPrintable(view_.pickedText()));
        view_.setLayerVisible(shed::Layer::Doors, true);
        view_.setPreset(ViewPreset::ThreeQuarter);

        view_.setLayerVisible(shed::Layer::Siding, false);
        view_.setLayerVisible(shed::Layer::Roof, false);
        const QImage framing = frame(view_, QStringLiteral("layers-framing"));
        QVERIFY(differing(whole, framing) > whole.width() * whole.height() / 10);
        view_.setLayerVisible(shed::Layer::Siding, true);
        view_.setLayerVisible(shed::Layer::Roof, true);
    }

private:
    ModelView3D view_;
};

QTEST_MAIN(TestView3D)
#include "test_view3d.moc"
