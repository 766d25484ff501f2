#include "Assemblies.h"

namespace corvelle::shed::framing {

namespace r = rules;

namespace {

// A window unit sits on its sill, centred in the rough opening, its frame flush with the
// framing's outer face; it is bought by its size class.
void window(const Context &c, Wall wall, const Opening &o, const Window &w, Members &out)
{
    const double area = w.width * w.height;
    const QString size = area <= r::SmallWindowUpTo + Eps    ? QStringLiteral("small")
                         : area <= r::MediumWindowUpTo + Eps ? QStringLiteral("medium")
                                                             : QStringLiteral("large");
    const double centre = (o.left + o.right) / 2;
    Member &unit = out.wallMember(wall, MemberKind::WindowUnit,
                                  QStringLiteral("window %1 %2 x %3 in").arg(size).arg(w.width).arg(w.height),
                                  centre - w.width / 2, centre + w.width / 2, o.bottom, o.bottom + w.height, 0,
                                  std::min(r::WindowUnitDepth, c.studDepth), false);
    unit.layer = Layer::Windows;
    unit.length = w.height;
    unit.width = w.width;
}

} // namespace

void openings(const Context &c, Members &out)
{
    const Design &d = c.design;
    const int leaves = d.doorWidth > r::DoubleLeafFrom + Eps ? 2 : 1;
    const double leafW = d.doorWidth / leaves;
    const double leafH = c.doorRoughHeight - r::RoughHeightPlay;
    for (Wall wall : FramingOrder) {
        for (const Opening &o : c.run(wall).openings) {
            if (o.window) {
                window(c, wall, o, *o.window, out);
                continue;
            }
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
