#pragma once

#include "Design.h"
#include "Loads.h"

#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QVector3D>
#include <QPointF>
#include <QQuaternion>

#include <optional>

// Every member of the shed as a builder frames it. Right-handed frame in inches:
// X along the width, Y up, Z along the depth, front wall at Z = 0, origin on the ground
// at the front wall's right-hand corner as seen from outside (the right wall is at X = 0;
// see Wall.h).
namespace corvelle::shed {

enum class Layer { Foundation, Floor, Framing, Lining, Siding, Roof, Doors, Ramps, Windows };
constexpr int LayerCount = 9;
QString layerName(Layer layer); // "foundation", "floor", ...

enum class MemberKind {
    Slab,
    Block,
    Skid,
    Joist,
    RimJoist,
    DeckSheet,
    BottomPlate,
    TopPlate,
    Stud,
    KingStud,
    JackStud,
    Header,
    Cripple,
    LiningSheet,
    SidingPiece,
    DoorLeaf,
    RampStringer,
    RampDeck,
    Rafter,
    RidgeBoard,
    CollarTie,
    TrussChord,
    TrussWeb,
    Gusset,
    RoofSheet,
    GravelPad,
    HeaderSpacer, // plywood between a header's plies
    Lookout,
    PanelClip,
    WallSheathing,
    Blocking,
    RampLedger,
    Scab,
    Sill, // a window's rough sill, laid flat
    WindowUnit,
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
    double length = 0;   // cut length in inches (lumber); for a sheet piece its long side
    double angle1 = 90;  // end cut angles in degrees, 90 = square
    double angle2 = 90;
    double width = 0;    // sheet pieces only: the piece's other side in its own plane; 0 for lumber
    // Optional outline for cut sheets and angled lumber: a prism of `size.z()`
    // thickness over this polygon in the local XY plane. Empty = the box. The
    // polygon is simple and counter-clockwise; a notched one (a birdsmouth) is concave.
    QList<QPointF> profile;
    std::optional<Wall> wall; // the wall it frames, covers or hangs in; none for the rest
    // A gable stud under the peak meets both slopes: its head is a V whose two faces are
    // angle1 and angle2, and its foot is square.
    bool vCut = false;
};

} // namespace corvelle::shed

// Its parts move by their pointers: a growing list of thousands moves them with realloc.
Q_DECLARE_TYPEINFO(corvelle::shed::Member, Q_RELOCATABLE_TYPE);

namespace corvelle::shed {

// Which takeoff rule counts a member.
bool isLumber(const Member &m);   // cut from stock lengths: plates, studs, joists, rafters...
bool isSheet(const Member &m);    // cut from whole sheets or pieces: deck, lining, siding, roof, gussets
bool isLumber(MemberKind kind);
bool isSheet(MemberKind kind);

// What the roof detail sheet needs that the members' shapes do not say, in the plane of
// a frame: x from the right wall's outer face (X = 0), y up from the ground.
struct FrameFacts {
    QList<QPointF> panelPoints;  // truss joints where webs meet the chords
    double seatLength = 0;       // a rafter's birdsmouth: its level seat
    double seatDepth = 0;        // and the depth of its plumb heel cut
};

struct Model {
    Design design;               // what the model was built from
    SiteLoads loads;             // what its headers were chosen for
    QList<Member> members;
    FrameFacts frame;
    QStringList warnings;        // framing decisions a builder should know about
    // Whole-sheet size (width, length) in inches for every sheet stock in `members`.
    QHash<QString, QSizeF> sheetSizes;

    int count(Layer layer) const;
    int count(MemberKind kind) const;
};

} // namespace corvelle::shed
