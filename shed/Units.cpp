#include "shed/Units.h"

#include "shed/Rules.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

namespace {

// Sixteenths of an inch as whole inches and a fraction in lowest terms, the two joined by
// `joint`: "7-1/2", or "1 1/2" as a stock name writes a thickness.
QString inchesOf(long sixteenths, bool zeroWhole, QChar joint = QLatin1Char('-'))
{
    const long whole = sixteenths / 16;
    long num = sixteenths % 16, den = 16;
    while (num && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    QString text = whole || !num || zeroWhole ? QString::number(whole) : QString();
    if (num)
        text += QStringLiteral("%1%2/%3").arg(text.isEmpty() ? QString() : QString(joint)).arg(num).arg(den);
    return text;
}

// Three significant figures without an exponent, trailing zeros dropped.
QString figures(double v)
{
    const double a = std::abs(v);
    const int decimals = a < 1e-9 ? 0 : std::clamp(2 - int(std::floor(std::log10(a))), 0, 9);
    return decimalText(v, decimals);
}

QString millimetres(double inches) { return QString::number(std::lround(inches * MillimetresPerInch)); }

// The dressed size of a nominal dimension, or 0 when the yard has no such size.
double dressed(int nominal)
{
    for (const rules::DressedSize &s : rules::DressedSizes)
        if (s.nominal == nominal)
            return s.actual;
    return 0;
}

// "1/2", "1 1/2", "3/4" as Framing's fraction() writes a thickness.
double fractionValue(const QString &text)
{
    double v = 0;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype slash = part.indexOf(QLatin1Char('/'));
        if (slash < 0)
            v += part.toDouble();
        else if (const double den = part.mid(slash + 1).toDouble(); den > 0)
            v += part.left(slash).toDouble() / den;
    }
    return v;
}

} // namespace

Units Units::forLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return Units(UnitSystem::Imperial);
    return Units(locale.measurementSystem() == QLocale::MetricSystem ? UnitSystem::Metric : UnitSystem::Imperial);
}

std::optional<Units> Units::fromName(QStringView name)
{
    if (name == u"metric")
        return Units(UnitSystem::Metric);
    if (name == u"imperial")
        return Units(UnitSystem::Imperial);
    return std::nullopt;
}

QString Units::name() const { return isMetric() ? QStringLiteral("metric") : QStringLiteral("imperial"); }

double cutLength(double inches) { return std::round(inches * 16) / 16; }

QString feetInches(double inches)
{
    const QString sign = inches < 0 ? QStringLiteral("-") : QString();
    const long total = std::lround(std::abs(inches) * 16);
    return sign + QStringLiteral("%1' %2\"").arg(total / (12 * 16)).arg(inchesOf(total % (12 * 16), true));
}

QString fraction(double inches) { return inchesOf(std::lround(inches * 16), false, QLatin1Char(' ')); }

QString feetText(double inches)
{
    const double feet = inches / 12;
    return std::abs(feet - std::round(feet)) < 1e-9 ? QStringLiteral("%1 ft").arg(std::lround(feet))
                                                    : QStringLiteral("%1 ft").arg(feet, 0, 'f', 1);
}

QString Units::length(double inches) const
{
    if (isMetric())
        return millimetres(inches) + QStringLiteral(" mm");
    const QString sign = inches < 0 ? QStringLiteral("-") : QString();
    const double v = std::abs(inches);
    if (v < 24)
        return sign + inchesOf(std::lround(v * 16), false) + QLatin1Char('"');
    return sign + feetInches(v);
}

double Units::lengthValue(double inches) const { return isMetric() ? inches * MillimetresPerInch : inches; }

QString Units::size(double a, double b) const
{
    if (isMetric())
        return QStringLiteral("%1 x %2 mm").arg(millimetres(a), millimetres(b));
    return QStringLiteral("%1 x %2").arg(length(a), length(b));
}

QString Units::size(double a, double b, double c) const
{
    if (isMetric())
        return QStringLiteral("%1 x %2 x %3 mm").arg(millimetres(a), millimetres(b), millimetres(c));
    return QStringLiteral("%1 x %2 x %3").arg(length(a), length(b), length(c));
}

QString Units::inches(double inches) const
{
    if (isMetric())
        return millimetres(inches) + QStringLiteral(" mm");
    const QString sign = inches < 0 ? QStringLiteral("-") : QString();
    return sign + inchesOf(std::lround(std::abs(inches) * 16), false) + QStringLiteral(" in");
}

QString Units::feet(double inches) const
{
    if (isMetric())
        return millimetres(inches) + QStringLiteral(" mm");
    return feetText(inches);
}

QString Units::lengthUnit() const { return isMetric() ? QStringLiteral("mm") : QStringLiteral("in"); }

QString Units::area(double squareInches) const
{
    if (isMetric())
        return figures(squareInches * MillimetresPerInch * MillimetresPerInch / 1e6) + QStringLiteral(" m\u00b2");
    return figures(squareInches / 144) + QStringLiteral(" sq ft");
}

QString Units::volume(double cubicInches) const
{
    if (isMetric())
        return figures(cubicInches * std::pow(MillimetresPerInch / 1000, 3)) + QStringLiteral(" m\u00b3");
    return figures(cubicInches / 1728) + QStringLiteral(" cu ft");
}

QString Units::stock(const QString &tradeName) const
{
    if (!isMetric())
        return tradeName;
    // The size goes after the name and before any ", use" that follows it.
    const qsizetype comma = tradeName.indexOf(QLatin1String(", "));
    QString name = comma < 0 ? tradeName : tradeName.left(comma);
    const QString rest = comma < 0 ? QString() : tradeName.mid(comma);
    // A stock length at the end ("drip edge 10 ft") is a length like any other.
    static const QRegularExpression stockLength(QStringLiteral(" (\\d+(?:\\.\\d+)?) ft$"));
    QString length;
    if (const auto m = stockLength.match(name); m.hasMatch()) {
        length = QLatin1Char(' ') + this->length(m.captured(1).toDouble() * 12);
        name.chop(m.capturedLength());
    }
    static const QRegularExpression section(QStringLiteral("(?:^| )(\\d+)x(\\d+)(?: |$)"));
    static const QRegularExpression thickness(QStringLiteral("^(\\d+(?:[ -]\\d+/\\d+)?|\\d+/\\d+) in "));
    static const QRegularExpression inches(QStringLiteral("(\\d+(?:\\.\\d+)?) ?x ?(\\d+(?:\\.\\d+)?) in$"));
    QString size;
    if (const auto m = section.match(name); m.hasMatch()) {
        const double t = dressed(m.captured(1).toInt()), d = dressed(m.captured(2).toInt());
        if (t > 0 && d > 0)
            size = this->size(t, d);
    }
    if (const auto m = thickness.match(name); size.isEmpty() && m.hasMatch()) {
        if (const double t = fractionValue(QString(m.captured(1)).replace(QLatin1Char('-'), QLatin1Char(' '))); t > 0)
            size = QStringLiteral("%1 mm").arg(millimetres(t));
    }
    if (const auto m = inches.match(name); size.isEmpty() && m.hasMatch())
        size = this->size(m.captured(1).toDouble(), m.captured(2).toDouble());
    // Engineered lumber is named by its actual size in fractions ("LVL 1-3/4x11-7/8").
    static const QRegularExpression actual(QStringLiteral("(?:^| )(\\d+-\\d+/\\d+|\\d+)x(\\d+-\\d+/\\d+)(?: |$)"));
    if (const auto m = actual.match(name); size.isEmpty() && m.hasMatch()) {
        const auto inchesOf = [](QString text) { return fractionValue(text.replace(QLatin1Char('-'), QLatin1Char(' '))); };
        if (const double t = inchesOf(m.captured(1)), d = inchesOf(m.captured(2)); t > 0 && d > 0)
            size = this->size(t, d);
    }
    if (size.isEmpty())
        return name + length + rest;
    return QStringLiteral("%1 (%2)%3%4").arg(name, size, length, rest);
}

QString decimalText(double v, int decimals)
{
    QString s = QString::number(v, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s == u"-0" ? QStringLiteral("0") : s;
}

} // namespace corvelle::shed
