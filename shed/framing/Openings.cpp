#include "Assemblies.h"

namespace corvelle::shed::framing {

namespace r = rules;

void openings(const Context &c, Members &out)
{
    const Design &d = c.design;
    const int leaves = d.doorWidth > r::DoubleLeafFrom + Eps ? 2 : 1;
    const double leafW = d.doorWidth / leaves;
    const double leafH = c.doorRoughHeight - r::RoughHeightPlay;
    for (Wall wall : FramingOrder) {
        for (const Opening &o : c.run(wall).openings) {
            if (o.kind != Opening::Kind::Door)
                continue;
            // The leaves hang centred in the rough opening, flush with the wall's outer face.
            const double x0 = o.left + (o.width() - d.doorWidth) / 2;
            const double z = wall == Wall::Front ? 0 : c.depth - r::DoorLeafThickness;
            for (int i = 0; i < leaves; ++i) {
                Member &leaf = out.lumber(MemberKind::DoorLeaf, Layer::Doors,
                                          QStringLiteral("door leaf %1 x %2 in").arg(leafW).arg(leafH),
                                          QVector3D(x0 + i * leafW, c.floorTop, z),
                                          QVector3D(leafW, leafH, r::DoorLeafThickness), Axis::X);
                leaf.length = leafH;
                leaf.width = leafW;
                leaf.wall = wall;
            }
        }
    }
}

} // namespace corvelle::shed::framing
