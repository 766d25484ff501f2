#include "shed/Cutting.h"

#include "shed/Rules.h"
#include "shed/Units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <numeric>
#include <set>
#include <vector>

namespace corvelle::shed {

namespace r = rules;

namespace {

// Lengths in whole sixteenths of an inch: cut lengths are rounded to them, and so are the
// kerf and the end trim, so whether pieces fit a board is exact.
long sixteenths(double inches) { return std::lround(inches * 16); }
const long Kerf = sixteenths(r::SawKerf);
const long Trim = sixteenths(r::EndTrim);
const long Common = sixteenths(std::end(r::StockLengths)[-1]);

struct Board {
    explicit Board(long longest) : capacity(longest) {}
    long capacity; // the longest it may be bought
    std::vector<long> pieces;
    long used = Trim;
    bool fits(long piece) const { return used + (pieces.empty() ? 0 : Kerf) + piece <= capacity; }
    void add(long piece)
    {
        used += (pieces.empty() ? 0 : Kerf) + piece;
        pieces.push_back(piece);
    }
};
using Packing = std::vector<Board>;

// A board for a piece no other board holds: the longest common length, a long
// special-order length for a piece longer than that, or beyond those the next 2 ft.
long openingCapacity(long piece, bool &oversize)
{
    if (piece + Trim <= Common)
        return Common;
    for (double l : r::LongStockLengths) {
        if (piece + Trim <= sixteenths(l))
            return sixteenths(l);
    }
    oversize = true;
    return (piece + Trim + 383) / 384 * 384;
}

class Pricing {
public:
    explicit Pricing(const std::function<double(double)> &price) : price_(price) {}

    // The cheapest length a board holding `used` may be bought in: a common length, a long
    // one only for what no common length holds, and the board's own past those.
    long boughtLength(const Board &b) const
    {
        long best = 0;
        double cost = std::numeric_limits<double>::infinity();
        const auto consider = [&](long l) {
            if (l >= b.used && l <= std::max(b.capacity, Common) && price(l) < cost) {
                cost = price(l);
                best = l;
            }
        };
        for (long l : Common16)
            consider(l);
        if (best == 0) {
            for (long l : Long16)
                consider(l);
        }
        return best ? best : b.capacity;
    }
    double cost(const Packing &p) const
    {
        double sum = 0;
        for (const Board &b : p)
            sum += price(boughtLength(b));
        return sum;
    }
    double price(long length) const
    {
        // Packing asks for the same few lengths thousands of times.
        for (const auto &[l, p] : cache_) {
            if (l == length)
                return p;
        }
        cache_.push_back({length, price_(length / 16.0)});
        return cache_.back().second;
    }

private:
    static constexpr auto Common16 = [] {
        std::array<long, std::size(r::StockLengths)> a{};
        for (size_t i = 0; i < a.size(); ++i)
            a[i] = long(r::StockLengths[i] * 16 + 0.5);
        return a;
    }();
    static constexpr auto Long16 = [] {
        std::array<long, std::size(r::LongStockLengths)> a{};
        for (size_t i = 0; i < a.size(); ++i)
            a[i] = long(r::LongStockLengths[i] * 16 + 0.5);
        return a;
    }();
    const std::function<double(double)> &price_;
    mutable std::vector<std::pair<long, double>> cache_;
};

// First-fit decreasing, or best-fit: into the board it leaves the least room in (the
// first such board on a tie). Every open board holds a piece, so a piece fits where the
// room left takes it and a kerf. Thousands of pieces on a large shed: the first board
// that fits is found in a tree of the boards' rooms, the best in an ordered set.
Packing fitDecreasing(const std::vector<long> &sorted, bool best, bool &oversize)
{
    Packing boards;
    boards.reserve(sorted.size());
    size_t leaves = 1;
    while (leaves < sorted.size())
        leaves *= 2;
    std::vector<long> most(2 * leaves, std::numeric_limits<long>::min()); // max room under each node
    std::set<std::pair<long, size_t>> byRoom;                             // (room, board)
    const auto setRoom = [&](size_t i, long room) {
        size_t n = leaves + i;
        most[n] = room;
        for (n /= 2; n >= 1; n /= 2)
            most[n] = std::max(most[2 * n], most[2 * n + 1]);
    };
    for (long piece : sorted) {
        const long need = piece + Kerf;
        size_t into = boards.size();
        if (best) {
            const auto it = byRoom.lower_bound({need, 0});
            if (it != byRoom.end()) {
                into = it->second;
                byRoom.erase(it);
            }
        } else if (most[1] >= need) {
            size_t n = 1;
            while (n < leaves)
                n = most[2 * n] >= need ? 2 * n : 2 * n + 1;
            into = n - leaves;
        }
        if (into == boards.size())
            boards.emplace_back(openingCapacity(piece, oversize));
        Board &b = boards[into];
        b.add(piece);
        if (best)
            byRoom.insert({b.capacity - b.used, into});
        else
            setRoom(into, b.capacity - b.used);
    }
    return boards;
}

// The most of `left` (count by length) that fits in each room up to `room`: dp[w] the most
// length cut with pieces and kerfs taking at most w, each piece counted with one kerf
// (the first piece's kerf is the one the room was given).
class Knapsack {
public:
    Knapsack(const std::map<long, long> &left, long room) : room_(room), best_(size_t(room + 1), 0)
    {
        for (const auto &[length, count] : left) {
            const long most = std::min(count, room / (length + Kerf));
            for (long take = 1, rest = most; rest > 0; take *= 2) { // in powers of two
                const long n = std::min(take, rest);
                rest -= n;
                items_.push_back({length, n});
            }
        }
        const size_t row = size_t(room + 1);
        keep_.reset(new unsigned char[items_.size() * row]); // every entry is written below
        for (size_t i = 0; i < items_.size(); ++i) {
            const long weight = items_[i].count * (items_[i].length + Kerf);
            const int value = int(items_[i].count * items_[i].length);
            unsigned char *keep = keep_.get() + i * row;
            int *best = best_.data();
            std::fill(keep, keep + std::min(weight, room + 1), 0);
            // Downwards, so each entry reads the one `weight` below as it was before this
            // item. A block of entries at least `weight` above the ones it reads only reads
            // entries this pass has not written yet: the blocks compile to vector code.
            long w = room;
            if (weight >= Block) {
                for (; w - (Block - 1) >= weight; w -= Block) {
                    int *to = best + (w - (Block - 1));
                    int with[Block];
                    unsigned char took[Block];
                    for (long j = 0; j < Block; ++j)
                        with[j] = to[j - weight] + value;
                    for (long j = 0; j < Block; ++j) {
                        took[j] = with[j] > to[j];
                        to[j] = std::max(with[j], to[j]);
                    }
                    std::copy(took, took + Block, keep + (w - (Block - 1)));
                }
            }
            for (; w >= weight; --w) {
                const int with = best[w - weight] + value;
                keep[w] = with > best[w];
                best[w] = with > best[w] ? with : best[w];
            }
        }
    }
    long fill(long room) const { return best_[size_t(std::min(room, room_))]; }
    std::map<long, long> pattern(long room) const
    {
        std::map<long, long> taken;
        long w = std::min(room, room_);
        for (size_t i = items_.size(); i-- > 0;) {
            if (keep_[i * size_t(room_ + 1) + size_t(w)]) {
                taken[items_[i].length] += items_[i].count;
                w -= items_[i].count * (items_[i].length + Kerf);
            }
        }
        return taken;
    }

private:
    static constexpr long Block = 16;
    struct Item {
        long length, count;
    };
    long room_;
    std::vector<int> best_; // at most `room_`
    std::vector<Item> items_;
    std::unique_ptr<unsigned char[]> keep_; // whether item i is in the best fill of room w
};

// Room a board of `length` gives the knapsack: the end trim off, and the one kerf too many
// it counts back on.
long roomOf(long length, long used = Trim) { return length - used + Kerf; }

// Boards cut to patterns: each time the pattern and common length with the lowest price
// per inch of pieces cut, repeated while the pieces last. Boards opened for oversize
// pieces are filled first.
Packing byPattern(const std::vector<long> &sorted, const Pricing &pricing, bool &oversize)
{
    Packing boards;
    std::map<long, long> left;
    for (long piece : sorted) {
        if (piece + Trim > Common) {
            boards.emplace_back(openingCapacity(piece, oversize));
            boards.back().add(piece);
        } else {
            ++left[piece];
        }
    }
    const auto take = [&](Board &b, const std::map<long, long> &pattern) {
        for (auto it = pattern.rbegin(); it != pattern.rend(); ++it) {
            for (long k = 0; k < it->second; ++k)
                b.add(it->first);
            if ((left[it->first] -= it->second) == 0)
                left.erase(it->first);
        }
    };
    for (Board &b : boards) {
        if (!left.empty() && b.capacity - b.used > Kerf)
            take(b, Knapsack(left, b.capacity - b.used).pattern(b.capacity - b.used));
    }
    while (!left.empty()) {
        const Knapsack k(left, roomOf(Common));
        long length = 0;
        double perInch = std::numeric_limits<double>::infinity();
        for (double l : r::StockLengths) {
            const long room = roomOf(sixteenths(l)), fill = k.fill(room);
            if (fill > 0 && pricing.price(sixteenths(l)) / double(fill) < perInch - 1e-12) {
                perInch = pricing.price(sixteenths(l)) / double(fill);
                length = sixteenths(l);
            }
        }
        const std::map<long, long> pattern = k.pattern(roomOf(length));
        long repeat = std::numeric_limits<long>::max();
        for (const auto &[piece, n] : pattern)
            repeat = std::min(repeat, left[piece] / n);
        for (long i = 0; i < repeat; ++i) {
            boards.emplace_back(Common);
            take(boards.back(), pattern);
        }
    }
    return boards;
}

// Every way of putting a few pieces on boards, cheapest first found; empty when the search
// would take too long.
Packing exhaustive(const std::vector<long> &sorted, const Pricing &pricing)
{
    constexpr size_t MaxPieces = 10;
    constexpr long MaxNodes = 200000;
    if (sorted.size() > MaxPieces || sorted.empty() || sorted.front() + Trim > Common)
        return {};
    double cheapestPerInch = std::numeric_limits<double>::infinity();
    for (double l : r::StockLengths)
        cheapestPerInch = std::min(cheapestPerInch, pricing.price(sixteenths(l)) / double(roomOf(sixteenths(l))));
    std::vector<long> rest(sorted.size() + 1, 0); // length still to place from piece i on
    for (size_t i = sorted.size(); i-- > 0;)
        rest[i] = rest[i + 1] + sorted[i] + Kerf;

    Packing current, best;
    double bestCost = std::numeric_limits<double>::infinity();
    long nodes = 0;
    const std::function<void(size_t)> place = [&](size_t i) {
        if (++nodes > MaxNodes)
            return;
        // A lower bound: the boards so far (they only grow), and new boards for whatever
        // of the rest their spare room cannot take.
        const double sofar = pricing.cost(current);
        long spare = 0;
        for (const Board &b : current)
            spare += Common - b.used;
        if (sofar + double(std::max(0L, rest[i] - spare)) * cheapestPerInch >= bestCost - 1e-9)
            return;
        if (i == sorted.size()) {
            best = current;
            bestCost = sofar;
            return;
        }
        for (size_t j = 0; j < current.size(); ++j) { // by index: the search below adds boards
            if (current[j].fits(sorted[i])) {
                const Board before = current[j];
                current[j].add(sorted[i]);
                place(i + 1);
                current[j] = before;
            }
        }
        current.emplace_back(Common);
        current.back().add(sorted[i]);
        place(i + 1);
        current.pop_back();
    };
    place(0);
    return nodes > MaxNodes ? Packing{} : best;
}

double area(const QRectF &r) { return r.width() * r.height(); }

} // namespace

double Bar::cut() const { return std::accumulate(pieces.begin(), pieces.end(), 0.0); }

double Bar::offcut() const
{
    return stockLength - r::EndTrim - cut() - double(std::max<qsizetype>(0, pieces.size() - 1)) * r::SawKerf;
}

double LumberDiagram::cut() const
{
    double sum = 0;
    for (const Bar &b : bars)
        sum += b.cut();
    return sum;
}

double LumberDiagram::bought() const
{
    double sum = 0;
    for (const Bar &b : bars)
        sum += b.stockLength;
    return sum;
}

double SheetDiagram::cut() const
{
    double sum = 0;
    for (const QList<SheetPiece> &sheet : sheets) {
        for (const SheetPiece &p : sheet)
            sum += area(p.rect);
    }
    return sum;
}

double SheetDiagram::bought() const { return double(sheets.size()) * size.width() * size.height(); }

double CuttingPlan::lumberYield() const
{
    double cut = 0, bought = 0;
    for (const LumberDiagram &d : lumber) {
        cut += d.cut();
        bought += d.bought();
    }
    return bought > 0 ? cut / bought : 1;
}

double CuttingPlan::sheetYield() const
{
    double cut = 0, bought = 0;
    for (const SheetDiagram &d : sheets) {
        cut += d.cut();
        bought += d.bought();
    }
    return bought > 0 ? cut / bought : 1;
}

QList<Bar> packLumber(const QList<double> &lengths, const QStringList &marks,
                      const std::function<double(double)> &price, LumberPacking packing, bool &oversize)
{
    std::vector<long> sorted;
    sorted.reserve(size_t(lengths.size()));
    // Marks by length, to hand out as the boards take the pieces.
    std::map<long, QStringList> marksOf;
    for (qsizetype i = 0; i < lengths.size(); ++i) {
        sorted.push_back(sixteenths(lengths[i]));
        marksOf[sorted.back()].append(marks.value(i));
    }
    for (auto &[length, list] : marksOf)
        std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b; // W2 before W10
        });
    std::sort(sorted.begin(), sorted.end(), std::greater<>());

    const Pricing pricing(price);
    Packing chosen = fitDecreasing(sorted, false, oversize);
    if (packing == LumberPacking::Cheapest) {
        double cost = pricing.cost(chosen);
        for (Packing other : {fitDecreasing(sorted, true, oversize), byPattern(sorted, pricing, oversize),
                              exhaustive(sorted, pricing)}) {
            const double c = pricing.cost(other);
            if (!other.empty() && (c < cost - 1e-9 || (c < cost + 1e-9 && other.size() < chosen.size()))) {
                chosen = std::move(other);
                cost = c;
            }
        }
    }

    QList<Bar> bars;
    bars.reserve(qsizetype(chosen.size()));
    for (Board &b : chosen)
        std::sort(b.pieces.begin(), b.pieces.end(), std::greater<>());
    // Alike boards side by side: longest stock first, then by their pieces.
    std::vector<std::pair<long, const Board *>> order;
    order.reserve(chosen.size());
    for (const Board &b : chosen)
        order.push_back({pricing.boughtLength(b), &b});
    std::sort(order.begin(), order.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second->pieces > b.second->pieces;
    });
    std::map<long, qsizetype> handedOut;
    for (const auto &[bought, board] : order) {
        const Board &b = *board;
        Bar bar;
        bar.stockLength = double(bought) / 16;
        for (long piece : b.pieces) {
            bar.pieces.append(double(piece) / 16);
            bar.marks.append(marksOf[piece].value(handedOut[piece]++));
        }
        bars.append(bar);
    }
    return bars;
}

QList<QList<SheetPiece>> packSheets(const QList<QSizeF> &pieces, const QStringList &marks, QSizeF sheet)
{
    QList<qsizetype> order(pieces.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return pieces[a].width() * pieces[a].height() > pieces[b].width() * pieces[b].height();
    });
    struct Open {
        std::vector<QRectF> free;
        QList<SheetPiece> placed;
        // The largest short and long sides among the free rectangles: a piece past either
        // fits none of them, and the sheet is passed over without trying each.
        double shortest = 0, longest = 0;
        void measure()
        {
            shortest = longest = 0;
            for (const QRectF &f : free) {
                shortest = std::max(shortest, std::min(f.width(), f.height()));
                longest = std::max(longest, std::max(f.width(), f.height()));
            }
        }
    };
    std::vector<Open> sheets;
    const double tol = 1.0 / 16;
    // Into the first free rectangle it fits, cutting across the longer leftover so the
    // larger offcut stays whole.
    const auto place = [&](Open &s, const QSizeF &p, const QString &mark) {
        std::vector<QRectF> &free = s.free;
        for (size_t i = 0; i < free.size(); ++i) {
            const QRectF f = free[i];
            for (QSizeF z : {p, p.transposed()}) {
                if (z.width() > f.width() + tol || z.height() > f.height() + tol)
                    continue;
                z = z.boundedTo(f.size()); // within 1/16 in: cut to the room there is
                const double rw = std::max(0.0, f.width() - z.width()), rh = std::max(0.0, f.height() - z.height());
                free.erase(free.begin() + long(i));
                if (rw > rh) {
                    free.push_back(QRectF(f.left() + z.width(), f.top(), rw, f.height()));
                    free.push_back(QRectF(f.left(), f.top() + z.height(), z.width(), rh));
                } else {
                    free.push_back(QRectF(f.left(), f.top() + z.height(), f.width(), rh));
                    free.push_back(QRectF(f.left() + z.width(), f.top(), rw, z.height()));
                }
                s.placed.append({mark, QRectF(f.topLeft(), z)});
                return true;
            }
        }
        return false;
    };
    // Offcuts narrower than every piece can never be used: dropping them keeps the
    // search short on a large shed's thousands of pieces.
    double narrowest = 1e30;
    for (const QSizeF &p : pieces)
        narrowest = std::min({narrowest, p.width(), p.height()});
    const auto prune = [&](std::vector<QRectF> &free) {
        free.erase(std::remove_if(free.begin(), free.end(),
                                  [&](const QRectF &f) { return std::min(f.width(), f.height()) < narrowest - tol; }),
                   free.end());
    };
    size_t open = 0; // sheets before this one have no room left
    for (qsizetype i : order) {
        const QSizeF &p = pieces[i];
        while (open < sheets.size() && sheets[open].free.empty())
            ++open;
        const auto start = sheets.begin() + long(open);
        const double pShort = std::min(p.width(), p.height()), pLong = std::max(p.width(), p.height());
        auto hit = std::find_if(start, sheets.end(), [&](Open &s) {
            return pShort <= s.shortest + tol && pLong <= s.longest + tol && place(s, p, marks.value(i));
        });
        if (hit != sheets.end()) {
            prune(hit->free);
            hit->measure();
        }
        if (hit == sheets.end()) {
            sheets.push_back({{QRectF(QPointF(0, 0), sheet)}, {}});
            if (!place(sheets.back(), p, marks.value(i))) { // larger than a sheet: a sheet of its own
                sheets.back().free.clear();
                sheets.back().placed.append({marks.value(i), QRectF(QPointF(0, 0), sheet)});
            }
            prune(sheets.back().free);
            sheets.back().measure();
        }
    }
    QList<QList<SheetPiece>> out;
    out.reserve(qsizetype(sheets.size()));
    for (Open &s : sheets)
        out.append(std::move(s.placed));
    return out;
}

CuttingPlan planCutting(const Model &model, const PartMarks &marks, const BoardPrice &price, LumberPacking packing)
{
    struct Pieces {
        QList<double> lengths;
        QList<QSizeF> sizes;
        QStringList marks;
    };
    std::map<QString, Pieces> lumber, sheets;
    for (qsizetype i = 0; i < model.members.size(); ++i) {
        const Member &m = model.members[i];
        if (isLumber(m)) {
            Pieces &p = lumber[m.stock];
            p.lengths.append(cutLength(m.length));
            p.marks.append(marks.ofMember.value(i));
        } else if (isSheet(m)) {
            Pieces &p = sheets[m.stock];
            p.sizes.append(QSizeF(m.width, m.length));
            p.marks.append(marks.ofMember.value(i));
        }
    }

    CuttingPlan plan;
    for (const auto &[stock, p] : lumber) {
        const std::function<double(double)> boardPrice = [&, stock = stock](double length) {
            return price(stock, length);
        };
        plan.lumber.append({stock, packLumber(p.lengths, p.marks, boardPrice, packing, plan.oversize)});
    }
    for (const auto &[stock, p] : sheets) {
        const QSizeF whole = model.sheetSizes.value(stock, QSizeF(48, 96));
        SheetDiagram d{stock, whole, {}};
        // Whole sheets go up as they come; the rest are cut from sheets.
        QList<QSizeF> cut;
        QStringList cutMarks;
        for (qsizetype i = 0; i < p.sizes.size(); ++i) {
            const QSizeF &s = p.sizes[i];
            if (std::abs(s.width() - whole.width()) < 0.1 && std::abs(s.height() - whole.height()) < 0.1) {
                d.sheets.append({{p.marks[i], QRectF(QPointF(0, 0), whole)}});
            } else {
                cut.append(s);
                cutMarks.append(p.marks[i]);
            }
        }
        d.sheets += packSheets(cut, cutMarks, whole);
        plan.sheets.append(d);
    }
    return plan;
}

} // namespace corvelle::shed
