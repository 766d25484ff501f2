#include "output/ShedDataFile.h"

#include "app/Failure.h"
#include "app/ShedDesign.h"

#include <QDir>
#include <QSaveFile>

namespace corvelle {

namespace {

// One byte a character in ISO-8859-1; anything outside it becomes "?", so every
// character of the text takes exactly one byte.
QByteArray latin1(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t code : text.toUcs4())
        bytes.append(code <= 0xFF ? static_cast<char>(code) : '?');
    return bytes;
}

class Lines {
public:
    // A value field of exactly 12 characters, filled with blanks or cut, then the comment.
    void value(const QString &text, const char *comment = "")
    {
        const QByteArray field = latin1(text).leftJustified(12, ' ', true);
        line(field + comment);
    }
    void bare(const QString &text) { line(latin1(text)); }
    void comment(const char *text) { line(QByteArray(12, ' ') + text); }
    void line(const QByteArray &text) { bytes_ += text + "\r\n"; }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

QString lumber(const QString &joistType)
{
    return joistType == u"1" ? QStringLiteral("3.5") : QStringLiteral("5.5");
}

} // namespace

QByteArray ShedDataBytes(ShedDesign &d)
{
    Lines out;
    const auto fixed = [](const char *text) { return QString::fromLatin1(text); };
    out.value(d.ShedWidth, "' X, Feet,         Shed Width");
    out.value(d.ShedDepth, "' Z, Feet,         Shed Depth");
    out.value(d.ShedHeight, "' Y, Feet,         Shed Height");
    out.value(d.FloorType, "' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks");
    out.value(d.JoistType, "' N, Joist Type,   1 = 2x4, 2 = 2x6");
    out.value(fixed("1.5"), "' X, Inches,       Joist Width");
    out.value(fixed("8"), "' Z, Feet,         Joist Depth");
    d.JoistHeight = lumber(d.JoistType);
    out.value(d.JoistHeight, "' Y, Inches,       Joist Height");
    out.value(fixed("16"), "' X, Inches,       Joist Centers along floor");
    out.value(d.FloorHeight, "' Y, Inches,       Floor Height");
    out.value(fixed("8"), "' Z, Feet,         Plywood Depth");
    out.value(fixed("4"), "' X, Feet,         Plywood Width");
    out.value(fixed(".25"), "' Y, Inches,       Plywood Height");
    if (d.FloorType == u"0")
        d.BlockRows = QStringLiteral("0");
    out.value(d.BlockRows, "' N, Block Rows,   Number of Block Rows");
    out.value(fixed("7.75"), "' X, Inches,       Block Width");
    out.value(fixed("7.75"), "' Y, Inches,       Block Width");
    out.value(fixed("16"), "' Z, Inches,       Block Depth");
    out.line("8 foot long 2x4 Floor Joists");
    out.line("Cinder Blocks");
    d.PlywoodSheetSize = QStringLiteral("8'x 4'");
    out.value(d.PlywoodSheetSize, "'8' by 4' pieces of plywood");
    d.StudWidth = lumber(d.JoistType);
    out.value(d.StudWidth, "' X, Inches,       Stud Width");
    out.value(fixed("1.5"), "' Z, Inches,       Stud Depth");
    out.value(fixed("8"), "' Y, Inches,       Stud Height");
    out.value(d.StudCenters, "'N, Inches,        Stud Centers along floor");
    out.value(d.InnerHeight, "' Y, Feet,         Inner Height of Shed");
    out.bare(d.StudMaterialLine);
    out.value(fixed("5.5"), "' X, Inches,       Stud2 Width for top of inside");
    out.value(fixed("1.5"), "' Z, Inches,       Stud2 Depth for top of inside");
    out.value(fixed("8"), "' Y, Feet,         Stud2 Height for top of inside");
    out.value(fixed("16"), " ' N, Inches,      Stud2 Centers along roof");
    out.line(latin1(d.InWallType) + "          ' N, InWallType,   0 = None, 1 = Thin");
    out.value(fixed("4"), "' X, Feet,         Sheetrock Width");
    out.value(fixed("8"), "' Y, Feet,         Sheetrock Height");
    out.value(d.SheetrockThickness, "' Z, Inches,       Sheetrock Thickness");
    out.line("8'x 4' pieces of Sheetrock for interior walls");
    out.value(fixed("12"), "' X, Feet,         Wallboard Width");
    out.value(fixed("12"), "' Y, Feet,         Wallboard Height");
    out.value(fixed(".5"), "' Z, Inches,       Wallboard Thickness");
    out.line("8 'x 4' pieces of Wallboard for Exterior walls");
    out.value(d.SidingWidth, "' X, Feet,         Siding Width");
    out.value(d.SidingHeight, "' Y, Feet,         Siding Height");
    out.value(fixed(".5"), "' Z, Inches,       Siding Thickness");
    out.bare(QStringLiteral("Pieces of ") + d.SidingName + QStringLiteral(" Siding"));
    out.bare(d.OuterWallMaterial);
    out.bare(d.MainDoorLocation);
    out.comment("' N, Main Door,    None, Front, Rear, Both");
    out.value(d.MainDoorWidth, "' X, Feet,         Main Door Width");
    out.value(d.MainDoorHeight, "' Y, Feet,         Main Door Height");
    out.value(fixed("6"), "' Z, Inches        Main Door Thickness");
    out.bare(d.RampLocation);
    out.comment("' N, Ramp,     None, Front, Rear, Both");
    out.value(fixed("8"), "' Z, Feet,         Ramp Length");
    out.bare(d.RoofType);
    out.comment("' N, Roof Type,    Gable, Barn");
    out.value(fixed("5.5"), "' Y, Inches,       Roof Support Height of support boards");
    out.value(fixed("2.5"), "' Z, Inches,       Roof Support depth in the Depth Direction");
    out.value(fixed("16"), "' Z, Inches,       Spacing Between Roof Supports");
    out.value(fixed("12"), "' X, Feet,         Roof Overhang in the X direction, plan view");
    out.value(fixed("1"), "' Z, Feet,         Roof overhang in the Z direction, Perspective");
    out.value(fixed(".5"), "' Y, Inches,       Roof Thickness in the Y direction, plan view");
    if (d.Trusses.isEmpty())
        d.Trusses = QStringLiteral("0");
    out.value(d.Trusses);
    out.comment("' N, Trusses,      1 = Yes, Draw Trusses 0 = No, Don't Draw Trusses");
    out.value(d.ShadingMode, "' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade");
    return out.bytes();
}

void SaveFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString operation = QStringLiteral("Writing the file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(operation, QDir::toNativeSeparators(path), file.errorString());
    // Flush before commit: a buffered write that fails inside commit() is not
    // reported by QSaveFile, which would then replace the file with a partial one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw Failure(operation, QDir::toNativeSeparators(path), reason);
    }
    if (!file.commit())
        throw Failure(operation, QDir::toNativeSeparators(path), file.errorString());
}

QString ShedDataPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Program Data/ShedData.txt"));
}

void WriteShedDataFile(ShedDesign &design, const QString &programFolder, const std::function<void()> &launch3D)
{
    SaveFileAtomically(ShedDataPath(programFolder), ShedDataBytes(design));
    launch3D();
}

} // namespace corvelle
