#pragma once

#include <QString>

// The loads a shed is designed for and the lumber it is framed with. Pressures in psf.
namespace corvelle::shed {

// No.2 grade of the three species groups a yard stocks.
enum class Species { SprucePineFir, DouglasFirLarch, SouthernPine };

struct SiteLoads {
    double groundSnow = 30; // the site's ground snow load; the snow span tables take it as the roof's
    double roofLive = 20;   // residential code Table R301.6, roofs up to 4:12 and 200 sq ft tributary
    double floorLive = 40;  // residential code Table R301.5, living areas; a storage floor may be heavier
    double roofDead = 10;   // shingles, sheathing and framing, as the span tables assume
    double floorDead = 10;
    Species species = Species::SprucePineFir;
};

// "No.2 Spruce-Pine-Fir"
QString speciesName(Species species);
// "spf", "dfl", "sp": the command line's and the stored names.
QString speciesCode(Species species);
bool speciesFromCode(const QString &code, Species *species);

// Ground snow loads a check accepts, psf.
constexpr double MinGroundSnow = 0;
constexpr double MaxGroundSnow = 150;
// Floor live loads a check accepts, psf: nothing lighter than the residential table's 40
// (R301.5); up to heavy storage, 250 (ASCE 7-16 Table 4.3-1, storage warehouses, heavy).
constexpr double MinFloorLive = 40;
constexpr double MaxFloorLive = 250;

} // namespace corvelle::shed
