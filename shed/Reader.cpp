#include "shed/Reader.h"

#include "core/ShedDataFormat.h"
#include "shed/Rules.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace corvelle::shed {

namespace {

// Far beyond the 63 lines the wizard writes (about 2.5 kB), so a stray large file is
// refused before it is decoded.
constexpr qsizetype MaxFileBytes = 64 * 1024;
// The largest shed framed: the wizard allows 50 ft; a hand-edited file may go further.
constexpr double MaxSideFeet = 100;
constexpr double MaxWallFeet = 30;

struct Refusal {
    int line;
    QString what;
};

class Values {
public:
    explicit Values(const shedfile::Contents &c) : c_(c) {}

    // The value field without its blanks, as the host's macro reads it.
    QString text(int line) const { return c_.value(line).remove(QLatin1Char(' ')); }

    double number(int line, const char *what) const
    {
        const QString t = text(line);
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v))
            throw Refusal{line, QStringLiteral("the %1 \"%2\" is not a number").arg(QLatin1String(what), c_.value(line))};
        return v;
    }

    // A length that must be positive; otherwise the stated default, with a warning.
    double positive(int line, const char *what, double unitInches, double fallback, QStringList &warnings) const
    {
        if (text(line).isEmpty()) {
            warnings << QStringLiteral("line %1: no %2 given; %3 used.").arg(line).arg(QLatin1String(what)).arg(fallback);
            return fallback * unitInches;
        }
        const double v = number(line, what);
        if (v <= 0) {
            warnings << QStringLiteral("line %1: a %2 of %3 cannot be built; %4 used.")
                            .arg(line).arg(QLatin1String(what)).arg(v).arg(fallback);
            return fallback * unitInches;
        }
        return v * unitInches;
    }

private:
    const shedfile::Contents &c_;
};

Sides sides(const QString &text, int line, const char *what, QStringList &warnings)
{
    if (text == u"Front")
        return Sides::Front;
    if (text == u"Rear")
        return Sides::Rear;
    if (text == u"Both")
        return Sides::Both;
    if (text != u"None")
        warnings << QStringLiteral("line %1: %2 \"%3\" is none of None, Front, Rear and Both; none is built.")
                        .arg(line).arg(QLatin1String(what), text);
    return Sides::None;
}

Design read(const shedfile::Contents &c)
{
    const Values v(c);
    Design d;
    QStringList &w = d.warnings;

    d.width = v.number(1, "shed width") * 12;
    d.depth = v.number(2, "shed depth") * 12;
    for (auto [line, size, what] : {std::tuple{1, d.width, "shed width"}, std::tuple{2, d.depth, "shed depth"}}) {
        if (size <= 0 || size > MaxSideFeet * 12)
            throw Refusal{line, QStringLiteral("a %1 of %2 ft cannot be framed (more than 0 and at most %3 ft)")
                                    .arg(QLatin1String(what)).arg(size / 12).arg(MaxSideFeet)};
    }
    d.wallHeight = v.positive(3, "shed height", 12, 8, w);

    const QString floor = v.text(4);
    if (floor == u"0")
        d.floor = FloorType::Gravel;
    else if (floor == u"2")
        d.floor = FloorType::Wood;
    else if (floor == u"3")
        d.floor = FloorType::Blocks;
    else {
        d.floor = FloorType::Concrete;
        if (floor != u"1")
            w << QStringLiteral("line 4: floor type \"%1\" is none of 0 to 3; a concrete floor is drawn.").arg(floor);
    }
    d.lumber = v.text(5) == u"1" ? Lumber::TwoByFour : Lumber::TwoBySix;
    d.joistWidth = v.positive(6, "joist width", 1, 1.5, w);
    d.joistHeight = v.positive(8, "joist height", 1, 5.5, w);
    d.joistCenters = v.positive(9, "joist spacing", 1, 16, w);
    d.slabThickness = d.floor == FloorType::Concrete ? v.positive(10, "slab thickness", 1, 4, w) : 0;
    d.sheetLength = v.positive(11, "plywood length", 12, 8, w);
    d.sheetWidth = v.positive(12, "plywood width", 12, 4, w);
    d.deckThickness = v.positive(13, "plywood thickness", 1, 0.75, w);
    if (d.floor == FloorType::Blocks) {
        if (v.text(14).isEmpty()) {
            d.blockRows = 1;
            w << QStringLiteral("line 14: no number of block rows given on a block floor; one course is laid.");
        } else {
            const double rows = v.number(14, "number of block rows");
            d.blockRows = int(std::lround(rows));
            if (rows < 1 || rows > 3 || rows != std::floor(rows)) {
                d.blockRows = std::clamp(d.blockRows, 1, 3);
                w << QStringLiteral("line 14: %1 block rows is none of 1, 2 and 3; %2 laid.").arg(rows).arg(d.blockRows);
            }
        }
    }
    d.blockWidth = v.positive(15, "block width", 1, 7.75, w);
    d.blockHeight = v.positive(16, "block height", 1, 7.75, w);
    d.blockLength = v.positive(17, "block length", 1, 16, w);
    d.studDepth = v.positive(21, "stud width", 1, 5.5, w);
    d.studThickness = v.positive(22, "stud depth", 1, 1.5, w);
    d.studCenters = v.positive(24, "stud spacing", 1, 16, w);
    if (d.studCenters > 24) {
        w << QStringLiteral("line 24: studs %1 in apart leave the siding unsupported; 24 in centres used.").arg(d.studCenters);
        d.studCenters = 24;
    }
    d.innerHeight = v.positive(25, "inner height", 12, 8, w);
    if (d.innerHeight > MaxWallFeet * 12)
        throw Refusal{25, QStringLiteral("walls %1 ft high cannot be framed (at most %2 ft)").arg(d.innerHeight / 12).arg(MaxWallFeet)};

    const QString inWall = v.text(31);
    d.lining = inWall == u"1";
    if (inWall != u"0" && inWall != u"1")
        w << QStringLiteral("line 31: inner wall type \"%1\" is neither 0 nor 1; the walls are left unlined.").arg(inWall);
    d.liningThickness = v.positive(34, "wall board thickness", 1, 0.5, w);

    d.sidingWidth = v.positive(40, "siding width", 12, 8, w);
    d.sidingHeight = v.positive(41, "siding height", 12, 0.5, w);
    d.sidingThickness = v.positive(42, "siding thickness", 1, 0.5, w);
    const QString siding = v.text(43);
    if (siding == u"Vertical")
        d.siding = Siding::Vertical;
    else if (siding == u"Plywood")
        d.siding = Siding::Plywood;
    else if (siding == u"Tin")
        d.siding = Siding::Tin;
    else {
        d.siding = Siding::Vinyl;
        if (siding != u"Vinyl")
            w << QStringLiteral("line 43: siding \"%1\" is none of Vinyl, Vertical, Plywood and Tin; lap siding is drawn.").arg(siding);
    }
    d.outerWallMaterial = c.value(44);

    d.door = sides(c.value(45), 45, "the door location", w);
    if (d.door != Sides::None) {
        d.doorWidth = v.positive(47, "door width", 12, 3, w);
        d.doorHeight = v.positive(48, "door height", 12, 6, w);
    } else {
        d.doorWidth = v.text(47).isEmpty() ? 0 : std::max(0.0, v.number(47, "door width") * 12);
        d.doorHeight = v.text(48).isEmpty() ? 0 : std::max(0.0, v.number(48, "door height") * 12);
    }
    d.doorThickness = v.positive(49, "door thickness", 1, 6, w);
    d.ramp = sides(c.value(50), 50, "the ramp location", w);
    d.rampLength = v.positive(52, "ramp length", 12, 8, w);
    if (d.ramp != Sides::None) {
        if (d.floor == FloorType::Gravel)
            w << QStringLiteral("line 50: a shed on gravel has no floor to ramp up to; no ramp is built.");
        else if ((hasFront(d.ramp) && !hasFront(d.door)) || (hasRear(d.ramp) && !hasRear(d.door)))
            w << QStringLiteral("line 50: a ramp is built only in front of a door; none where the wall has no door.");
    }

    const QString roof = c.value(53);
    if (roof == u"Barn")
        d.roof = RoofType::Barn;
    else {
        d.roof = RoofType::Gable;
        if (roof.isEmpty())
            w << QStringLiteral("line 53: no roof type chosen; drawn as a gable roof");
        else if (roof != u"Gable")
            w << QStringLiteral("line 53: roof type \"%1\" is neither Gable nor Barn; drawn as a gable roof").arg(roof);
    }
    d.roofSupportHeight = v.positive(55, "roof support height", 1, 5.5, w);
    d.roofSupportDepth = v.positive(56, "roof support depth", 1, 2.5, w);
    d.roofSupportSpacing = v.positive(57, "roof support spacing", 1, 16, w);
    // Lines 58 and 59 say feet, but a 12 ft overhang is no shed's: a builder reads inches.
    const auto overhang = [&](int line, const char *what, const char *where) {
        const double value = v.number(line, what);
        if (value <= 3)
            return std::max(0.0, value * 12);
        d.inchReadings.append({line, what, where, value});
        return value;
    };
    d.overhangX = overhang(58, "roof overhang", "along the width");
    d.overhangZ = overhang(59, "rake overhang", "at the gables");
    d.roofThickness = v.positive(60, "roof sheathing thickness", 1, 0.5, w);
    const QString trusses = v.text(61);
    d.trusses = trusses != u"0";
    if (trusses != u"0" && trusses != u"1")
        w << QStringLiteral("line 61: trusses \"%1\" is neither 0 nor 1; the roof is framed with trusses.").arg(trusses);
    const QString shading = v.text(63);
    const int mode = shading.toInt();
    if (mode >= 1 && mode <= 4 && shading.size() == 1)
        d.shading = static_cast<Shading>(mode);
    else
        w << QStringLiteral("line 63: shading \"%1\" is none of 1 to 4; drawn smooth-shaded.").arg(shading);
    return d;
}

} // namespace

QStringList designNotes(const Design &d, Units units)
{
    QStringList notes;
    if (d.door != Sides::None)
        notes << QStringLiteral("line 49: a door %1 thick is read as the depth of its jambs; the leaves are built %2 "
                                "thick.")
                     .arg(units.inches(d.doorThickness), units.inches(rules::DoorLeafThickness));
    for (const Design::InchReading &r : d.inchReadings)
        notes << QStringLiteral("line %1: a %2 of %3 ft %4 is read as %5, as a builder would.")
                     .arg(r.line)
                     .arg(QLatin1String(r.what))
                     .arg(r.value)
                     .arg(QLatin1String(r.where), units.inches(r.value));
    return notes;
}

ReadResult readDesign(const QByteArray &bytes, Units units)
{
    ReadResult result;
    if (bytes.size() > MaxFileBytes) {
        result.error = QStringLiteral("%1 is %2 bytes, far larger than a shed data file; it is not one.")
                           .arg(shedfile::FileName).arg(bytes.size());
        return result;
    }
    const shedfile::Check check = shedfile::check(bytes);
    if (!check.ok()) {
        result.error = check.error;
        result.line = check.errorLine;
        if (!result.error.endsWith(QLatin1Char('.')))
            result.error += QLatin1Char('.');
        return result;
    }
    try {
        result.design = read(check.contents);
        result.design->notes = designNotes(*result.design, units);
    } catch (const Refusal &r) {
        result.line = r.line;
        result.error = QStringLiteral("%1 line %2: %3.").arg(shedfile::FileName).arg(r.line).arg(r.what);
    }
    return result;
}

} // namespace corvelle::shed
