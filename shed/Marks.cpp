#include "shed/Marks.h"

#include "shed/Units.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <tuple>

namespace corvelle::shed {

namespace {

constexpr char Letters[] = "FWRSDP"; // the order marks are listed in: the order of building

int letterRank(QChar letter) { return int(std::string_view(Letters).find(char(letter.unicode()))); }

double polygonArea(const QList<QPointF> &p)
{
    double twice = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF &a = p[i], &b = p[(i + 1) % p.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2;
}

struct Key {
    int letter;
    int kind;
    QString stock;
    long length, width;  // sixteenths of an inch
    long angle1, angle2; // tenths of a degree
    bool vCut;           // the angles are the faces of a V at the head
    long area;           // square inches of a shaped sheet piece, else 0

    // Longest first within a kind and stock, as the saw takes them.
    auto tied() const { return std::tie(letter, kind, stock); }
    bool operator<(const Key &o) const
    {
        if (tied() != o.tied())
            return tied() < o.tied();
        return std::tie(o.length, o.width, angle1, angle2, vCut, area)
               < std::tie(length, width, o.angle1, o.angle2, o.vCut, o.area);
    }
};

Key keyOf(const Member &m)
{
    const bool leaf = !isLumber(m) && !isSheet(m);
    const double length = leaf ? m.size.x() : m.length;
    const double width = leaf ? m.size.y() : isSheet(m) ? m.width : 0;
    const long area = isSheet(m) && !m.profile.isEmpty() ? std::lround(polygonArea(m.profile)) : 0;
    return {letterRank(assemblyLetter(m.layer)),
            int(m.kind),
            m.stock,
            std::lround(cutLength(length) * 16),
            std::lround(cutLength(width) * 16),
            std::lround(m.angle1 * 10),
            std::lround(m.angle2 * 10),
            m.vCut,
            area};
}

} // namespace

QChar assemblyLetter(Layer layer)
{
    switch (layer) {
    case Layer::Foundation:
    case Layer::Floor:
        return u'F';
    case Layer::Framing:
        return u'W';
    case Layer::Roof:
        return u'R';
    case Layer::Lining:
    case Layer::Siding:
        return u'S';
    case Layer::Doors:
    case Layer::Windows:
        return u'D';
    case Layer::Ramps:
        return u'P';
    }
    return u'W';
}

bool isMarked(const Member &m)
{
    return isLumber(m) || isSheet(m) || m.kind == MemberKind::DoorLeaf || m.kind == MemberKind::WindowUnit;
}

PartMarks partMarks(const Model &model)
{
    struct Piece {
        int count = 0;
        Layer layer = Layer::Framing;
        qsizetype index = -1; // in PartMarks::pieces
    };
    std::map<Key, Piece> pieces;
    std::vector<Piece *> pieceOfMember(size_t(model.members.size()), nullptr);
    for (qsizetype i = 0; i < model.members.size(); ++i) {
        const Member &m = model.members[i];
        if (!isMarked(m))
            continue;
        Piece &p = pieces.try_emplace(keyOf(m), Piece{0, m.layer}).first->second;
        ++p.count;
        pieceOfMember[size_t(i)] = &p;
    }

    PartMarks out;
    int number = 0, letter = -1;
    for (auto &[key, p] : pieces) {
        if (key.letter != letter) {
            letter = key.letter;
            number = 0;
        }
        p.index = out.pieces.size();
        out.pieces.append({QLatin1Char(Letters[letter]) + QString::number(++number), MemberKind(key.kind), p.layer,
                           key.stock, key.length / 16.0, key.width / 16.0, key.angle1 / 10.0, key.angle2 / 10.0,
                           key.vCut, p.count});
    }
    out.ofMember.reserve(model.members.size());
    for (const Piece *p : pieceOfMember)
        out.ofMember.append(p ? out.pieces[p->index].mark : QString());
    return out;
}

QString citedMarks(const QStringList &marks)
{
    // By letter in building order, then number.
    std::map<std::pair<int, int>, int> counts;
    for (const QString &m : marks)
        if (m.size() > 1)
            ++counts[{letterRank(m.front()), m.mid(1).toInt()}];
    const auto name = [](const std::pair<int, int> &k) {
        return QLatin1Char(Letters[k.first]) + QString::number(k.second);
    };
    QStringList out;
    if (counts.size() == 1)
        return name(counts.begin()->first);
    if (counts.size() <= 3) {
        for (const auto &[key, n] : counts)
            out << QStringLiteral("%1 x%2").arg(name(key)).arg(n);
        return out.join(QStringLiteral(", "));
    }
    for (auto it = counts.begin(); it != counts.end();) {
        auto last = it;
        for (auto next = std::next(it); next != counts.end() && next->first.first == last->first.first
                                        && next->first.second == last->first.second + 1;
             ++next)
            last = next;
        out << (last == it ? name(it->first) : name(it->first) + QChar(0x2013) + name(last->first));
        it = std::next(last);
    }
    return out.join(QStringLiteral(", "));
}

} // namespace corvelle::shed
