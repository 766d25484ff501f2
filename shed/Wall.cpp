#include "Wall.h"

namespace corvelle::shed {

QString wallName(Wall wall)
{
    switch (wall) {
    case Wall::Front: return QStringLiteral("front");
    case Wall::Rear: return QStringLiteral("rear");
    case Wall::Left: return QStringLiteral("left");
    case Wall::Right: return QStringLiteral("right");
    }
    return {};
}

QVector3D outward(Wall wall)
{
    switch (wall) {
    case Wall::Front: return {0, 0, -1};
    case Wall::Rear: return {0, 0, 1};
    case Wall::Left: return {1, 0, 0};
    case Wall::Right: return {-1, 0, 0};
    }
    return {};
}

double fromLeftEnd(Wall wall, double x, double z, double width, double depth)
{
    // Facing a wall from outside (looking along -outward, Y up), a person's right hand
    // points along -outward x Y: -X at the front wall, so its left end is at X = width.
    switch (wall) {
    case Wall::Front: return width - x;
    case Wall::Rear: return x;
    case Wall::Left: return depth - z;
    case Wall::Right: return z;
    }
    return 0;
}

} // namespace corvelle::shed
