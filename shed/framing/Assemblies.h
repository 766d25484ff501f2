#pragma once

#include "Context.h"
#include "Members.h"

#include "shed/Framing.h"

#include <array>

// The shed's assemblies, each framed in its own file, in the order they are built.
namespace corvelle::shed::framing {

// Centres of the upright members of each wall along its run (studs, kings, jacks, and the
// cripples over an opening), by Wall: where wall board may join.
using WallSupports = std::array<QList<double>, 4>;

void foundation(const Context &c, Members &out);  // gravel pad, slab, or skids on blocks
void floor(const Context &c, Members &out);       // rims, joists and the deck
WallSupports walls(const Context &c, Members &out); // studs, plates, openings' framing, gable studs
void roof(const Context &c, Members &out);        // frames, ridge, rake overhang and sheathing
void coverings(const Context &c, const WallSupports &supports, Members &out); // lining, wall sheathing, siding
void openings(const Context &c, Members &out);    // door leaves and window units
void ramps(const Context &c, Members &out);

} // namespace corvelle::shed::framing
