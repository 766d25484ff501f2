#include "MeshGeometry.h"

#include <cstddef>

namespace corvelle::view3d {

MeshGeometry::MeshGeometry(Kind kind, QQuick3DObject *parent) : QQuick3DGeometry(parent), kind_(kind) {}

void MeshGeometry::setMesh(const LayerMesh &mesh)
{
    clear();
    if (kind_ != Kind::Edges) {
        setPrimitiveType(PrimitiveType::Triangles);
        setStride(sizeof(FaceVertex));
        addAttribute(Attribute::PositionSemantic, offsetof(FaceVertex, position), Attribute::F32Type);
        addAttribute(Attribute::NormalSemantic, offsetof(FaceVertex, normal), Attribute::F32Type);
        // An unlit material still tints by vertex colours, so the plain faces carry none.
        if (kind_ != Kind::PlainFaces)
            addAttribute(Attribute::ColorSemantic, offsetof(FaceVertex, color), Attribute::F32Type);
        setVertexData(kind_ == Kind::FlatFaces ? mesh.flatFaces : mesh.faces);
        setIndexData(mesh.faceIndices);
    } else {
        setPrimitiveType(PrimitiveType::Lines);
        setStride(sizeof(EdgeVertex));
        addAttribute(Attribute::PositionSemantic, offsetof(EdgeVertex, position), Attribute::F32Type);
        addAttribute(Attribute::ColorSemantic, offsetof(EdgeVertex, color), Attribute::F32Type);
        setVertexData(mesh.edges);
        setIndexData(mesh.edgeIndices);
    }
    addAttribute(Attribute::IndexSemantic, 0, Attribute::U32Type);
    if (mesh.min.x() <= mesh.max.x())
        setBounds(mesh.min, mesh.max);
    update();
}

void MeshGeometry::setLines(const QByteArray &indices)
{
    setIndexData(indices);
    update();
}

} // namespace corvelle::view3d
