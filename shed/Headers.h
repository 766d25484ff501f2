#pragma once

#include <QString>

// Headers over openings in an exterior bearing wall carrying a roof and ceiling only, from
// the residential code's prescriptive header table. Lengths in inches.
namespace corvelle::shed::headers {

struct Choice {
    bool engineered = false; // beyond the table: an engineered (LVL) header
    bool unbraced = false;   // cripples bear on it: the table's span reduced for an unbraced top
    int plies = 0;           // plies of lumber on edge (or of LVL when engineered)
    double thickness = 1.5;  // of a ply
    double depth = 0;
    double spacer = 0;  // plywood between the plies so the header is as thick as the wall
    int jacks = 1;      // jack studs under each end
    double allowed = 0; // the span the chosen header may take; when engineered, the table's most for the wall
    QString size;       // "2-2x8", "2-1 3/4x11 7/8 LVL"
    QString stock;      // one ply's stock: "2x8", "LVL 1 3/4x11 7/8"
};

// The shallowest header from the table for a clear `span` in a wall `wallDepth` thick,
// under `groundSnow` psf on a building `buildingWidth` wide (across the ridge). `roomAbove`
// is the height from the opening's head to the underside of the top plates: a header that
// leaves cripples above it has no perpendicular framing bracing its top.
Choice choose(double span, double buildingWidth, double groundSnow, double wallDepth, double roomAbove);

// Engineered headers are drawn as 1 3/4 in plies of this depth.
constexpr double LvlThickness = 1.75;
constexpr double LvlDepth = 11.875;

} // namespace corvelle::shed::headers
