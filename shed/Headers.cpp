#include "Headers.h"

#include "Framing.h"
#include "Rules.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::headers {

namespace {

constexpr double Eps = 1e-6;

// Residential code (2021) Table R602.7(1), girder and header spans for exterior bearing
// walls, rows "roof and ceiling": one span for No.2 Douglas Fir-Larch, Hem-Fir, Southern Pine
// and Spruce-Pine-Fir. The 2018 edition recalculated the table on No.2 Southern Pine with
// building widths of 12, 24 and 36 ft; the 2021 and 2024 editions print the same cells. For
// each ground snow load and building width, the span in feet-inches and the jack studs (NJ)
// each end. Cells from a complete transcription of the code's published text, checked
// against three partial ones (2018 and 2021 editions): every 2-ply cell at 30 psf, the
// 2-2x6 to 2-2x12 and 3-2x10, 3-2x12 cells at 50 and 70 psf and the 24 ft column at 30 psf
// agree. The 3-ply rows give 1.24 to 1.26 times the 2-ply span of their depth in every
// column, which the cells found in one transcription only (2-2x4 at 50 and 70 psf, 3-2x8,
// the 12 and 36 ft columns of 3-2x10 and 3-2x12 at 30 psf) keep too. The single-ply and
// 4-ply rows are left out: a header here has as many plies as the wall is thick, two or
// three. Footnotes: widths between columns may be interpolated (c); below 30 psf the 30 psf
// column applies (e); a top not braced by perpendicular framing takes UnbracedHeaderShare (f).
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
constexpr double Widths[3] = {144, 288, 432};
constexpr Row Table[] = {
    {2, 3.5, {{{4, 0, 1}, {3, 1, 1}, {2, 7, 1}}, {{3, 5, 1}, {2, 7, 1}, {2, 2, 1}}, {{3, 0, 1}, {2, 4, 1}, {2, 0, 1}}}},
    {2,
     5.5,
     {{{6, 0, 1}, {4, 7, 1}, {3, 10, 1}}, {{5, 1, 1}, {3, 11, 1}, {3, 3, 2}}, {{4, 6, 1}, {3, 6, 2}, {2, 11, 2}}}},
    {2,
     7.25,
     {{{7, 7, 1}, {5, 9, 1}, {4, 10, 2}}, {{6, 5, 1}, {5, 0, 2}, {4, 2, 2}}, {{5, 9, 1}, {4, 5, 2}, {3, 9, 2}}}},
    {2,
     9.25,
     {{{9, 0, 1}, {6, 10, 2}, {5, 9, 2}}, {{7, 8, 2}, {5, 11, 2}, {4, 11, 2}}, {{6, 9, 2}, {5, 3, 2}, {4, 5, 2}}}},
    {2,
     11.25,
     {{{10, 7, 2}, {8, 1, 2}, {6, 10, 2}}, {{9, 0, 2}, {6, 11, 2}, {5, 10, 2}}, {{8, 0, 2}, {6, 2, 2}, {5, 2, 3}}}},
    {3,
     7.25,
     {{{9, 5, 1}, {7, 3, 1}, {6, 1, 1}}, {{8, 1, 1}, {6, 3, 1}, {5, 3, 2}}, {{7, 2, 1}, {5, 6, 2}, {4, 8, 2}}}},
    {3,
     9.25,
     {{{11, 3, 1}, {8, 7, 1}, {7, 3, 2}}, {{9, 7, 1}, {7, 4, 2}, {6, 2, 2}}, {{8, 6, 1}, {6, 7, 2}, {5, 6, 2}}}},
    {3,
     11.25,
     {{{13, 2, 1}, {10, 1, 2}, {8, 6, 2}}, {{11, 3, 2}, {8, 8, 2}, {7, 4, 2}}, {{10, 0, 2}, {7, 9, 2}, {6, 6, 2}}}},
};
constexpr double Depths[] = {3.5, 5.5, 7.25, 9.25, 11.25};

// The snow column: the first that covers the load; -1 beyond the table.
int snowColumn(double groundSnow)
{
    for (int i = 0; i < 3; ++i) {
        if (groundSnow <= Snows[i] + Eps)
            return i;
    }
    return -1;
}

// The row a header of `depth` built with `plies` is read from: the one of the most plies
// not above them (more plies only add strength).
const Row *rowFor(double depth, int plies)
{
    const Row *best = nullptr;
    for (const Row &row : Table) {
        if (std::abs(row.depth - depth) < Eps && row.plies <= plies && (!best || row.plies > best->plies))
            best = &row;
    }
    return best;
}

// A row's span (whole inches) and jacks at a width, interpolated between the width columns:
// the span linearly, the jacks the larger of the two neighbours'. A building narrower than
// the first column takes it.
bool cellAt(const Row &row, int snow, double width, bool unbraced, double *span, int *jacks)
{
    if (snow < 0 || width > Widths[2] + Eps)
        return false;
    const double w = std::max(width, Widths[0]);
    const int i = w > Widths[1] + Eps ? 1 : 0;
    const Cell &a = row.cells[snow][i], &b = row.cells[snow][i + 1];
    const double t = std::clamp((w - Widths[i]) / (Widths[i + 1] - Widths[i]), 0.0, 1.0);
    double s = a.span() + (b.span() - a.span()) * t;
    if (unbraced && row.depth >= rules::UnbracedHeaderFromDepth - Eps)
        s *= rules::UnbracedHeaderShare;
    *span = std::floor(s + Eps);
    *jacks = t < Eps ? a.jacks : t > 1 - Eps ? b.jacks : std::max(a.jacks, b.jacks);
    return true;
}

} // namespace

Choice choose(double span, double buildingWidth, double groundSnow, double wallDepth, double roomAbove)
{
    Choice c;
    // As many plies as the wall takes, two or three.
    const int plies = std::clamp(int(std::floor(wallDepth / 1.5 + Eps)), 2, 3);
    const int snow = snowColumn(groundSnow);
    double most = 0; // the longest span any header that fits the wall may take
    for (double depth : Depths) {
        const Row *row = rowFor(depth, plies);
        double allowed = 0;
        int jacks = 0;
        // Cripples stand on a header that leaves a gap under the plates.
        const bool unbraced = roomAbove - depth > rules::ShortestCripple - Eps;
        if (!row || !cellAt(*row, snow, buildingWidth, unbraced, &allowed, &jacks))
            continue;
        most = std::max(most, allowed);
        if (c.depth == 0 && allowed + Eps >= span) {
            c.depth = depth;
            c.jacks = jacks;
            c.allowed = allowed;
            c.unbraced = unbraced && depth >= rules::UnbracedHeaderFromDepth - Eps;
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
        c.allowed = most;
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
