#include "core/ShedDataFormat.h"

#include "core/ShedDesign.h"

#include <array>

namespace corvelle::shedfile {

namespace {

QString lumber(const QString &joistType)
{
    return joistType == u"1" ? QStringLiteral("3.5") : QStringLiteral("5.5");
}

void deriveJoistHeight(ShedDesign &d) { d.JoistHeight = lumber(d.JoistType); }
void deriveStudWidth(ShedDesign &d) { d.StudWidth = lumber(d.JoistType); }
void derivePlywoodSheetSize(ShedDesign &d) { d.PlywoodSheetSize = QStringLiteral("8'x 4'"); }
// A shed on gravel has no block rows, whatever the floor screen held.
void deriveBlockRows(ShedDesign &d)
{
    if (d.FloorType == u"0")
        d.BlockRows = QStringLiteral("0");
}
// Wide sheds set it on the way to shading; otherwise no roofing screen may have.
void deriveTrusses(ShedDesign &d)
{
    if (d.Trusses.isEmpty())
        d.Trusses = QStringLiteral("0");
}

using K = LineKind;
using D = ShedDesign;

// clang-format off
constexpr std::array<LineRule, LineCount> Rules = {{
    {1,  K::Value, &D::ShedWidth,   nullptr, "' X, Feet,         Shed Width"},
    {2,  K::Value, &D::ShedDepth,   nullptr, "' Z, Feet,         Shed Depth"},
    {3,  K::Value, &D::ShedHeight,  nullptr, "' Y, Feet,         Shed Height"},
    {4,  K::Value, &D::FloorType,   nullptr, "' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks"},
    {5,  K::Value, &D::JoistType,   nullptr, "' N, Joist Type,   1 = 2x4, 2 = 2x6"},
    {6,  K::Value, nullptr, "1.5",           "' X, Inches,       Joist Width"},
    {7,  K::Value, nullptr, "8",             "' Z, Feet,         Joist Depth"},
    {8,  K::Value, &D::JoistHeight, nullptr, "' Y, Inches,       Joist Height", "", "", deriveJoistHeight},
    {9,  K::Value, nullptr, "16",            "' X, Inches,       Joist Centers along floor"},
    {10, K::Value, &D::FloorHeight, nullptr, "' Y, Inches,       Floor Height"},
    {11, K::Value, nullptr, "8",             "' Z, Feet,         Plywood Depth"},
    {12, K::Value, nullptr, "4",             "' X, Feet,         Plywood Width"},
    {13, K::Value, nullptr, ".25",           "' Y, Inches,       Plywood Height"},
    {14, K::Value, &D::BlockRows,   nullptr, "' N, Block Rows,   Number of Block Rows", "", "", deriveBlockRows},
    {15, K::Value, nullptr, "7.75",          "' X, Inches,       Block Width"},
    {16, K::Value, nullptr, "7.75",          "' Y, Inches,       Block Width"},
    {17, K::Value, nullptr, "16",            "' Z, Inches,       Block Depth"},
    {18, K::Bare,  nullptr, "8 foot long 2x4 Floor Joists", ""},
    {19, K::Bare,  nullptr, "Cinder Blocks", ""},
    {20, K::Value, &D::PlywoodSheetSize, nullptr, "'8' by 4' pieces of plywood", "", "", derivePlywoodSheetSize},
    {21, K::Value, &D::StudWidth,   nullptr, "' X, Inches,       Stud Width", "", "", deriveStudWidth},
    {22, K::Value, nullptr, "1.5",           "' Z, Inches,       Stud Depth"},
    {23, K::Value, nullptr, "8",             "' Y, Inches,       Stud Height"},
    {24, K::Value, &D::StudCenters, nullptr, "'N, Inches,        Stud Centers along floor"},
    {25, K::Value, &D::InnerHeight, nullptr, "' Y, Feet,         Inner Height of Shed"},
    {26, K::Bare,  &D::StudMaterialLine, nullptr, ""},
    {27, K::Value, nullptr, "5.5",           "' X, Inches,       Stud2 Width for top of inside"},
    {28, K::Value, nullptr, "1.5",           "' Z, Inches,       Stud2 Depth for top of inside"},
    {29, K::Value, nullptr, "8",             "' Y, Feet,         Stud2 Height for top of inside"},
    {30, K::Value, nullptr, "16",            " ' N, Inches,      Stud2 Centers along roof"},
    {31, K::Unfilled, &D::InWallType, nullptr, "          ' N, InWallType,   0 = None, 1 = Thin"},
    {32, K::Value, nullptr, "4",             "' X, Feet,         Sheetrock Width"},
    {33, K::Value, nullptr, "8",             "' Y, Feet,         Sheetrock Height"},
    {34, K::Value, &D::SheetrockThickness, nullptr, "' Z, Inches,       Sheetrock Thickness"},
    {35, K::Bare,  nullptr, "8'x 4' pieces of Sheetrock for interior walls", ""},
    {36, K::Value, nullptr, "12",            "' X, Feet,         Wallboard Width"},
    {37, K::Value, nullptr, "12",            "' Y, Feet,         Wallboard Height"},
    {38, K::Value, nullptr, ".5",            "' Z, Inches,       Wallboard Thickness"},
    {39, K::Bare,  nullptr, "8 'x 4' pieces of Wallboard for Exterior walls", ""},
    {40, K::Value, &D::SidingWidth, nullptr, "' X, Feet,         Siding Width"},
    {41, K::Value, &D::SidingHeight, nullptr, "' Y, Feet,         Siding Height"},
    {42, K::Value, nullptr, ".5",            "' Z, Inches,       Siding Thickness"},
    {43, K::Bare,  &D::SidingName, nullptr, "", "Pieces of ", " Siding"},
    {44, K::Bare,  &D::OuterWallMaterial, nullptr, ""},
    {45, K::Bare,  &D::MainDoorLocation, nullptr, ""},
    {46, K::Comment, nullptr, nullptr,       "' N, Main Door,    None, Front, Rear, Both"},
    {47, K::Value, &D::MainDoorWidth, nullptr, "' X, Feet,         Main Door Width"},
    {48, K::Value, &D::MainDoorHeight, nullptr, "' Y, Feet,         Main Door Height"},
    {49, K::Value, nullptr, "6",             "' Z, Inches        Main Door Thickness"},
    {50, K::Bare,  &D::RampLocation, nullptr, ""},
    {51, K::Comment, nullptr, nullptr,       "' N, Ramp,     None, Front, Rear, Both"},
    {52, K::Value, nullptr, "8",             "' Z, Feet,         Ramp Length"},
    {53, K::Bare,  &D::RoofType, nullptr, ""},
    {54, K::Comment, nullptr, nullptr,       "' N, Roof Type,    Gable, Barn"},
    {55, K::Value, nullptr, "5.5",           "' Y, Inches,       Roof Support Height of support boards"},
    {56, K::Value, nullptr, "2.5",           "' Z, Inches,       Roof Support depth in the Depth Direction"},
    {57, K::Value, nullptr, "16",            "' Z, Inches,       Spacing Between Roof Supports"},
    {58, K::Value, nullptr, "12",            "' X, Feet,         Roof Overhang in the X direction, plan view"},
    {59, K::Value, nullptr, "1",             "' Z, Feet,         Roof overhang in the Z direction, Perspective"},
    {60, K::Value, nullptr, ".5",            "' Y, Inches,       Roof Thickness in the Y direction, plan view"},
    {61, K::Alone, &D::Trusses, nullptr, "", "", "", deriveTrusses},
    {62, K::Comment, nullptr, nullptr,       "' N, Trusses,      1 = Yes, Draw Trusses 0 = No, Don't Draw Trusses"},
    {63, K::Value, &D::ShadingMode, nullptr, "' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade"},
}};
// clang-format on

constexpr bool numberedInOrder()
{
    for (int i = 0; i < LineCount; ++i) {
        const LineRule &r = Rules[i];
        const bool sourced = r.kind == K::Comment ? !r.field && !r.fixed : !r.field != !r.fixed;
        if (r.line != i + 1 || !sourced)
            return false;
    }
    return true;
}
static_assert(numberedInOrder(), "every line numbered in order, with a field or a fixed text");

// One byte a character in ISO-8859-1; anything outside it becomes "?", so every
// character of the text takes exactly one byte. Control characters (C0, DEL, C1) become
// "?" too: a line end or a tab inside a value would break the file's lines and fields.
QByteArray latin1(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t code : text.toUcs4()) {
        const bool printable = (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF);
        bytes.append(printable ? static_cast<char>(code) : '?');
    }
    return bytes;
}

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

} // namespace

std::span<const LineRule, LineCount> rules() { return Rules; }

const LineRule &rule(int line) { return Rules.at(line - 1); }

QByteArray form(ShedDesign &design)
{
    QByteArray bytes;
    for (const LineRule &r : Rules) {
        if (r.derive)
            r.derive(design);
        const QByteArray value = r.field ? latin1(QLatin1String(r.prefix) + design.*r.field + QLatin1String(r.suffix))
                                         : QByteArray(r.fixed ? r.fixed : "");
        switch (r.kind) {
        case K::Value:
            bytes += value.leftJustified(ValueWidth, ' ', true) + r.comment;
            break;
        case K::Alone:
            bytes += value.leftJustified(ValueWidth, ' ', true);
            break;
        case K::Bare:
            bytes += value;
            break;
        case K::Unfilled:
            bytes += value + r.comment;
            break;
        case K::Comment:
            bytes += QByteArray(ValueWidth, ' ') + r.comment;
            break;
        }
        bytes += "\r\n";
    }
    return bytes;
}

bool splitCrLf(const QString &text, const QString &fileName, QStringList &lines, QString &error, int *errorLine)
{
    if (text.isEmpty()) {
        error = fileName + QStringLiteral(" is empty");
        return false;
    }
    if (!text.endsWith(QLatin1String("\r\n"))) {
        error = fileName + QStringLiteral(" does not end with CR LF");
        return false;
    }
    lines = text.left(text.size() - 2).split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QLatin1Char('\r')) || lines[i].contains(QLatin1Char('\n'))) {
            error = QStringLiteral("%1 line %2 has a line end other than CR LF").arg(fileName).arg(i + 1);
            if (errorLine)
                *errorLine = i + 1;
            return false;
        }
    }
    return true;
}

namespace {

// The value of one line, or a sentence saying how the line departs from its rule.
bool checkLine(const LineRule &r, const QString &line, QString &value, QString &problem)
{
    const QString comment = QString::fromLatin1(r.comment);
    switch (r.kind) {
    case K::Value:
        if (line.size() < ValueWidth || line.mid(ValueWidth) != comment) {
            problem = QStringLiteral("expected a 12-character value followed by the comment %1, found %2")
                          .arg(quoted(comment), quoted(line));
            return false;
        }
        value = line.left(ValueWidth).trimmed();
        if (r.isFixed() && value != QLatin1String(r.fixed)) {
            problem = QStringLiteral("the value should be %1, found %2").arg(quoted(QLatin1String(r.fixed)), quoted(value));
            return false;
        }
        return true;
    case K::Alone:
        if (line.size() != ValueWidth) {
            problem = QStringLiteral("expected a 12-character value field alone, found %1").arg(quoted(line));
            return false;
        }
        value = line.trimmed();
        return true;
    case K::Bare:
        if (r.isFixed()) {
            if (line != QLatin1String(r.fixed)) {
                problem = QStringLiteral("expected %1, found %2").arg(quoted(QLatin1String(r.fixed)), quoted(line));
                return false;
            }
            value = line;
            return true;
        }
        {
            const QLatin1String prefix(r.prefix), suffix(r.suffix);
            if (line.size() < prefix.size() + suffix.size() || !line.startsWith(prefix) || !line.endsWith(suffix)) {
                problem = QStringLiteral("expected %1, found %2")
                              .arg(quoted(prefix + QStringLiteral("...") + suffix), quoted(line));
                return false;
            }
            value = line.mid(prefix.size(), line.size() - prefix.size() - suffix.size());
        }
        return true;
    case K::Unfilled:
        if (!line.endsWith(comment)) {
            problem = QStringLiteral("expected the inner wall type followed by %1, found %2")
                          .arg(quoted(comment), quoted(line));
            return false;
        }
        value = line.left(line.size() - comment.size());
        return true;
    case K::Comment: {
        const QString expected = QString(ValueWidth, QLatin1Char(' ')) + comment;
        if (line != expected) {
            problem = QStringLiteral("expected the comment line %1, found %2").arg(quoted(expected), quoted(line));
            return false;
        }
        value.clear();
        return true;
    }
    }
    return false;
}

} // namespace

Check check(const QByteArray &bytes)
{
    Check result;
    // The wizard writes single-byte text.
    QStringList lines;
    if (!splitCrLf(QString::fromLatin1(bytes), FileName, lines, result.error, &result.errorLine))
        return result;
    if (lines.size() != LineCount) {
        result.error = QStringLiteral("%1 has %2 lines; the start macro needs exactly %3")
                           .arg(FileName)
                           .arg(lines.size())
                           .arg(LineCount);
        return result;
    }
    QStringList values;
    for (const LineRule &r : Rules) {
        QString value, problem;
        if (!checkLine(r, lines[r.line - 1], value, problem)) {
            result.errorLine = r.line;
            result.error = QStringLiteral("%1 line %2: %3").arg(FileName).arg(r.line).arg(problem);
            return result;
        }
        values << value;
    }
    result.contents = Contents{lines, values};
    return result;
}

} // namespace corvelle::shedfile
