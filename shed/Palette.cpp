#include "shed/Palette.h"

namespace corvelle::shed {

QColor viewColour(const Member &m)
{
    switch (m.kind) {
    case MemberKind::Slab:
        return QColor(178, 178, 172);
    case MemberKind::GravelPad:
        return QColor(150, 146, 138);
    case MemberKind::Block:
        return QColor(160, 160, 154);
    case MemberKind::DeckSheet:
    case MemberKind::LiningSheet:
    case MemberKind::Gusset:
        return QColor(222, 196, 140);
    case MemberKind::SidingPiece:
        return QColor(120, 150, 185);
    case MemberKind::RoofSheet:
        return QColor(140, 78, 64);
    case MemberKind::DoorLeaf:
        return QColor(96, 128, 88);
    case MemberKind::RampDeck:
        return QColor(196, 160, 112);
    case MemberKind::Header:
    case MemberKind::RidgeBoard:
        return QColor(196, 150, 96);
    case MemberKind::TrussWeb:
    case MemberKind::Cripple:
    case MemberKind::CollarTie:
        return QColor(214, 178, 120);
    default:
        return QColor(208, 170, 112); // framing lumber
    }
}

Colour layerColour(Layer layer, const QString &outerWallMaterial)
{
    switch (layer) {
    case Layer::Foundation:
        return {0.55f, 0.55f, 0.53f};
    case Layer::Floor:
        return {0.76f, 0.62f, 0.40f};
    case Layer::Framing:
        return {0.87f, 0.74f, 0.52f};
    case Layer::Lining:
        return {0.92f, 0.91f, 0.87f};
    case Layer::Siding:
        if (outerWallMaterial == u"Cobalt")
            return {0.10f, 0.25f, 0.62f};
        if (outerWallMaterial == u"Steel")
            return {0.52f, 0.55f, 0.58f};
        if (outerWallMaterial == u"Oak")
            return {0.62f, 0.45f, 0.26f};
        if (outerWallMaterial == u"Aluminum")
            return {0.78f, 0.80f, 0.82f};
        return {0.80f, 0.80f, 0.76f};
    case Layer::Roof:
        return {0.42f, 0.20f, 0.16f};
    case Layer::Doors:
        return {0.36f, 0.24f, 0.14f};
    case Layer::Ramps:
        return {0.60f, 0.48f, 0.32f};
    }
    return {0.8f, 0.8f, 0.8f};
}

QColor paperFill(const Member &m)
{
    switch (m.kind) {
    case MemberKind::Slab:
    case MemberKind::GravelPad:
    case MemberKind::Block:
        return QColor(225, 225, 222);
    case MemberKind::DeckSheet:
    case MemberKind::LiningSheet:
    case MemberKind::SidingPiece:
    case MemberKind::RoofSheet:
    case MemberKind::Gusset:
        return QColor(246, 240, 226);
    case MemberKind::DoorLeaf:
        return QColor(232, 240, 230);
    default:
        return QColor(250, 236, 206);
    }
}

QColor paperBackgroundLine() { return QColor(150, 150, 150); }

} // namespace corvelle::shed
