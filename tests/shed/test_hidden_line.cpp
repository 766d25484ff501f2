// Hidden lines of a few boxes whose drawings are known by hand.
#include "shed/HiddenLine.h"

#include <QtTest>

using namespace corvelle::shed;

// Page lengths to a thousandth of an inch: members meet within the tolerances.
#define QCOMPARE_LENGTH(actual, expected)                                                                              \
    QVERIFY2(std::abs((actual) - (expected)) < 1e-3, qPrintable(QString::number(actual)))

namespace {

Member box(QVector3D at, QVector3D size, Layer layer = Layer::Framing)
{
    Member m{MemberKind::Stud, layer, QStringLiteral("2x4"), size, {}, at, 0, 90, 90, 0, {}, {}};
    return m;
}

double lengthOf(const QList<Stroke> &strokes, int member, bool visible)
{
    double sum = 0;
    for (const Stroke &s : strokes)
        if (s.member == member && s.visible == visible)
            for (qsizetype i = 1; i < s.points.size(); ++i)
                sum += QLineF(s.points[i - 1], s.points[i]).length();
    return sum;
}

} // namespace

class TestHiddenLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A box seen from a corner shows three faces: nine edges drawn, three behind it.
    void oneBoxFromACorner()
    {
        Model model;
        model.members = {box({0, 0, 0}, {10, 20, 30})};
        const HiddenLines lines(model, ViewDirection::threeQuarter());
        // Strokes join edges that meet into polylines: count their segments.
        QList<std::pair<QLineF, bool>> segments;
        for (const Stroke &s : lines.strokes())
            for (qsizetype i = 1; i < s.points.size(); ++i)
                segments.append({QLineF(s.points[i - 1], s.points[i]), s.visible});
        const auto visible = std::count_if(segments.begin(), segments.end(), [](const auto &s) { return s.second; });
        QCOMPARE(visible, 9);
        QCOMPARE(segments.size() - visible, 3);
        // The hidden corner is the one farthest from the eye: rear, left (X = 10), bottom.
        const ViewDirection v = ViewDirection::threeQuarter();
        const QPointF hiddenCorner = v.project({10, 0, 30});
        const auto at = [&](QPointF p) { return QLineF(p, hiddenCorner).length() < 1e-3; };
        for (const auto &[line, shown] : segments)
            QCOMPARE(!shown, at(line.p1()) || at(line.p2()));
    }

    // Square on from the front: a board in front of a wider panel hides the panel's lines
    // it covers, split exactly at the board's edges; a box wholly behind another is hidden.
    void frontElevation()
    {
        Model model;
        model.members = {box({0, 0, 10}, {100, 50, 1}),   // panel behind
                         box({20, -10, 0}, {10, 80, 2}),  // board in front, taller than the panel
                         box({40, 10, 20}, {10, 10, 2})}; // small box behind the panel
        const QList<Stroke> strokes = HiddenLines(model, ViewDirection::front()).strokes();
        // The panel's outline (300) less the board's 10 wide crossing of its top and bottom.
        QCOMPARE_LENGTH(lengthOf(strokes, 0, true), 280.0);
        QCOMPARE_LENGTH(lengthOf(strokes, 1, true), 180.0);
        QCOMPARE_LENGTH(lengthOf(strokes, 1, false), 180.0); // its back face's edges, under its front
        QCOMPARE_LENGTH(lengthOf(strokes, 2, true), 0.0);
        QVERIFY(lengthOf(strokes, 2, false) > 0);
        // Left and right as seen from outside the front wall: X = 0 is on the right.
        const ViewDirection front = ViewDirection::front();
        QVERIFY(front.project({0, 0, 0}).x() > front.project({100, 0, 0}).x());
        QVERIFY(ViewDirection::left().project({100, 0, 0}).x() > ViewDirection::left().project({100, 0, 50}).x());
        QVERIFY(ViewDirection::right().project({0, 0, 0}).x() < ViewDirection::right().project({0, 0, 50}).x());
    }

    // Stages: what a later stage puts in front hides the earlier lines only from then on,
    // and a later stage's members are not drawn before it.
    void stages()
    {
        Model model;
        model.members = {box({0, 0, 10}, {100, 50, 1}), box({20, -10, 0}, {10, 80, 2})};
        const HiddenLines lines(model, ViewDirection::front(), {0, 1});
        QCOMPARE_LENGTH(lengthOf(lines.strokes(0), 0, true), 300.0);
        QCOMPARE_LENGTH(lengthOf(lines.strokes(0), 1, true), 0.0);
        QCOMPARE_LENGTH(lengthOf(lines.strokes(1), 0, true), 280.0);
        QCOMPARE(lines.bounds(0), QRectF(-100, 0, 100, 50));
        QCOMPARE(lines.bounds(1), QRectF(-100, -10, 100, 80));
    }

    // A notched outline hides part of itself: an L seen from its open side.
    void notchedProfile()
    {
        Model model;
        Member l = box({0, 0, 0}, {0, 0, 10});
        l.profile = {{0, 0}, {30, 0}, {30, 10}, {10, 10}, {10, 30}, {0, 30}};
        l.size = QVector3D(30, 30, 10);
        model.members = {l};
        // From +X (the left view) the lower leg's end face at X = 30 hides the upright
        // leg's far face at X = 10 below Y = 10; above it that face's edges show.
        const QList<Stroke> strokes = HiddenLines(model, ViewDirection::left()).strokes();
        double visibleUpright = 0;
        for (const Stroke &s : strokes)
            if (s.visible && std::abs(s.points.first().y() - s.points.last().y()) > 1)
                visibleUpright += QLineF(s.points.first(), s.points.last()).length();
        // Both upright edges of the near end (10 each, X = 30), and those of the upright
        // leg above the lower one (20 each, X = 10).
        QCOMPARE_LENGTH(visibleUpright, 60.0);
    }
};

QTEST_APPLESS_MAIN(TestHiddenLine)
#include "test_hidden_line.moc"
