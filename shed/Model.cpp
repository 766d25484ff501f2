#include "Model.h"

#include <algorithm>

namespace corvelle::shed {

QString layerName(Layer layer)
{
    static const char *const names[LayerCount] = {"foundation", "floor", "framing", "lining", "siding",
                                                  "roof",       "doors", "ramps",   "windows"};
    return QString::fromLatin1(names[static_cast<int>(layer)]);
}

QString kindName(MemberKind kind)
{
    switch (kind) {
    case MemberKind::Slab: return QStringLiteral("slab");
    case MemberKind::Block: return QStringLiteral("block");
    case MemberKind::Skid: return QStringLiteral("skid");
    case MemberKind::Joist: return QStringLiteral("joist");
    case MemberKind::RimJoist: return QStringLiteral("rim joist");
    case MemberKind::DeckSheet: return QStringLiteral("deck sheet");
    case MemberKind::BottomPlate: return QStringLiteral("bottom plate");
    case MemberKind::TopPlate: return QStringLiteral("top plate");
    case MemberKind::Stud: return QStringLiteral("stud");
    case MemberKind::KingStud: return QStringLiteral("king stud");
    case MemberKind::JackStud: return QStringLiteral("jack stud");
    case MemberKind::Header: return QStringLiteral("header");
    case MemberKind::Cripple: return QStringLiteral("cripple");
    case MemberKind::LiningSheet: return QStringLiteral("lining sheet");
    case MemberKind::SidingPiece: return QStringLiteral("siding piece");
    case MemberKind::DoorLeaf: return QStringLiteral("door leaf");
    case MemberKind::RampStringer: return QStringLiteral("ramp stringer");
    case MemberKind::RampDeck: return QStringLiteral("ramp deck");
    case MemberKind::Rafter: return QStringLiteral("rafter");
    case MemberKind::RidgeBoard: return QStringLiteral("ridge board");
    case MemberKind::CollarTie: return QStringLiteral("collar tie");
    case MemberKind::TrussChord: return QStringLiteral("truss chord");
    case MemberKind::TrussWeb: return QStringLiteral("truss web");
    case MemberKind::Gusset: return QStringLiteral("gusset");
    case MemberKind::RoofSheet: return QStringLiteral("roof sheet");
    case MemberKind::GravelPad: return QStringLiteral("gravel pad");
    case MemberKind::HeaderSpacer:
        return QStringLiteral("header spacer");
    case MemberKind::Lookout:
        return QStringLiteral("lookout");
    case MemberKind::PanelClip:
        return QStringLiteral("panel clip");
    case MemberKind::WallSheathing:
        return QStringLiteral("wall sheathing");
    case MemberKind::Blocking:
        return QStringLiteral("blocking");
    case MemberKind::RampLedger:
        return QStringLiteral("ramp ledger");
    case MemberKind::Scab:
        return QStringLiteral("scab");
    case MemberKind::Sill: return QStringLiteral("sill");
    case MemberKind::WindowUnit:
        return QStringLiteral("window");
    }
    return QStringLiteral("member");
}

bool isSheet(const Member &m) { return isSheet(m.kind); }

bool isLumber(const Member &m) { return isLumber(m.kind); }

bool isSheet(MemberKind kind)
{
    switch (kind) {
    case MemberKind::DeckSheet:
    case MemberKind::LiningSheet:
    case MemberKind::SidingPiece:
    case MemberKind::RoofSheet:
    case MemberKind::Gusset:
    case MemberKind::HeaderSpacer:
    case MemberKind::WallSheathing:
        return true;
    default:
        return false;
    }
}

bool isLumber(MemberKind kind)
{
    switch (kind) {
    case MemberKind::Slab:
    case MemberKind::GravelPad:
    case MemberKind::Block:
    case MemberKind::DoorLeaf:
    case MemberKind::WindowUnit:
    case MemberKind::PanelClip:
        return false;
    default:
        return !isSheet(kind);
    }
}

int Model::count(Layer layer) const
{
    return static_cast<int>(std::count_if(members.begin(), members.end(), [&](const Member &m) { return m.layer == layer; }));
}

int Model::count(MemberKind kind) const
{
    return static_cast<int>(std::count_if(members.begin(), members.end(), [&](const Member &m) { return m.kind == kind; }));
}

} // namespace corvelle::shed
