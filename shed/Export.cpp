#include "shed/Export.h"

#include "shed/Geometry.h"
#include "shed/Takeoff.h"

#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include <tiny_gltf.h>

#include <QMatrix3x3>

#include <charconv>
#include <cstring>
#include <sstream>
#include <unordered_map>

namespace corvelle::shed {

namespace {

constexpr float Metre = 0.0254f; // inches to metres

// A mesh key: members of one layer with the same box or profile share their mesh.
std::string meshKey(const Member &m)
{
    std::string key;
    key.reserve(64 + size_t(m.profile.size()) * 16);
    const auto put = [&](double v) {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, std::lround(v * 1000));
        key.append(buf, r.ptr);
        key.push_back(',');
    };
    put(int(m.layer));
    put(m.size.x());
    put(m.size.y());
    put(m.size.z());
    for (const QPointF &p : m.profile) {
        put(p.x());
        put(p.y());
    }
    return key;
}

template <typename T>
int appendView(tinygltf::Model &g, const std::vector<T> &data, int target)
{
    std::vector<unsigned char> &bytes = g.buffers[0].data;
    while (bytes.size() % 4)
        bytes.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = bytes.size();
    view.byteLength = data.size() * sizeof(T);
    view.target = target;
    const auto *raw = reinterpret_cast<const unsigned char *>(data.data());
    bytes.insert(bytes.end(), raw, raw + view.byteLength);
    g.bufferViews.push_back(view);
    return int(g.bufferViews.size() - 1);
}

double rounded(double v, double scale) { return std::round(v * scale) / scale; }

QByteArray csvNumber(double v, int decimals) { return QByteArray::number(v, 'f', decimals); }

} // namespace

QByteArray csvField(const QString &text)
{
    QByteArray f = text.toUtf8();
    if (f.contains(',') || f.contains('"') || f.contains('\n')) {
        f.replace("\"", "\"\"");
        f = '"' + f + '"';
    }
    return f;
}

QByteArray exportGlb(const Model &model)
{
    tinygltf::Model g;
    g.asset.version = "2.0";
    g.asset.generator = "Corvelle";
    g.buffers.resize(1);
    for (int l = 0; l < LayerCount; ++l) {
        tinygltf::Material mat;
        mat.name = layerName(Layer(l)).toStdString();
        const Colour c = layerColour(Layer(l), model.design.outerWallMaterial);
        mat.pbrMetallicRoughness.baseColorFactor = {c.r, c.g, c.b, 1.0};
        mat.pbrMetallicRoughness.metallicFactor = Layer(l) == Layer::Siding && model.design.siding == Siding::Tin ? 0.6 : 0.0;
        mat.pbrMetallicRoughness.roughnessFactor = 0.8;
        g.materials.push_back(mat);
    }

    std::unordered_map<std::string, int> meshes;
    tinygltf::Node root;
    root.name = "shed";
    g.nodes.reserve(size_t(model.members.size()) + 1);
    g.nodes.push_back(root);
    for (const Member &m : model.members) {
        const std::string key = meshKey(m);
        auto found = meshes.find(key);
        if (found == meshes.end()) {
            const geometry::Mesh local = geometry::localMesh(m);
            std::vector<float> pos, nrm;
            pos.reserve(local.positions.size() * 3);
            nrm.reserve(local.normals.size() * 3);
            std::vector<double> lo(3, 1e30), hi(3, -1e30);
            for (size_t i = 0; i < local.positions.size(); ++i) {
                for (int k = 0; k < 3; ++k) {
                    const float v = local.positions[i][k] * Metre;
                    pos.push_back(v);
                    nrm.push_back(local.normals[i][k]);
                    lo[k] = std::min(lo[k], double(v));
                    hi[k] = std::max(hi[k], double(v));
                }
            }
            tinygltf::Accessor p;
            p.bufferView = appendView(g, pos, TINYGLTF_TARGET_ARRAY_BUFFER);
            p.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
            p.count = local.positions.size();
            p.type = TINYGLTF_TYPE_VEC3;
            p.minValues = lo;
            p.maxValues = hi;
            g.accessors.push_back(p);
            tinygltf::Accessor n;
            n.bufferView = appendView(g, nrm, TINYGLTF_TARGET_ARRAY_BUFFER);
            n.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
            n.count = local.normals.size();
            n.type = TINYGLTF_TYPE_VEC3;
            g.accessors.push_back(n);
            tinygltf::Accessor ix;
            std::vector<unsigned short> idx(local.indices.begin(), local.indices.end());
            ix.bufferView = appendView(g, idx, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
            ix.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
            ix.count = idx.size();
            ix.type = TINYGLTF_TYPE_SCALAR;
            g.accessors.push_back(ix);

            tinygltf::Primitive prim;
            const int base = int(g.accessors.size()) - 3;
            prim.attributes["POSITION"] = base;
            prim.attributes["NORMAL"] = base + 1;
            prim.indices = base + 2;
            prim.material = int(m.layer);
            prim.mode = TINYGLTF_MODE_TRIANGLES;
            tinygltf::Mesh mesh;
            mesh.primitives.push_back(prim);
            g.meshes.push_back(mesh);
            found = meshes.emplace(key, int(g.meshes.size()) - 1).first;
        }
        tinygltf::Node node;
        node.name = kindName(m.kind).toStdString();
        node.mesh = found->second;
        // Rounded to a hundredth of a millimetre: shorter JSON numbers, no visible change.
        node.translation = {rounded(m.position.x() * Metre, 1e5), rounded(m.position.y() * Metre, 1e5),
                            rounded(m.position.z() * Metre, 1e5)};
        if (!m.rotation.isIdentity()) {
            const QQuaternion q = m.rotation.normalized();
            node.rotation = {rounded(q.x(), 1e7), rounded(q.y(), 1e7), rounded(q.z(), 1e7), rounded(q.scalar(), 1e7)};
        }
        tinygltf::Value::Object extras;
        extras["kind"] = tinygltf::Value(node.name);
        extras["layer"] = tinygltf::Value(layerName(m.layer).toStdString());
        extras["stock"] = tinygltf::Value(m.stock.toStdString());
        extras["length_in"] = tinygltf::Value(rounded(m.length, 1e4));
        node.extras = tinygltf::Value(extras);
        g.nodes.push_back(node);
        g.nodes[0].children.push_back(int(g.nodes.size()) - 1);
    }
    g.buffers[0].data.resize((g.buffers[0].data.size() + 3) / 4 * 4, 0);
    tinygltf::Scene scene;
    scene.name = "shed";
    scene.nodes = {0};
    g.scenes.push_back(scene);
    g.defaultScene = 0;

    tinygltf::TinyGLTF writer;
    std::ostringstream out;
    if (!writer.WriteGltfSceneToStream(&g, out, false, true))
        return {};
    const std::string s = out.str();
    return QByteArray(s.data(), qsizetype(s.size()));
}

QByteArray exportObj(const Model &model, const QString &mtlFileName)
{
    QByteArray out;
    out.reserve(qsizetype(model.members.size()) * 760 + 256);
    out += "# Corvelle shed model: metres, X along the width, Y up, Z along the depth\n";
    out += "mtllib " + mtlFileName.toUtf8() + "\n";
    char buf[32];
    const auto integer = [&](long v) {
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out.append(buf, r.ptr - buf);
    };
    // Fixed point with `decimals` places, through integers: far quicker than doubles.
    const auto fixed = [&](double v, int decimals, long scale) {
        long n = std::lround(v * scale);
        out += ' ';
        if (n < 0) {
            out += '-';
            n = -n;
        }
        integer(n / scale);
        out += '.';
        const auto r = std::to_chars(buf, buf + sizeof buf, n % scale + scale); // leading 1 keeps the zeros
        out.append(buf + 1, r.ptr - buf - 1);
        (void)decimals;
    };
    long vBase = 1, nBase = 1;
    for (qsizetype i = 0; i < model.members.size(); ++i) {
        const Member &m = model.members[i];
        const geometry::Polygon p = geometry::outline(m);
        const auto n = long(p.size());
        const QMatrix3x3 r = m.rotation.toRotationMatrix();
        const auto turn = [&](double x, double y, double z) {
            return QVector3D(float(r(0, 0) * x + r(0, 1) * y + r(0, 2) * z), float(r(1, 0) * x + r(1, 1) * y + r(1, 2) * z),
                             float(r(2, 0) * x + r(2, 1) * y + r(2, 2) * z));
        };
        out += "o ";
        out += kindName(m.kind).replace(QLatin1Char(' '), QLatin1Char('_')).toLatin1();
        out += '_';
        integer(long(i));
        out += "\nusemtl ";
        out += layerName(m.layer).toLatin1();
        out += '\n';
        // The prism's two rings of corners, then one normal for each cap and each side.
        for (double z : {0.0, double(m.size.z())}) {
            for (const QPointF &q : p) {
                const QVector3D w = turn(q.x(), q.y(), z) + m.position;
                out += 'v';
                fixed(w.x() * Metre, 5, 100000);
                fixed(w.y() * Metre, 5, 100000);
                fixed(w.z() * Metre, 5, 100000);
                out += '\n';
            }
        }
        const auto normal = [&](const QVector3D &v) {
            out += "vn";
            fixed(v.x(), 4, 10000);
            fixed(v.y(), 4, 10000);
            fixed(v.z(), 4, 10000);
            out += '\n';
        };
        normal(turn(0, 0, -1));
        normal(turn(0, 0, 1));
        for (long k = 0; k < n; ++k) {
            const QPointF a = p[k], b = p[(k + 1) % n];
            normal(turn(b.y() - a.y(), a.x() - b.x(), 0).normalized());
        }
        const auto corner = [&](long v, long nrm) {
            out += ' ';
            integer(vBase + v);
            out += "//";
            integer(nBase + nrm);
        };
        out += 'f';
        for (long k = n - 1; k >= 0; --k)
            corner(k, 0);
        out += "\nf";
        for (long k = 0; k < n; ++k)
            corner(n + k, 1);
        out += '\n';
        for (long k = 0; k < n; ++k) {
            const long k1 = (k + 1) % n;
            out += 'f';
            corner(k, 2 + k);
            corner(k1, 2 + k);
            corner(n + k1, 2 + k);
            corner(n + k, 2 + k);
            out += '\n';
        }
        vBase += 2 * n;
        nBase += n + 2;
    }
    return out;
}

QByteArray exportMtl(const Model &model)
{
    QByteArray out = "# Corvelle shed model: one material per layer\n";
    for (int l = 0; l < LayerCount; ++l) {
        const Colour c = layerColour(Layer(l), model.design.outerWallMaterial);
        out += "\nnewmtl " + layerName(Layer(l)).toUtf8() + '\n';
        out += "Kd " + QByteArray::number(c.r, 'f', 3) + ' ' + QByteArray::number(c.g, 'f', 3) + ' ' +
               QByteArray::number(c.b, 'f', 3) + '\n';
        out += "Ka 0.1 0.1 0.1\nKs 0.05 0.05 0.05\nNs 10\nd 1\nillum 2\n";
    }
    return out;
}

QByteArray materialsCsv(const Takeoff &t)
{
    QByteArray out = "item,quantity,unit,unit_price,cost,in_total,note\n";
    for (const MaterialRow &r : t.materials) {
        out += csvField(r.item) + ',' + QByteArray::number(r.quantity, 'g', 10) + ',' + csvField(r.unit) + ',' +
               csvNumber(r.unitPrice, 2) + ',' + csvNumber(r.cost, 2) + ',' + (r.inTotal ? "yes" : "no") + ',' +
               csvField(r.note) + '\n';
    }
    out += "Total,,,," + csvNumber(t.total, 2) + ",,\n";
    return out;
}

QByteArray cutListCsv(const Takeoff &t, Units units)
{
    // The numeric length in the system's unit: inches to 1/16 in, or millimetres to 0.1 mm.
    QByteArray out = "member,stock,length_" + units.lengthUnit().toLatin1() + ",length,angle_1,angle_2,quantity\n";
    for (const CutRow &c : t.cuts) {
        out += csvField(c.member) + ',' + csvField(c.stock) + ','
               + QByteArray::number(units.lengthValue(c.lengthIn), 'f', units.isMetric() ? 1 : 4) + ','
               + csvField(units.length(c.lengthIn)) + ',' + QByteArray::number(c.angle1, 'f', 1) + ','
               + QByteArray::number(c.angle2, 'f', 1) + ',' + QByteArray::number(c.quantity) + '\n';
    }
    return out;
}

} // namespace corvelle::shed
