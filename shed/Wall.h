#pragma once

#include <QString>
#include <QVector3D>

namespace corvelle::shed {

// The four walls. Left and right are as a person facing the front wall from outside sees
// them, everywhere: in the model's frame (X along the width, Z along the depth from the
// front wall) the left wall stands at X = width and the right wall at X = 0.
enum class Wall { Front, Rear, Left, Right };
inline constexpr Wall AllWalls[] = {Wall::Front, Wall::Rear, Wall::Left, Wall::Right};

QString wallName(Wall wall); // "front", "rear", "left", "right"

// The outward normal of the wall's outer face: where a person looking at it from outside
// stands, and where a view of that side looks from.
QVector3D outward(Wall wall);
// How far a point of the model lies along the wall from its left end as seen from outside,
// in a shed `width` x `depth`. Applied to a distance from the left end laid along the
// model's own axis (X for the front and rear, Z for the sides), it gives that axis's value.
double fromLeftEnd(Wall wall, double x, double z, double width, double depth);
inline double fromLeftEnd(Wall wall, QVector3D point, double width, double depth)
{
    return fromLeftEnd(wall, point.x(), point.z(), width, depth);
}

// Whether the wall carries a gable (the roof's ridge runs from front to rear).
inline bool isEndWall(Wall wall) { return wall == Wall::Front || wall == Wall::Rear; }

} // namespace corvelle::shed
