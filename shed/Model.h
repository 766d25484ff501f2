#pragma once

#include <QList>
#include <QString>
#include <QVector3D>
#include <QPointF>
#include <QQuaternion>

// Every member of the shed as a builder frames it. Right-handed frame in inches:
// X along the width, Y up, Z along the depth, origin at the front-left corner on
// the ground, front wall at Z = 0.
namespace corvelle::shed {

enum class Layer { Foundation, Floor, Framing, Lining, Siding, Roof, Doors, Ramps };
constexpr int LayerCount = 8;
QString layerName(Layer layer); // "foundation", "floor", ...

enum class MemberKind {
    Slab, Block, Skid, Joist, RimJoist, DeckSheet,
    BottomPlate, TopPlate, Stud, KingStud, JackStud, Header, Cripple,
    LiningSheet, SidingPiece, DoorLeaf,
    RampStringer, RampDeck,
    Rafter, RidgeBoard, CollarTie, TrussChord, TrussWeb, Gusset, RoofSheet,
    GravelPad,
};
QString kindName(MemberKind kind); // "stud", "king stud", ...

struct Member {
    MemberKind kind;
    Layer layer;
    QString stock;       // "2x6", "1/2 in plywood 4x8", "concrete", "block 8x8x16"
    // The member is a box: `size` along its local axes (x = cut length for lumber),
    // placed by `rotation` then `position` (the box's local origin corner).
    QVector3D size;
    QQuaternion rotation;
    QVector3D position;
    double length = 0;   // cut length in inches (lumber), 0 for sheets and blocks
    double angle1 = 90;  // end cut angles in degrees, 90 = square
    double angle2 = 90;
    // Optional outline for cut sheets and angled lumber: a prism of `size.z()`
    // thickness over this polygon in the local XY plane. Empty = the box.
    QList<QPointF> profile;
};

struct Model {
    QList<Member> members;
    QStringList warnings;
};

} // namespace corvelle::shed
