#include "Headers.h"

#include "Framing.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::headers {

namespace {

constexpr double Eps = 1e-6;

// Residential code (2018) Table R602.7(1), girder and header spans for exterior bearing walls,
// "roof and ceiling" rows: No.2 Douglas Fir-Larch, Hem-Fir, Southern Pine and
// Spruce-Pine-Fir. For each ground snow load (30, 50, 70 psf) and building width (20, 28,
// 36 ft) the span in feet-inches and the jack studs (NJ) each end. Widths between are
// interpolated (the table's footnote allows it); narrower buildings take the 20 ft column.
struct Cell {
    int feet, inches, jacks;
    double span() const { return feet * 12 + inches; }
};
struct Row {
    int plies;
    double depth;
    Cell cells[3][3]; // [snow][width]
};
constexpr double Snows[3] = {30, 50, 70};
constexpr double Widths[3] = {240, 336, 432};
constexpr Row Table[] = {
    {2,
     3.5,
     {{{3, 6, 1}, {3, 2, 1}, {2, 10, 1}}, {{3, 2, 1}, {2, 9, 1}, {2, 6, 1}}, {{2, 10, 1}, {2, 6, 1}, {2, 3, 1}}}},
    {2, 5.5, {{{5, 5, 1}, {4, 8, 1}, {4, 2, 1}}, {{4, 8, 1}, {4, 1, 1}, {3, 8, 2}}, {{4, 2, 1}, {3, 8, 2}, {3, 3, 2}}}},
    {2,
     7.25,
     {{{6, 10, 1}, {5, 11, 2}, {5, 4, 2}}, {{5, 11, 2}, {5, 2, 2}, {4, 7, 2}}, {{5, 4, 2}, {4, 7, 2}, {4, 1, 2}}}},
    {2,
     9.25,
     {{{8, 5, 2}, {7, 3, 2}, {6, 6, 2}}, {{7, 3, 2}, {6, 3, 2}, {5, 7, 2}}, {{6, 6, 2}, {5, 7, 2}, {5, 0, 2}}}},
    {2,
     11.25,
     {{{9, 9, 2}, {8, 5, 2}, {7, 6, 2}}, {{8, 5, 2}, {7, 3, 2}, {6, 6, 2}}, {{7, 6, 2}, {6, 6, 2}, {5, 10, 3}}}},
    {3,
     7.25,
     {{{8, 4, 1}, {7, 5, 1}, {6, 8, 1}}, {{7, 5, 1}, {6, 5, 2}, {5, 9, 2}}, {{6, 8, 1}, {5, 9, 2}, {5, 2, 2}}}},
    {3,
     9.25,
     {{{10, 6, 1}, {9, 1, 2}, {8, 2, 2}}, {{9, 1, 2}, {7, 10, 2}, {7, 0, 2}}, {{8, 2, 2}, {7, 0, 2}, {6, 4, 2}}}},
    {3,
     11.25,
     {{{12, 2, 2}, {10, 7, 2}, {9, 5, 2}}, {{10, 7, 2}, {9, 2, 2}, {8, 2, 2}}, {{9, 5, 2}, {8, 2, 2}, {7, 3, 2}}}},
    {4,
     7.25,
     {{{9, 2, 1}, {8, 4, 1}, {7, 8, 1}}, {{8, 4, 1}, {7, 5, 1}, {6, 8, 1}}, {{7, 8, 1}, {6, 8, 1}, {5, 11, 2}}}},
    {4,
     9.25,
     {{{11, 8, 1}, {10, 6, 1}, {9, 5, 2}}, {{10, 6, 1}, {9, 1, 2}, {8, 2, 2}}, {{9, 5, 2}, {8, 2, 2}, {7, 3, 2}}}},
    {4,
     11.25,
     {{{14, 1, 1}, {12, 2, 2}, {10, 11, 2}}, {{12, 2, 2}, {10, 7, 2}, {9, 5, 2}}, {{10, 11, 2}, {9, 5, 2}, {8, 5, 2}}}},
};

// The snow column: the first that covers the load; -1 beyond the table.
int snowColumn(double groundSnow)
{
    for (int i = 0; i < 3; ++i) {
        if (groundSnow <= Snows[i] + Eps)
            return i;
    }
    return -1;
}

// A row's span and jacks at a width, interpolated between the width columns: the span
// linearly, the jacks the larger of the two neighbours'.
bool cellAt(const Row &row, int snow, double width, double *span, int *jacks)
{
    if (snow < 0 || width > Widths[2] + Eps)
        return false;
    const double w = std::max(width, Widths[0]);
    int i = 0;
    while (i < 1 && w > Widths[i + 1] + Eps)
        ++i;
    const Cell &a = row.cells[snow][i], &b = row.cells[snow][i + 1];
    const double t = std::clamp((w - Widths[i]) / (Widths[i + 1] - Widths[i]), 0.0, 1.0);
    *span = std::floor(a.span() + (b.span() - a.span()) * t + Eps);
    *jacks = t < Eps ? a.jacks : t > 1 - Eps ? b.jacks : std::max(a.jacks, b.jacks);
    return true;
}

} // namespace

double tableLimit(double buildingWidth, double groundSnow)
{
    double best = 0;
    for (const Row &row : Table) {
        double span = 0;
        int jacks = 0;
        if (cellAt(row, snowColumn(groundSnow), buildingWidth, &span, &jacks))
            best = std::max(best, span);
    }
    return best;
}

Choice choose(double span, double buildingWidth, double groundSnow, double wallDepth)
{
    Choice c;
    // As many plies as the wall takes, at least two; a row of fewer plies may be built
    // with more (they only add strength), and the shallowest such header costs least.
    const int plies = std::clamp(int(std::floor(wallDepth / 1.5 + Eps)), 2, 4);
    const int snow = snowColumn(groundSnow);
    for (const Row &row : Table) {
        double allowed = 0;
        int jacks = 0;
        if (row.plies > plies || !cellAt(row, snow, buildingWidth, &allowed, &jacks) || allowed + Eps < span)
            continue;
        if (c.depth == 0 || row.depth < c.depth - Eps || (std::abs(row.depth - c.depth) < Eps && jacks < c.jacks)) {
            c.depth = row.depth;
            c.jacks = jacks;
            c.allowed = allowed;
        }
    }
    if (c.depth > 0) {
        c.plies = plies;
        c.thickness = 1.5;
        c.stock = nominalSection(1.5, c.depth);
        c.size = QStringLiteral("%1-%2").arg(plies).arg(c.stock);
    } else {
        c.engineered = true;
        c.plies = std::max(1, int(std::floor(wallDepth / LvlThickness + Eps)));
        c.thickness = LvlThickness;
        c.depth = LvlDepth;
        c.jacks = 2;
        // The longest opening the table allows a header that fits this wall.
        for (const Row &row : Table) {
            double allowed = 0;
            int jacks = 0;
            if (row.plies <= plies && cellAt(row, snow, buildingWidth, &allowed, &jacks))
                c.allowed = std::max(c.allowed, allowed);
        }
        c.stock = QStringLiteral("LVL %1x%2").arg(fraction(LvlThickness), fraction(LvlDepth));
        c.size = QStringLiteral("%1-%2").arg(c.plies).arg(c.stock);
    }
    // Plywood fills what the plies leave of the wall's thickness, in 1/2 in layers
    // (1/4 in where less is left), so sheathing and lining lie flat over the header.
    c.spacer = std::max(0.0, wallDepth - c.plies * c.thickness);
    if (c.spacer < 0.125)
        c.spacer = 0;
    return c;
}

} // namespace corvelle::shed::headers
