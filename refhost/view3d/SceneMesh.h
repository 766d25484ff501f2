#pragma once

#include "shed/Model.h"

#include <QByteArray>
#include <QColor>
#include <QSet>
#include <QVector3D>

#include <array>
#include <optional>

namespace corvelle::view3d {

// Vertex layouts the geometries upload as they are.
struct FaceVertex {
    float position[3];
    float normal[3];
    float color[4];
};
struct EdgeVertex {
    float position[3];
    float color[4];
};

// One member's edge: the line it drew (shared with neighbours that drew the same), a point on
// it, and the outward normals of the member's two faces that meet there.
struct EdgeSide {
    quint32 line;
    QVector3D at, face1, face2;
    // A sheet lying on the edge (sheathing on a chord, siding on a stud), which hides it from
    // an eye beyond the sheet's far face (dot(coverNormal, eye) > coverOffset) while the
    // sheet's layer shows. Depth alone cannot: the edge is a sheet's thickness deep, often
    // less than a pixel's worth of depth at a slant.
    int coverLayer = -1;
    QVector3D coverNormal;
    float coverOffset = 0;
};

// One layer of the model as GPU-ready indexed triangles (filled and hidden-line faces) and
// lines: each face's corners are stored once, each edge end once a layer.
struct LayerMesh {
    QByteArray faces;       // FaceVertex, a face's corners
    QByteArray flatFaces;   // the same with each face's flat shade baked into its colour
    QByteArray faceIndices; // quint32 triangles into faces
    QByteArray edges;       // EdgeVertex, the edges' ends
    QByteArray edgeIndices; // quint32 line segments into edges
    QList<EdgeSide> edgeSides; // one a member's edge, for frontEdgeIndices
    QVector3D min, max;     // bounds; min > max when the layer is empty
    int triangleCount() const { return int(faceIndices.size() / (3 * sizeof(quint32))); }
    int lineCount() const { return int(edgeIndices.size() / (2 * sizeof(quint32))); }
};

struct Bounds {
    QVector3D min{1e30f, 1e30f, 1e30f};
    QVector3D max{-1e30f, -1e30f, -1e30f};
    bool isEmpty() const { return min.x() > max.x(); }
    void add(const QVector3D &p);
    void add(const Bounds &b);
    QVector3D centre() const { return (min + max) / 2; }
    float radius() const { return isEmpty() ? 0 : (max - min).length() / 2; }
};

// A face's flat shade: ambient plus two fixed sun directions, as a factor on its colour.
float flatShade(QVector3D normal);

// Members that fail a structural check, when the view shows them.
const QColor WarningColor(214, 40, 32);

// Builds every layer's mesh in one pass over the members; the `warned` ones (indices) in
// the warning colour.
std::array<LayerMesh, shed::LayerCount> buildLayerMeshes(const shed::Model &model, const QSet<int> &warned = {});

// The lines of `mesh` (as its edgeIndices) less those hidden behind the member they outline
// (an edge whose two faces both turn away from `eye` is behind that member's own faces) and
// those under a sheet of a layer in `layerMask` that lies on them, seen from its far side.
QByteArray frontEdgeIndices(const LayerMesh &mesh, QVector3D eye, unsigned layerMask = ~0u);

Bounds memberBounds(const shed::Member &m);

// Nearest member hit by the ray among the visible layers (bit i = layer i), or nullopt.
std::optional<int> pickMember(const shed::Model &model, QVector3D origin, QVector3D direction, unsigned layerMask);

} // namespace corvelle::view3d
