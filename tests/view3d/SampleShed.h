#pragma once

#include "shed/Model.h"

#include <QtMath>

// A small framed shed built by hand, so the view can be judged apart from the framing rules.
namespace corvelle::testing {

inline shed::Model sampleShed(double width = 120, double depth = 144)
{
    using namespace corvelle::shed;
    Model model;
    auto add = [&](MemberKind kind, Layer layer, const char *stock, QVector3D size, QQuaternion rot, QVector3D pos,
                   double length = 0) {
        Member m{kind, layer, QString::fromLatin1(stock), size, rot, pos, 0, 90, 90, {}};
        m.length = length;
        model.members.append(m);
    };
    const QQuaternion none;
    const QQuaternion up = QQuaternion::fromAxisAndAngle(0, 0, 1, 90); // local x to world y
    const QQuaternion along = QQuaternion::fromAxisAndAngle(0, 1, 0, -90); // local x to world z
    const float slab = 4, wall = 92.5f, top = slab + wall + 4.5f;
    add(MemberKind::Slab, Layer::Foundation, "concrete", QVector3D(width, slab, depth), none, {});

    auto wallX = [&](float z) { // front or back wall, studs at 16 in centres
        add(MemberKind::BottomPlate, Layer::Framing, "2x6", QVector3D(width, 1.5f, 5.5f), none, {0, slab, z}, width);
        add(MemberKind::TopPlate, Layer::Framing, "2x6", QVector3D(width, 1.5f, 5.5f), none, {0, slab + 1.5f + wall, z},
            width);
        for (float x = 0; x + 1.5f <= width; x = std::min(x + 16, float(width) - 1.5f)) {
            add(MemberKind::Stud, Layer::Framing, "2x6", QVector3D(wall, 1.5f, 5.5f), up, {x + 1.5f, slab + 1.5f, z},
                wall);
            if (x >= width - 1.5f)
                break;
        }
    };
    wallX(0);
    wallX(float(depth) - 5.5f);
    for (float x : {0.0f, float(width) - 5.5f})
        for (float z = 16; z < depth - 8; z += 16)
            add(MemberKind::Stud, Layer::Framing, "2x6", QVector3D(wall, 5.5f, 1.5f), up, {x + 5.5f, slab + 1.5f, z},
                wall);

    // Siding: one sheet a wall, outside the framing.
    add(MemberKind::SidingPiece, Layer::Siding, "siding", QVector3D(width, top - slab, 0.5f), none, {0, slab, -0.5f});
    add(MemberKind::SidingPiece, Layer::Siding, "siding", QVector3D(width, top - slab, 0.5f), none,
        {0, slab, float(depth)});
    add(MemberKind::SidingPiece, Layer::Siding, "siding", QVector3D(float(depth) + 1, top - slab, 0.5f), along,
        {-0.5f, slab, -0.5f});
    add(MemberKind::SidingPiece, Layer::Siding, "siding", QVector3D(float(depth) + 1, top - slab, 0.5f), along,
        {float(width), slab, -0.5f});
    add(MemberKind::DoorLeaf, Layer::Doors, "door", QVector3D(36, 80, 1.5f), none, {float(width) / 2 - 18, slab, -2});

    // Gable roof: rafters at 24 in centres and two sheets, 6 in of rise a foot.
    const float pitch = float(qRadiansToDegrees(std::atan(6.0 / 12.0)));
    const float run = float(width) / 2 + 12, slope = run / std::cos(qDegreesToRadians(pitch));
    const QQuaternion leftSlope = QQuaternion::fromAxisAndAngle(0, 0, 1, pitch);
    const QQuaternion rightSlope = QQuaternion::fromAxisAndAngle(0, 0, 1, 180 - pitch) *
                                   QQuaternion::fromAxisAndAngle(1, 0, 0, 180);
    const float eaveY = top - 12 * std::tan(qDegreesToRadians(pitch));
    for (float z = 0; z <= depth - 1.5f; z += 24) {
        add(MemberKind::Rafter, Layer::Roof, "2x6", QVector3D(slope, 5.5f, 1.5f), leftSlope, {-12, eaveY, z}, slope);
        add(MemberKind::Rafter, Layer::Roof, "2x6", QVector3D(slope, 5.5f, 1.5f), rightSlope,
            {float(width) + 12, eaveY, z + 1.5f}, slope);
    }
    add(MemberKind::RoofSheet, Layer::Roof, "roof", QVector3D(slope, 0.5f, float(depth) + 24), leftSlope,
        {-12 - 5.5f * std::sin(qDegreesToRadians(pitch)), eaveY + 5.5f * std::cos(qDegreesToRadians(pitch)), -12});
    add(MemberKind::RoofSheet, Layer::Roof, "roof", QVector3D(slope, 0.5f, float(depth) + 24),
        rightSlope,
        {float(width) + 12 + 5.5f * std::sin(qDegreesToRadians(pitch)), eaveY + 5.5f * std::cos(qDegreesToRadians(pitch)),
         float(depth) + 12});
    return model;
}

} // namespace corvelle::testing
