#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// The one home of lengths, areas and volumes as text. The model works in inches
// whatever the user reads: only the text changes with the unit system.
namespace corvelle::shed {

enum class UnitSystem { Imperial, Metric };

class Units {
public:
    constexpr Units(UnitSystem system = UnitSystem::Imperial) : system_(system) {}

    // Metric where the locale measures in metres; the C locale (no locale chosen) and
    // the imperial ones in feet and inches.
    static Units forLocale(const QLocale &locale = QLocale());
    // "metric" or "imperial", as --units and the settings write them; nothing else.
    static std::optional<Units> fromName(QStringView name);
    QString name() const;

    UnitSystem system() const { return system_; }
    bool isMetric() const { return system_ == UnitSystem::Metric; }
    bool operator==(const Units &) const = default;

    // Imperial to the nearest 1/16 in, in inches alone under two feet as builders read
    // them (16", 5-1/2", 1/2") and in feet and inches from there (7' 7-1/2"); metric in
    // whole millimetres (2324 mm).
    QString length(double inches) const;
    // A length as a number in the system's unit (inches, or millimetres), and the name
    // of the unit a CSV column carries ("in", "mm").
    double lengthValue(double inches) const;
    // Two lengths of one thing: "1219 x 2438 mm"; imperial as two lengths.
    QString size(double a, double b) const;
    QString size(double a, double b, double c) const;
    QString lengthUnit() const;
    // To three significant figures, whole units at least: "158 sq ft", "14.7 m²";
    // "0.6 cu ft", "0.017 m³".
    QString area(double squareInches) const;
    QString volume(double cubicInches) const;
    // A stock's trade name, in metric with its actual size beside it: "2x4 (38 x 89 mm)",
    // "2x6 PT (38 x 140 mm)", "1/2 in plywood (13 mm)", "door leaf 24 x 84 in (610 x 2134 mm)";
    // other stocks as they are.
    QString stock(const QString &tradeName) const;

private:
    UnitSystem system_;
};

// The one rounding of a length, for the plans, the cut list and the packing alike: to the
// nearest 1/16 in. A saw line is 1/8 in wide, so a piece within 1/32 in of its length
// is that piece; rounding up instead would give a sheet and the cut list two figures.
double cutLength(double inches);

// Always feet and inches, rounded by cutLength: 91.5 -> 7' 7-1/2".
QString feetInches(double inches);

// A thickness as a stock name carries it: "1/2", "5/8", "1 1/2" (to 1/16 in).
QString fraction(double inches);

// A bought length as a yard names it: "10 ft", "12.5 ft".
QString feetText(double inches);

// `v` to `decimals` places with trailing zeros dropped: 12.50 -> "12.5", 8.00 -> "8".
QString decimalText(double v, int decimals);

constexpr double MillimetresPerInch = 25.4;
constexpr double CubicMetresPerCubicYard = 0.764554857984;

} // namespace corvelle::shed
