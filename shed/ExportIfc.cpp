// IFC4 in its STEP form (ISO 10303-21), written directly: the file needs some thirty
// entity types, and the one packaged IFC library would add a 26 MB dependency that holds
// every entity of the schema in shared pointers before writing a line.
#include "shed/Export.h"

#include "shed/Geometry.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QMatrix3x3>
#include <QUuid>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace corvelle::shed {

namespace {

constexpr double Metre = 0.0254; // inches to metres

// The IFC entity a member is, with its predefined type (USERDEFINED names the kind in
// ObjectType). Blocks are the pads the skids stand on, so footings.
struct IfcClass {
    const char *entity;
    const char *type;
};

IfcClass ifcClass(MemberKind kind)
{
    switch (kind) {
    case MemberKind::Slab:
    case MemberKind::GravelPad:
        return {"IFCSLAB", "BASESLAB"};
    case MemberKind::Block:
        return {"IFCFOOTING", "PAD_FOOTING"};
    case MemberKind::Skid:
        return {"IFCBEAM", "BEAM"};
    case MemberKind::Joist:
    case MemberKind::RimJoist:
        return {"IFCBEAM", "JOIST"};
    case MemberKind::Header:
        return {"IFCBEAM", "LINTEL"};
    case MemberKind::BottomPlate:
    case MemberKind::TopPlate:
        return {"IFCMEMBER", "PLATE"};
    case MemberKind::Stud:
    case MemberKind::KingStud:
    case MemberKind::JackStud:
    case MemberKind::Cripple:
        return {"IFCMEMBER", "STUD"};
    case MemberKind::Rafter:
        return {"IFCMEMBER", "RAFTER"};
    case MemberKind::RidgeBoard:
        return {"IFCMEMBER", "USERDEFINED"};
    case MemberKind::CollarTie:
        return {"IFCMEMBER", "COLLAR"};
    case MemberKind::TrussChord:
        return {"IFCMEMBER", "CHORD"};
    case MemberKind::TrussWeb:
        return {"IFCMEMBER", "MEMBER"};
    case MemberKind::RampStringer:
        return {"IFCMEMBER", "STRINGER"};
    case MemberKind::RampDeck:
        return {"IFCMEMBER", "USERDEFINED"};
    case MemberKind::DeckSheet:
    case MemberKind::RoofSheet:
    case MemberKind::Gusset:
        return {"IFCPLATE", "SHEET"};
    case MemberKind::LiningSheet:
        return {"IFCCOVERING", "USERDEFINED"};
    case MemberKind::SidingPiece:
        return {"IFCCOVERING", "CLADDING"};
    case MemberKind::DoorLeaf:
        return {"IFCDOOR", "DOOR"};
    case MemberKind::WindowUnit:
        return {"IFCWINDOW", "WINDOW"};
    case MemberKind::Sill:
        return {"IFCMEMBER", "USERDEFINED"};
    default:
        break;
    }
    return {"IFCBUILDINGELEMENTPROXY", "NOTDEFINED"};
}

// IfcGloballyUniqueId: 128 bits in 22 characters of IFC's own base 64.
QByteArray ifcGuid(const QUuid &uuid)
{
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";
    const QByteArray b = uuid.toRfc4122();
    QByteArray out(22, '0');
    const auto put = [&](unsigned long value, int at, int count) {
        for (int i = count - 1; i >= 0; --i) {
            out[at + i] = digits[value % 64];
            value /= 64;
        }
    };
    put(uchar(b[0]), 0, 2);
    for (int i = 0; i < 5; ++i)
        put((ulong(uchar(b[1 + 3 * i])) << 16) | (ulong(uchar(b[2 + 3 * i])) << 8) | uchar(b[3 + 3 * i]), 2 + 4 * i, 4);
    return out;
}

class StepWriter {
public:
    explicit StepWriter(QByteArray seed) : seed_(std::move(seed)) { out_.reserve(1 << 20); }

    QByteArray &text() { return out_; }

    // Starts "#n=ENTITY(" and returns n; the caller writes the arguments and ends it.
    long begin(const char *entity)
    {
        out_ += '#';
        integer(++last_);
        out_ += '=';
        out_ += entity;
        out_ += '(';
        return last_;
    }
    void end() { out_ += ");\n"; }

    void integer(long v)
    {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, r.ptr - buf);
    }
    void ref(long id)
    {
        out_ += '#';
        integer(id);
    }
    void refs(const std::vector<long> &ids)
    {
        out_ += '(';
        for (size_t i = 0; i < ids.size(); ++i) {
            if (i)
                out_ += ',';
            ref(ids[i]);
        }
        out_ += ')';
    }
    // A STEP real: fixed point, trailing zeros dropped, never an exponent; "-0." is "0.".
    void real(double v, int decimals = 6)
    {
        char buf[48];
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        char *end = r.ptr;
        while (end[-1] == '0')
            --end;
        const bool zero = std::all_of(buf, end, [](char c) { return c == '0' || c == '.' || c == '-'; });
        if (zero)
            out_ += "0.";
        else
            out_.append(buf, end - buf);
    }
    // A STEP string: quotes and backslashes doubled, anything outside printable ASCII
    // as \X2\ UTF-16 code units \X0\.
    void string(const QString &s)
    {
        out_ += '\'';
        bool wide = false;
        for (const QChar c : s) {
            const ushort u = c.unicode();
            const bool plain = u >= 0x20 && u < 0x7f;
            if (plain && wide) {
                out_ += "\\X0\\";
                wide = false;
            }
            if (!plain) {
                if (!wide)
                    out_ += "\\X2\\";
                wide = true;
                static const char hex[] = "0123456789ABCDEF";
                for (int shift = 12; shift >= 0; shift -= 4)
                    out_ += hex[(u >> shift) & 0xf];
                continue;
            }
            if (c == u'\'' || c == u'\\')
                out_ += char(u);
            out_ += char(u);
        }
        if (wide)
            out_ += "\\X0\\";
        out_ += '\'';
    }
    // A new GlobalId, the same for the same model and order: a second export of one design
    // keeps its identities, as a BIM tool comparing revisions expects.
    void guid()
    {
        out_ += '\'';
        out_ += ifcGuid(QUuid::createUuidV5(QUuid(), seed_ + QByteArray::number(++guids_)));
        out_ += '\'';
    }
    // Points and directions are shared when equal, as most members of a shed are parallel.
    long point(double x, double y, double z) { return shared(points_, "IFCCARTESIANPOINT", {x, y, z}, 6); }
    long point2(double x, double y) { return shared(points2_, "IFCCARTESIANPOINT", {x, y}, 6); }
    long direction(double x, double y, double z) { return shared(directions_, "IFCDIRECTION", {x, y, z}, 9); }

private:
    template <size_t N>
    long shared(std::map<std::array<long long, N>, long> &seen, const char *entity, const std::array<double, N> &v,
                int decimals)
    {
        double scale = 1;
        for (int i = 0; i < decimals; ++i)
            scale *= 10;
        std::array<long long, N> key;
        for (size_t i = 0; i < N; ++i)
            key[i] = std::llround(v[i] * scale);
        const auto found = seen.find(key);
        if (found != seen.end())
            return found->second;
        const long id = begin(entity);
        out_ += '(';
        for (size_t i = 0; i < N; ++i) {
            if (i)
                out_ += ',';
            real(double(key[i]) / scale, decimals);
        }
        out_ += ')';
        end();
        seen.emplace(key, id);
        return id;
    }

    QByteArray out_;
    QByteArray seed_;
    long last_ = 0;
    long guids_ = 0;
    std::map<std::array<long long, 3>, long> points_;
    std::map<std::array<long long, 2>, long> points2_;
    std::map<std::array<long long, 3>, long> directions_;
};

// The model's frame has Y up and the front wall at Z = 0; IFC's has Z up. A quarter turn
// about X keeps it right-handed: IFC (x, y, z) = model (x, -z, y).
QVector3D toIfc(const QVector3D &v) { return {v.x(), -v.z(), v.y()}; }

// A seed for the GlobalIds from what the model is.
QByteArray modelSeed(const Model &model)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const Member &m : model.members) {
        const float f[] = {m.position.x(), m.position.y(), m.position.z(), m.size.x(), m.size.y(), m.size.z()};
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(f), sizeof f));
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&m.kind), sizeof m.kind));
    }
    return hash.result().toHex();
}

} // namespace

QByteArray exportIfc(const Model &model)
{
    StepWriter w(modelSeed(model));
    QByteArray &o = w.text();
    o += "ISO-10303-21;\nHEADER;\n"
         "FILE_DESCRIPTION(('ViewDefinition [DesignTransferView]'),'2;1');\n"
         "FILE_NAME('shed.ifc','";
    o += QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    o += "',(''),(''),'Corvelle','Corvelle','');\n"
         "FILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n";

    // Units (SI: metres, radians), the model context and its body subcontext.
    std::vector<long> units;
    for (const char *unit : {"*,.LENGTHUNIT.,$,.METRE.", "*,.AREAUNIT.,$,.SQUARE_METRE.",
                             "*,.VOLUMEUNIT.,$,.CUBIC_METRE.", "*,.PLANEANGLEUNIT.,$,.RADIAN."}) {
        units.push_back(w.begin("IFCSIUNIT"));
        o += unit;
        w.end();
    }
    const long unitAssignment = w.begin("IFCUNITASSIGNMENT");
    w.refs(units);
    w.end();
    const long origin = w.point(0, 0, 0);
    const long up = w.direction(0, 0, 1);
    const long world = w.begin("IFCAXIS2PLACEMENT3D");
    w.ref(origin);
    o += ",$,$";
    w.end();
    const long context = w.begin("IFCGEOMETRICREPRESENTATIONCONTEXT");
    o += "$,'Model',3,1.E-05,";
    w.ref(world);
    o += ",$";
    w.end();
    const long body = w.begin("IFCGEOMETRICREPRESENTATIONSUBCONTEXT");
    o += "'Body','Model',*,*,*,*,";
    w.ref(context);
    o += ",$,.MODEL_VIEW.,$";
    w.end();

    // Project, site, building and its one storey, each placed at the one before.
    const long project = w.begin("IFCPROJECT");
    w.guid();
    o += ",$,'Shed',$,$,$,$,(";
    w.ref(context);
    o += "),";
    w.ref(unitAssignment);
    w.end();
    long placement = 0;
    const auto spatial = [&](const char *entity, const QString &name, const char *tail) {
        const long place = w.begin("IFCLOCALPLACEMENT");
        if (placement)
            w.ref(placement);
        else
            o += '$';
        o += ',';
        w.ref(world);
        w.end();
        placement = place;
        const long id = w.begin(entity);
        w.guid();
        o += ",$,";
        w.string(name);
        o += ",$,$,";
        w.ref(place);
        o += ",$,$,.ELEMENT.";
        o += tail;
        w.end();
        return id;
    };
    const long site = spatial("IFCSITE", QStringLiteral("Site"), ",$,$,$,$,$");
    const long building = spatial("IFCBUILDING", QStringLiteral("Shed"), ",$,$,$");
    const long storey = spatial("IFCBUILDINGSTOREY", QStringLiteral("Ground floor"), ",0.");
    const long storeyPlacement = placement;
    const auto aggregate = [&](long whole, long part) {
        w.begin("IFCRELAGGREGATES");
        w.guid();
        o += ",$,$,$,";
        w.ref(whole);
        o += ",(";
        w.ref(part);
        o += ')';
        w.end();
    };
    aggregate(project, site);
    aggregate(site, building);
    aggregate(building, storey);

    // A surface style for each layer, in its colour as the other exports draw it.
    std::array<long, LayerCount> styles{};
    std::array<std::vector<long>, LayerCount> layerElements, layerShapes;
    for (int l = 0; l < LayerCount; ++l) {
        const Colour c = layerColour(Layer(l), model.design.outerWallMaterial);
        const long colour = w.begin("IFCCOLOURRGB");
        o += "$,";
        w.real(c.r, 3);
        o += ',';
        w.real(c.g, 3);
        o += ',';
        w.real(c.b, 3);
        w.end();
        const long shading = w.begin("IFCSURFACESTYLESHADING");
        w.ref(colour);
        o += ",0.";
        w.end();
        styles[size_t(l)] = w.begin("IFCSURFACESTYLE");
        w.string(layerName(Layer(l)));
        o += ",.BOTH.,(";
        w.ref(shading);
        o += ')';
        w.end();
    }

    // Members: a prism over the outline in the member's own frame, extruded along its
    // local Z by its thickness; outlines of the same shape share one profile.
    QHash<QByteArray, long> profiles;
    std::vector<long> elements;
    elements.reserve(size_t(model.members.size()));
    // One property set for each distinct (kind, layer, stock, length): many members share it.
    std::map<std::tuple<int, int, QString, long long>, std::pair<long, std::vector<long>>> psets;
    for (const Member &m : model.members) {
        const geometry::Polygon outline = geometry::outline(m);
        QByteArray key;
        for (const QPointF &p : outline)
            key += QByteArray::number(std::llround(p.x() * 1e4)) + ',' + QByteArray::number(std::llround(p.y() * 1e4))
                   + ';';
        long profile = profiles.value(key);
        if (!profile) {
            std::vector<long> corners;
            for (const QPointF &p : outline)
                corners.push_back(w.point2(p.x() * Metre, p.y() * Metre));
            corners.push_back(corners.front());
            const long line = w.begin("IFCPOLYLINE");
            w.refs(corners);
            w.end();
            profile = w.begin("IFCARBITRARYCLOSEDPROFILEDEF");
            o += ".AREA.,$,";
            w.ref(line);
            w.end();
            profiles.insert(key, profile);
        }
        const QMatrix3x3 r = m.rotation.normalized().toRotationMatrix();
        const auto axis = [&](int c) { return toIfc(QVector3D(r(0, c), r(1, c), r(2, c))); };
        const QVector3D at = toIfc(m.position) * float(Metre), zAxis = axis(2), xAxis = axis(0);
        // Shared points and directions are written as lines of their own, so before the
        // line that refers to them.
        const long location = w.point(at.x(), at.y(), at.z());
        const long zDir = w.direction(zAxis.x(), zAxis.y(), zAxis.z()),
                   xDir = w.direction(xAxis.x(), xAxis.y(), xAxis.z());
        const long place3d = w.begin("IFCAXIS2PLACEMENT3D");
        w.ref(location);
        o += ',';
        w.ref(zDir);
        o += ',';
        w.ref(xDir);
        w.end();
        const long local = w.begin("IFCLOCALPLACEMENT");
        w.ref(storeyPlacement);
        o += ',';
        w.ref(place3d);
        w.end();
        const long solid = w.begin("IFCEXTRUDEDAREASOLID");
        w.ref(profile);
        o += ",$,";
        w.ref(up);
        o += ',';
        w.real(m.size.z() * Metre);
        w.end();
        w.begin("IFCSTYLEDITEM");
        w.ref(solid);
        o += ",(";
        w.ref(styles[size_t(m.layer)]);
        o += "),$";
        w.end();
        const long shape = w.begin("IFCSHAPEREPRESENTATION");
        w.ref(body);
        o += ",'Body','SweptSolid',(";
        w.ref(solid);
        o += ')';
        w.end();
        const long product = w.begin("IFCPRODUCTDEFINITIONSHAPE");
        o += "$,$,(";
        w.ref(shape);
        o += ')';
        w.end();

        const IfcClass cls = ifcClass(m.kind);
        const QString kind = kindName(m.kind);
        const long element = w.begin(cls.entity);
        w.guid();
        o += ",$,";
        w.string(kind);
        o += ",$,";
        w.string(kind);
        o += ',';
        w.ref(local);
        o += ',';
        w.ref(product);
        o += ",$,";
        if (m.kind == MemberKind::DoorLeaf || m.kind == MemberKind::WindowUnit) {
            w.real(m.size.y() * Metre); // OverallHeight
            o += ',';
            w.real(m.size.x() * Metre); // OverallWidth
            o += m.kind == MemberKind::DoorLeaf ? ",.DOOR.,$,$" : ",.WINDOW.,$,$";
        } else {
            o += '.';
            o += cls.type;
            o += '.';
        }
        w.end();
        elements.push_back(element);
        layerElements[size_t(m.layer)].push_back(element);
        layerShapes[size_t(m.layer)].push_back(shape);
        auto &pset = psets[{int(m.kind), int(m.layer), m.stock, std::llround(m.length * 1e4)}];
        pset.second.push_back(element);
    }

    w.begin("IFCRELCONTAINEDINSPATIALSTRUCTURE");
    w.guid();
    o += ",$,$,$,";
    w.refs(elements);
    o += ',';
    w.ref(storey);
    w.end();

    // Pset_Corvelle: what the glTF export keeps in each node's extras.
    QHash<QString, long> labels;
    const auto label = [&](const char *name, const QString &value) {
        const QString key = QLatin1String(name) + QChar(0) + value;
        long id = labels.value(key);
        if (!id) {
            id = w.begin("IFCPROPERTYSINGLEVALUE");
            o += '\'';
            o += name;
            o += "',$,IFCLABEL(";
            w.string(value);
            o += "),$";
            w.end();
            labels.insert(key, id);
        }
        return id;
    };
    for (auto &[key, pset] : psets) {
        const auto &[kind, layer, stock, length] = key;
        std::vector<long> props{label("Kind", kindName(MemberKind(kind))), label("Layer", layerName(Layer(layer))),
                                label("Stock", stock)};
        props.push_back(w.begin("IFCPROPERTYSINGLEVALUE"));
        o += "'LengthIn',$,IFCREAL(";
        w.real(double(length) / 1e4, 4);
        o += "),$";
        w.end();
        const long set = w.begin("IFCPROPERTYSET");
        w.guid();
        o += ",$,'Pset_Corvelle',$,";
        w.refs(props);
        w.end();
        w.begin("IFCRELDEFINESBYPROPERTIES");
        w.guid();
        o += ",$,$,$,";
        w.refs(pset.second);
        o += ',';
        w.ref(set);
        w.end();
    }

    // Layers: a group of elements each, and a presentation layer of their shapes so a
    // viewer can hide one.
    for (int l = 0; l < LayerCount; ++l) {
        if (layerElements[size_t(l)].empty())
            continue;
        const QString name = layerName(Layer(l));
        const long group = w.begin("IFCGROUP");
        w.guid();
        o += ",$,";
        w.string(name);
        o += ",$,'Layer'";
        w.end();
        w.begin("IFCRELASSIGNSTOGROUP");
        w.guid();
        o += ",$,$,$,";
        w.refs(layerElements[size_t(l)]);
        o += ",$,";
        w.ref(group);
        w.end();
        w.begin("IFCPRESENTATIONLAYERASSIGNMENT");
        w.string(name);
        o += ",$,";
        w.refs(layerShapes[size_t(l)]);
        o += ",$";
        w.end();
    }
    o += "ENDSEC;\nEND-ISO-10303-21;\n";
    return o;
}

} // namespace corvelle::shed
