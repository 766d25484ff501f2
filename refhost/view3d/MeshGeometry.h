#pragma once

#include "SceneMesh.h"

#include <QQuick3DGeometry>

namespace corvelle::view3d {

// A layer's triangles or lines handed to Qt Quick 3D as they were built.
class MeshGeometry : public QQuick3DGeometry {
    Q_OBJECT
public:
    // PlainFaces: the faces without their colours, for paper-coloured hidden-line faces.
    enum class Kind { Faces, FlatFaces, PlainFaces, Edges };
    MeshGeometry(Kind kind, QQuick3DObject *parent = nullptr);
    void setMesh(const LayerMesh &mesh);
    // Edges only: draws these lines (index data as LayerMesh::edgeIndices) of the mesh set.
    void setLines(const QByteArray &indices);

private:
    Kind kind_;
};

} // namespace corvelle::view3d
