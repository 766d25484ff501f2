// The packing of the cutting diagrams against plain first-fit decreasing, measured in the
// same run: lumber cost, lumber and sheet yield (cut over bought) and the time to pack, on
// the takeoff's hand-checked designs and the largest design.
#include "TestData.h"
#include "core/ShedDataFormat.h"

#include "shed/Framing.h"
#include "shed/Reader.h"
#include "shed/Takeoff.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace corvelle;

namespace {

struct Named {
    const char *name;
    ShedDesign record;
};

std::vector<Named> designs()
{
    std::vector<Named> out;
    out.push_back({"worked example, 12 x 16 ft", testing::workedExample()});
    ShedDesign barn = testing::workedExample();
    barn.ShedWidth = "8";
    barn.ShedDepth = "10";
    barn.FloorType = "0";
    barn.FloorHeight = "0";
    barn.JoistType = "1";
    barn.InnerHeight = "8 ";
    barn.StudMaterialLine = "2x4 Studs for walls";
    barn.InWallType = "0";
    barn.SidingName = "Tin";
    barn.OuterWallMaterial = "Aluminum";
    barn.SidingHeight = "2.5";
    barn.MainDoorWidth = "3";
    barn.MainDoorHeight = "6";
    barn.RampLocation = "None";
    barn.RoofType = "Barn";
    barn.Trusses = "0";
    out.push_back({"gravel barn on rafters, 8 x 10 ft", barn});
    ShedDesign blocks = testing::workedExample();
    blocks.ShedWidth = "20";
    blocks.ShedDepth = "24";
    blocks.FloorType = "3";
    blocks.BlockRows = "3";
    blocks.FloorHeight = "0";
    blocks.StudCenters = "24";
    blocks.InnerHeight = "8 ";
    blocks.InWallType = "0";
    blocks.SidingName = "Plywood";
    blocks.OuterWallMaterial = "Oak";
    blocks.SidingHeight = "4";
    blocks.MainDoorLocation = "Both";
    blocks.RampLocation = "Rear";
    out.push_back({"block floor, doors both ends, 20 x 24 ft", blocks});
    ShedDesign largest = testing::workedExample();
    largest.ShedWidth = "50";
    largest.ShedDepth = "50";
    largest.FloorType = "2";
    largest.FloorHeight = "0";
    largest.StudCenters = "12";
    largest.InnerHeight = "20";
    largest.MainDoorLocation = "Both";
    largest.MainDoorWidth = "8";
    largest.MainDoorHeight = "8";
    largest.RampLocation = "Both";
    largest.RoofType = "Barn";
    largest.Trusses = "1";
    out.push_back({"largest, 50 x 50 ft", largest});
    return out;
}

struct Figures {
    double lumberCost = 0, total = 0, lumberYield = 0, sheetYield = 0, ms = 0;
    qsizetype boards = 0;
};

Figures measure(const shed::Model &model, const shed::PriceTable &prices, shed::LumberPacking packing, int runs)
{
    Figures f;
    std::vector<double> ms;
    shed::Takeoff t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        t = shed::takeoff(model, prices, {}, packing);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    f.ms = ms[ms.size() / 2];
    for (const shed::LumberDiagram &d : t.cutting.lumber) {
        f.boards += d.bars.size();
        for (const shed::MaterialRow &row : t.materials) {
            if (row.item.startsWith(d.stock + QStringLiteral(" x ")))
                f.lumberCost += row.cost;
        }
    }
    f.total = t.total;
    f.lumberYield = t.cutting.lumberYield();
    f.sheetYield = t.cutting.sheetYield();
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const shed::PriceTable prices = shed::defaultPrices();
    std::printf("%-42s %10s %10s %7s %9s %9s %9s %8s\n", "design (first-fit decreasing -> cheapest)", "lumber $",
                "total $", "boards", "lumber %", "sheets %", "cost", "time");
    for (Named &n : designs()) {
        const shed::Model model = shed::buildModel(*shed::readDesign(shedfile::form(n.record)).design);
        const Figures ffd = measure(model, prices, shed::LumberPacking::FirstFitDecreasing, runs);
        const Figures best = measure(model, prices, shed::LumberPacking::Cheapest, runs);
        std::printf("%-42s %10.2f %10.2f %7lld %8.1f%% %8.1f%%\n", n.name, ffd.lumberCost, ffd.total,
                    static_cast<long long>(ffd.boards), 100 * ffd.lumberYield, 100 * ffd.sheetYield);
        std::printf("%-42s %10.2f %10.2f %7lld %8.1f%% %8.1f%% %9.4f %8.2f\n", "  cheapest", best.lumberCost,
                    best.total, static_cast<long long>(best.boards), 100 * best.lumberYield, 100 * best.sheetYield,
                    best.lumberCost / ffd.lumberCost, best.ms / ffd.ms);
    }
    std::printf("cost: lumber cost cheapest / first-fit decreasing; time: takeoff time cheapest / first-fit "
                "decreasing (median of %d)\n",
                runs);
    return 0;
}
