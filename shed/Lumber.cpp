#include "Lumber.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

QString speciesName(Species species)
{
    switch (species) {
    case Species::SprucePineFir:
        return QStringLiteral("No.2 Spruce-Pine-Fir");
    case Species::DouglasFirLarch:
        return QStringLiteral("No.2 Douglas Fir-Larch");
    case Species::SouthernPine:
        return QStringLiteral("No.2 Southern Pine");
    }
    return {};
}

QString speciesCode(Species species)
{
    switch (species) {
    case Species::SprucePineFir:
        return QStringLiteral("spf");
    case Species::DouglasFirLarch:
        return QStringLiteral("dfl");
    case Species::SouthernPine:
        return QStringLiteral("sp");
    }
    return {};
}

bool speciesFromCode(const QString &code, Species *species)
{
    for (Species s : {Species::SprucePineFir, Species::DouglasFirLarch, Species::SouthernPine}) {
        if (code == speciesCode(s)) {
            *species = s;
            return true;
        }
    }
    return false;
}

namespace lumber {

namespace {

// Depth classes of the tables: 2x4 (and narrower), 2x6, 2x8, 2x10, 2x12 (and wider).
int depthClass(double depth)
{
    if (depth < 4.5)
        return 0;
    if (depth < 6.5)
        return 1;
    if (depth < 8.5)
        return 2;
    if (depth < 10.5)
        return 3;
    return 4;
}

// Reference design values for visually graded dimension lumber, No.2 grade, 2 to 4 in
// thick: design-value supplement to the national wood design specification (2018),
// Table 4A (Douglas Fir-Larch, Spruce-Pine-Fir) and Table 4B (Southern Pine, whose
// values are tabulated by width since June 2013 and carry their size adjustment).
constexpr DesignValues DouglasFirLarch2 = {900, 575, 180, 1350, 1.6e6, 580e3};
constexpr DesignValues SprucePineFir2 = {875, 450, 135, 1150, 1.4e6, 510e3};
constexpr DesignValues SouthernPine2[5] = {
    {1100, 675, 175, 1450, 1.4e6, 510e3}, // 2x4
    {1000, 600, 175, 1400, 1.4e6, 510e3}, // 2x6
    {925, 550, 175, 1350, 1.4e6, 510e3},  // 2x8
    {800, 475, 175, 1300, 1.4e6, 510e3},  // 2x10
    {750, 450, 175, 1250, 1.4e6, 510e3},  // 2x12
};
// Table 4A size factors, No.2, 2 and 3 in thick: Fb (Ft alike) and Fc by width.
constexpr double BendingSize[5] = {1.5, 1.3, 1.2, 1.1, 1.0};
constexpr double CompressionSize[5] = {1.15, 1.1, 1.05, 1.0, 1.0};

} // namespace

DesignValues reference(Species species, double depth)
{
    switch (species) {
    case Species::DouglasFirLarch:
        return DouglasFirLarch2;
    case Species::SprucePineFir:
        return SprucePineFir2;
    case Species::SouthernPine:
        return SouthernPine2[depthClass(depth)];
    }
    return SprucePineFir2;
}

double bendingReference(Species species, double depth, bool roofLiveTable)
{
    const double fb = reference(species, depth).Fb;
    return roofLiveTable && species == Species::DouglasFirLarch ? std::min(fb, RoofLiveTableFbDouglasFir) : fb;
}

double sizeFactorBending(Species species, double depth)
{
    return species == Species::SouthernPine ? 1.0 : BendingSize[depthClass(depth)];
}

double sizeFactorCompression(Species species, double depth)
{
    return species == Species::SouthernPine ? 1.0 : CompressionSize[depthClass(depth)];
}

} // namespace lumber
} // namespace corvelle::shed
