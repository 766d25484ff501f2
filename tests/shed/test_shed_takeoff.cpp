// Takeoff of three reference designs, every figure worked out by hand below from the
// framing rules (shed/Rules.h), and the price table's failure modes.
#include "ShedFiles.h"

#include "shed/Cutting.h"
#include "shed/Framing.h"
#include "shed/Reader.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"
#include "shed/Warnings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace corvelle;
using namespace corvelle::shed;

namespace {

Model modelOf(const ShedDesign &record)
{
    const ReadResult r = readDesign(testing::fileOf(record));
    if (!r.design)
        qFatal("reference design refused: %s", qPrintable(r.error));
    return buildModel(*r.design);
}

const MaterialRow *row(const Takeoff &t, const QString &item)
{
    for (const MaterialRow &r : t.materials) {
        if (r.item == item)
            return &r;
    }
    return nullptr;
}

double quantity(const Takeoff &t, const QString &item)
{
    const MaterialRow *r = row(t, item);
    return r ? r->quantity : -1;
}

int boxes(const Model &m, MemberKind kind)
{
    return int(std::count_if(m.members.begin(), m.members.end(),
                             [&](const Member &x) { return x.kind == kind && x.profile.isEmpty(); }));
}

} // namespace

class TestShedTakeoff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample();
    void hardwareOfTheWorkedExample();
    void gravelBarnOnRafters();
    void blockFloorBothDoors();
    void lumberIsPackedIntoStockLengths();
    void priceTableProblems();
    void metricQuantitiesAndNames();
};

// 12 x 16 ft (W 144, D 192 in), 6 in slab, 2x6 studs (5.5 deep) at 16 in, 10 ft walls,
// front door 4 x 7 ft, front ramp, gable trusses at 16 in.
void TestShedTakeoff::workedExample()
{
    const Model m = modelOf(testing::workedExample());
    const Takeoff t = takeoff(m, defaultPrices());

    // Concrete: 144 x 192 x 6 = 165,888 cu in = 96 cu ft = 3.556 cu yd; +10 % = 3.911,
    // ordered by the quarter yard: 4.0. Bags: 105.6 cu ft / 0.6 = 176.
    QCOMPARE(quantity(t, "ready-mix concrete"), 4.0);
    QCOMPARE(quantity(t, "concrete mix 80 lb bag"), 176.0);
    QVERIFY(row(t, "ready-mix concrete")->inTotal);
    QVERIFY(!row(t, "concrete mix 80 lb bag")->inTotal);

    // Front wall (0..144): end studs at 0 and 142.5, corner backers at 5.5 and 133. Rough
    // opening 48 + 2 = 50 centred: 47..97; kings at 44 and 98.5, jacks at 45.5 and 97.
    // Layout edges 16k - 0.75: 15.25, 31.25 | 47.25, 63.25, 79.25, 95.25 over the
    // header -> cripples | 111.25, 127.25: 8 studs, 4 cripples.
    // Back wall: 4 + 8 layout = 12. Side walls 5.5..186.5: ends at 5.5 and 185, layout
    // 15.25 .. 175.25 (k = 1..11): 13 each, 26. Walls: 8 + 12 + 26 = 46.
    // Gable ends: layout k = 1..8 where the truss top chord stands 2 in or more over the
    // bottom chord (x >= 4): 8 a gable, 16. Studs: 46 + 16 = 62.
    QCOMPARE(m.count(MemberKind::Stud), 62);
    QCOMPARE(m.count(MemberKind::KingStud), 2);
    QCOMPARE(m.count(MemberKind::JackStud), 2);
    QCOMPARE(m.count(MemberKind::Cripple), 4);
    // Header: span 50 in at 30 psf ground snow on a 12 ft building: 2-2x4 spans 4-0 and
    // 2-2x6 6-0 in the header table, so 2x6, three plies in a 2x6 wall with two 1/2 in
    // spacers.
    QCOMPARE(m.count(MemberKind::Header), 3);
    QCOMPARE(m.count(MemberKind::HeaderSpacer), 2);
    const auto header = std::find_if(m.members.begin(), m.members.end(), [](const Member &x) { return x.kind == MemberKind::Header; });
    QCOMPARE(header->stock, QStringLiteral("2x6"));

    // Trusses: at 0, then edges 16k - 1.25 for k = 1..11, and 189.5: 13 bottom chords.
    // Webs: 11 inner trusses x 4 Fink webs = 44; the gable-end trusses have studs instead.
    // Gussets: 7 joints (2 heels, peak, 2 bottom third points, 2 mid-chord) x 2 faces x 11,
    // and the two gable trusses' heels and peak on their inner face: 154 + 2 x 3 = 160.
    QCOMPARE(boxes(m, MemberKind::TrussChord), 13);
    QCOMPARE(m.count(MemberKind::TrussChord), 13 * 3);
    QCOMPARE(m.count(MemberKind::TrussWeb), 44);
    QCOMPARE(m.count(MemberKind::Gusset), 160);

    // Roof sheathing, per slope: 84 in run x sqrt(1.25) = 93.9 in up the slope, 216 in
    // along the ridge (-12 to 204) with the rake overhangs; end joints on truss centres
    // (16k). Row 1 (48 up): joints at 80 and 176: 92 + 96 + 28; row 2 (45.9 up), on other
    // trusses, 64 and 160: 76 + 96 + 44. Both slopes: 2 whole sheets; 2 x 92x48,
    // 2 x 96x45.9 and 2 x 76x45.9 a sheet each (6); 2 x 28x48 and 2 x 44x45.9 side by side
    // on 2: 2 + 6 + 2 = 10 (one more than joints off the trusses took).
    QCOMPARE(m.count(MemberKind::RoofSheet), 12);
    QCOMPARE(quantity(t, "1/2 in plywood 4x8 ft"), 10.0);
    // 48 heel gussets (2 heels x 2 faces x 11, and the gable trusses' 2 x 2), each a
    // trapezoid in a 24 x 23-5/8 in box, 8 to a sheet: 6 sheets; the other 112 of at most
    // 12 x 12 in, 32 to a sheet: 4 sheets. 10.
    QCOMPARE(quantity(t, "1/2 in plywood 4x8 ft, gussets"), 10.0);

    // Lining, rows 96 and 24 high, every upright joint centred on a stud: the back wall
    // (5.5..138.5) breaks on the studs at 48 and 96: 3 columns, 6 pieces. The front breaks
    // at 32 and 112, a stud bay clear of the opening (47..97), and over it on the cripple
    // at 80: columns 5.5-32, 32-80, 80-112, 112-138.5; the door cuts the two middle ones'
    // lower pieces in two (15 in beside the door, 33 and 17 over it): 6 + 4 = 10. Sides
    // (6..186) on the studs at 48, 96, 144: 4 columns x 2 rows, 8 each. 6 + 10 + 16 = 32.
    QCOMPARE(m.count(MemberKind::LiningSheet), 32);
    // Door 48 in wide: two leaves.
    QCOMPARE(m.count(MemberKind::DoorLeaf), 2);
    // A 6 in slab under an 8 ft ramp: no slope warning; 192 sq ft: no permit warning.
    const QStringList w = warnings(m.design, m);
    QVERIFY(!w.join(' ').contains("ramp"));
    QVERIFY(!w.join(' ').contains("permit"));
    QVERIFY(t.total > 0);
}

void TestShedTakeoff::hardwareOfTheWorkedExample()
{
    const Model m = modelOf(testing::workedExample());
    const Takeoff t = takeoff(m, defaultPrices());
    const auto noteSays = [&](const QString &item, const QString &text) {
        const MaterialRow *r = row(t, item);
        return r && r->note.contains(text);
    };

    // Bottom plates: front 47 + 47 beside the door (2 each), back 144 (12 .. 132: 120 in,
    // 3 bolts), sides 181 (157 in between the end bolts: 4 each): 4 + 3 + 8 = 15.
    QCOMPARE(quantity(t, "1/2 in anchor bolt, nut and washer"), 15.0);
    QCOMPARE(quantity(t, "ground anchor kit"), -1.0);
    // 13 trusses over the walls (the 4 fly rafters out on the rakes bear on nothing): 26.
    QCOMPARE(quantity(t, "hurricane tie"), 26.0);
    QVERIFY(!std::any_of(t.materials.begin(), t.materials.end(), [](const MaterialRow &r) { return r.item.startsWith("joist hanger"); }));
    // 16d: 62 studs, 2 kings, 4 cripples x 4 = 272; 2 jacks x (4 + 83.5 in at one in 24) =
    // 14.96; 3 header plies x (4 + 53 in at 1.5 a foot) = 31.88; 10 top plates (the upper
    // splices staggered) x 2 + 1300 in at 0.375 a foot = 60.63; 5 ramp stringers and 4 fly
    // rafters: 20 + 24; 28 lookouts and the ramp ledger x 4 = 116; plates on the slab are
    // bolted: 539 nails at 47 a pound = 11.5: 12 lb.
    QCOMPARE(quantity(t, "16d common nails"), 12.0);
    QVERIFY(noteSays("16d common nails", "539 nails"));
    // Bounds, not a count: roof sheathing at 6 in edges and 12 in field, about 610 for its
    // twelve pieces; the 7/16 in OSB under the vinyl, 672 in of wall 96 in high, 14 sheets
    // of 48 + 8 to 24 nails: 784 .. 1008; the 48 heel gussets (in a 24 x 23-5/8 in box, one
    // nail per 9 sq in of a 283 .. 567 sq in trapezoid) 31 .. 63 each, the other 112 at
    // most 12 x 12 in, 8 .. 16 each: 2384 .. 4816. 3778 .. 6434 nails at 106 a pound.
    const double lb8d = quantity(t, "8d common nails");
    QVERIFY2(lb8d >= std::ceil(3778 / 106.0) && lb8d <= std::ceil(6434 / 106.0), qPrintable(QString::number(lb8d)));
    // Ties only: 26 x 10 = 260 nails at 110 a pound: 3 lb.
    QCOMPARE(quantity(t, "1-1/2 in connector nails"), 3.0);
    // Ramp: 16 boards across 5 stringers, 2 screws each: 160, two boxes of 100.
    QCOMPARE(quantity(t, "3 in deck screws"), 2.0);
    // One doorway of two 84 in leaves: 3 hinges a leaf, a handle a leaf, a latch, a foot bolt.
    QCOMPARE(quantity(t, "T-hinge"), 6.0);
    QCOMPARE(quantity(t, "door handle"), 2.0);
    QCOMPARE(quantity(t, "door latch"), 1.0);
    QCOMPARE(quantity(t, "door foot bolt"), 1.0);
    // Eaves 2 x (192 + 2 x 12) = 432; rakes: 2 ends x 2 slopes x 93.9 = 375.6; 807.6 in at
    // 118 a lapped length: 6.8, 7 lengths. Ridge 18 ft: 1 bundle; eaves 36 ft: 1 bundle.
    QCOMPARE(quantity(t, "drip edge 10 ft"), 7.0);
    QCOMPARE(quantity(t, "ridge cap shingles"), 1.0);
    QCOMPARE(quantity(t, "starter shingles"), 1.0);
    // Vinyl: foot 2 x (144 + 192) - 50 = 622 in, 5 strips of 12 ft; J-channel 3 lengths at
    // the door and 2 x 192 + 187.8 = 571.8 in under the eaves and rakes: 4; corners 10 ft.
    QCOMPARE(quantity(t, "vinyl starter strip 12 ft"), 5.0);
    QCOMPARE(quantity(t, "vinyl J-channel 12.5 ft"), 7.0);
    QCOMPARE(quantity(t, "vinyl corner post 10 ft"), 4.0);
    QCOMPARE(quantity(t, "1x4 trim board 12 ft"), -1.0);
}

// 8 x 10 ft (W 96, D 120) on gravel, 2x4 (3.5) studs at 16 in, 8 ft walls, front door
// 3 x 6 ft, gambrel roof on rafters ("supports") at 16 in, tin siding.
void TestShedTakeoff::gravelBarnOnRafters()
{
    ShedDesign r = testing::workedExample();
    r.ShedWidth = "8";
    r.ShedDepth = "10";
    r.FloorType = "0";
    r.FloorHeight = "0";
    r.JoistType = "1";
    r.InnerHeight = "8 ";
    r.StudMaterialLine = "2x4 Studs for walls";
    r.InWallType = "0";
    r.SidingName = "Tin";
    r.OuterWallMaterial = "Aluminum";
    r.SidingHeight = "2.5";
    r.MainDoorWidth = "3";
    r.MainDoorHeight = "6";
    r.RampLocation = "None";
    r.RoofType = "Barn";
    r.Trusses = "0";
    const Model m = modelOf(r);
    const Takeoff t = takeoff(m, defaultPrices());

    // Gravel: pad 6 in past the walls, 4 in deep: 108 x 132 x 4 = 57,024 cu in
    // = 1.222 cu yd; +10 % = 1.344, by the quarter yard 1.5. No slab, no blocks.
    QCOMPARE(quantity(t, "gravel"), 1.5);
    QCOMPARE(m.count(MemberKind::Slab), 0);
    QCOMPARE(m.count(MemberKind::Block), 0);

    // Front wall: ends 0, 94.5; backers 3.5, 91; opening 36 + 2 = 38 at 29..67, kings at
    // 26 and 68.5. Layout 15.25 | 31.25, 47.25, 63.25 cripples | 79.25: 6 studs.
    // Back: 4 + 5 = 9. Sides (3.5..116.5): ends 3.5, 115 + layout 15.25..111.25 (7): 9
    // each. Walls: 6 + 9 + 18 = 33.
    // Gable ends under the gambrel: layout 15.25, 31.25, 47.25 (under the ridge board,
    // cut square), 63.25, 79.25: 5 a gable, 10. Studs: 43.
    QCOMPARE(m.count(MemberKind::Stud), 43);
    QCOMPARE(m.count(MemberKind::Cripple), 3);
    // Header over 38 in: 2x6, two plies in a 2x4 wall.
    QCOMPARE(m.count(MemberKind::Header), 2);

    // Rafter frames at 0, 16k - 1.25 (k = 1..7) and 117.5: 9 frames of 4 rafters (lower
    // and upper, both sides) = 36, plus 2 barge frames of 4 at the rake edges: 44.
    // Knee gussets on the 7 inner frames: 2 knees x 2 faces x 7 = 28. A tie at every inner
    // pair (the gable pairs stand on their studs): 7.
    QCOMPARE(m.count(MemberKind::Rafter), 44);
    QCOMPARE(m.count(MemberKind::Gusset), 28);
    QCOMPARE(m.count(MemberKind::CollarTie), 7);
    // Ridge board from -12 to 132 = 144 in: one piece.
    QCOMPARE(m.count(MemberKind::RidgeBoard), 1);
    QCOMPARE(m.count(MemberKind::TrussChord), 0);
    // No ramp on gravel.
    QCOMPARE(m.count(Layer::Ramps), 0);
    QCOMPARE(m.count(MemberKind::DoorLeaf), 1);
}

// 20 x 24 ft (W 240, D 288) on 3 courses of blocks, 2x6 joists and studs, studs at 24 in,
// 8 ft walls, doors 4 x 7 ft both ends, rear ramp, gable trusses at 16 in.
void TestShedTakeoff::blockFloorBothDoors()
{
    ShedDesign r = testing::workedExample();
    r.ShedWidth = "20";
    r.ShedDepth = "24";
    r.FloorType = "3";
    r.BlockRows = "3";
    r.FloorHeight = "0";
    r.StudCenters = "24";
    r.InnerHeight = "8 ";
    r.InWallType = "0";
    r.SidingName = "Plywood";
    r.OuterWallMaterial = "Oak";
    r.SidingHeight = "4";
    r.MainDoorLocation = "Both";
    r.RampLocation = "Rear";
    const Model m = modelOf(r);
    const Takeoff t = takeoff(m, defaultPrices());

    // Skids across the 2x6 joists at most 8 ft apart: ceil((288 - 3.5) / 96) + 1 = 4
    // lines. Piers along each line at most 48 in apart: ceil((240 - 16) / 48) + 1 = 6.
    // Blocks: 4 x 6 x 3 courses = 72.
    QCOMPARE(m.count(MemberKind::Block), 72);
    QCOMPARE(quantity(t, "concrete block 8x8x16"), 72.0);
    // Each 240 in skid is spliced over a pier: 4 x 2 pieces.
    QCOMPARE(m.count(MemberKind::Skid), 8);
    // Joists at 16k for k = 1..14 (the 15th is the side rim); 285 in long, so each is
    // broken over the skid at 191.4: 28 pieces. Rims: front and back 192 + 48, the
    // sides in two: 8.
    QCOMPARE(m.count(MemberKind::Joist), 28);
    QCOMPARE(m.count(MemberKind::RimJoist), 8);
    // Deck: 6 rows of 48 in; each row two whole sheets and a 48 x 48 half (staggered
    // rows have the half at the start): 12 whole + 6 halves on 3 sheets = 15.
    QCOMPARE(quantity(t, "1/4 in plywood 4x8 ft"), 15.0);

    // Each end wall: ends 0, 238.5; backers 5.5, 233; opening 50 at 95..145 with kings
    // at 92 and 146.5; layout 24k - 0.75: 23.25, 47.25, 71.25 | 95.25, 119.25, 143.25
    // over the header | 167.25, 191.25, 215.25: 10 studs; both ends: 20.
    // Sides (5.5..282.5): ends 5.5, 281 + layout 23.25..263.25 (11): 13 each, 26.
    // Gables: layout k = 1..9: 9 each, 18. Studs: 20 + 26 + 18 = 64.
    QCOMPARE(m.count(MemberKind::Stud), 64);
    QCOMPARE(m.count(MemberKind::KingStud), 4);
    QCOMPARE(m.count(MemberKind::JackStud), 4);
    // The header (2x6 over 50 in, from the header table) tops out at 85 + 5.5 = 90.5,
    // 2 1/2 in under the plates at 96 - 3 = 93: cripples over it at 95.25, 119.25 and
    // 143.25, three each end.
    QCOMPARE(m.count(MemberKind::Cripple), 6);
    // Trusses: 0, 16k - 1.25 for k = 1..17, 285.5: 19 (240 in bottom chords spliced at
    // the web joint at 160: two pieces each).
    QCOMPARE(m.count(MemberKind::TrussChord) - 19 * 2, 19 * 2);
    // Rear ramp only: 60 in wide, stringers at most 16 in apart: ceil(60 / 16) + 1 = 5.
    QCOMPARE(m.count(MemberKind::RampStringer), 5);
    for (const Member &s : m.members) {
        if (s.kind == MemberKind::RampStringer)
            QVERIFY(s.position.z() >= 288);
    }
    // Floor top: 3 x 7.75 + 5.5 skid + 5.5 joist + 0.25 deck = 34.5 in over 96: 1 in 2.8.
    const QString w = warnings(m.design, m).join('\n');
    QVERIFY2(w.contains("rear ramp climbs 34-1/2 in over 8 ft, 1 in 2.8"), qPrintable(w));
    // The permit and the deck are the structural check's: 480 sq ft is over both
    // exemptions; a 1/4 in deck has no floor span rating.
    const StructureReport st = checkStructure(m, defaultPrices());
    QVERIFY(std::any_of(st.rows.begin(), st.rows.end(), [](const CheckRow &row) {
        return row.check == u"permit" && row.size == u"480 sq ft" && row.result == Verdict::Note;
    }));
    QVERIFY(std::any_of(st.rows.begin(), st.rows.end(), [](const CheckRow &row) {
        return row.check == u"floor deck" && row.size == u"1/4 in plywood" && row.result == Verdict::Fail
               && row.suggestion.startsWith(u"1/2 in plywood deck");
    }));
}

void TestShedTakeoff::lumberIsPackedIntoStockLengths()
{
    Model m;
    const auto piece = [&](const char *stock, double length) {
        Member s;
        s.kind = MemberKind::Stud;
        s.layer = Layer::Framing;
        s.stock = QString::fromLatin1(stock);
        s.size = QVector3D(float(length), 1.5f, 3.5f);
        s.length = length;
        m.members.append(s);
    };
    // First-fit decreasing into 16 ft boards, 1/8 in kerf between pieces:
    // 150 -> A; 120 -> B; 70 -> B (190.125); 40 -> A (190.125); 40 -> C; 30 -> C (70.125).
    // Each board then shrinks to the shortest stock that holds it: 16, 16 and 8 ft.
    // (Total length over 8 ft would have said five 8-footers, and none holds the 150.)
    for (double length : {40.0, 150.0, 30.0, 120.0, 40.0, 70.0})
        piece("2x4", length);
    // A stud too tall to splice takes a long special-order length; longer still, a warning.
    piece("2x6", 230);
    piece("2x6", 250);
    // Where first-fit decreasing buys more: 88 -> A, 62 -> A (150.625, 14 ft), 44 -> B
    // (8 ft): 22 ft. 88 on an 8 ft board and 62 + 44 (106.625) on a 10 ft one: 18 ft.
    for (double length : {88.0, 62.0, 44.0})
        piece("2x8", length);
    const Takeoff t = takeoff(m, defaultPrices());
    QCOMPARE(quantity(t, "2x8 x 8 ft"), 1.0);
    QCOMPARE(quantity(t, "2x8 x 10 ft"), 1.0);
    QCOMPARE(quantity(t, "2x8 x 14 ft"), -1.0);
    bool oversize = false;
    const QList<Bar> ffd = packLumber(
        {88, 62, 44}, {"A", "B", "C"}, [](double l) { return l; }, LumberPacking::FirstFitDecreasing, oversize);
    QCOMPARE(ffd.size(), 2);
    QCOMPARE(ffd[0].stockLength + ffd[1].stockLength, 22.0 * 12);
    QCOMPARE(ffd[0].marks, QStringList({"A", "B"}));
    // A length the table prices on its own is bought by that price: at 2.00 a foot a 10 ft
    // board (20.00) costs more than a 12 ft one at 1.60 (19.20), which then takes 62 + 44.
    PriceTable dear = defaultPrices();
    dear.prices.insert("2x8 x 10 ft", {"ft", 2.0});
    const Takeoff d = takeoff(m, dear);
    QCOMPARE(quantity(d, "2x8 x 8 ft"), 1.0);
    QCOMPARE(quantity(d, "2x8 x 12 ft"), 1.0);
    QCOMPARE(quantity(d, "2x8 x 10 ft"), -1.0);
    QCOMPARE(quantity(t, "2x4 x 16 ft"), 2.0);
    QCOMPARE(quantity(t, "2x4 x 8 ft"), 1.0);
    QCOMPARE(quantity(t, "2x4 x 10 ft"), -1.0);
    QCOMPARE(quantity(t, "2x6 x 20 ft"), 1.0);
    QCOMPARE(quantity(t, "2x6 x 22 ft"), 1.0);
    QCOMPARE(row(t, "2x4 x 16 ft")->unitPrice, 16 * 0.80);
    QVERIFY(t.warnings.join(' ').contains("longer than any stock length"));
    // The cut list keeps every distinct piece with its count.
    QCOMPARE(t.cuts.size(), 10);
}

// The same order in metric: concrete shown in m³ at the price a cubic metre, the same
// cost and total; lumber and sheets by trade name with the actual size; the cut list unchanged.
void TestShedTakeoff::metricQuantitiesAndNames()
{
    const Model m = modelOf(testing::workedExample());
    const Takeoff imperial = takeoff(m, defaultPrices());
    const Takeoff metric = takeoff(m, defaultPrices(), Units(UnitSystem::Metric));
    // 4 cu yd = 3.058 m³.
    const MaterialRow *mix = row(metric, "ready-mix concrete");
    QVERIFY(mix);
    QCOMPARE(mix->quantity, 3.06);
    QCOMPARE(mix->unit, QStringLiteral("m\u00b3"));
    QVERIFY(std::abs(mix->unitPrice - row(imperial, "ready-mix concrete")->unitPrice / 0.764554857984) < 0.006);
    QCOMPARE(mix->cost, row(imperial, "ready-mix concrete")->cost);
    QVERIFY(std::abs(mix->quantity * mix->unitPrice - mix->cost) < 0.01 * mix->cost);
    QCOMPARE(mix->inTotal, row(imperial, "ready-mix concrete")->inTotal);
    QCOMPARE(metric.total, imperial.total);
    QCOMPARE(quantity(metric, "concrete mix 80 lb bag"), 176.0);
    QVERIFY(row(metric, "concrete mix 80 lb bag")->note.contains("0.017 m\u00b3 a bag"));
    QCOMPARE(quantity(metric, "2x6 (38 x 140 mm) x 2438 mm"), quantity(imperial, "2x6 x 8 ft"));
    bool sheet = false;
    for (const MaterialRow &r : metric.materials)
        sheet |= r.item.contains("plywood (") && r.item.contains(" 4x8 ft (1219 x 2438 mm)");
    QVERIFY(sheet);
    QCOMPARE(metric.cuts.size(), imperial.cuts.size());
    QCOMPARE(metric.cuts.first().stock, imperial.cuts.first().stock);
    QCOMPARE(metric.cuts.first().lengthIn, imperial.cuts.first().lengthIn);
}

void TestShedTakeoff::priceTableProblems()
{
    const Model m = modelOf(testing::workedExample());
    const double standard = takeoff(m, defaultPrices()).total;

    // Missing: the defaults, and a warning naming the file.
    const PriceTable missing = loadPrices("/nonexistent/prices.csv");
    QCOMPARE(missing.warnings.size(), 1);
    QVERIFY(missing.warnings[0].contains("/nonexistent/prices.csv"));
    QCOMPARE(takeoff(m, missing).total, standard);

    // A broken line keeps that item's default; a good line overrides; the warning names
    // the line.
    QTemporaryDir dir;
    QFile f(dir.filePath("prices.csv"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("item,unit,unit_price\n2x6,ft,2.30\nready-mix concrete,cu yd,lots\n");
    f.close();
    const PriceTable edited = loadPrices(f.fileName());
    QCOMPARE(edited.warnings.size(), 1);
    QVERIFY2(edited.warnings[0].startsWith("prices.csv line 3:"), qPrintable(edited.warnings[0]));
    const Takeoff t = takeoff(m, edited);
    QCOMPARE(row(t, "ready-mix concrete")->unitPrice, 165.0);
    QCOMPARE(row(t, "2x6 x 10 ft")->unitPrice, 23.0);
    QVERIFY(t.total > standard);
    QVERIFY(t.warnings.contains(edited.warnings[0]));

    // A table that is not one: its header line is named and the defaults stay.
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("\x89PNG\r\n\x1a\n");
    f.close();
    const PriceTable junk = loadPrices(f.fileName());
    QVERIFY(junk.warnings.value(0).startsWith("prices.csv line 1:"));
    QCOMPARE(takeoff(m, junk).total, standard);
}

QTEST_GUILESS_MAIN(TestShedTakeoff)
#include "test_shed_takeoff.moc"
