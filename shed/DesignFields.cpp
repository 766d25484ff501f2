#include "shed/DesignFields.h"

#include "core/DesignRules.h"
#include "core/Numbers.h"
#include "shed/Project.h"

#include <QStringList>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace corvelle::shed {

namespace {

using D = ShedDesign;

// clang-format off
constexpr DesignField Fields[] = {
    {"ShedWidth", &D::ShedWidth, "Width"},
    {"ShedDepth", &D::ShedDepth, "Depth"},
    {"ShedHeight", &D::ShedHeight, "Height"},
    {"FloorType", &D::FloorType, "Floor"},
    {"JoistType", &D::JoistType, "Stud type"},
    {"FloorHeight", &D::FloorHeight, "Slab thickness"},
    {"BlockRows", &D::BlockRows, "Block rows"},
    {"StudCenters", &D::StudCenters, "Stud centers"},
    {"InnerHeight", &D::InnerHeight, "Inner height"},
    {"StudMaterialLine", &D::StudMaterialLine, "Stud material"},
    {"InWallType", &D::InWallType, "Inner walls"},
    {"SheetrockThickness", &D::SheetrockThickness, "Thickness"},
    {"SidingWidth", &D::SidingWidth, "Siding width"},
    {"SidingHeight", &D::SidingHeight, "Siding height"},
    {"SidingName", &D::SidingName, "Outer walls"},
    {"OuterWallMaterial", &D::OuterWallMaterial, "Material"},
    {"MainDoorLocation", &D::MainDoorLocation, "Door"},
    {"MainDoorWidth", &D::MainDoorWidth, "Door width"},
    {"MainDoorHeight", &D::MainDoorHeight, "Door height"},
    {"RampLocation", &D::RampLocation, "Ramp"},
    {"RoofType", &D::RoofType, "Roof type"},
    {"Trusses", &D::Trusses, "Roof framing"},
    {"ShadingMode", &D::ShadingMode, "Shading"},
};
// clang-format on

// The wizard's own texts, as its screens show them (blanks around them left off).
constexpr DesignChoice FloorTypes[] = {{"0", "Gravel"}, {"1", "Concrete"}, {"2", "Woodframe"}, {"3", "Blocks"}};
constexpr DesignChoice SlabThicknesses[] = {
    {"4", "4 inches"}, {"6", "6 inches"}, {"8", "8 inches"}, {"10", "10 inches"}, {"12", "12 inches"}};
constexpr DesignChoice BlockRows[] = {{"1", "1 row"}, {"2", "2 rows"}, {"3", "3 rows"}};
constexpr DesignChoice StudTypes[] = {{"1", "2 x 4 Studs"}, {"2", "2 x 6 Studs"}};
constexpr DesignChoice StudCenters[] = {
    {"12", "12 inches-center"}, {"16", "16 inches-center"}, {"24", "24 inches-center"}};
// Sheetrock and wafer board are one code in the data file: the first text stands for it.
constexpr DesignChoice InnerWalls[] = {{"1", "Sheetrock"}, {"0", "None"}};
constexpr DesignChoice Thicknesses[] = {
    {".25", "1/4 inch thick"}, {".5", "1/2 inch thick"}, {".75", "3/4 inch thick"}, {".625", "5/8 inch thick"}};
constexpr DesignChoice Sidings[] = {
    {"Vinyl", "Siding"}, {"Vertical", "Vertical Siding"}, {"Plywood", "Plywood"}, {"Tin", "Tin"}};
constexpr DesignChoice DoorSides[] = {{"None", "None"}, {"Front", "Front"}, {"Rear", "Back"}, {"Both", "Both"}};
constexpr DesignChoice RoofTypes[] = {{"Gable", "Gable"}, {"Barn", "Barn"}};
constexpr DesignChoice Framings[] = {{"1", "Trusses"}, {"0", "Supports"}};
constexpr DesignChoice ShadingModes[] = {{"1", "None"}, {"2", "Hidden Line"}, {"3", "QuickShade"}, {"4", "Best"}};

struct Refused {
    DesignProblem problem;
};

const DesignField &field(const char *name)
{
    for (const DesignField &f : Fields)
        if (qstrcmp(f.name, name) == 0)
            return f;
    Q_UNREACHABLE();
}

[[noreturn]] void refuse(const char *name, const QString &problem) { throw Refused{{&field(name), problem}}; }

// The wizard's own ranges, each held as its screens hold it.
void checkRanges(const ShedDesign &d)
{
    const auto text = [&](const char *name) -> const QString & { return d.*field(name).member; };
    const auto number = [&](const char *name) {
        bool ok = false;
        const double v = text(name).toDouble(&ok);
        if (!ok || !std::isfinite(v))
            refuse(name, QStringLiteral("%1 is not a number").arg(quotedValue(text(name))));
        return v;
    };
    const auto within = [&](const char *name, double low, double high, const char *unit) {
        const double v = number(name);
        if (v < low || v > high)
            refuse(name, QStringLiteral("%1 is outside the wizard's range, %2 to %3 %4")
                             .arg(quotedValue(text(name)))
                             .arg(low)
                             .arg(high)
                             .arg(QLatin1String(unit)));
        return v;
    };
    const auto oneOf = [&](const char *name, std::initializer_list<const char *> choices) {
        QStringList names;
        for (const char *c : choices) {
            if (text(name) == QLatin1String(c))
                return;
            names << quotedValue(QLatin1String(c));
        }
        refuse(name, QStringLiteral("%1 is none of %2").arg(quotedValue(text(name)), names.join(QStringLiteral(", "))));
    };

    // The size screen: 8 to 50 ft on the ground, 8 to 20 ft high; the studs screen's
    // list of inner heights.
    const double width = within("ShedWidth", 8, 50, "ft");
    within("ShedDepth", 8, 50, "ft");
    within("ShedHeight", 8, 20, "ft");
    const double inner = within("InnerHeight", 8, 20, "ft");
    oneOf("FloorType", {"0", "1", "2", "3"});
    oneOf("BlockRows", {"0", "1", "2", "3"});
    // The slab list: 4 to 12 in; 0 for every other floor.
    within("FloorHeight", 0, 12, "in");
    oneOf("JoistType", {"1", "2"});
    oneOf("StudCenters", {"12", "16", "24"});
    oneOf("InWallType", {"0", "1"});
    oneOf("SheetrockThickness", {".25", ".5", ".75", ".625"});
    // Left unchosen on its screen, the siding is drawn as vinyl lap siding.
    oneOf("SidingName", {"Vinyl", "Vertical", "Plywood", "Tin", ""});
    oneOf("OuterWallMaterial", {"Cobalt", "Steel", "Oak", "Aluminum"});
    within("SidingWidth", 0.5, 8, "ft");
    within("SidingHeight", 0.5, 8, "ft");
    oneOf("MainDoorLocation", {"None", "Front", "Rear", "Both"});
    if (d.MainDoorLocation != u"None") {
        // The door screen: at least 3 x 6 ft, narrower than the shed, lower than its walls.
        if (within("MainDoorWidth", 3, 50, "ft") >= width)
            refuse(
                "MainDoorWidth",
                QStringLiteral("a door %1 ft wide does not fit a shed %2 ft wide").arg(d.MainDoorWidth, d.ShedWidth));
        if (within("MainDoorHeight", 6, 20, "ft") >= inner)
            refuse(
                "MainDoorHeight",
                QStringLiteral("a door %1 ft high does not fit walls %2 ft high").arg(d.MainDoorHeight, d.InnerHeight));
    }
    oneOf("RampLocation", {"None", "Front", "Rear", "Both"});
    // The roof screen may be left with no option chosen; the framing draws that as a gable.
    oneOf("RoofType", {"Gable", "Barn", ""});
    oneOf("Trusses", {"0", "1"});
    oneOf("ShadingMode", {"1", "2", "3", "4"});
}

// The rules the wizard's screens keep between values, beyond each value's range. A design
// read from a file may break them already: an edit is refused only for a rule it breaks.
std::optional<DesignProblem> ruleBroken(const ShedDesign &d)
{
    if (!RampAllowed(d, d.RampLocation))
        return DesignProblem{&field("RampLocation"), d.FloorType == u"0"
                                                         ? QStringLiteral("a shed on gravel has no ramp")
                                                         : QStringLiteral("a ramp stands only where the main door is")};
    if (d.Trusses != u"1" && NeedsTrusses(d))
        return DesignProblem{
            &field("Trusses"),
            QStringLiteral("a shed wider than %1 ft is framed with trusses").arg(WidestWithoutTrusses)};
    const double slab = d.FloorHeight.toDouble();
    if (d.FloorType == u"1" && slab < 4)
        return DesignProblem{&field("FloorHeight"), QStringLiteral("a concrete slab is 4 to 12 in thick")};
    if (d.FloorType != u"1" && slab != 0)
        return DesignProblem{&field("FloorHeight"), QStringLiteral("only a concrete floor has a slab")};
    if ((d.FloorType == u"3") != (d.BlockRows != u"0"))
        return DesignProblem{&field("BlockRows"), d.FloorType == u"3"
                                                      ? QStringLiteral("a floor on blocks has 1 to 3 rows")
                                                      : QStringLiteral("only a floor on blocks has block rows")};
    return std::nullopt;
}

// What the screens store alongside a value, as they do when Next is pressed.
void storeAlongside(ShedDesign &d, QStringView name)
{
    if (name == u"FloorType") {
        // Each floor keeps only its own list's value; one it had before comes back.
        if (d.FloorType == u"1" && d.FloorHeight.toDouble() == 0)
            d.FloorHeight = QStringLiteral("4");
        else if (d.FloorType != u"1")
            d.FloorHeight = QStringLiteral("0");
        if (d.FloorType == u"3" && d.BlockRows == u"0")
            d.BlockRows = QStringLiteral("2");
        else if (d.FloorType != u"3")
            d.BlockRows = QStringLiteral("0");
    }
    if (name == u"FloorType" || name == u"MainDoorLocation") {
        // A ramp keeps the sides that still have a door.
        const bool front = RampAllowed(d, u"Front") && (d.RampLocation == u"Front" || d.RampLocation == u"Both");
        const bool rear = RampAllowed(d, u"Rear") && (d.RampLocation == u"Rear" || d.RampLocation == u"Both");
        d.RampLocation = front && rear ? QStringLiteral("Both")
                         : front       ? QStringLiteral("Front")
                         : rear        ? QStringLiteral("Rear")
                                       : QStringLiteral("None");
    }
    if (name == u"ShedWidth" && IsNumeric(d.ShedWidth) && NeedsTrusses(d))
        d.Trusses = QStringLiteral("1");
    if (name == u"SidingName")
        DeriveSiding(d);
    if (name == u"JoistType")
        DeriveStudMaterialLine(d);
}

} // namespace

std::span<const DesignField> designFields() { return Fields; }

std::span<const DesignChoice> designChoices(QStringView name)
{
    const std::pair<const char *, std::span<const DesignChoice>> lists[] = {{"FloorType", FloorTypes},
                                                                            {"FloorHeight", SlabThicknesses},
                                                                            {"BlockRows", BlockRows},
                                                                            {"JoistType", StudTypes},
                                                                            {"StudCenters", StudCenters},
                                                                            {"InWallType", InnerWalls},
                                                                            {"SheetrockThickness", Thicknesses},
                                                                            {"SidingName", Sidings},
                                                                            {"MainDoorLocation", DoorSides},
                                                                            {"RampLocation", DoorSides},
                                                                            {"RoofType", RoofTypes},
                                                                            {"Trusses", Framings},
                                                                            {"ShadingMode", ShadingModes}};
    for (const auto &[field, list] : lists)
        if (name == QLatin1String(field))
            return list;
    return {};
}

const DesignField *designField(QStringView name)
{
    for (const DesignField &f : Fields)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

QString quotedValue(const QString &text)
{
    constexpr qsizetype Longest = 40;
    QString shown = text.left(Longest);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('?');
    }
    if (text.size() > Longest)
        shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

std::optional<DesignProblem> checkDesign(const ShedDesign &design)
{
    try {
        checkRanges(design);
    } catch (const Refused &r) {
        return r.problem;
    }
    return std::nullopt;
}

QString editDesign(ShedDesign &design, QStringView name, const QString &value)
{
    const DesignField *f = designField(name);
    if (!f)
        return QStringLiteral("The design has no value named %1.").arg(quotedValue(name.toString()));
    ShedDesign edited = design;
    edited.*f->member = value;
    const auto sentence = [](const DesignProblem &p) {
        return QStringLiteral("%1: %2.").arg(QLatin1String(p.field->label), p.problem);
    };
    // The edited value's own range first, so the sentence names what was typed.
    if (const auto problem = checkDesign(edited); problem && problem->field == f)
        return sentence(*problem);
    storeAlongside(edited, name);
    if (const auto problem = checkDesign(edited))
        return sentence(*problem);
    if (const auto broken = ruleBroken(edited)) {
        const auto before = checkDesign(design) ? std::nullopt : ruleBroken(design);
        if (!before || before->field != broken->field)
            return sentence(*broken);
    }
    design = std::move(edited);
    return {};
}

QString windowProblem(const ShedDesign &design, const Window &w)
{
    if (checkDesign(design))
        return QStringLiteral("The window cannot be placed until the design's values are sound.");
    const bool across = w.wall == WindowWall::Front || w.wall == WindowWall::Rear;
    const double wall = 12 * (across ? design.ShedWidth : design.ShedDepth).toDouble();
    const double top = 12 * design.InnerHeight.toDouble();
    const QString which = QStringLiteral("The window on the %1 wall").arg(wallName(w.wall));
    if (!(w.width > 0 && w.height > 0 && w.sill >= 0 && w.center >= 0))
        return QStringLiteral("%1 needs a width and a height above 0, and a centre and a sill of 0 or more.")
            .arg(which);
    if (w.center - w.width / 2 < 0 || w.center + w.width / 2 > wall)
        return QStringLiteral("%1 reaches past the wall's ends: the wall is %2 in long.").arg(which).arg(wall);
    if (w.sill + w.height > top)
        return QStringLiteral("%1 reaches above the walls, which are %2 in high.").arg(which).arg(top);
    return {};
}

} // namespace corvelle::shed
