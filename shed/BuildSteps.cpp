#include "shed/BuildSteps.h"
#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Hardware.h"
#include "shed/Marks.h"
#include "shed/Rules.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

namespace r = rules;

QString buildStageTitle(BuildStage stage)
{
    switch (stage) {
    case BuildStage::Foundation:
        return QStringLiteral("Foundation");
    case BuildStage::Floor:
        return QStringLiteral("Floor");
    case BuildStage::FrontWall:
        return QStringLiteral("Front wall");
    case BuildStage::RearWall:
        return QStringLiteral("Rear wall");
    case BuildStage::LeftWall:
        return QStringLiteral("Left wall");
    case BuildStage::RightWall:
        return QStringLiteral("Right wall");
    case BuildStage::RaiseWalls:
        return QStringLiteral("Raise and brace the walls");
    case BuildStage::RoofFraming:
        return QStringLiteral("Roof framing");
    case BuildStage::Roofing:
        return QStringLiteral("Sheathing and roofing");
    case BuildStage::SidingTrim:
        return QStringLiteral("Siding and trim");
    case BuildStage::DoorsWindows:
        return QStringLiteral("Doors and windows");
    case BuildStage::Ramp:
        return QStringLiteral("Ramp");
    }
    return {};
}

QList<BuildStage> buildStagesOf(const Model &model)
{
    const Design &d = model.design;
    const double sd = d.studDepth, W = d.width, D = d.depth;
    const double plateTop = floorTop(d) + d.innerHeight;
    constexpr double Eps = 0.01;
    QList<BuildStage> out;
    out.reserve(model.members.size());
    for (const Member &m : model.members) {
        switch (m.layer) {
        case Layer::Foundation:
            out.append(BuildStage::Foundation);
            continue;
        case Layer::Floor:
            out.append(BuildStage::Floor);
            continue;
        case Layer::Roof:
            out.append(m.kind == MemberKind::RoofSheet || m.kind == MemberKind::PanelClip ? BuildStage::Roofing
                                                                                          : BuildStage::RoofFraming);
            continue;
        case Layer::Lining:
        case Layer::Siding:
            out.append(BuildStage::SidingTrim);
            continue;
        case Layer::Doors:
        case Layer::Windows:
            out.append(BuildStage::DoorsWindows);
            continue;
        case Layer::Ramps:
            out.append(BuildStage::Ramp);
            continue;
        case Layer::Framing:
            break;
        }
        const auto [lo, hi] = geometry::bounds(m);
        // The upper top plates go on once the walls stand, lapping the corners; gable studs
        // stand on the end frames.
        if (m.kind == MemberKind::TopPlate && lo.y() >= plateTop - r::Ply - Eps) {
            out.append(BuildStage::RaiseWalls);
            continue;
        }
        if (lo.y() >= plateTop - Eps) {
            out.append(BuildStage::RoofFraming);
            continue;
        }
        // The front and rear walls run the full width; the side walls fit between them.
        // X = 0 is the right wall as a person facing the front from outside sees it.
        const double cx = (lo.x() + hi.x()) / 2, cz = (lo.z() + hi.z()) / 2;
        if (cz < sd)
            out.append(BuildStage::FrontWall);
        else if (cz > D - sd)
            out.append(BuildStage::RearWall);
        else if (cx < W / 2)
            out.append(BuildStage::RightWall);
        else
            out.append(BuildStage::LeftWall);
    }
    return out;
}

namespace {

QList<BuildStage> stagesPresent(const QList<BuildStage> &memberStages)
{
    bool has[BuildStageCount] = {};
    for (BuildStage s : memberStages)
        has[int(s)] = true;
    // The walls are raised whenever there are walls, even where no member is added then.
    if (has[int(BuildStage::FrontWall)] || has[int(BuildStage::LeftWall)])
        has[int(BuildStage::RaiseWalls)] = true;
    QList<BuildStage> out;
    for (int i = 0; i < BuildStageCount; ++i)
        if (has[i])
            out.append(BuildStage(i));
    return out;
}

} // namespace

QList<BuildStage> buildStagesIn(const Model &model) { return stagesPresent(buildStagesOf(model)); }

BuildOrder buildOrder(const Model &model)
{
    BuildOrder order;
    order.memberStages = buildStagesOf(model);
    order.stages = stagesPresent(order.memberStages);
    order.hardware = countHardware(model);
    return order;
}

namespace {

// The stage's members by kind, with their stock, a count and their marks, as the steps name them.
class StageMembers {
public:
    StageMembers(const Model &model, const QList<BuildStage> &stages, BuildStage stage, Units units,
                 const QStringList &marks)
        : units_(units)
    {
        for (qsizetype i = 0; i < model.members.size(); ++i)
            if (stages.value(i) == stage) {
                members_.append(&model.members[i]);
                marks_.append(marks.value(i));
            }
    }
    const QList<const Member *> &members() const { return members_; }
    int count(MemberKind kind) const
    {
        return int(std::count_if(members_.begin(), members_.end(), [&](const Member *m) { return m->kind == kind; }));
    }
    // "12 studs 2x6 (W3 x10, W4 x2)", or nothing when there are none.
    QString named(MemberKind kind, const QString &plural = {}) const
    {
        const int n = count(kind);
        if (n == 0)
            return {};
        const auto it =
            std::find_if(members_.begin(), members_.end(), [&](const Member *m) { return m->kind == kind; });
        const QString name = n == 1 ? kindName(kind) : plural.isEmpty() ? kindName(kind) + QLatin1Char('s') : plural;
        // A stock named after its kind ("door leaf 24 x 84 in") is named once.
        QString stock = units_.stock((*it)->stock);
        if (stock.startsWith(kindName(kind)))
            stock = stock.mid(kindName(kind).size()).trimmed();
        QStringList marks;
        for (qsizetype i = 0; i < members_.size(); ++i)
            if (members_[i]->kind == kind)
                marks.append(marks_[i]);
        const QString cited = citedMarks(marks);
        return QStringLiteral("%1 %2%3%4")
            .arg(n)
            .arg(name, stock.isEmpty() ? QString() : QLatin1Char(' ') + stock,
                 cited.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(cited));
    }

private:
    QList<const Member *> members_;
    QStringList marks_;
    Units units_;
};

// A hardware row's count and unit by the start of its name: "24 each".
QString hardware(const QList<HardwareCount> &rows, const QString &start)
{
    for (const HardwareCount &h : rows)
        if (h.item.startsWith(start) && h.quantity > 0)
            return QStringLiteral("%1 (%2 %3)").arg(h.item).arg(h.quantity).arg(h.unit);
    return {};
}

// The parts that are present, joined as a list: "a, b and c".
QString listed(QStringList parts)
{
    parts.removeAll(QString());
    if (parts.size() < 2)
        return parts.value(0);
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace

QStringList buildStageSteps(BuildStage stage, const Model &model, const BuildOrder &order, Units u,
                            const QStringList &marks)
{
    const Design &d = model.design;
    const StageMembers s(model, order.memberStages, stage, u, marks);
    const QList<HardwareCount> &hw = order.hardware;
    const QString nails16 = fastenerName(Fastener::Common16d);
    // Walls are framed flat on what the shed stands on.
    const bool slab = d.floor == FloorType::Concrete;
    const QString deck = slab ? QStringLiteral("slab") : QStringLiteral("deck");
    const QString nails8 = fastenerName(Fastener::Common8d);
    QStringList out;
    switch (stage) {
    case BuildStage::Foundation:
        switch (d.floor) {
        case FloorType::Gravel:
            out << QStringLiteral("Mark out the pad %1 past the walls; dig out the turf and level the ground.")
                       .arg(u.length(r::GravelMargin))
                << QStringLiteral("Spread and compact the gravel %1 deep in two lifts.").arg(u.length(r::GravelDepth));
            break;
        case FloorType::Concrete:
            out << QStringLiteral("Form the slab %1 x %2 on a compacted base; check the diagonals are equal.")
                       .arg(u.length(d.width), u.length(d.depth))
                << QStringLiteral("Pour the slab %1 thick, screed it level and float it.")
                       .arg(u.length(d.slabThickness))
                << QStringLiteral("Set the %1 in the wet concrete under the bottom plates: within %2 of each plate "
                                  "end, at most %3 apart.")
                       .arg(hardware(hw, QStringLiteral("1/2 in anchor bolt")), u.length(r::AnchorBoltEndReach),
                            u.length(r::MaxAnchorBoltSpacing));
            break;
        case FloorType::Wood:
        case FloorType::Blocks:
            out << QStringLiteral("Level a bed of compacted gravel under the skid lines.");
            if (s.count(MemberKind::Block) > 0)
                out << QStringLiteral("Set %1 level, at most %2 apart along each line.")
                           .arg(s.named(MemberKind::Block), u.length(r::MaxPierSpacing));
            out << QStringLiteral("Lay %1 on edge, level and parallel; check the diagonals.")
                       .arg(s.named(MemberKind::Skid));
            if (const QString anchors = hardware(hw, QStringLiteral("ground anchor kit")); !anchors.isEmpty())
                out << QStringLiteral("Drive the %1 at both ends of every skid line.").arg(anchors);
            break;
        }
        break;
    case BuildStage::Floor:
        out << QStringLiteral("Nail the %1 round the %2 with 3 %3 through the rim into each end.")
                   .arg(s.named(MemberKind::RimJoist), s.named(MemberKind::Joist), nails16);
        if (s.count(MemberKind::Scab) > 0)
            out << QStringLiteral("Nail %1 across the joists' butt joints over the skids.")
                       .arg(s.named(MemberKind::Scab));
        if (const QString hangers = hardware(hw, QStringLiteral("joist hanger")); !hangers.isEmpty())
            out << QStringLiteral("Hang the joists that butt the rims in %1, 10 connector nails each.").arg(hangers);
        out << QStringLiteral("Square the frame (equal diagonals) and toe-nail it to the skids.")
            << QStringLiteral("Lay the %1 across the joists, end joints on joists; nail with %2 %3 apart on the edges, "
                              "%4 in the field.")
                   .arg(s.named(MemberKind::DeckSheet), nails8, u.length(r::PanelEdgeSpacing),
                        u.length(r::PanelFieldSpacing));
        break;
    case BuildStage::FrontWall:
    case BuildStage::RearWall:
    case BuildStage::LeftWall:
    case BuildStage::RightWall:
        out << QStringLiteral("Lay the %1 side by side on the %2 and mark the stud layout on both at %3 centres "
                              "from the corner.")
                   .arg(listed({s.named(MemberKind::BottomPlate, QStringLiteral("bottom plates")),
                                s.named(MemberKind::TopPlate, QStringLiteral("lower top plates"))}),
                        deck, u.length(d.studCenters));
        if (slab)
            out << QStringLiteral("Drill the bottom plate for the anchor bolts where they stand in the slab (the "
                                  "foundation plan gives each from the wall's left corner).");
        out << QStringLiteral("Nail %1 between the bottom plate and the lower top plate, 2 %2 through each plate "
                              "into each end.")
                   .arg(listed({s.named(MemberKind::Stud), s.named(MemberKind::KingStud)}), nails16);
        if (s.count(MemberKind::Header) > 0) {
            const QString spacers = s.count(MemberKind::HeaderSpacer) > 0
                                        ? QStringLiteral(" with the %1 between them")
                                              .arg(s.named(MemberKind::HeaderSpacer, QStringLiteral("spacers")))
                                        : QString();
            QString header = QStringLiteral("Nail the %1 together%2, %3 %4 apart on both edges, and set it on the %5")
                                 .arg(s.named(MemberKind::Header, QStringLiteral("header plies")), spacers, nails16,
                                      u.length(16), s.named(MemberKind::JackStud));
            if (s.count(MemberKind::Cripple) > 0)
                header += QStringLiteral("; nail the %1 over it").arg(s.named(MemberKind::Cripple));
            out << header + QLatin1Char('.');
        }
        if (s.count(MemberKind::Sill) > 0)
            out << QStringLiteral("Nail the %1 between the jacks at each window's sill height, on the cripples "
                                  "under it.")
                       .arg(s.named(MemberKind::Sill));
        if (s.count(MemberKind::Blocking) > 0)
            out << QStringLiteral("Nail %1 flat between the studs for the siding's nails.")
                       .arg(s.named(MemberKind::Blocking));
        out << QStringLiteral("Square the wall on the %1 (equal diagonals) and tack a diagonal brace across it.")
                   .arg(deck);
        break;
    case BuildStage::RaiseWalls:
        out << QStringLiteral("Stand the front and rear walls, then the side walls between them; plumb each corner.")
            << QStringLiteral("Brace every wall with temporary diagonal 2x4s to stakes or the %1 until the roof is on.")
                   .arg(deck)
            << (slab ? QStringLiteral("Bolt the bottom plates down over the anchor bolts, a washer and nut on each.")
                     : QStringLiteral("Nail the bottom plates to the floor frame with %1 %2 apart.")
                           .arg(nails16, u.length(16)))
            << QStringLiteral("Nail the corners' end studs together, and the %1 over the lower plates, lapping the "
                              "corners, with %2 %3 apart.")
                   .arg(s.named(MemberKind::TopPlate, QStringLiteral("upper top plates")), nails16, u.length(16));
        break;
    case BuildStage::RoofFraming: {
        const bool trusses = std::any_of(model.members.begin(), model.members.end(),
                                         [](const Member &m) { return m.kind == MemberKind::TrussChord; });
        if (trusses)
            out << QStringLiteral("Assemble the trusses flat on the %1 on a jig: %2 and %3, with %4 glued and "
                                  "nailed on both faces.")
                       .arg(deck, s.named(MemberKind::TrussChord, QStringLiteral("chords")),
                            s.named(MemberKind::TrussWeb, QStringLiteral("webs")), s.named(MemberKind::Gusset));
        else
            out << QStringLiteral("Cut the %1 from the pattern rafter; set the %2 on temporary posts.")
                       .arg(s.named(MemberKind::Rafter),
                            s.named(MemberKind::RidgeBoard, QStringLiteral("ridge boards")));
        out << QStringLiteral("Stand the %1 at %2 centres from the front, plumb, and brace them to the first one.")
                   .arg(trusses ? QStringLiteral("trusses") : QStringLiteral("rafter pairs"),
                        u.length(d.roofSupportSpacing));
        if (const QString ties = hardware(hw, QStringLiteral("hurricane tie")); !ties.isEmpty())
            out << QStringLiteral("Fix each end to the top plate with a %1, 10 connector nails each.").arg(ties);
        if (s.count(MemberKind::CollarTie) > 0)
            out << QStringLiteral("Nail the %1 to both rafters' faces, 3 %2 at each end.")
                       .arg(s.named(MemberKind::CollarTie), nails16);
        if (s.count(MemberKind::Stud) > 0)
            out << QStringLiteral("Fit the %1 under the end frames.")
                       .arg(s.named(MemberKind::Stud, QStringLiteral("gable studs")));
        if (s.count(MemberKind::Lookout) > 0)
            out << QStringLiteral("Nail the %1 to the gable frames for the rake overhang.")
                       .arg(s.named(MemberKind::Lookout));
        if (trusses && s.count(MemberKind::Rafter) > 0)
            out << QStringLiteral("Nail the %1 across the lookouts' ends as the barge rafters.")
                       .arg(s.named(MemberKind::Rafter));
        break;
    }
    case BuildStage::Roofing:
        out << QStringLiteral("Sheath the roof with %1 from the eaves up, end joints on frames, staggered course to "
                              "course; %2 %3 apart on the edges, %4 in the field.")
                   .arg(s.named(MemberKind::RoofSheet), nails8, u.length(r::PanelEdgeSpacing),
                        u.length(r::PanelFieldSpacing));
        if (s.count(MemberKind::PanelClip) > 0)
            out << QStringLiteral("Slip %1 on the long edges between frames.")
                       .arg(s.named(MemberKind::PanelClip, QStringLiteral("panel clips")));
        out << QStringLiteral("Nail the %1 along the eaves, then roll the underlayment over it; drip edge on the rakes "
                              "over the underlayment.")
                   .arg(hardware(hw, QStringLiteral("drip edge")))
            << QStringLiteral("Lay the %1 along the eaves, then the shingles, 4 roofing nails a strip; finish with "
                              "the %2.")
                   .arg(hardware(hw, QStringLiteral("starter shingles")),
                        hardware(hw, QStringLiteral("ridge cap shingles")));
        break;
    case BuildStage::SidingTrim: {
        if (s.count(MemberKind::WallSheathing) > 0)
            out << QStringLiteral(
                       "Sheath the walls with %1, joints on studs; %2 %3 apart on the edges, %4 in the field.")
                       .arg(s.named(MemberKind::WallSheathing, QStringLiteral("sheathing pieces")), nails8,
                            u.length(r::PanelEdgeSpacing), u.length(r::PanelFieldSpacing));
        if (d.siding == Siding::Vinyl)
            out << QStringLiteral("Fix the %1 at the foot of the walls, the %2 at the corners and the %3 round the "
                                  "doors and under the eaves.")
                       .arg(hardware(hw, QStringLiteral("vinyl starter strip")),
                            hardware(hw, QStringLiteral("vinyl corner post")),
                            hardware(hw, QStringLiteral("vinyl J-channel")))
                << QStringLiteral("Hang the %1 course by course, nailed loosely through the hem every %2 with roofing "
                                  "nails.")
                       .arg(s.named(MemberKind::SidingPiece), u.length(r::VinylNailSpacing));
        else
            out << QStringLiteral("Nail the %1 with %2.")
                       .arg(
                           s.named(MemberKind::SidingPiece),
                           d.siding == Siding::Tin
                               ? QStringLiteral("metal siding screws %1 apart").arg(u.length(r::MetalPanelScrewSpacing))
                               : fastenerName(Fastener::Galvanized8d))
                << QStringLiteral("Fit the %1 at the corners and round the doors.")
                       .arg(listed({hardware(hw, QStringLiteral("1x4 trim board")),
                                    hardware(hw, QStringLiteral("metal corner trim")),
                                    hardware(hw, QStringLiteral("metal J-trim"))}));
        if (s.count(MemberKind::LiningSheet) > 0)
            out << QStringLiteral("Inside, screw the %1 to the studs %2 apart.")
                       .arg(s.named(MemberKind::LiningSheet), u.length(r::WallBoardScrewSpacing));
        break;
    }
    case BuildStage::DoorsWindows:
        out << QStringLiteral("Build the %1 and hang them in the openings on %2, a gap of 1/8 in all round.")
                   .arg(s.named(MemberKind::DoorLeaf, QStringLiteral("door leaves")),
                        hardware(hw, QStringLiteral("T-hinge")))
            << QStringLiteral("Fit the %1.")
                   .arg(listed({hardware(hw, QStringLiteral("door handle")), hardware(hw, QStringLiteral("door latch")),
                                hardware(hw, QStringLiteral("door foot bolt"))}));
        break;
    case BuildStage::Ramp:
        out << QStringLiteral("Bolt the %1 under the doorway, its top flush with the floor.")
                   .arg(s.named(MemberKind::RampLedger, QStringLiteral("ramp ledgers")))
            << QStringLiteral("Hang the %1 from it, at most %2 apart, their toes on a level pad.")
                   .arg(s.named(MemberKind::RampStringer), u.length(r::MaxStringerSpacing))
            << QStringLiteral("Screw the %1 across them %2 apart with %3, 2 at every stringer.")
                   .arg(s.named(MemberKind::RampDeck, QStringLiteral("deck boards")), u.length(r::RampDeckGap),
                        hardware(hw, fastenerName(Fastener::DeckScrew)));
        break;
    }
    // What the stage's own members take by the nailing schedule, as the takeoff counts it.
    FastenerCounts n;
    for (const Member *m : s.members())
        n += memberFasteners(*m, d);
    QStringList fasteners;
    for (int f = 0; f < FastenerCount; ++f)
        if (const long count = std::lround(n.count[f]); count > 0)
            fasteners << QStringLiteral("%1 %2").arg(fastenerName(Fastener(f))).arg(count);
    if (!fasteners.isEmpty())
        out << QStringLiteral("Fasteners for these pieces: %1.").arg(fasteners.join(QStringLiteral("; ")));
    return out;
}

} // namespace corvelle::shed
