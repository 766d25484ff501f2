#include "shed/Hardware.h"

#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Rules.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace corvelle::shed {

namespace r = rules;

namespace {

int up(double v) { return int(std::ceil(v - 1e-9)); }

r::MemberNails lumberNails(const Member &m, bool onSlab)
{
    switch (m.kind) {
    case MemberKind::Stud:
    case MemberKind::KingStud:
    case MemberKind::Cripple:
        return r::StudNails;
    case MemberKind::JackStud:
        return r::JackStudNails;
    case MemberKind::BottomPlate:
        return onSlab ? r::MemberNails{0, 0} : r::PlateNails; // bolted instead
    case MemberKind::TopPlate:
        return r::TopPlateNails;
    case MemberKind::Header:
        return r::HeaderNails;
    case MemberKind::Joist:
    case MemberKind::RimJoist:
        return r::JoistNails;
    case MemberKind::Rafter:
        return r::RafterNails;
    case MemberKind::CollarTie:
        return r::TieNails;
    // Held by their own fasteners: skids on blocks, ridge boards and truss chords and webs
    // by the rafters' nails, the gussets and the ties, ramp boards by deck screws.
    case MemberKind::Skid:
    case MemberKind::RidgeBoard:
    case MemberKind::TrussChord:
    case MemberKind::TrussWeb:
    case MemberKind::RampDeck:
        return {0, 0};
    default:
        return r::OtherLumberNails;
    }
}

// Nails or screws for a whole sheet piece `w` by `l`: along its edges and across the
// field on the framing lines under it, the long side laid across the framing.
double sheetFasteners(double w, double l, double edge, double field, double centres)
{
    const double edges = std::ceil(2 * (w + l) / edge - 1e-9);
    const double lines = std::max(0, up(l / centres) - 1);
    return edges + lines * std::max(0, up(w / field) - 1);
}

} // namespace

QString fastenerName(Fastener f)
{
    switch (f) {
    case Fastener::Common16d:
        return QStringLiteral("16d common nails");
    case Fastener::Common8d:
        return QStringLiteral("8d common nails");
    case Fastener::Galvanized8d:
        return QStringLiteral("8d galvanized nails");
    case Fastener::RoofingNail:
        return QStringLiteral("1-1/2 in galvanized roofing nails");
    case Fastener::ConnectorNail:
        return QStringLiteral("1-1/2 in connector nails");
    case Fastener::WallBoardScrew:
        return QStringLiteral("1-5/8 in wall board screws");
    case Fastener::MetalSidingScrew:
        return QStringLiteral("1-1/2 in metal siding screws");
    case Fastener::DeckScrew:
        return QStringLiteral("3 in deck screws");
    }
    return {};
}

FastenerCounts &FastenerCounts::operator+=(const FastenerCounts &o)
{
    for (int i = 0; i < FastenerCount; ++i)
        count[i] += o.count[i];
    return *this;
}

FastenerCounts memberFasteners(const Member &m, const Design &d)
{
    FastenerCounts n;
    const bool onSlab = d.floor == FloorType::Concrete && d.slabThickness > 0;
    if (isLumber(m)) {
        const r::MemberNails nails = lumberNails(m, onSlab);
        n[Fastener::Common16d] += nails.perPiece + nails.perFoot * m.length / 12;
    }
    if (m.kind == MemberKind::Gusset)
        n[Fastener::Common8d] += std::ceil(geometry::area(geometry::outline(m)) / r::GussetNailArea - 1e-9);
    if (!isSheet(m) || m.kind == MemberKind::Gusset)
        return n;
    // Sheets by what they are.
    const double centres = m.layer == Layer::Floor  ? d.joistCenters
                           : m.layer == Layer::Roof ? d.roofSupportSpacing
                                                    : d.studCenters;
    if (m.kind == MemberKind::SidingPiece && d.siding == Siding::Vinyl)
        n[Fastener::RoofingNail] += up(m.length / r::VinylNailSpacing) + 1;
    else if (m.kind == MemberKind::SidingPiece && d.siding == Siding::Vertical)
        n[Fastener::Galvanized8d] += 2 * (up(m.length / r::BoardNailSpacing) + 1);
    else if (m.kind == MemberKind::SidingPiece && d.siding == Siding::Tin)
        n[Fastener::MetalSidingScrew] +=
            sheetFasteners(m.width, m.length, r::MetalPanelScrewSpacing, r::MetalPanelScrewSpacing, centres);
    else if (m.kind == MemberKind::SidingPiece)
        n[Fastener::Galvanized8d] +=
            sheetFasteners(m.width, m.length, r::PanelEdgeSpacing, r::PanelFieldSpacing, centres);
    else if (m.stock.contains(QLatin1String("wall board")))
        n[Fastener::WallBoardScrew] +=
            sheetFasteners(m.width, m.length, r::WallBoardScrewSpacing, r::WallBoardScrewSpacing, centres);
    else // decks, roof and wall sheathing
        n[Fastener::Common8d] += sheetFasteners(m.width, m.length, r::PanelEdgeSpacing, r::PanelFieldSpacing, centres);
    return n;
}

QList<double> anchorBoltsAlong(double plateLength)
{
    const double reach = std::min(r::AnchorBoltEndReach, plateLength / 4); // a short piece's two bolts apart
    const double run = plateLength - 2 * reach;
    const int n = std::max(r::MinAnchorBoltsAPlate, up(run / r::MaxAnchorBoltSpacing) + 1);
    QList<double> at;
    for (int i = 0; i < n; ++i)
        at.append(reach + run * i / (n - 1));
    return at;
}

QList<HardwareCount> countHardware(const Model &model, Units units)
{
    const Design &d = model.design;
    const bool onSlab = d.floor == FloorType::Concrete && d.slabThickness > 0;
    QList<HardwareCount> rows;
    const auto add = [&](const QString &item, double quantity, const QString &unit, const QString &note) {
        if (quantity > 0)
            rows.append({item, quantity, unit, note});
    };

    FastenerCounts n;
    int anchorBolts = 0, leaves = 0, rampBoards = 0, stringers = 0;
    QSet<qint64> frames, skidLines, doorSides, rampSides;
    QList<std::pair<double, double>> rims; // z faces of the rims across the front and back
    QList<const Member *> joists;
    QString joistStock;
    double roofArea = 0, eaveLo = 1e30, eaveHi = -1e30, sidingLo = 1e30;
    for (const Member &m : model.members) {
        n += memberFasteners(m, d);
        switch (m.kind) {
        case MemberKind::BottomPlate:
            if (onSlab)
                anchorBolts += int(anchorBoltsAlong(m.length).size());
            break;
        case MemberKind::Skid:
            skidLines.insert(std::lround(geometry::bounds(m).first.z() * 16));
            break;
        case MemberKind::Rafter:
        case MemberKind::TrussChord: {
            // Frames over the walls; the fly rafters out on the gable overhangs bear on nothing.
            const auto [lo, hi] = geometry::bounds(m);
            if (lo.z() > -0.01 && hi.z() < d.depth + 0.01)
                frames.insert(std::lround(lo.z() * 16));
            break;
        }
        case MemberKind::RimJoist: {
            const auto [lo, hi] = geometry::bounds(m);
            if (hi.x() - lo.x() > hi.z() - lo.z())
                rims.append({lo.z(), hi.z()});
            break;
        }
        case MemberKind::Joist:
            joists.append(&m);
            joistStock = m.stock.section(QLatin1Char(' '), 0, 0);
            break;
        case MemberKind::DoorLeaf:
            ++leaves;
            doorSides.insert(geometry::bounds(m).first.z() < d.depth / 2 ? 0 : 1);
            break;
        case MemberKind::RampStringer:
            ++stringers;
            rampSides.insert(geometry::bounds(m).first.z() < 0 ? 0 : 1);
            break;
        case MemberKind::RampDeck:
            ++rampBoards;
            break;
        case MemberKind::RoofSheet: {
            roofArea += m.length * m.width;
            const auto [lo, hi] = geometry::bounds(m);
            eaveLo = std::min(eaveLo, double(lo.z()));
            eaveHi = std::max(eaveHi, double(hi.z()));
            break;
        }
        case MemberKind::SidingPiece:
            sidingLo = std::min(sidingLo, double(geometry::bounds(m).first.y()));
            break;
        default:
            break;
        }
    }

    // --- Hold-downs and connectors
    add(QStringLiteral("1/2 in anchor bolt, nut and washer"), anchorBolts, QStringLiteral("each"),
        QStringLiteral("within %1 of each bottom-plate end, at most %2 apart, two or more a piece")
            .arg(units.inches(r::AnchorBoltEndReach), units.feet(r::MaxAnchorBoltSpacing)));
    if (d.floor != FloorType::Concrete) {
        const int lines =
            !skidLines.isEmpty() ? int(skidLines.size()) : up(d.depth / r::MaxGroundAnchorLineSpacing) + 1;
        add(QStringLiteral("ground anchor kit"), 2 * lines, QStringLiteral("each"),
            skidLines.isEmpty()
                ? QStringLiteral("both sides, lines at most %1 apart").arg(units.feet(r::MaxGroundAnchorLineSpacing))
                : QStringLiteral("both ends of every skid line"));
    }
    add(QStringLiteral("hurricane tie"), 2 * frames.size(), QStringLiteral("each"),
        QStringLiteral("rafter or truss to top plate, one each end"));
    // Joists butt the rims across the front and back; where two meet over a skid they bear on it.
    int hangers = 0;
    for (const Member *j : joists) {
        const auto [lo, hi] = geometry::bounds(*j);
        for (double end : {double(lo.z()), double(hi.z())}) {
            if (std::any_of(rims.begin(), rims.end(),
                            [&](auto f) { return std::abs(end - f.first) < 0.01 || std::abs(end - f.second) < 0.01; }))
                ++hangers;
        }
    }
    add(QStringLiteral("joist hanger %1").arg(joistStock), hangers, QStringLiteral("each"),
        QStringLiteral("where joists butt the rims"));
    n[Fastener::ConnectorNail] += r::NailsPerConnector * (hangers + 2 * frames.size());

    // --- Nails and screws, in whole pounds or boxes
    if (roofArea > 0)
        n[Fastener::RoofingNail] += std::ceil(roofArea * (1 + r::RoofingWaste) / 144 / r::BundleSqFt - 1e-9)
                                    * r::ShingleStripsPerBundle * r::NailsPerShingleStrip;
    const auto pounds = [&](Fastener item, double count, double perPound, const QString &use) {
        add(fastenerName(item), up(count / perPound), QStringLiteral("lb"),
            QStringLiteral("%1 nails, %2 a pound; %3").arg(std::lround(count)).arg(perPound).arg(use));
    };
    pounds(Fastener::Common16d, n[Fastener::Common16d], r::Common16dPerPound,
           QStringLiteral("framing, IRC Table R602.3(1)"));
    pounds(Fastener::Common8d, n[Fastener::Common8d], r::Common8dPerPound,
           QStringLiteral("sheathing and gussets, %1 edges, %2 field")
               .arg(units.inches(r::PanelEdgeSpacing), units.inches(r::PanelFieldSpacing)));
    pounds(Fastener::Galvanized8d, n[Fastener::Galvanized8d], r::Galvanized8dPerPound, QStringLiteral("siding"));
    pounds(Fastener::RoofingNail, n[Fastener::RoofingNail], r::RoofingNailsPerPound,
           d.siding == Siding::Vinyl ? QStringLiteral("shingles, 4 a strip, and vinyl siding")
                                     : QStringLiteral("shingles, 4 a strip"));
    pounds(Fastener::ConnectorNail, n[Fastener::ConnectorNail], r::ConnectorNailsPerPound,
           QStringLiteral("10 a tie or hanger"));
    const auto boxes = [&](Fastener item, double count, const QString &use) {
        add(fastenerName(item), up(count / r::ScrewsPerBox), QStringLiteral("box"),
            QStringLiteral("%1 screws, %2 a box; %3").arg(std::lround(count)).arg(r::ScrewsPerBox).arg(use));
    };
    boxes(Fastener::WallBoardScrew, n[Fastener::WallBoardScrew],
          QStringLiteral("%1 apart").arg(units.inches(r::WallBoardScrewSpacing)));
    boxes(Fastener::MetalSidingScrew, n[Fastener::MetalSidingScrew],
          QStringLiteral("with washers, %1 apart").arg(units.inches(r::MetalPanelScrewSpacing)));
    if (!rampSides.isEmpty())
        n[Fastener::DeckScrew] = double(r::DeckScrewsPerCrossing) * rampBoards * stringers / rampSides.size();
    boxes(Fastener::DeckScrew, n[Fastener::DeckScrew], QStringLiteral("ramp boards, 2 at every stringer"));

    // --- Doors
    if (leaves > 0) {
        const int openings = int(doorSides.size());
        add(QStringLiteral("T-hinge"), leaves * (d.doorHeight > r::ThirdHingeFrom ? 3 : 2), QStringLiteral("each"),
            QStringLiteral("three a leaf taller than %1, else two").arg(units.feet(r::ThirdHingeFrom)));
        add(QStringLiteral("door handle"), leaves, QStringLiteral("each"), QStringLiteral("one a leaf"));
        add(QStringLiteral("door latch"), openings, QStringLiteral("each"), QStringLiteral("one a doorway"));
        add(QStringLiteral("door foot bolt"), leaves - openings, QStringLiteral("each"),
            QStringLiteral("the leaf that does not latch"));
    }

    // --- Roof edges
    if (roofArea > 0) {
        const double eave = eaveHi - eaveLo;
        const double rakes = roofArea / eave; // both slopes' lengths, overhangs included
        add(QStringLiteral("drip edge %1").arg(feetText(r::DripEdgeLength)),
            up((2 * eave + 2 * rakes) / (r::DripEdgeLength - r::DripEdgeLap)), QStringLiteral("piece"),
            QStringLiteral("eaves %1 and rakes %2, lapped %3")
                .arg(units.feet(12 * std::round(2 * eave / 12)), units.feet(12 * std::round(2 * rakes / 12)),
                     units.inches(r::DripEdgeLap)));
        add(QStringLiteral("ridge cap shingles"), up(eave / 12 / r::RidgeCapBundleFeet), QStringLiteral("bundle"),
            QStringLiteral("%1 of ridge, %2 a bundle")
                .arg(units.feet(12 * std::round(eave / 12)), units.feet(12 * r::RidgeCapBundleFeet)));
        add(QStringLiteral("starter shingles"), up(2 * eave / 12 / r::StarterBundleFeet), QStringLiteral("bundle"),
            QStringLiteral("%1 of eaves, %2 a bundle")
                .arg(units.feet(12 * std::round(2 * eave / 12)), units.feet(12 * r::StarterBundleFeet)));
    }

    // --- Siding trim: doorways are the rough openings; corners run the siding's height.
    const int doors = int(doorSides.size());
    const double doorW = roughOpeningWidth(d), doorH = d.doorHeight + r::RoughHeightPlay;
    const double cornerH = sidingLo < 1e29 ? floorTop(d) + d.innerHeight - sidingLo : 0;
    if (cornerH > 0 && d.siding == Siding::Vinyl) {
        const double bottom = 2 * (d.width + d.depth) - doors * doorW;
        add(QStringLiteral("vinyl starter strip %1").arg(feetText(r::VinylStarterLength)),
            up(bottom / r::VinylStarterLength), QStringLiteral("piece"),
            QStringLiteral("the walls' foot less the doorways"));
        // Each door's legs and head from a length each; along the eaves and gable rakes, runs.
        const double underRoof = 2 * d.depth + (roofArea > 0 ? roofArea / (eaveHi - eaveLo) : 0);
        add(QStringLiteral("vinyl J-channel %1").arg(feetText(r::JChannelLength)),
            3 * doors * up(std::max(doorH, doorW) / r::JChannelLength) + up(underRoof / r::JChannelLength),
            QStringLiteral("piece"), QStringLiteral("round the doorways, under the eaves and the gable rakes"));
        add(QStringLiteral("vinyl corner post %1").arg(feetText(r::CornerPostLength)),
            4 * up(cornerH / r::CornerPostLength), QStringLiteral("piece"),
            QStringLiteral("four corners, %1 high").arg(units.feet(cornerH)));
    } else if (cornerH > 0) {
        const bool metal = d.siding == Siding::Tin;
        const double length = metal ? r::MetalTrimLength : r::TrimBoardLength;
        const QString unit = QStringLiteral("piece");
        add(metal ? QStringLiteral("metal corner trim %1").arg(feetText(length))
                  : QStringLiteral("1x4 trim board %1").arg(feetText(length)),
            (metal ? 4 : 8) * up(cornerH / length) + (metal ? 0 : 3 * doors * up(std::max(doorH, doorW) / length)),
            unit,
            metal ? QStringLiteral("four corners, %1 high").arg(units.feet(cornerH))
                  : QStringLiteral("two boards a corner, %1 high; door casing, a length a leg and the head")
                        .arg(units.feet(cornerH)));
        if (metal)
            add(QStringLiteral("metal J-trim %1").arg(feetText(length)),
                3 * doors * up(std::max(doorH, doorW) / length), unit,
                QStringLiteral("door casing, a length a leg and the head"));
    }
    return rows;
}

} // namespace corvelle::shed
