// The 3D view as a user sees it: rendered under Xvfb with Mesa's software renderer.
#include "TestData.h"
#include "shed/Reader.h"
#include "refhost/view3d/ModelView3D.h"
#include "refhost/view3d/SceneMesh.h"
#include "shed/Framing.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace corvelle;
using corvelle::view3d::ModelView3D;
using corvelle::view3d::ViewPreset;

namespace {

// Renders after every change has reached the screen; saved under $VIEW3D_PICTURES to look at.
QImage frame(ModelView3D &view, const QString &name)
{
    QSignalSpy shown(&view, &ModelView3D::frameShown);
    view.requestFrame();
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

// Share of the drawn pixels that sit in an even patch (same colour right and below):
// filled faces are patches, lines are not.
double filled(const QImage &img)
{
    const QRgb bg = img.pixel(0, 0);
    int drawn = 0, even = 0;
    for (int y = 0; y + 1 < img.height(); ++y)
        for (int x = 0; x + 1 < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (c == bg)
                continue;
            ++drawn;
            even += c == img.pixel(x + 1, y) && c == img.pixel(x, y + 1);
        }
    return drawn ? double(even) / drawn : 0;
}

int distinctColours(const QImage &img)
{
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            seen.insert(img.pixel(x, y));
    return int(seen.size());
}

// The mean brightness of a square in the middle of the picture.
double centreLightness(const QImage &img)
{
    const int half = 12, cx = img.width() / 2, cy = img.height() / 2;
    double sum = 0;
    for (int y = cy - half; y < cy + half; ++y)
        for (int x = cx - half; x < cx + half; ++x)
            sum += QColor(img.pixel(x, y)).lightnessF();
    return sum / (4 * half * half);
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
        view_.setModel(shed::buildModel(*shed::readDesign(testing::sampleShedData()).design));
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
        // Lines leave paper between them; filled modes cover the shed's outline.
        for (int mode = 1; mode <= 4; ++mode) {
            const double f = filled(img[mode]);
            QVERIFY2(mode <= 2 ? f < 0.3 : f > 0.6, qPrintable(QStringLiteral("mode %1 fills %2").arg(mode).arg(f)));
        }
        QVERIFY(distinctColours(img[4]) > 2 * distinctColours(img[3]));

        // Front view, door closed: the framing behind the siding shows in wireframe only.
        view_.setPreset(ViewPreset::Front);
        auto show = [&](std::initializer_list<shed::Layer> layers) {
            for (int l = 0; l < shed::LayerCount; ++l)
                view_.setLayerVisible(shed::Layer(l), std::find(layers.begin(), layers.end(), shed::Layer(l)) != layers.end());
        };
        int change[3] = {};
        for (int mode : {1, 2}) {
            view_.setShading(shed::Shading(mode));
            show({shed::Layer::Siding, shed::Layer::Doors});
            const QImage skin = frame(view_, QStringLiteral("front-%1-skin").arg(mode));
            show({shed::Layer::Siding, shed::Layer::Doors, shed::Layer::Framing});
            change[mode] = differing(skin, frame(view_, QStringLiteral("front-%1-framed").arg(mode)));
        }
        QVERIFY2(change[1] > 5 * std::max(change[2], 100),
                 qPrintable(QStringLiteral("framing changes %1 pixels in wireframe, %2 in hidden line").arg(change[1]).arg(change[2])));
        show({shed::Layer::Foundation, shed::Layer::Floor, shed::Layer::Framing, shed::Layer::Lining, shed::Layer::Siding,
              shed::Layer::Roof, shed::Layer::Doors, shed::Layer::Ramps});
        view_.setPreset(ViewPreset::ThreeQuarter);
    }

    // Each wall's preset faces that wall from outside: the member at the view's centre is
    // one of its own (left and right as a person facing the front sees them, as the framing
    // and the plans have them). Smooth shading lights every wall the camera faces: none is
    // darker than half its flat shade (from the Left preset one was nearly black).
    void wallPresets()
    {
        const std::pair<ViewPreset, shed::Wall> walls[] = {{ViewPreset::Front, shed::Wall::Front},
                                                           {ViewPreset::Back, shed::Wall::Rear},
                                                           {ViewPreset::Left, shed::Wall::Left},
                                                           {ViewPreset::Right, shed::Wall::Right}};
        for (const auto &[preset, wall] : walls) {
            view_.setPreset(preset);
            QWidget *scene = view_.sceneWidget();
            // Over the middle of the view (a door and ramp may stand at its very centre),
            // every wall member seen is one of this wall's.
            int onWall = 0;
            const QRect r = scene->rect();
            for (int i = 1; i <= 4; ++i) {
                for (int j = 1; j <= 4; ++j) {
                    const QPoint at(r.left() + r.width() * (2 + i) / 10, r.top() + r.height() * (2 + j) / 10);
                    const std::optional<int> seen = view_.memberAt(scene->mapTo(&view_, at));
                    if (!seen || !view_.model().members[*seen].wall)
                        continue;
                    const shed::Member &m = view_.model().members[*seen];
                    QVERIFY2(*m.wall == wall,
                             qPrintable(QStringLiteral("the %1 preset shows a %2 on the %3 wall")
                                            .arg(shed::wallName(wall), shed::kindName(m.kind), shed::wallName(*m.wall))));
                    ++onWall;
                }
            }
            QVERIFY2(onWall > 0, qPrintable(QStringLiteral("the %1 preset shows no wall").arg(shed::wallName(wall))));
            view_.setShading(shed::Shading::Flat);
            const double flat = centreLightness(frame(view_, QStringLiteral("lit-%1-flat").arg(int(preset))));
            view_.setShading(shed::Shading::Smooth);
            const double smooth = centreLightness(frame(view_, QStringLiteral("lit-%1-smooth").arg(int(preset))));
            QVERIFY2(
                smooth >= flat / 2,
                qPrintable(
                    QStringLiteral("preset %1: smooth %2 against flat %3").arg(int(preset)).arg(smooth).arg(flat)));
        }
        view_.setPreset(ViewPreset::ThreeQuarter);
    }

    // The view by keyboard: it takes the focus, the keys turn, pan, zoom, fit, shade and
    // describe (as the view's description, which screen readers say), and Tab goes on past it, also when the keys
    // reach the scene's own window.
    void keyboard()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        ModelView3D view;
        view.setModel(view_.model());
        auto *after = new QLineEdit(&window);
        layout->addWidget(&view);
        layout->addWidget(after);
        window.resize(640, 560);
        window.show();
        window.activateWindow(); // no window manager does it under Xvfb
        QVERIFY(QTest::qWaitForWindowActive(&window));
        view.setPreset(ViewPreset::Front);
        QWidget *scene = view.focusTarget();
        scene->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(scene->hasFocus());

        view3d::SceneState *s = view.state();
        const float yaw = s->yaw, pitch = s->pitch, distance = s->distance;
        const QVector3D target = s->target;
        QTest::keyClick(scene, Qt::Key_Left);
        QVERIFY(s->yaw != yaw);
        QTest::keyClick(scene, Qt::Key_Up);
        QVERIFY(s->pitch > pitch);
        QTest::keyClick(scene, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(s->target != target);
        QTest::keyClick(scene, Qt::Key_Plus);
        QVERIFY(s->distance < distance);
        QTest::keyClick(scene, Qt::Key_Minus);
        QTest::keyClick(scene, Qt::Key_Minus);
        QVERIFY(s->distance > distance);
        view.setPreset(ViewPreset::Front);
        const float fitted = s->distance;
        QTest::keyClick(scene, Qt::Key_Minus);
        QTest::keyClick(scene, Qt::Key_Home);
        QCOMPARE(s->distance, fitted);
        for (int mode : {1, 3, 2, 4}) {
            QTest::keyClick(scene, Qt::Key(Qt::Key_0 + mode));
            QCOMPARE(int(view.shading()), mode);
        }

        QTest::keyClick(scene, Qt::Key_Return);
        // The front view's centre is the door.
        QVERIFY2(view.pickedText().startsWith(QLatin1String("Door leaf")), qPrintable(view.pickedText()));
        QCOMPARE(QAccessible::queryAccessibleInterface(scene)->text(QAccessible::Description), view.pickedText());

        QTest::keyClick(scene, Qt::Key_Tab);
        QVERIFY(after->hasFocus());
        QTest::keyClick(after, Qt::Key_Backtab);
        QVERIFY(scene->hasFocus());
        // Keys the platform gives the scene's window go to the view all the same.
        QWindow *sceneWindow = view.sceneWindow();
        QVERIFY(sceneWindow);
        const float before = s->yaw;
        QTest::keyClick(sceneWindow, Qt::Key_Right);
        QVERIFY(s->yaw != before);
        QTest::keyClick(sceneWindow, Qt::Key_Tab);
        QVERIFY(after->hasFocus());
    }

    void layersAndPicking()
    {
        view_.setShading(shed::Shading::Smooth);
        const QImage whole = frame(view_, QStringLiteral("layers-all"));
        // A click on the door as drawn picks the door; with doors hidden, what is behind it.
        QPoint door;
        for (int y = 0; y < whole.height() && door.isNull(); y += 2)
            for (int x = 0; x < whole.width(); x += 2) {
                const QColor c = whole.pixelColor(x, y);
                if (c.green() > c.red() + 10 && c.green() > c.blue() + 10) {
                    door = QPoint(x + 4, y + 8); // inside the leaf, off its edge
                    break;
                }
            }
        QVERIFY(!door.isNull());
        view_.pick(door);
        // Named with its part mark, the doors' first.
        QVERIFY2(view_.pickedText().startsWith(QLatin1String("Door leaf D1 (")), qPrintable(view_.pickedText()));
        // The shown pick follows the units: millimetres, no inch marks left.
        view_.setUnits(shed::Units(shed::UnitSystem::Metric));
        static const QRegularExpression mm(QStringLiteral(", \\d+ x \\d+ x \\d+ mm$"));
        QVERIFY2(mm.match(view_.pickedText()).hasMatch() && !view_.pickedText().contains(u'"'),
                 qPrintable(view_.pickedText()));
        view_.setUnits({});
        QVERIFY2(view_.pickedText().contains(u'"'), qPrintable(view_.pickedText()));
        view_.setLayerVisible(shed::Layer::Doors, false);
        const std::optional<int> behind = view_.memberAt(door);
        QVERIFY(behind);
        QVERIFY(view_.model().members[*behind].layer != shed::Layer::Doors);
        view_.setLayerVisible(shed::Layer::Doors, true);

        view_.setLayerVisible(shed::Layer::Siding, false);
        view_.setLayerVisible(shed::Layer::Roof, false);
        const QImage framing = frame(view_, QStringLiteral("layers-framing"));
        QVERIFY(differing(whole, framing) > whole.width() * whole.height() / 10);
        view_.setLayerVisible(shed::Layer::Siding, true);
        view_.setLayerVisible(shed::Layer::Roof, true);
    }

    // Hidden line skips the edges behind their own member: for a box seen from past one
    // corner, the three edges at the opposite corner, and only those; a rafter's birdsmouth
    // notch (a concave outline) loses none of the edges that show.
    void edgesBehindTheirMember()
    {
        auto lines = [](const QByteArray &indices, const view3d::LayerMesh &mesh) {
            QList<std::pair<QVector3D, QVector3D>> out;
            const auto *v = reinterpret_cast<const view3d::EdgeVertex *>(mesh.edges.constData());
            const auto *i = reinterpret_cast<const quint32 *>(indices.constData());
            for (qsizetype k = 0; k + 1 < indices.size() / qsizetype(sizeof(quint32)); k += 2)
                out.append({QVector3D(v[i[k]].position[0], v[i[k]].position[1], v[i[k]].position[2]),
                            QVector3D(v[i[k + 1]].position[0], v[i[k + 1]].position[1], v[i[k + 1]].position[2])});
            return out;
        };
        shed::Model model;
        shed::Member box{};
        box.kind = shed::MemberKind::Stud;
        box.layer = shed::Layer::Framing;
        box.size = QVector3D(10, 20, 30);
        box.position = QVector3D(100, 0, 0);
        model.members.append(box);
        auto mesh = view3d::buildLayerMeshes(model)[int(shed::Layer::Framing)];
        QCOMPARE(mesh.lineCount(), 12);
        const auto front = lines(view3d::frontEdgeIndices(mesh, QVector3D(500, 400, 600)), mesh);
        QCOMPARE(front.size(), 9);
        for (const auto &[a, b] : front)
            QVERIFY(a != QVector3D(100, 0, 0) && b != QVector3D(100, 0, 0));

        // An L outline seen from inside its notch: every face around the notch faces the eye.
        box.profile = {QPointF(0, 0), QPointF(40, 0), QPointF(40, 10), QPointF(10, 10), QPointF(10, 40), QPointF(0, 40)};
        box.size = QVector3D(40, 40, 2);
        model.members = {box};
        mesh = view3d::buildLayerMeshes(model)[int(shed::Layer::Framing)];
        const QVector3D eye(125, 25, 1); // in the notch, level with the middle of the thickness
        const auto seen = lines(view3d::frontEdgeIndices(mesh, eye), mesh);
        auto has = [&](QVector3D a, QVector3D b) {
            return seen.contains(std::pair(a, b)) || seen.contains(std::pair(b, a));
        };
        QVERIFY(has(QVector3D(110, 10, 0), QVector3D(110, 10, 2)));  // the notch's inner corner
        QVERIFY(has(QVector3D(140, 10, 0), QVector3D(110, 10, 0)));  // the notch's floor, front
        QVERIFY(!has(QVector3D(100, 0, 0), QVector3D(100, 0, 2)));   // the far outer corner
        QVERIFY(seen.size() < mesh.lineCount());

        // A sheet lying on a stud hides the stud's top edges from above, while the sheet's
        // layer shows; from below they show. Depth alone leaves them to chance at a slant.
        box.profile.clear();
        box.size = QVector3D(10, 20, 30);
        box.position = QVector3D(0, 0, 0);
        shed::Member sheet = box;
        sheet.kind = shed::MemberKind::LiningSheet;
        sheet.layer = shed::Layer::Lining;
        sheet.size = QVector3D(40, 0.5f, 60);
        sheet.position = QVector3D(-15, 20, -15);
        model.members = {box, sheet};
        mesh = view3d::buildLayerMeshes(model)[int(shed::Layer::Framing)];
        const unsigned all = ~0u, noLining = ~(1u << int(shed::Layer::Lining));
        const QVector3D above(500, 400, 600), below(500, -400, 600);
        QCOMPARE(lines(view3d::frontEdgeIndices(mesh, above, noLining), mesh).size(), 9);
        const auto covered = lines(view3d::frontEdgeIndices(mesh, above, all), mesh);
        QCOMPARE(covered.size(), 5);
        for (const auto &[a, b] : covered)
            QVERIFY(a.y() < 20 || b.y() < 20);
        QCOMPARE(lines(view3d::frontEdgeIndices(mesh, below, all), mesh).size(), 9);
        // The sheet's own edges lie on its faces: it does not hide them.
        const auto lining = view3d::buildLayerMeshes(model)[int(shed::Layer::Lining)];
        QCOMPARE(lines(view3d::frontEdgeIndices(lining, above, all), lining).size(), 9);
    }

private:
    ModelView3D view_;
};

QTEST_MAIN(TestView3D)
#include "test_view3d.moc"
