#include "SceneMesh.h"

#include "shed/Geometry.h"
#include "shed/Palette.h"

#include <QHash>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

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

namespace {

double signedArea(const QList<QPointF> &poly)
{
    double a = 0;
    for (qsizetype i = 0, n = poly.size(); i < n; ++i) {
        const QPointF &p = poly[i], &q = poly[(i + 1) % n];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return a / 2;
}

// An edge end: where it is (to 1/256 in) and its colour, so members that meet share it.
struct EdgeEnd {
    qint32 x, y, z;
    QRgb color;
    bool operator==(const EdgeEnd &) const = default;
};
size_t qHash(const EdgeEnd &e, size_t seed = 0) { return qHashMulti(seed, e.x, e.y, e.z, e.color); }

// A member as the prism the view draws: its outline at z = 0 and z = depth, turned into place.
struct Prism {
    QList<QPointF> outline;
    QList<QVector3D> near, far;
    float depth = 0;
    QVector3D front; // the far cap's outward direction
    QQuaternion rotation;
    float turn = 1; // -1 when the outline runs clockwise

    explicit Prism(const Member &m)
        : outline(shed::geometry::outline(m)), depth(m.size.z()), rotation(m.rotation.normalized())
    {
        const QList<QVector3D> all = shed::geometry::corners(m);
        near = all.first(outline.size());
        far = all.last(outline.size());
        front = rotation.rotatedVector({0, 0, 1});
        turn = signedArea(outline) < 0 ? -1.0f : 1.0f;
    }
    qsizetype size() const { return outline.size(); }
    // Side i runs from corner i to corner i + 1; its outside is to the right of that run on
    // a counter-clockwise outline, which holds in a notch too, where the direction from the
    // middle would not.
    QVector3D sideOutward(qsizetype i) const
    {
        const QPointF d = outline[(i + 1) % size()] - outline[i];
        return rotation.rotatedVector(QVector3D(float(d.y()), float(-d.x()), 0) * turn);
    }
    QList<QVector3D> side(qsizetype i) const
    {
        const qsizetype j = (i + 1) % size();
        return {near[i], near[j], far[j], far[i]};
    }
};

// One of the two broad faces of a sheet (deck, lining, siding, roof), as a convex polygon
// turned counter-clockwise about its outward normal, with the plane of the other broad face.
struct SheetFace {
    qsizetype member;
    int layer;
    QList<QVector3D> corners;
    QVector3D normal;
    float offset;           // its plane: dot(normal, p) == offset
    QVector3D beyondNormal; // the other face, outward: the eye is beyond the sheet
    float beyondOffset;     // when dot(beyondNormal, eye) > beyondOffset
};

// The sheets' broad faces, found by where they are, to tell which edges lie under a sheet.
class SheetCovers {
public:
    explicit SheetCovers(const shed::Model &model)
    {
        for (qsizetype k = 0; k < model.members.size(); ++k) {
            const Member &m = model.members[k];
            if (shed::isSheet(m) && m.kind != MemberKind::Gusset)
                addSheet(k, m);
        }
    }

    // The sheet face that the whole of a-b lies on, if any other than member `self`'s:
    // a-b's middle well inside one, every point of it inside one of the same plane.
    const SheetFace *covering(QVector3D a, QVector3D b, qsizetype self) const
    {
        const QVector3D mid = (a + b) / 2;
        const SheetFace *found = nullptr;
        for (int i : cell(mid)) {
            const SheetFace &f = faces_[i];
            if (f.member != self && onPlane(f, mid) && inside(f, mid, -Margin)) {
                found = &f;
                break;
            }
        }
        if (!found)
            return nullptr;
        for (float t : {0.0f, 0.25f, 0.75f, 1.0f}) {
            const QVector3D p = a + (b - a) * t;
            if (!onPlane(*found, p))
                return nullptr;
            bool covered = false;
            for (int i : cell(p)) {
                const SheetFace &f = faces_[i];
                if (f.member != self && QVector3D::dotProduct(f.normal, found->normal) > 0.999f
                    && std::abs(f.offset - found->offset) < Margin && inside(f, p, Margin)) {
                    covered = true;
                    break;
                }
            }
            if (!covered)
                return nullptr;
        }
        return found;
    }

private:
    static constexpr float Margin = 0.05f; // inches: on a plane, inside a face
    static constexpr float Cell = 48;      // inches, the lookup grid

    static bool onPlane(const SheetFace &f, QVector3D p)
    {
        return std::abs(QVector3D::dotProduct(f.normal, p) - f.offset) < Margin;
    }
    // Within `margin` of the face (outside it when positive, inside when negative).
    static bool inside(const SheetFace &f, QVector3D p, float margin)
    {
        for (qsizetype i = 0, n = f.corners.size(); i < n; ++i) {
            const QVector3D e = f.corners[(i + 1) % n] - f.corners[i];
            const float len = e.length();
            if (len < 1e-6f)
                continue;
            if (QVector3D::dotProduct(QVector3D::crossProduct(e, p - f.corners[i]), f.normal) / len < -margin)
                return false;
        }
        return true;
    }
    static quint64 key(int x, int y, int z)
    {
        return (quint64(quint32(x) & 0x1fffff) << 42) | (quint64(quint32(y) & 0x1fffff) << 21)
               | (quint32(z) & 0x1fffff);
    }
    QList<int> cell(QVector3D p) const
    {
        return grid_.value(
            key(int(std::floor(p.x() / Cell)), int(std::floor(p.y() / Cell)), int(std::floor(p.z() / Cell))));
    }

    void addSheet(qsizetype member, const Member &m)
    {
        const Prism prism(m);
        const qsizetype n = prism.size();
        if (n < 3)
            return;
        // The faces as (corners, outward normal, area); the broad ones are the largest and the
        // one facing away from it.
        QList<std::tuple<QList<QVector3D>, QVector3D, float>> faces;
        const float capArea = float(std::abs(signedArea(prism.outline)));
        faces.append({prism.near, -prism.front, capArea});
        faces.append({prism.far, prism.front, capArea});
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF d = prism.outline[(i + 1) % n] - prism.outline[i];
            faces.append(
                {prism.side(i), prism.sideOutward(i).normalized(), float(std::hypot(d.x(), d.y())) * prism.depth});
        }
        const auto broadest = std::max_element(
            faces.begin(), faces.end(), [](const auto &x, const auto &y) { return std::get<2>(x) < std::get<2>(y); });
        const QVector3D n1 = std::get<1>(*broadest);
        const auto opposite = std::max_element(faces.begin(), faces.end(), [&](const auto &x, const auto &y) {
            const bool xo = QVector3D::dotProduct(std::get<1>(x), n1) < -0.999f;
            const bool yo = QVector3D::dotProduct(std::get<1>(y), n1) < -0.999f;
            return xo != yo ? yo : std::get<2>(x) < std::get<2>(y);
        });
        if (QVector3D::dotProduct(std::get<1>(*opposite), n1) >= -0.999f)
            return;
        add(member, m, std::get<0>(*broadest), n1, std::get<0>(*opposite), std::get<1>(*opposite));
        add(member, m, std::get<0>(*opposite), std::get<1>(*opposite), std::get<0>(*broadest), n1);
    }

    void add(qsizetype member, const Member &m, QList<QVector3D> corners, QVector3D normal,
             const QList<QVector3D> &beyond, QVector3D beyondNormal)
    {
        QVector3D turn;
        for (qsizetype i = 1; i + 1 < corners.size(); ++i)
            turn += QVector3D::crossProduct(corners[i] - corners[0], corners[i + 1] - corners[0]);
        if (QVector3D::dotProduct(turn, normal) < 0)
            std::reverse(corners.begin(), corners.end());
        const SheetFace face{member,
                             int(m.layer),
                             corners,
                             normal,
                             QVector3D::dotProduct(normal, corners[0]),
                             beyondNormal,
                             QVector3D::dotProduct(beyondNormal, beyond[0])};
        Bounds box;
        for (const QVector3D &c : corners)
            box.add(c);
        const int index = int(faces_.size());
        faces_.append(face);
        const auto lo = [](float v) { return int(std::floor((v - Margin) / Cell)); };
        const auto hi = [](float v) { return int(std::floor((v + Margin) / Cell)); };
        for (int x = lo(box.min.x()); x <= hi(box.max.x()); ++x)
            for (int y = lo(box.min.y()); y <= hi(box.max.y()); ++y)
                for (int z = lo(box.min.z()); z <= hi(box.max.z()); ++z)
                    grid_[key(x, y, z)].append(index);
    }

    QList<SheetFace> faces_;
    QHash<quint64, QList<int>> grid_;
};

class MeshWriter {
public:
    explicit MeshWriter(LayerMesh &mesh) : mesh_(mesh) {}

    // A planar face as its corners and the triangles over them: its corners are stored once
    // and each triangle turned counter-clockwise seen from `outward`, for back-face culling.
    // Returns its outward normal, null for a face with no area.
    QVector3D face(const QList<QVector3D> &corners, const QList<std::array<int, 3>> &triangles, QVector3D outward,
                   const QColor &color)
    {
        QVector3D n;
        for (qsizetype i = 1; i + 1 < corners.size(); ++i) // Newell's, about a corner for precision
            n += QVector3D::crossProduct(corners[i] - corners[0], corners[i + 1] - corners[0]);
        if (n.lengthSquared() < 1e-12f)
            return {};
        n.normalize();
        if (QVector3D::dotProduct(n, outward) < 0)
            n = -n;
        const quint32 base = quint32(mesh_.faces.size() / sizeof(FaceVertex));
        const float k = flatShade(n);
        for (const QVector3D &p : corners) {
            FaceVertex v{{p.x(), p.y(), p.z()}, {n.x(), n.y(), n.z()},
                         {float(color.redF()), float(color.greenF()), float(color.blueF()), 1.0f}};
            mesh_.faces.append(reinterpret_cast<const char *>(&v), sizeof v);
            for (int i = 0; i < 3; ++i)
                v.color[i] *= k;
            mesh_.flatFaces.append(reinterpret_cast<const char *>(&v), sizeof v);
        }
        for (auto [a, b, c] : triangles) {
            const QVector3D t = QVector3D::crossProduct(corners[b] - corners[a], corners[c] - corners[a]);
            if (t.lengthSquared() < 1e-12f)
                continue;
            if (QVector3D::dotProduct(t, n) < 0)
                std::swap(b, c);
            const quint32 tri[3] = {base + quint32(a), base + quint32(b), base + quint32(c)};
            mesh_.faceIndices.append(reinterpret_cast<const char *>(tri), sizeof tri);
        }
        return n;
    }

    // Drawn once where neighbouring members of one colour share it (siding courses, sheets);
    // `n1` and `n2` are the outward normals of the member's two faces that meet there.
    void edge(QVector3D a, QVector3D b, const QColor &color, QVector3D n1, QVector3D n2, const SheetFace *cover)
    {
        quint32 ends[2] = {end(a, color), end(b, color)};
        if (ends[0] == ends[1])
            return;
        if (ends[0] > ends[1])
            std::swap(ends[0], ends[1]);
        const quint64 key = quint64(ends[0]) << 32 | ends[1];
        auto it = lines_.find(key);
        if (it == lines_.end()) {
            it = lines_.insert(key, quint32(mesh_.lineCount()));
            mesh_.edgeIndices.append(reinterpret_cast<const char *>(ends), sizeof ends);
        }
        EdgeSide side{*it, a, n1, n2, -1, {}, 0};
        if (cover) {
            side.coverLayer = cover->layer;
            side.coverNormal = cover->beyondNormal;
            side.coverOffset = cover->beyondOffset;
        }
        mesh_.edgeSides.append(side);
    }

private:
    quint32 end(QVector3D p, const QColor &color)
    {
        const EdgeEnd key{qRound(p.x() * 256), qRound(p.y() * 256), qRound(p.z() * 256), color.rgb()};
        const auto it = ends_.constFind(key);
        if (it != ends_.cend())
            return *it;
        const quint32 index = quint32(ends_.size());
        ends_.insert(key, index);
        EdgeVertex v{{p.x(), p.y(), p.z()}, {float(color.redF()), float(color.greenF()), float(color.blueF()), 1.0f}};
        mesh_.edges.append(reinterpret_cast<const char *>(&v), sizeof v);
        return index;
    }

    LayerMesh &mesh_;
    QHash<EdgeEnd, quint32> ends_;
    QHash<quint64, quint32> lines_; // line by its ends
};

void addMember(MeshWriter &w, Bounds &bounds, const Member &m, qsizetype index, const SheetCovers &covers, bool warned)
{
    const Prism prism(m);
    const QColor color = warned ? WarningColor : shed::viewColour(m);
    const QColor edgeColor = color.darker(220);
    const qsizetype n = prism.size();
    for (qsizetype i = 0; i < n; ++i) {
        bounds.add(prism.near[i]);
        bounds.add(prism.far[i]);
    }

    // Faces on the same outline: hidden-line mode pushes them back in depth when drawing.
    const QList<std::array<int, 3>> cap = shed::geometry::triangulate(prism.outline);
    const QVector3D nearNormal = w.face(prism.near, cap, -prism.front, color);
    const QVector3D farNormal = w.face(prism.far, cap, prism.front, color);
    static const QList<std::array<int, 3>> quad = {{0, 1, 2}, {0, 2, 3}};
    QList<QVector3D> sides;
    for (qsizetype i = 0; i < n; ++i)
        sides.append(w.face(prism.side(i), quad, prism.sideOutward(i), color));

    // Edges on the true outline, each with the two faces it parts and any sheet lying on it.
    const auto edge = [&](QVector3D a, QVector3D b, QVector3D n1, QVector3D n2) {
        w.edge(a, b, edgeColor, n1, n2, covers.covering(a, b, index));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype j = (i + 1) % n;
        edge(prism.near[i], prism.near[j], nearNormal, sides[i]);
        edge(prism.far[i], prism.far[j], farNormal, sides[i]);
        edge(prism.near[i], prism.far[i], sides[(i + n - 1) % n], sides[i]);
    }
}

} // namespace

std::array<LayerMesh, shed::LayerCount> buildLayerMeshes(const shed::Model &model, const QSet<int> &warned)
{
    std::array<LayerMesh, shed::LayerCount> meshes;
    std::array<Bounds, shed::LayerCount> bounds;
    std::vector<MeshWriter> writers; // one a layer: its edges are shared across its members
    for (LayerMesh &mesh : meshes)
        writers.emplace_back(mesh);
    const SheetCovers covers(model);
    for (qsizetype k = 0; k < model.members.size(); ++k) {
        const Member &m = model.members[k];
        const int layer = int(m.layer);
        if (layer < 0 || layer >= shed::LayerCount)
            continue;
        addMember(writers[layer], bounds[layer], m, k, covers, !warned.isEmpty() && warned.contains(int(k)));
    }
    for (int i = 0; i < shed::LayerCount; ++i) {
        meshes[i].min = bounds[i].min;
        meshes[i].max = bounds[i].max;
    }
    return meshes;
}

QByteArray frontEdgeIndices(const LayerMesh &mesh, QVector3D eye, unsigned layerMask)
{
    std::vector<bool> hidden(size_t(mesh.lineCount()), false);
    for (const EdgeSide &side : mesh.edgeSides) {
        const QVector3D toEye = eye - side.at;
        if ((QVector3D::dotProduct(side.face1, toEye) < 0 && QVector3D::dotProduct(side.face2, toEye) < 0)
            || (side.coverLayer >= 0 && (layerMask >> side.coverLayer & 1u)
                && QVector3D::dotProduct(side.coverNormal, eye) > side.coverOffset))
            hidden[side.line] = true;
    }
    QByteArray out;
    out.reserve(mesh.edgeIndices.size());
    const auto *lines = reinterpret_cast<const quint32 *>(mesh.edgeIndices.constData());
    for (size_t i = 0; i < hidden.size(); ++i)
        if (!hidden[i])
            out.append(reinterpret_cast<const char *>(lines + 2 * i), 2 * sizeof(quint32));
    // An eye inside a member sees every face from behind; then nothing is culled.
    return out.isEmpty() ? mesh.edgeIndices : out;
}

Bounds memberBounds(const Member &m)
{
    Bounds b;
    for (const QVector3D &p : shed::geometry::corners(m))
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
        for (const QPointF &p : shed::geometry::outline(m)) {
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
