#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace corvelle::refhost {

enum class Unit { Feet, Inches };

// A size line's value: the number when the text is one, in the unit its comment names.
struct Size {
    std::optional<double> amount;
    Unit unit = Unit::Feet;

    double feet() const { return amount.value_or(0) / (unit == Unit::Inches ? 12 : 1); }
};

// Codes the wizard writes; Other keeps a file readable whatever it holds there.
enum class FloorType { None, Concrete, Wood, Blocks, Other };
enum class Sides { None, Front, Rear, Both, Other };
enum class RoofType { Gable, Barn, None, Other }; // None: the line is empty
enum class Shading { Wireframe, Hide, Flatshade, SmoothShade, Other };

inline bool hasFront(Sides s) { return s == Sides::Front || s == Sides::Both; }

// One shown line of the file: its text and what it means.
struct ShedEntry {
    int line = 0;              // 1-based line in ShedData.txt
    QString text;              // the value without its fill blanks; a bare line whole
    QString comment;           // the file's own comment (or the host's label for a material line)
    std::optional<Size> size;  // on size lines
};

struct ShedGroup {
    QString title; // "Size", "Floor", ...
    QList<ShedEntry> entries;
};

// A shed data file as the host reads it.
struct ShedData {
    Size width, depth, height, innerHeight, doorWidth, doorHeight;
    FloorType floor = FloorType::Other;
    Sides door = Sides::Other;
    Sides ramp = Sides::Other;
    RoofType roof = RoofType::Other;
    bool trusses = false;
    Shading shading = Shading::Other;
    QList<ShedGroup> groups; // every line but the comment lines, in file order

    QString text(int line) const; // a shown line's text, empty for a comment line
};

// A file read: its data, or one sentence saying what is wrong and on which line.
struct ShedDataRead {
    std::optional<ShedData> data;
    int line = 0;  // the line of the error; 0 when it concerns the whole file
    QString error;
};

// Reads and checks the 63-line data file.
ShedDataRead readShedData(const QByteArray &bytes);

// shedSize.txt: one width line ending in CR LF, in feet.
struct ShedSizeRead {
    std::optional<double> feet;
    QString text; // the width as written
    QString error;
};
ShedSizeRead readShedSize(const QByteArray &bytes);

} // namespace corvelle::refhost
