#include "SceneMesh.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvelle::view3d {

using shed::Member;
using shed::MemberKind;

void Bounds::add(const QVector3D &p)
{
    min = QVector3D(std::min(min.x(), p.x()), std::min(min.y(), p.y()), std::min(min.z(), p.z()));
    max = QVector3D(std::max(max.x(), p.x()), std::max(max.y(), p.y()), std::max(max.z(), p.z()));
}

void Bounds::add(const Bounds &b)
{
    if (!b.isEmpty()) {
        add(b.min);
        add(b.max);
    }
}

float flatShade(QVector3D n)
{
    static const QVector3D sun = QVector3D(-0.3f, 0.75f, -0.6f).normalized();   // high, in front
    static const QVector3D fill = QVector3D(0.6f, 0.25f, 0.75f).normalized();   // low, back right
    return std::min(1.0f, 0.42f + 0.5f * std::max(0.0f, QVector3D::dotProduct(n, sun)) +
                              0.22f * std::max(0.0f, QVector3D::dotProduct(n, fill)));
}

QColor memberColor(const Member &m)
{
    switch (m.kind) {
    case MemberKind::Slab: return QColor(178, 178, 172);
    case MemberKind::GravelPad: return QColor(150, 146, 138);
    case MemberKind::Block: return QColor(160, 160, 154);
    case MemberKind::DeckSheet:
    case MemberKind::LiningSheet:
    case MemberKind::Gusset: return QColor(222, 196, 140);
    case MemberKind::SidingPiece: return QColor(120, 150, 185);
    case MemberKind::RoofSheet: return QColor(140, 78, 64);
    case MemberKind::DoorLeaf: return QColor(96, 128, 88);
    case MemberKind::RampDeck: return QColor(196, 160, 112);
    case MemberKind::Header:
    case MemberKind::RidgeBoard: return QColor(196, 150, 96);
    case MemberKind::TrussWeb:
    case MemberKind::Cripple:
    case MemberKind::CollarTie: return QColor(214, 178, 120);
    default: return QColor(208, 170, 112); // framing lumber
    }
}

namespace {

struct Frame {
    QQuaternion rotation;
    QVector3D position;
    QVector3D toWorld(QVector3D local) const { return position + rotation.rotatedVector(local); }
};

// The member's cross-section outline in its local XY plane (the box's when it has none).
QList<QPointF> outline(const Member &m)
{
    if (m.profile.size() >= 3)
        return m.profile;
    return {QPointF(0, 0), QPointF(m.size.x(), 0), QPointF(m.size.x(), m.size.y()), QPointF(0, m.size.y())};
}

double signedArea(const QList<QPointF> &poly)
{
    double a = 0;
    for (qsizetype i = 0, n = poly.size(); i < n; ++i) {
        const QPointF &p = poly[i], &q = poly[(i + 1) % n];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return a / 2;
}

bool insideTriangle(QPointF p, QPointF a, QPointF b, QPointF c)
{
    auto cross = [](QPointF o, QPointF u, QPointF v) {
        return (u.x() - o.x()) * (v.y() - o.y()) - (u.y() - o.y()) * (v.x() - o.x());
    };
    return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
}

// Ear clipping: profiles are small simple polygons (a birdsmouth rafter, a gable sheet).
QList<std::array<int, 3>> triangulate(const QList<QPointF> &polyIn)
{
    QList<int> idx;
    for (int i = 0; i < polyIn.size(); ++i)
        idx.append(i);
    if (signedArea(polyIn) < 0)
        std::reverse(idx.begin(), idx.end());
    QList<std::array<int, 3>> tris;
    int guard = 0;
    while (idx.size() > 3 && guard++ < 1000) {
        bool clipped = false;
        for (qsizetype i = 0, n = idx.size(); i < n; ++i) {
            const int ia = idx[(i + n - 1) % n], ib = idx[i], ic = idx[(i + 1) % n];
            const QPointF a = polyIn[ia], b = polyIn[ib], c = polyIn[ic];
            if ((b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x()) <= 0)
                continue; // reflex or degenerate corner
            bool empty = true;
            for (int j : idx)
                if (j != ia && j != ib && j != ic && insideTriangle(polyIn[j], a, b, c)) {
                    empty = false;
                    break;
                }
            if (!empty)
                continue;
            tris.append({ia, ib, ic});
            idx.removeAt(i);
            clipped = true;
            break;
        }
        if (!clipped)
            break; // not simple: fan what is left rather than lose the member
    }
    for (qsizetype i = 1; i + 1 < idx.size(); ++i)
        tris.append({idx[0], idx[i], idx[i + 1]});
    return tris;
}

class MeshWriter {
public:
    explicit MeshWriter(LayerMesh &mesh) : mesh_(mesh) {}

    void triangle(QVector3D a, QVector3D b, QVector3D c, QVector3D outward, const QColor &color)
    {
        QVector3D n = QVector3D::crossProduct(b - a, c - a);
        if (n.lengthSquared() < 1e-12f)
            return;
        n.normalize();
        if (QVector3D::dotProduct(n, outward) < 0) { // keep counter-clockwise outside for culling
            std::swap(b, c);
            n = -n;
        }
        const float k = flatShade(n);
        for (const QVector3D &p : {a, b, c}) {
            FaceVertex v{{p.x(), p.y(), p.z()}, {n.x(), n.y(), n.z()},
                         {float(color.redF()), float(color.greenF()), float(color.blueF()), 1.0f}};
            mesh_.faces.append(reinterpret_cast<const char *>(&v), sizeof v);
            for (int i = 0; i < 3; ++i)
                v.color[i] *= k;
            mesh_.flatFaces.append(reinterpret_cast<const char *>(&v), sizeof v);
        }
    }

    void edge(QVector3D a, QVector3D b, const QColor &color)
    {
        for (const QVector3D &p : {a, b}) {
            EdgeVertex v{{p.x(), p.y(), p.z()},
                         {float(color.redF()), float(color.greenF()), float(color.blueF()), 1.0f}};
            mesh_.edges.append(reinterpret_cast<const char *>(&v), sizeof v);
        }
    }

private:
    LayerMesh &mesh_;
};

void addMember(MeshWriter &w, Bounds &bounds, const Member &m)
{
    const Frame f{m.rotation.normalized(), m.position};
    const QList<QPointF> poly = outline(m);
    const float depth = m.size.z();
    const QColor color = memberColor(m);
    const QColor edgeColor = color.darker(220);

    // Edges on the true outline.
    const qsizetype n = poly.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF p = poly[i], q = poly[(i + 1) % n];
        const QVector3D p0 = f.toWorld({float(p.x()), float(p.y()), 0}), q0 = f.toWorld({float(q.x()), float(q.y()), 0});
        const QVector3D p1 = f.toWorld({float(p.x()), float(p.y()), depth}),
                        q1 = f.toWorld({float(q.x()), float(q.y()), depth});
        w.edge(p0, q0, edgeColor);
        w.edge(p1, q1, edgeColor);
        w.edge(p0, p1, edgeColor);
        bounds.add(p0);
        bounds.add(p1);
    }

    // Faces on the same outline: hidden-line mode pushes them back in depth when drawing.
    const QList<QPointF> &in = poly;
    const float z0 = 0, z1 = depth;
    QPointF centre2;
    for (const QPointF &p : in)
        centre2 += p;
    centre2 /= double(in.size());
    const QVector3D centre = f.toWorld({float(centre2.x()), float(centre2.y()), depth / 2});
    const QVector3D back = f.rotation.rotatedVector({0, 0, -1}), front = -back;
    for (const auto &t : triangulate(in)) {
        auto at = [&](int i, float z) { return f.toWorld({float(in[i].x()), float(in[i].y()), z}); };
        w.triangle(at(t[0], z0), at(t[1], z0), at(t[2], z0), back, color);
        w.triangle(at(t[0], z1), at(t[1], z1), at(t[2], z1), front, color);
    }
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF p = in[i], q = in[(i + 1) % n];
        const QVector3D a = f.toWorld({float(p.x()), float(p.y()), z0}), b = f.toWorld({float(q.x()), float(q.y()), z0});
        const QVector3D c = f.toWorld({float(q.x()), float(q.y()), z1}), d = f.toWorld({float(p.x()), float(p.y()), z1});
        const QVector3D outward = (a + c) / 2 - centre;
        w.triangle(a, b, c, outward, color);
        w.triangle(a, c, d, outward, color);
    }
}

} // namespace

std::array<LayerMesh, shed::LayerCount> buildLayerMeshes(const shed::Model &model)
{
    std::array<LayerMesh, shed::LayerCount> meshes;
    std::array<Bounds, shed::LayerCount> bounds;
    for (const Member &m : model.members) {
        const int layer = int(m.layer);
        if (layer < 0 || layer >= shed::LayerCount)
            continue;
        MeshWriter w(meshes[layer]);
        addMember(w, bounds[layer], m);
    }
    for (int i = 0; i < shed::LayerCount; ++i) {
        meshes[i].min = bounds[i].min;
        meshes[i].max = bounds[i].max;
    }
    return meshes;
}

QList<QVector3D> memberCorners(const Member &m)
{
    const Frame f{m.rotation.normalized(), m.position};
    QList<QVector3D> out;
    for (const QPointF &p : outline(m)) {
        out.append(f.toWorld({float(p.x()), float(p.y()), 0}));
        out.append(f.toWorld({float(p.x()), float(p.y()), m.size.z()}));
    }
    return out;
}

Bounds memberBounds(const Member &m)
{
    Bounds b;
    for (const QVector3D &p : memberCorners(m))
        b.add(p);
    return b;
}

std::optional<int> pickMember(const shed::Model &model, QVector3D origin, QVector3D direction, unsigned layerMask)
{
    // Slab test in each member's own frame against its outline's bounding box.
    std::optional<int> best;
    float bestT = std::numeric_limits<float>::max();
    for (int i = 0; i < model.members.size(); ++i) {
        const Member &m = model.members[i];
        if (!(layerMask & (1u << int(m.layer))))
            continue;
        const QQuaternion inv = m.rotation.normalized().conjugated();
        const QVector3D o = inv.rotatedVector(origin - m.position), d = inv.rotatedVector(direction);
        QPointF lo(1e30, 1e30), hi(-1e30, -1e30);
        for (const QPointF &p : outline(m)) {
            lo = QPointF(std::min(lo.x(), p.x()), std::min(lo.y(), p.y()));
            hi = QPointF(std::max(hi.x(), p.x()), std::max(hi.y(), p.y()));
        }
        const float bmin[3] = {float(lo.x()), float(lo.y()), 0};
        const float bmax[3] = {float(hi.x()), float(hi.y()), m.size.z()};
        float t0 = 0, t1 = std::numeric_limits<float>::max();
        bool hit = true;
        for (int a = 0; a < 3 && hit; ++a) {
            if (std::abs(d[a]) < 1e-9f) {
                hit = o[a] >= bmin[a] && o[a] <= bmax[a];
                continue;
            }
            float ta = (bmin[a] - o[a]) / d[a], tb = (bmax[a] - o[a]) / d[a];
            if (ta > tb)
                std::swap(ta, tb);
            t0 = std::max(t0, ta);
            t1 = std::min(t1, tb);
            hit = t0 <= t1;
        }
        if (hit && t0 < bestT) {
            bestT = t0;
            best = i;
        }
    }
    return best;
}

} // namespace corvelle::view3d
