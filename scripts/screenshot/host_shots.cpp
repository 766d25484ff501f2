// Pictures of the host's shed document for the README: the worked example in each shading
// mode, and plan pages. Needs an X server (3D): run under xvfb-run.
#include "refhost/shedview/ShedView.h"
#include "refhost/view3d/LinkedView3D.h"
#include "refhost/view3d/ModelView3D.h"
#include "refhost/model/Document.h"
#include "shed/Build.h"
#include "shed/Project.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace corvelle;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("shed-data"), QStringLiteral("The ShedData.txt to show."));
    parser.addPositionalArgument(QStringLiteral("out-dir"), QStringLiteral("Where the PNGs go."));
    const QCommandLineOption unitsOpt(QStringLiteral("units"),
                                      QStringLiteral("metric or imperial (default); with it, also the member at the "
                                                     "centre picked (host-3d-pick.png)."),
                                      QStringLiteral("units"));
    parser.addOption(unitsOpt);
    parser.process(app);
    if (parser.positionalArguments().size() != 2) {
        std::fputs("usage: corvelle-host-screenshot SHEDDATA OUTDIR\n", stderr);
        return 2;
    }
    QFile file(parser.positionalArguments()[0]);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const shed::ProjectRead read = shed::readProject(file.readAll());
    if (!read.project) {
        std::fprintf(stderr, "%s\n", qPrintable(read.error));
        return 1;
    }
    const std::optional<shed::Units> units = shed::Units::fromName(parser.value(unitsOpt));
    if (parser.isSet(unitsOpt) && !units) {
        std::fputs("--units takes metric or imperial\n", stderr);
        return 2;
    }
    const QDir out(parser.positionalArguments()[1]);
    view3d::useLinkedView3D();
    refhost::Document document(1);
    document.setUnits(units.value_or(shed::Units()));
    const QString refused = document.openDesign(*read.project, shed::defaultPrices());
    if (!refused.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(refused));
        return 1;
    }
    refhost::ShedView view(document);
    auto *view3d = qobject_cast<view3d::ModelView3D *>(view.view3d());
    view.resize(1200, 640);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    const char *names[] = {"wireframe", "hidden-line", "flat", "smooth"};
    for (int mode = 1; mode <= 4; ++mode) {
        view3d->setShading(shed::Shading(mode));
        view3d->setPreset(view3d::ViewPreset::ThreeQuarter);
        QSignalSpy shown(view3d, &view3d::ModelView3D::frameShown);
        shown.wait(5000);
        QTest::qWait(100);
        view3d::ModelView3D::grabWithScenes(&view).save(out.filePath(QStringLiteral("host-3d-%1.png").arg(QLatin1String(names[mode - 1]))));
    }
    // The Structure tab under a heavy snow load, its failing members in the warning colour.
    if (auto *tabs = view.findChild<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String("Structure"))
                tabs->setCurrentIndex(i);
        shed::ProjectLoads heavy = read.project->loads;
        heavy.groundSnowPsf = 80;
        document.setLoads(heavy);
        view.setShowFailing(true);
        view3d->setShading(shed::Shading::Smooth);
        view3d->setPreset(view3d::ViewPreset::Front);
        QSignalSpy shown(view3d, &view3d::ModelView3D::frameShown);
        shown.wait(5000);
        QTest::qWait(100);
        view3d::ModelView3D::grabWithScenes(&view).save(out.filePath(QStringLiteral("host-structure.png")));
        tabs->setCurrentIndex(0);
        document.setLoads(read.project->loads);
    }
    if (parser.isSet(unitsOpt)) {
        view3d->pick(QPointF(view3d->sceneWidget()->width() / 2.0, view3d->sceneWidget()->height() / 2.0));
        view3d::ModelView3D::grabWithScenes(&view).save(out.filePath(QStringLiteral("host-3d-pick.png")));
    }
    // Plan pages at 110 dpi, as a reader sees them on screen.
    const shed::PlanSet plans = document.plans();
    const QSizeF page =
        QPageSize(plans.paper(QLocale(QLocale::English, QLocale::UnitedStates))).size(QPageSize::Point).transposed();
    for (int i : {2, 7}) {
        const double k = 110.0 / 72;
        QImage image((page * k).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(k, k);
        plans.paintPage(p, i, page);
        p.end();
        image.save(out.filePath(QStringLiteral("plans-page%1.png").arg(i + 1)));
    }
    // The 2D path's plan of a gambrel style at 12 ft.
    QImage style(QSize(1100, 520), QImage::Format_RGB32);
    style.fill(Qt::white);
    QPainter sp(&style);
    shed::paintStylePlan(sp, shed::stylePlan(QStringLiteral("102"), 12), QRectF(10, 10, 1080, 500), true);
    sp.end();
    style.save(out.filePath(QStringLiteral("style-plan-102.png")));
    return 0;
}
