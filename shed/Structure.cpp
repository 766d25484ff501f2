#include "Structure.h"

#include "Export.h"
#include "Framing.h"
#include "Headers.h"
#include "Lumber.h"
#include "Rules.h"
#include "Spans.h"
#include "Studs.h"
#include "framing/Context.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace corvelle::shed {

namespace r = rules;

namespace {

constexpr double Eps = 1e-6;
constexpr double Depths[] = {3.5, 5.5, 7.25, 9.25, 11.25};

// Wood structural panels by the least nominal thickness of each span rating: the roof
// span without edge support and the floor span (residential code Table R503.2.1.1(1)).
struct PanelRating {
    double thickness;
    const char *rating;
    double roof, floor;
};
constexpr PanelRating Panels[] = {
    {5.0 / 16, "12/0", 12, 0},    {3.0 / 8, "24/0", 20, 0},     {7.0 / 16, "24/16", 24, 16},
    {15.0 / 32, "32/16", 28, 16}, {19.0 / 32, "40/20", 32, 20}, {23.0 / 32, "48/24", 36, 24},
};

const PanelRating *panelFor(double thickness)
{
    const PanelRating *best = nullptr;
    for (const PanelRating &p : Panels) {
        if (thickness >= p.thickness - 1.0 / 64)
            best = &p;
    }
    return best;
}

QString money(double v) { return QStringLiteral("$%1").arg(std::max(0.0, v), 0, 'f', 0); }

struct Option {
    QString text;
    double cost;
};

// The cheapest of the options that pass, as "2x8 joists (about $120 more)".
QString cheapest(const QList<Option> &options)
{
    const Option *best = nullptr;
    for (const Option &o : options) {
        if (!best || o.cost < best->cost)
            best = &o;
    }
    if (!best)
        return {};
    return best->cost > 0.5 ? QStringLiteral("%1 (about %2 more)").arg(best->text, money(best->cost)) : best->text;
}

class Checker {
public:
    Checker(const Model &model, const PriceTable &table, Units shown)
        : m(model), d(model.design), loads(model.loads), prices(table), units(shown)
    {
    }
    StructureReport run();

private:
    double perFoot(const QString &section) const { return prices.prices.value(section).price; }
    double perSheet(const QString &stock) const { return prices.prices.value(stock).price; }
    QList<int> membersOf(std::function<bool(const Member &)> pick) const;
    spans::Member lumber(double thickness, double depth, double spacing) const
    {
        return {loads.species, thickness, depth, spacing, true};
    }
    void add(CheckRow row)
    {
        row.ratio = row.allowed > 0 ? row.span / row.allowed : 0;
        row.size = units.stock(row.size);
        rows.append(std::move(row));
    }

    void floorJoists();
    void floorDeck();
    void studs();
    void openingHeaders();
    void rafters();
    void trussChords();
    void ramps();
    void roofSheathing();
    void roofSlope();
    void permit();

    const Model &m;
    const Design &d;
    const SiteLoads &loads;
    const PriceTable &prices;
    const Units units;
    QList<CheckRow> rows;
};

QList<int> Checker::membersOf(std::function<bool(const Member &)> pick) const
{
    QList<int> out;
    for (int i = 0; i < m.members.size(); ++i) {
        if (pick(m.members[i]))
            out.append(i);
    }
    return out;
}

void Checker::floorJoists()
{
    if (d.floor != FloorType::Wood && d.floor != FloorType::Blocks)
        return;
    // The joists span between the skids: the widest clear gap between them.
    QList<double> skids;
    for (const Member &mb : m.members) {
        if (mb.kind == MemberKind::Skid && !skids.contains(double(mb.position.z())))
            skids.append(mb.position.z());
    }
    std::sort(skids.begin(), skids.end());
    double span = d.depth;
    if (skids.size() > 1) {
        span = 0;
        for (qsizetype i = 1; i < skids.size(); ++i)
            span = std::max(span, skids[i] - skids[i - 1] - r::SkidWidth);
    }
    const spans::LoadCase load = spans::floorCase(loads);
    const double allowed = spans::allowableSpan(lumber(d.joistWidth, d.joistHeight, d.joistCenters), load);
    CheckRow row{QStringLiteral("floor joists"),
                 QStringLiteral("joists"),
                 nominalSection(d.joistWidth, d.joistHeight),
                 d.joistCenters,
                 span,
                 allowed,
                 0,
                 span <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
                 QStringLiteral("floor joists, %1 psf live, %2 dead, L/360 (residential code Table R502.3.1(2) method)")
                     .arg(loads.floorLive)
                     .arg(loads.floorDead),
                 {},
                 membersOf([](const Member &mb) { return mb.kind == MemberKind::Joist; })};
    if (row.result == Verdict::Fail) {
        const double count = std::ceil(d.width / d.joistCenters), feet = d.depth / 12;
        const QString now = nominalSection(d.joistWidth, d.joistHeight) + QStringLiteral(" PT");
        QList<Option> options;
        for (double depth : Depths) {
            if (depth > d.joistHeight + Eps
                && spans::allowableSpan(lumber(d.joistWidth, depth, d.joistCenters), load) >= span) {
                const QString section = nominalSection(d.joistWidth, depth);
                options.append({section + QStringLiteral(" joists"),
                                count * feet * (perFoot(section + QStringLiteral(" PT")) - perFoot(now))});
                break;
            }
        }
        // The widest closer spacing that passes costs least of the spacings.
        for (double spacing : {16.0, 12.0}) {
            if (spacing < d.joistCenters - Eps
                && spans::allowableSpan(lumber(d.joistWidth, d.joistHeight, spacing), load) >= span) {
                options.append({QStringLiteral("joists at %1 centres").arg(units.inches(spacing)),
                                (std::ceil(d.width / spacing) - count) * feet * perFoot(now)});
                break;
            }
        }
        // Skids close enough that the joists span no more than they may.
        if (allowed > r::SkidWidth) {
            const int need = int(std::ceil((d.depth - r::SkidWidth) / (allowed + r::SkidWidth) - Eps)) + 1;
            const int more = std::max(1, need - int(skids.size()));
            options.append(
                {QStringLiteral("%1 more skid%2 under the joists")
                     .arg(more)
                     .arg(more > 1 ? QStringLiteral("s") : QString()),
                 more * d.width / 12 * perFoot(nominalSection(r::SkidWidth, r::SkidDepth) + QStringLiteral(" PT"))});
        }
        row.suggestion = cheapest(options);
    }
    add(row);
}

void Checker::floorDeck()
{
    if (d.floor != FloorType::Wood && d.floor != FloorType::Blocks)
        return;
    const PanelRating *p = panelFor(d.deckThickness);
    const double allowed = p ? p->floor : 0;
    const QString stock = fraction(d.deckThickness) + QStringLiteral(" in plywood");
    CheckRow row{QStringLiteral("floor deck"),
                 QStringLiteral("deck sheets"),
                 stock,
                 d.joistCenters,
                 d.joistCenters,
                 allowed,
                 0,
                 d.joistCenters <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
                 QStringLiteral("floor sheathing span rating %1 (residential code Table R503.2.1.1(1))")
                     .arg(p ? QString::fromLatin1(p->rating) : QStringLiteral("none")),
                 {},
                 membersOf([](const Member &mb) { return mb.kind == MemberKind::DeckSheet; })};
    if (row.result == Verdict::Fail) {
        const double sheets = std::ceil(d.width * d.depth / (d.sheetWidth * d.sheetLength));
        for (double t : {0.5, 0.625, 0.75}) {
            const PanelRating *q = panelFor(t);
            if (q && q->floor >= d.joistCenters) {
                const QString better = fraction(t) + QStringLiteral(" in plywood");
                row.suggestion = cheapest(
                    {{units.stock(better) + QStringLiteral(" deck"), sheets * (perSheet(better) - perSheet(stock))}});
                break;
            }
        }
    }
    add(row);
}

void Checker::studs()
{
    const QString size = nominalSection(d.studThickness, d.studDepth);
    // The side walls carry the roof: half its span and the eave.
    const auto wall = [&](double depth, double spacing) {
        return studs::Wall{loads.species, d.studThickness, depth, spacing, d.width / 2 + d.overhangX};
    };
    // The stud table covers 2x4 and deeper up to 10 ft at 24 in centres; within it each stud
    // must still carry this roof as a column (a wide roof or heavy snow may be more than
    // the table's loads).
    const bool bearingSize = d.studDepth >= 3.5 - Eps;
    const bool spacingOk = d.studCenters <= r::MaxBearingStudSpacing + Eps;
    const double column = studs::columnHeight(wall(d.studDepth, d.studCenters), loads);
    const double allowed = bearingSize && spacingOk ? std::min(r::MaxBearingStudHeight, column) : 0;
    const bool tall = d.innerHeight > r::MaxBearingStudHeight + Eps;
    CheckRow row{
        QStringLiteral("studs"),
        QStringLiteral("wall studs"),
        size,
        d.studCenters,
        d.innerHeight,
        allowed,
        0,
        d.innerHeight <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
        QStringLiteral("bearing wall, roof only: 2x4 or deeper up to %1 at %2 centres (residential code Table "
                       "R602.3(5)); each stud a column under the roof's load (national design specification 3.7.1)")
            .arg(units.feet(r::MaxBearingStudHeight), units.inches(r::MaxBearingStudSpacing)),
        {},
        membersOf([](const Member &mb) {
            return mb.layer == Layer::Framing && (mb.kind == MemberKind::Stud || mb.kind == MemberKind::KingStud);
        })};
    if (row.result == Verdict::Fail) {
        if (tall) {
            // Past the table's height the studs need wind design too, which this check
            // does not do: the change that passes is the table's height.
            row.suggestion =
                QStringLiteral("walls no higher than %1 (the stud table's limit; taller studs designed for wind by an "
                               "engineer)")
                    .arg(units.length(r::MaxBearingStudHeight));
        } else if (!bearingSize) {
            row.suggestion = QStringLiteral("2x4 studs");
        } else if (!spacingOk) {
            row.suggestion = QStringLiteral("studs at %1 centres").arg(units.inches(r::MaxBearingStudSpacing));
        } else {
            // The roof is too heavy for these studs: closer centres or deeper studs.
            const double perimeter = 2 * (d.width + d.depth);
            const auto cost = [&](double depth, double spacing) {
                return perimeter / spacing * d.innerHeight / 12 * perFoot(nominalSection(d.studThickness, depth));
            };
            const double now = cost(d.studDepth, d.studCenters);
            QList<Option> options;
            for (double dd : Depths) {
                for (double spacing : {d.studCenters, 16.0, 12.0}) {
                    if (dd < d.studDepth - Eps || spacing > d.studCenters + Eps
                        || (dd == d.studDepth && spacing == d.studCenters))
                        continue;
                    if (studs::columnHeight(wall(dd, spacing), loads) >= d.innerHeight - Eps) {
                        options.append(
                            {QStringLiteral("%1 studs at %2 centres")
                                 .arg(units.stock(nominalSection(d.studThickness, dd)), units.inches(spacing)),
                             cost(dd, spacing) - now});
                        break;
                    }
                }
            }
            row.suggestion = cheapest(options);
            if (row.suggestion.isEmpty())
                row.suggestion = QStringLiteral("studs designed by an engineer");
        }
    }
    add(row);
}

void Checker::openingHeaders()
{
    // The openings as the framing lays them out, each under the header it was given.
    const framing::Context framed(d, loads, units);
    for (Wall w : framing::FramingOrder) {
        for (const framing::Opening &o : framed.run(w).openings) {
            const headers::Choice &c = o.header;
            QString size = c.size;
            if (c.spacer > Eps)
                size += QStringLiteral(", %1 spacer").arg(units.inches(c.spacer));
            size +=
                QStringLiteral(", %1 jack%2 each end").arg(c.jacks).arg(c.jacks > 1 ? QStringLiteral("s") : QString());
            QString member = QStringLiteral("%1 door header").arg(wallName(w));
            if (o.window)
                member =
                    QStringLiteral("%1 window %2 header").arg(wallName(w)).arg(d.windows.indexOf(*o.window) + 1);
            QString rule =
                QStringLiteral("header in an exterior bearing wall, roof and ceiling, %1 psf ground snow, %2 "
                               "wide (residential code (2021) Table R602.7(1))")
                    .arg(loads.groundSnow)
                    .arg(units.feet(d.width));
            if (c.unbraced)
                rule +=
                    QStringLiteral("; cripples on its top: %1 of the span (footnote f)").arg(r::UnbracedHeaderShare);
            CheckRow row{QStringLiteral("header"),
                         member,
                         size,
                         0,
                         o.width(),
                         c.allowed,
                         0,
                         c.engineered ? Verdict::Fail : Verdict::Pass,
                         rule,
                         {},
                         membersOf([&](const Member &mb) {
                             const double u = isEndWall(w) ? mb.position.x() : mb.position.z();
                             return (mb.kind == MemberKind::Header || mb.kind == MemberKind::HeaderSpacer
                                     || mb.kind == MemberKind::JackStud)
                                    && mb.wall == w && u > o.framingLeft() - Eps && u < o.framingRight() + Eps;
                         })};
            if (c.engineered) {
                row.suggestion =
                    c.allowed > 0
                        ? QStringLiteral("an engineered header (LVL) sized by its maker or an engineer, or a rough "
                                         "opening no wider than %1")
                              .arg(units.inches(c.allowed))
                        : QStringLiteral("an engineered header (LVL) sized by its maker or an engineer");
            }
            add(row);
        }
    }
}

void Checker::rafters()
{
    const double t = d.roofSupportDepth, depth = d.roofSupportHeight, s = d.roofSupportSpacing;
    const spans::Member rafter = lumber(t, depth, s);
    const QString size = nominalSection(t, depth);
    const bool gambrel = d.roof == RoofType::Barn;
    const double upper = gambrel ? r::GambrelUpperPitch : r::GablePitch;
    const double lower = gambrel ? r::GambrelLowerPitch : r::GablePitch;
    // Horizontal span from the wall's outer face to the ridge board; a gambrel's knee
    // is not a support.
    const double span = d.width / 2 - r::Ply / 2;
    const double allowed = spans::allowableRafterSpan(rafter, loads);
    const double frames = std::ceil(d.depth / s) + 1;
    const double rafterFeet = 2 * frames * span * std::sqrt(1 + lower * lower) / 12;
    CheckRow row{
        QStringLiteral("rafters"),
        QStringLiteral("rafters"),
        size,
        s,
        span,
        allowed,
        0,
        span <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
        QStringLiteral("rafters, %1 psf roof live or %2 psf snow, %3 dead, ceiling not attached, L/180 (residential "
                       "code (2021) Tables R802.4.1(1) to (8) method)")
            .arg(loads.roofLive)
            .arg(loads.groundSnow)
            .arg(loads.roofDead),
        {},
        membersOf([](const Member &mb) { return mb.kind == MemberKind::Rafter; })};
    if (row.result == Verdict::Fail) {
        QList<Option> options;
        const double now = rafterFeet * perFoot(size);
        for (double thick : {t, 1.5}) {
            for (double dd : Depths) {
                for (double spacing : {s, 16.0, 12.0}) {
                    const QString section = nominalSection(thick, dd);
                    if (spacing > s + Eps || !prices.prices.contains(section)
                        || spans::allowableRafterSpan(lumber(thick, dd, spacing), loads) < span)
                        continue;
                    const double feet = rafterFeet * (std::ceil(d.depth / spacing) + 1) / frames;
                    options.append({spacing < s - Eps ? QStringLiteral("%1 rafters at %2 centres")
                                                            .arg(units.stock(section), units.inches(spacing))
                                                      : QStringLiteral("%1 rafters").arg(units.stock(section)),
                                    feet * perFoot(section) - now});
                }
            }
        }
        row.suggestion =
            options.isEmpty() ? QStringLiteral("trusses designed by their maker or an engineer") : cheapest(options);
    }
    add(row);

    // The ridge board carries the rafters' whole plumb cut.
    const QList<int> ridge = membersOf([](const Member &mb) { return mb.kind == MemberKind::RidgeBoard; });
    if (!ridge.isEmpty()) {
        const Member &rb = m.members[ridge.first()];
        const double plumb = depth * std::sqrt(1 + upper * upper), have = rb.size.y();
        CheckRow rr{
            QStringLiteral("ridge"),
            QStringLiteral("ridge board"),
            rb.stock,
            0,
            plumb,
            have,
            0,
            plumb <= have + Eps ? Verdict::Pass : Verdict::Fail,
            QStringLiteral("ridge board no shallower than the rafters' plumb cut, a 1x board at least (residential "
                           "code R802.3)"),
            {},
            ridge};
        if (rr.result == Verdict::Fail) {
            for (double dd : Depths) {
                if (dd >= plumb) {
                    rr.suggestion = QStringLiteral("a %1 ridge board").arg(units.stock(nominalSection(r::Ply, dd)));
                    break;
                }
            }
        }
        add(rr);
    }

    // Rafter ties keep the walls from spreading: at most 4 ft apart, in the lower third;
    // the framing ties every pair.
    const double tieSpacing = s;
    CheckRow tr{
        QStringLiteral("ties"),
        gambrel ? QStringLiteral("knee ties") : QStringLiteral("rafter ties"),
        nominalSection(r::Ply, r::TieDepth),
        tieSpacing,
        tieSpacing,
        r::MaxTieSpacing,
        0,
        tieSpacing <= r::MaxTieSpacing + Eps ? Verdict::Pass : Verdict::Fail,
        QStringLiteral("rafter ties in the lower third of the rise, at most %1 apart (residential code R802.5.2)")
            .arg(units.feet(r::MaxTieSpacing)),
        {},
        membersOf([](const Member &mb) { return mb.kind == MemberKind::CollarTie; })};
    if (tr.result == Verdict::Fail)
        tr.suggestion = QStringLiteral("a tie on every rafter pair");
    add(tr);
}

void Checker::trussChords()
{
    const double t = d.roofSupportDepth, depth = d.roofSupportHeight, s = d.roofSupportSpacing, W = d.width;
    const QString size = nominalSection(t, depth);
    const QList<int> chords = membersOf([](const Member &mb) { return mb.kind == MemberKind::TrussChord; });
    // The panel points of the left half, as the framing places the webs.
    QList<double> top, bottom;
    if (d.roof == RoofType::Barn) {
        const double knee = r::GambrelKneeShare * W / 2, mid = (knee + W / 2) / 2;
        top = {0, knee, mid, W / 2};
        bottom = {0, knee, W / 2};
    } else {
        top = {0, W / 4, W / 2};
        bottom = {0, W / 3, W / 2};
    }
    const double roofAllowed = spans::allowableRafterSpan(lumber(t, depth, s), loads);
    const double ceilingAllowed = spans::allowableSpan(lumber(t, depth, s), spans::ceilingCase());
    const auto panels = [&](const QList<double> &points, bool isTop) {
        for (qsizetype i = 1; i < points.size(); ++i) {
            const double span = points[i] - points[i - 1], allowed = isTop ? roofAllowed : ceilingAllowed;
            CheckRow row{
                QStringLiteral("truss chords"),
                QStringLiteral("%1 chord panel %2")
                    .arg(isTop ? QStringLiteral("top") : QStringLiteral("bottom"))
                    .arg(i),
                size,
                s,
                span,
                allowed,
                0,
                span <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
                isTop ? QStringLiteral("top chord panel as a rafter between panel points, %1 psf roof live or %2 psf "
                                       "snow, L/180 (span table method; axial force left to the truss design)")
                            .arg(loads.roofLive)
                            .arg(loads.groundSnow)
                      : QStringLiteral("bottom chord panel as a ceiling joist, 10 psf live, 5 dead, L/240 (residential "
                                       "code Table R802.5.1(1) method; tension left to the truss design)"),
                {},
                chords};
            if (row.result == Verdict::Fail) {
                for (double dd : Depths) {
                    const spans::Member deeper = lumber(t, dd, s);
                    const double a = isTop ? spans::allowableRafterSpan(deeper, loads)
                                           : spans::allowableSpan(deeper, spans::ceilingCase());
                    if (dd > depth + Eps && a >= span) {
                        row.suggestion = QStringLiteral("%1 chords").arg(nominalSection(t, dd));
                        break;
                    }
                }
                if (row.suggestion.isEmpty())
                    row.suggestion = QStringLiteral("another web to shorten the panel");
            }
            add(row);
        }
    };
    panels(top, true);
    panels(bottom, false);
    add({QStringLiteral("truss chords"), QStringLiteral("trusses"), size, s, 0, 0, 0, Verdict::Note,
         QStringLiteral("site-built trusses (residential code R802.10.1)"),
         QStringLiteral("trusses need truss design drawings from their maker or an engineer"), chords});
}

void Checker::ramps()
{
    const double t = r::Ply, depth = 5.5;
    const double rampW = d.doorWidth + 2 * r::RampSideMargin;
    const int stringers = int(std::ceil(rampW / r::MaxStringerSpacing - Eps)) + 1;
    const double spacing = (rampW - t) / (stringers - 1);
    const spans::LoadCase load{r::RampLiveLoad, r::RampDeadLoad, 360, lumber::DurationNormal};
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front))
            continue;
        const double span = d.rampLength, half = d.depth / 2;
        const double allowed = spans::allowableSpan(lumber(t, depth, spacing), load);
        CheckRow row{QStringLiteral("ramp stringers"),
                     front ? QStringLiteral("front ramp") : QStringLiteral("rear ramp"),
                     nominalSection(t, depth) + QStringLiteral(" PT"),
                     spacing,
                     span,
                     allowed,
                     0,
                     span <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
                     QStringLiteral("ramp stringers, %1 psf live, %2 dead, L/360 (residential code Table R507.6 loads)")
                         .arg(r::RampLiveLoad)
                         .arg(r::RampDeadLoad),
                     {},
                     membersOf([&](const Member &mb) {
                         return (mb.kind == MemberKind::RampStringer) && ((mb.position.z() < half) == front);
                     })};
        if (row.result == Verdict::Fail) {
            QList<Option> options;
            const double feet = stringers * span / 12;
            for (double dd : Depths) {
                if (dd > depth && spans::allowableSpan(lumber(t, dd, spacing), load) >= span) {
                    const QString section = nominalSection(t, dd) + QStringLiteral(" PT");
                    options.append({section + QStringLiteral(" stringers"),
                                    feet * (perFoot(section) - perFoot(QStringLiteral("2x6 PT")))});
                    break;
                }
            }
            if (spans::allowableSpan(lumber(t, depth, spacing), load) >= span / 2)
                options.append({QStringLiteral("a support across the stringers at mid-length"),
                                rampW / 12 * perFoot(QStringLiteral("4x6 PT"))});
            row.suggestion = cheapest(options);
        }
        add(row);
    }
}

void Checker::roofSheathing()
{
    const PanelRating *p = panelFor(d.roofThickness);
    const double allowed = p ? p->roof : 0, s = d.roofSupportSpacing;
    const QString stock = fraction(d.roofThickness) + QStringLiteral(" in plywood");
    CheckRow row{QStringLiteral("roof sheathing"),
                 QStringLiteral("roof sheets"),
                 stock,
                 s,
                 s,
                 allowed,
                 0,
                 s <= allowed + Eps ? Verdict::Pass : Verdict::Fail,
                 QStringLiteral("roof sheathing span rating %1, no edge support (residential code Table R503.2.1.1(1))")
                     .arg(p ? QString::fromLatin1(p->rating) : QStringLiteral("none")),
                 {},
                 membersOf([](const Member &mb) { return mb.kind == MemberKind::RoofSheet; })};
    if (row.result == Verdict::Fail) {
        for (double th : {0.375, 0.5, 0.625, 0.75}) {
            const PanelRating *q = panelFor(th);
            if (q && q->roof >= s) {
                row.suggestion =
                    QStringLiteral("%1 roof sheathing").arg(units.stock(fraction(th) + QStringLiteral(" in plywood")));
                break;
            }
        }
    }
    add(row);
}

void Checker::roofSlope()
{
    const double rise = lowestRoofPitch(d) * 12, least = r::MinShinglePitch * 12,
                 doubled = r::DoubleUnderlaymentBelow * 12;
    const Verdict v = rise < least - Eps ? Verdict::Fail : rise < doubled - Eps ? Verdict::Note : Verdict::Pass;
    CheckRow row{
        QStringLiteral("roof slope"),
        QStringLiteral("asphalt shingles"),
        QStringLiteral("%1:12").arg(rise),
        0,
        rise,
        least,
        0,
        v,
        QStringLiteral("asphalt shingles on 2:12 or steeper, two layers of underlayment below 4:12 (residential code "
                       "R905.2.2, R905.1.1)"),
        {},
        membersOf([](const Member &mb) { return mb.kind == MemberKind::RoofSheet; })};
    if (v == Verdict::Fail)
        row.suggestion = QStringLiteral("a roof of 2:12 or steeper, or a low-slope roofing");
    else if (v == Verdict::Note)
        row.suggestion = QStringLiteral("two layers of underlayment (the material list counts them)");
    row.ratio = rise > 0 ? least / rise : 0; // more slope is better
    rows.append(row);
}

void Checker::permit()
{
    const double area = d.width * d.depth / 144;
    CheckRow row{QStringLiteral("permit"),
                 QStringLiteral("floor area"),
                 units.area(d.width * d.depth),
                 0,
                 0,
                 0,
                 0,
                 area <= r::PermitExemptBuilding + Eps ? Verdict::Pass : Verdict::Note,
                 QStringLiteral("one-storey accessory building exempt from a permit up to %1 (residential code R105.2) "
                                "or %2 (building code 105.2 and many local amendments)")
                     .arg(units.area(r::PermitExemptResidential * 144), units.area(r::PermitExemptBuilding * 144)),
                 {},
                 {}};
    row.ratio = area / r::PermitExemptResidential;
    if (area > r::PermitExemptResidential + Eps)
        row.suggestion = QStringLiteral("over %1: a building permit is needed under both codes")
                             .arg(units.area(r::PermitExemptResidential * 144));
    else if (row.result == Verdict::Note)
        row.suggestion =
            QStringLiteral("over %1: exempt under the residential code's %2, but where the building code's %1 "
                           "applies a permit is needed; ask the permit office")
                .arg(units.area(r::PermitExemptBuilding * 144), units.area(r::PermitExemptResidential * 144));
    rows.append(row);
}

StructureReport Checker::run()
{
    floorJoists();
    floorDeck();
    studs();
    openingHeaders();
    if (d.trusses)
        trussChords();
    else
        rafters();
    ramps();
    roofSheathing();
    roofSlope();
    permit();
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CheckRow &a, const CheckRow &b) { return a.result < b.result; });
    return {loads, rows, units};
}

QByteArray number(double v, int decimals)
{
    QByteArray s = QByteArray::number(v, 'f', decimals);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s;
}

} // namespace

QString verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Fail:
        return QStringLiteral("fail");
    case Verdict::Note:
        return QStringLiteral("note");
    case Verdict::Pass:
        return QStringLiteral("pass");
    }
    return {};
}

int StructureReport::failures() const
{
    return int(std::count_if(rows.begin(), rows.end(), [](const CheckRow &r) { return r.result == Verdict::Fail; }));
}

QStringList StructureReport::failureSentences() const
{
    QStringList out;
    for (const CheckRow &row : rows) {
        if (row.result != Verdict::Fail)
            continue;
        QString s = QStringLiteral("Structure: the %1 (%2) fail%3")
                        .arg(row.member, row.size, row.member.endsWith(u's') ? QString() : QStringLiteral("s"));
        if (row.check == u"roof slope")
            s += QStringLiteral(": %1:12 where %2:12 is the least")
                     .arg(decimalText(row.span, 2), decimalText(row.allowed, 2));
        else if (row.allowed > 0)
            s += QStringLiteral(": %1 where %2 is allowed").arg(units.length(row.span), units.length(row.allowed));
        s += QStringLiteral(" by %1").arg(row.rule);
        if (!row.suggestion.isEmpty())
            s += QStringLiteral("; use %1").arg(row.suggestion);
        out << s + QLatin1Char('.');
    }
    return out;
}

StructureReport checkStructure(const Model &model, const PriceTable &prices, Units units)
{
    return Checker(model, prices, units).run();
}

QByteArray structureCsv(const StructureReport &report)
{
    QByteArray out = "check,member,size,spacing_in,span_in,allowed_in,ratio,result,rule,suggestion\n";
    const auto length = [](double v) { return v > 0 ? number(v, 2) : QByteArray(); };
    for (const CheckRow &r : report.rows) {
        out += csvField(r.check) + ',' + csvField(r.member) + ',' + csvField(r.size) + ',' + length(r.spacing) + ','
               + length(r.span) + ',' + length(r.allowed) + ',' + (r.ratio > 0 ? number(r.ratio, 2) : QByteArray())
               + ',' + verdictName(r.result).toUtf8() + ',' + csvField(r.rule) + ',' + csvField(r.suggestion) + '\n';
    }
    return out;
}

} // namespace corvelle::shed
