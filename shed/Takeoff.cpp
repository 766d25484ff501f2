#include "shed/Takeoff.h"

#include "shed/Cutting.h"
#include "shed/Framing.h"
#include "shed/Hardware.h"
#include "shed/Rules.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <map>

namespace corvelle::shed {

namespace r = rules;

namespace {

// The shipped table, built in from Program Data/prices.csv's source.
const char *const DefaultPricesCsv =
#include "prices_default.inc"
    ;

QString number(double v) { return decimalText(v, 2); }

class Pricer {
public:
    Pricer(const PriceTable &t, QStringList &warnings) : t_(t), warnings_(warnings) {}
    // The longest item name that `stock` starts with, followed by a blank or the end.
    Price find(const QString &stock)
    {
        const Price *best = nullptr;
        qsizetype bestSize = -1;
        for (auto it = t_.prices.begin(); it != t_.prices.end(); ++it) {
            const QString &key = it.key();
            if (key.size() > bestSize && stock.startsWith(key)
                && (stock.size() == key.size() || stock[key.size()] == u' ' || stock[key.size()] == u',')) {
                best = &it.value();
                bestSize = key.size();
            }
        }
        if (!best) {
            if (!missing_.contains(stock)) {
                missing_ << stock;
                warnings_ << QStringLiteral("The price table has no price for %1; it is costed at 0.").arg(stock);
            }
            return {};
        }
        return *best;
    }
    // A board of a section: its own row where the table prices that length ("2x4 x 8 ft",
    // by the piece or the foot), else the section's price a foot.
    double board(const QString &stock, double length)
    {
        const auto own = t_.prices.constFind(QStringLiteral("%1 x %2 ft").arg(stock, number(length / 12)));
        if (own != t_.prices.cend())
            return own->unit == u"ft" ? own->price * length / 12 : own->price;
        return find(stock).price * length / 12;
    }

private:
    const PriceTable &t_;
    QStringList &warnings_;
    QStringList missing_;
};

} // namespace

PriceTable parsePrices(const QByteArray &csv, const QString &fileName)
{
    PriceTable table;
    const QList<QByteArray> lines = csv.split('\n');
    bool header = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char(','));
        const auto broken = [&](const QString &what) {
            table.warnings << QStringLiteral("%1 line %2: %3; the built-in price is used.").arg(fileName).arg(i + 1).arg(what);
        };
        if (!header) {
            header = true;
            if (f.size() != 3 || f[0].trimmed() != u"item" || f[1].trimmed() != u"unit" || f[2].trimmed() != u"unit_price") {
                table.warnings << QStringLiteral("%1 line %2: the header should read \"item,unit,unit_price\"; the built-in prices are used.")
                                      .arg(fileName).arg(i + 1);
                return table;
            }
            continue;
        }
        if (f.size() != 3) {
            broken(QStringLiteral("expected item, unit and price, found %1 fields").arg(f.size()));
            continue;
        }
        bool ok = false;
        const double price = f[2].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(price) || price < 0) {
            broken(QStringLiteral("the price \"%1\" is not an amount").arg(f[2].trimmed()));
            continue;
        }
        if (f[0].trimmed().isEmpty()) {
            broken(QStringLiteral("the item has no name"));
            continue;
        }
        table.prices.insert(f[0].trimmed(), {f[1].trimmed(), price});
    }
    if (!header)
        table.warnings << QStringLiteral("%1 is empty; the built-in prices are used.").arg(fileName);
    return table;
}

PriceTable defaultPrices()
{
    return parsePrices(QByteArray(DefaultPricesCsv), QStringLiteral("the built-in price table"));
}

PriceTable loadPrices(const QString &path)
{
    PriceTable table = defaultPrices();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        table.warnings << QStringLiteral("The price table %1 cannot be read (%2); the built-in prices are used.")
                              .arg(path, file.errorString());
        return table;
    }
    const PriceTable user = parsePrices(file.read(1 << 20), QFileInfo(path).fileName());
    for (auto it = user.prices.begin(); it != user.prices.end(); ++it)
        table.prices.insert(it.key(), it.value());
    table.warnings << user.warnings;
    return table;
}

Takeoff takeoff(const Model &model, const PriceTable &prices, Units units, LumberPacking packing)
{
    Takeoff t;
    t.warnings = prices.warnings;
    Pricer pricer(prices, t.warnings);
    const auto add = [&](MaterialRow row) {
        if (row.cost == 0) // a converted row keeps the cost of what is ordered
            row.cost = std::round(row.quantity * row.unitPrice * 100) / 100;
        if (row.inTotal)
            t.total += row.cost;
        t.materials.append(row);
    };

    std::map<QString, int> counted;                   // blocks, door leaves
    double slab = 0, gravel = 0, roofArea = 0;        // cubic inches, square inches
    for (const Member &m : model.members) {
        if (m.kind == MemberKind::RoofSheet)
            roofArea += m.length * m.width;
        else if (m.kind == MemberKind::Slab)
            slab += double(m.size.x()) * m.size.y() * m.size.z();
        else if (m.kind == MemberKind::GravelPad)
            gravel += double(m.size.x()) * m.size.y() * m.size.z();
        else if (!isLumber(m) && !isSheet(m))
            ++counted[m.stock];
    }

    const PartMarks marks = partMarks(model);
    t.cutting = planCutting(
        model, marks, [&](const QString &stock, double length) { return pricer.board(stock, length); }, packing);
    for (const LumberDiagram &d : t.cutting.lumber) {
        QMap<double, int> boards;
        for (const Bar &bar : d.bars)
            ++boards[bar.stockLength];
        for (auto it = boards.begin(); it != boards.end(); ++it) {
            const QString item = units.isMetric()
                                     ? QStringLiteral("%1 x %2").arg(units.stock(d.stock), units.length(it.key()))
                                     : QStringLiteral("%1 x %2 ft").arg(d.stock, number(it.key() / 12));
            add({item, double(it.value()), QStringLiteral("piece"), pricer.board(d.stock, it.key()), 0,
                 QStringLiteral("cut pieces packed into stock lengths, as the lumber cutting diagram shows")});
        }
    }
    if (t.cutting.oversize)
        t.warnings << QStringLiteral("Some pieces are longer than any stock length (20 ft); they need special-order lumber or a splice.");

    for (const SheetDiagram &d : t.cutting.sheets) {
        const QString &stock = d.stock;
        const QSizeF whole = d.size;
        const qsizetype count = d.sheets.size();
        const bool panel = stock.contains(QLatin1String("plywood")) || stock.contains(QLatin1String("wall board"))
                           || stock.contains(QLatin1String("OSB"));
        const Price price = pricer.find(stock);
        QString size = QStringLiteral("%1x%2 ft").arg(number(whole.width() / 12), number(whole.height() / 12));
        if (units.isMetric())
            size += QStringLiteral(" (%1)").arg(units.size(whole.width(), whole.height()));
        // "1/2 in plywood, gussets" reads "1/2 in plywood 4x8 ft, gussets".
        const qsizetype comma = stock.indexOf(QLatin1String(", "));
        const QString name = units.stock(comma < 0 ? stock : stock.left(comma));
        const QString item = !panel
                                 ? units.stock(stock)
                                 : QStringLiteral("%1 %2%3").arg(name, size, comma < 0 ? QString() : stock.mid(comma));
        add({item, double(count), price.unit.isEmpty() ? QStringLiteral("piece") : price.unit,
             price.price, 0, QStringLiteral("whole pieces and cut pieces laid out from them")});
    }

    for (const auto &[stock, n] : counted) {
        const Price price = pricer.find(stock);
        add({units.stock(stock), double(n), price.unit.isEmpty() ? QStringLiteral("each") : price.unit, price.price, 0,
             QString()});
    }

    const auto yards = [](double cubicInches, double waste) {
        return std::ceil(cubicInches / 46656 * (1 + waste) * 4 - 1e-9) / 4; // ordered by the quarter yard
    };
    // Bulk concrete and gravel are ordered by the quarter yard whatever the user reads, so
    // switching units never changes the bill: metric shows the same order in m³ (to 0.01)
    // at the price a cubic metre, with the cost of the yards.
    const auto bulk = [&](MaterialRow row) {
        if (!units.isMetric())
            return row;
        row.cost = std::round(row.quantity * row.unitPrice * 100) / 100;
        row.quantity = std::round(row.quantity * CubicMetresPerCubicYard * 100) / 100;
        row.unitPrice = std::round(row.unitPrice / CubicMetresPerCubicYard * 100) / 100;
        row.unit = QStringLiteral("m\u00b3");
        return row;
    };
    if (slab > 0) {
        const double cubicFeet = slab / 1728 * (1 + r::ConcreteWaste);
        const int bags = int(std::ceil(cubicFeet / r::BagYieldCuFt - 1e-9));
        // Ready-mix for a yard or more, bags below; the other is shown as the alternative.
        const double yd = yards(slab, r::ConcreteWaste);
        const bool truck = yd >= 1;
        const QString waste = QStringLiteral("%1 % waste included").arg(r::ConcreteWaste * 100);
        const Price mix = pricer.find(QStringLiteral("ready-mix concrete"));
        const Price bag = pricer.find(QStringLiteral("concrete mix 80 lb bag"));
        MaterialRow a = bulk({QStringLiteral("ready-mix concrete"), yd, QStringLiteral("cu yd"), mix.price, 0, waste, truck});
        MaterialRow b{QStringLiteral("concrete mix 80 lb bag"),
                      double(bags),
                      QStringLiteral("bag"),
                      bag.price,
                      0,
                      QStringLiteral("%1; %2 a bag").arg(waste, units.volume(r::BagYieldCuFt * 1728)),
                      !truck};
        (truck ? b : a).note += QStringLiteral("; alternative, not in the total");
        add(a);
        add(b);
    }
    if (gravel > 0) {
        const Price price = pricer.find(QStringLiteral("gravel"));
        add(bulk({QStringLiteral("gravel"), yards(gravel, r::GravelWaste), QStringLiteral("cu yd"), price.price, 0,
                  QStringLiteral("%1 deep, %2 % for compaction").arg(units.length(r::GravelDepth)).arg(r::GravelWaste * 100)}));
    }
    if (roofArea > 0) {
        const double sqft = roofArea / 144 * (1 + r::RoofingWaste);
        const Price shingles = pricer.find(QStringLiteral("asphalt shingles"));
        add({QStringLiteral("asphalt shingles"), std::ceil(sqft / r::BundleSqFt - 1e-9), QStringLiteral("bundle"),
             shingles.price, 0,
             QStringLiteral("%1 of roof, %2 % waste, 3 bundles a square")
                 .arg(units.area(roofArea))
                 .arg(r::RoofingWaste * 100)});
        const Price felt = pricer.find(QStringLiteral("roofing underlayment"));
        // Below 4:12 shingles need two layers of underlayment.
        const int layers = lowestRoofPitch(model.design) < r::DoubleUnderlaymentBelow - 1e-9 ? 2 : 1;
        add({QStringLiteral("roofing underlayment"), std::ceil(layers * sqft / r::FeltRollSqFt - 1e-9),
             QStringLiteral("roll"), felt.price, 0,
             QStringLiteral("No. 15 felt, %1 a roll%2")
                 .arg(units.area(r::FeltRollSqFt * 144))
                 .arg(layers > 1 ? QStringLiteral(", two layers below 4:12") : QString())});
    }
    for (const HardwareCount &h : countHardware(model, units))
        add({units.stock(h.item), h.quantity, h.unit, pricer.find(h.item).price, 0, h.note});
    t.total = std::round(t.total * 100) / 100;

    // Lumber pieces in mark order: the cut list is where a mark is looked up.
    for (const MarkedPiece &p : marks.pieces) {
        if (isLumber(p.kind))
            t.cuts.append({p.mark, p.vCut ? kindName(p.kind) + QStringLiteral(", V cut") : kindName(p.kind), p.stock,
                           p.length, p.angle1, p.angle2, p.quantity});
    }
    return t;
}

MaterialTable materialTable(const Takeoff &takeoff)
{
    const QLocale c = QLocale::c();
    MaterialTable t;
    for (const MaterialRow &row : takeoff.materials) {
        const QString item =
            row.inTotal ? row.item : QStringLiteral("%1 (alternative, not in the total)").arg(row.item);
        t.rows.append({item, c.toString(row.quantity, 'g', 6), row.unit, c.toString(row.unitPrice, 'f', 2),
                       c.toString(row.cost, 'f', 2)});
    }
    t.total = QStringLiteral("Total %1").arg(c.toString(takeoff.total, 'f', 2));
    return t;
}

} // namespace corvelle::shed
