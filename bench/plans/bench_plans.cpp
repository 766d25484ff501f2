// The whole plan set of the largest design as PDF against its DXF sheets, measured in the
// same run; and each sheet family's share of the time the sheets take to draw.
#include "../shed/BenchDesigns.h"
#include "core/ShedDataFormat.h"
#include "shed/Framing.h"
#include "shed/Plans.h"
#include "shed/Reader.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMap>
#include <QPainter>
#include <QPicture>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace corvelle;

namespace {

double median(int runs, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// "Material list (continued)" and "Material list" are one family, as are the four walls.
QString family(const QString &title)
{
    if (title.endsWith(QLatin1String("wall framing")))
        return QStringLiteral("wall framing");
    return title.section(QLatin1String(" ("), 0, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 11;
    ShedDesign record = benchDesign(true);
    const shed::Design design = *shed::readDesign(shedfile::form(record)).design;
    const shed::Model model = shed::buildModel(design);
    const shed::PriceTable prices = shed::defaultPrices();
    const shed::Takeoff takeoff = shed::takeoff(model, prices);
    const shed::PlanSet plans(design, model, shed::materialTable(takeoff), shed::checkStructure(model, prices), {},
                              takeoff.cutting);
    const QPageSize::PageSizeId paper = plans.paper();
    const int n = plans.pageCount();

    qsizetype pdfBytes = 0, dxfBytes = 0;
    const double pdf = median(runs, [&] { pdfBytes = plans.pdf(paper).size(); });
    const double dxf = median(runs, [&] {
        dxfBytes = 0;
        for (int i = 0; i < n; ++i)
            dxfBytes += plans.dxf(i, paper).size();
    });
    std::printf("Largest design's plans (%lld members, %d sheets), median of %d runs:\n",
                static_cast<long long>(model.members.size()), n, runs);
    std::printf("  PDF  %8.1f ms (%lld bytes), target under 1000 ms\n", pdf, static_cast<long long>(pdfBytes));
    std::printf("  DXF  %8.1f ms (%lld bytes, every sheet), target under 500 ms\n", dxf,
                static_cast<long long>(dxfBytes));
    std::printf("  DXF against PDF in this run: x%.2f\n", dxf / pdf);

    // Each family's drawing alone, on a picture that only records.
    const QStringList titles = plans.pageTitles();
    const QSizeF page = QPageSize(paper).size(QPageSize::Point).transposed();
    QMap<QString, double> share;
    double total = 0;
    for (int i = 0; i < n; ++i) {
        const double ms = median(runs, [&] {
            QPicture picture;
            QPainter p(&picture);
            plans.paintPage(p, i, page);
        });
        share[family(titles[i])] += ms;
        total += ms;
    }
    std::printf("  Sheet families' share of %.1f ms of drawing:\n", total);
    for (auto it = share.begin(); it != share.end(); ++it)
        std::printf("    %-22s %5.1f%%\n", qPrintable(it.key()), 100 * it.value() / total);
    return 0;
}
