#include "Assemblies.h"

namespace corvelle::shed::framing {

namespace r = rules;

void foundation(const Context &c, Members &out)
{
    const Design &d = c.design;
    const double W = c.width, D = c.depth;
    switch (d.floor) {
    case FloorType::Gravel: {
        // The pad's top is the ground the walls stand on.
        Member &pad = out.lumber(MemberKind::GravelPad, Layer::Foundation, QStringLiteral("gravel"),
                                 QVector3D(-r::GravelMargin, -r::GravelDepth, -r::GravelMargin),
                                 QVector3D(W + 2 * r::GravelMargin, r::GravelDepth, D + 2 * r::GravelMargin), Axis::X);
        pad.length = 0;
        return;
    }
    case FloorType::Concrete: {
        if (d.slabThickness <= 0)
            return;
        Member &slab = out.lumber(MemberKind::Slab, Layer::Foundation, QStringLiteral("concrete"), {},
                                  QVector3D(W, d.slabThickness, D), Axis::X);
        slab.length = 0;
        return;
    }
    case FloorType::Wood:
    case FloorType::Blocks: break;
    }

    // Skids along the width, spliced over a pier, each on its row of blocks.
    const int rows = d.floor == FloorType::Blocks ? std::max(1, d.blockRows) : 0;
    const QString skidStock = nominalSection(r::SkidWidth, r::SkidDepth) + QStringLiteral(" PT");
    for (double centre : c.skidCentres) {
        const double z = centre - r::SkidWidth / 2;
        for (auto [a, b] : splitRun(0, W, c.pierCentres))
            out.lumber(MemberKind::Skid, Layer::Foundation, skidStock, QVector3D(a, c.blocksTop, z),
                       QVector3D(b - a, r::SkidDepth, r::SkidWidth), Axis::X);
        if (rows == 0)
            continue;
        const double bz = std::clamp(centre - d.blockWidth / 2, 0.0, D - d.blockWidth);
        for (double p : c.pierCentres) {
            for (int k = 0; k < rows; ++k) {
                Member &block =
                    out.lumber(MemberKind::Block, Layer::Foundation, QStringLiteral("concrete block 8x8x16"),
                               QVector3D(p - d.blockLength / 2, k * d.blockHeight, bz),
                               QVector3D(d.blockLength, d.blockHeight, d.blockWidth), Axis::X);
                block.length = 0;
            }
        }
    }
}

} // namespace corvelle::shed::framing
