#include "ShedDataFile.h"

#include <array>

namespace corvelle::refhost {

namespace {

enum class Kind {
    Value,      // 12-character value field + comment
    Fixed,      // value line whose value the wizard never varies
    Bare,       // text alone
    BareFixed,  // fixed text alone
    Comment,    // 12 blanks + comment, describes the bare line above
    InWall,     // line 31: unfilled value + fixed text
    Alone,      // line 61: value field only
};

struct LineRule {
    Kind kind;
    const char *value;    // fixed value (Fixed, BareFixed) or the host's label of a bare line
    const char *comment;
    int group;
};

enum Group { Size, Floor, Framing, Walls, DoorRamp, Roof, Shading, GroupCount };
const char *const GroupTitles[GroupCount] = {"Size", "Floor", "Framing", "Walls", "Door and ramp", "Roof",
                                             "Shading"};

// clang-format off
const std::array<LineRule, 63> Rules = {{
    {Kind::Value, nullptr, "' X, Feet,         Shed Width", Size},
    {Kind::Value, nullptr, "' Z, Feet,         Shed Depth", Size},
    {Kind::Value, nullptr, "' Y, Feet,         Shed Height", Size},
    {Kind::Value, nullptr, "' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks", Floor},
    {Kind::Value, nullptr, "' N, Joist Type,   1 = 2x4, 2 = 2x6", Floor},
    {Kind::Fixed, "1.5", "' X, Inches,       Joist Width", Floor},
    {Kind::Fixed, "8", "' Z, Feet,         Joist Depth", Floor},
    {Kind::Value, nullptr, "' Y, Inches,       Joist Height", Floor},
    {Kind::Fixed, "16", "' X, Inches,       Joist Centers along floor", Floor},
    {Kind::Value, nullptr, "' Y, Inches,       Floor Height", Floor},
    {Kind::Fixed, "8", "' Z, Feet,         Plywood Depth", Floor},
    {Kind::Fixed, "4", "' X, Feet,         Plywood Width", Floor},
    {Kind::Fixed, ".25", "' Y, Inches,       Plywood Height", Floor},
    {Kind::Value, nullptr, "' N, Block Rows,   Number of Block Rows", Floor},
    {Kind::Fixed, "7.75", "' X, Inches,       Block Width", Floor},
    {Kind::Fixed, "7.75", "' Y, Inches,       Block Width", Floor},
    {Kind::Fixed, "16", "' Z, Inches,       Block Depth", Floor},
    {Kind::BareFixed, "8 foot long 2x4 Floor Joists", "Material list", Floor},
    {Kind::BareFixed, "Cinder Blocks", "Material list", Floor},
    {Kind::Value, nullptr, "'8' by 4' pieces of plywood", Floor},
    {Kind::Value, nullptr, "' X, Inches,       Stud Width", Framing},
    {Kind::Fixed, "1.5", "' Z, Inches,       Stud Depth", Framing},
    {Kind::Fixed, "8", "' Y, Inches,       Stud Height", Framing},
    {Kind::Value, nullptr, "'N, Inches,        Stud Centers along floor", Framing},
    {Kind::Value, nullptr, "' Y, Feet,         Inner Height of Shed", Framing},
    {Kind::Bare, nullptr, "Material list", Framing},
    {Kind::Fixed, "5.5", "' X, Inches,       Stud2 Width for top of inside", Framing},
    {Kind::Fixed, "1.5", "' Z, Inches,       Stud2 Depth for top of inside", Framing},
    {Kind::Fixed, "8", "' Y, Feet,         Stud2 Height for top of inside", Framing},
    {Kind::Fixed, "16", " ' N, Inches,      Stud2 Centers along roof", Framing},
    {Kind::InWall, nullptr, "          ' N, InWallType,   0 = None, 1 = Thin", Walls},
    {Kind::Fixed, "4", "' X, Feet,         Sheetrock Width", Walls},
    {Kind::Fixed, "8", "' Y, Feet,         Sheetrock Height", Walls},
    {Kind::Value, nullptr, "' Z, Inches,       Sheetrock Thickness", Walls},
    {Kind::BareFixed, "8'x 4' pieces of Sheetrock for interior walls", "Material list", Walls},
    {Kind::Fixed, "12", "' X, Feet,         Wallboard Width", Walls},
    {Kind::Fixed, "12", "' Y, Feet,         Wallboard Height", Walls},
    {Kind::Fixed, ".5", "' Z, Inches,       Wallboard Thickness", Walls},
    {Kind::BareFixed, "8 'x 4' pieces of Wallboard for Exterior walls", "Material list", Walls},
    {Kind::Value, nullptr, "' X, Feet,         Siding Width", Walls},
    {Kind::Value, nullptr, "' Y, Feet,         Siding Height", Walls},
    {Kind::Fixed, ".5", "' Z, Inches,       Siding Thickness", Walls},
    {Kind::Bare, nullptr, "Material list", Walls},
    {Kind::Bare, nullptr, "Outer wall material", Walls},
    {Kind::Bare, nullptr, nullptr, DoorRamp},
    {Kind::Comment, nullptr, "' N, Main Door,    None, Front, Rear, Both", DoorRamp},
    {Kind::Value, nullptr, "' X, Feet,         Main Door Width", DoorRamp},
    {Kind::Value, nullptr, "' Y, Feet,         Main Door Height", DoorRamp},
    {Kind::Fixed, "6", "' Z, Inches        Main Door Thickness", DoorRamp},
    {Kind::Bare, nullptr, nullptr, DoorRamp},
    {Kind::Comment, nullptr, "' N, Ramp,     None, Front, Rear, Both", DoorRamp},
    {Kind::Fixed, "8", "' Z, Feet,         Ramp Length", DoorRamp},
    {Kind::Bare, nullptr, nullptr, Roof},
    {Kind::Comment, nullptr, "' N, Roof Type,    Gable, Barn", Roof},
    {Kind::Fixed, "5.5", "' Y, Inches,       Roof Support Height of support boards", Roof},
    {Kind::Fixed, "2.5", "' Z, Inches,       Roof Support depth in the Depth Direction", Roof},
    {Kind::Fixed, "16", "' Z, Inches,       Spacing Between Roof Supports", Roof},
    {Kind::Fixed, "12", "' X, Feet,         Roof Overhang in the X direction, plan view", Roof},
    {Kind::Fixed, "1", "' Z, Feet,         Roof overhang in the Z direction, Perspective", Roof},
    {Kind::Fixed, ".5", "' Y, Inches,       Roof Thickness in the Y direction, plan view", Roof},
    {Kind::Alone, nullptr, nullptr, Roof},
    {Kind::Comment, nullptr, "' N, Trusses,      1 = Yes, Draw Trusses 0 = No, Don't Draw Trusses", Roof},
    {Kind::Value, nullptr, "' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade", Shading},
}};
// clang-format on

constexpr int ValueWidth = 12;

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString lineError(int line, const QString &what) { return QStringLiteral("ShedData.txt line %1: %2").arg(line).arg(what); }

// Splits on CR LF and rejects anything else that could end a line.
bool splitCrLf(const QString &text, const QString &fileName, QStringList &lines, QString &error)
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
            return false;
        }
    }
    return true;
}

} // namespace

QString ShedDesignData::value(int line) const
{
    for (const auto &group : groups)
        for (const auto &entry : group.entries)
            if (entry.line == line)
                return entry.value;
    return {};
}

bool parseShedData(const QByteArray &bytes, ShedDesignData &out, QString &error)
{
    // The wizard writes single-byte text.
    QStringList lines;
    if (!splitCrLf(QString::fromLatin1(bytes), QStringLiteral("ShedData.txt"), lines, error))
        return false;
    if (lines.size() != int(Rules.size())) {
        error = QStringLiteral("ShedData.txt has %1 lines; the start macro needs exactly %2")
                    .arg(lines.size())
                    .arg(Rules.size());
        return false;
    }

    ShedDesignData data;
    for (int g = 0; g < GroupCount; ++g)
        data.groups.append(DesignGroup{QString::fromLatin1(GroupTitles[g]), {}});

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const LineRule &rule = Rules[i];
        const QString &line = lines[i];
        const QString comment = QString::fromLatin1(rule.comment ? rule.comment : "");
        DesignEntry entry{lineNo, {}, comment.trimmed()};

        switch (rule.kind) {
        case Kind::Value:
        case Kind::Fixed: {
            if (line.size() < ValueWidth || line.mid(ValueWidth) != comment) {
                error = lineError(lineNo, QStringLiteral("expected a 12-character value followed by the comment %1, found %2")
                                              .arg(quoted(comment), quoted(line)));
                return false;
            }
            entry.value = line.left(ValueWidth).trimmed();
            if (rule.kind == Kind::Fixed && entry.value != QLatin1String(rule.value)) {
                error = lineError(lineNo, QStringLiteral("the value should be %1, found %2")
                                              .arg(quoted(QLatin1String(rule.value)), quoted(entry.value)));
                return false;
            }
            break;
        }
        case Kind::BareFixed:
            if (line != QLatin1String(rule.value)) {
                error = lineError(lineNo, QStringLiteral("expected %1, found %2")
                                              .arg(quoted(QLatin1String(rule.value)), quoted(line)));
                return false;
            }
            entry.value = line;
            break;
        case Kind::Bare:
            entry.value = line;
            if (lineNo == 43 && !(line.startsWith(QLatin1String("Pieces of ")) && line.endsWith(QLatin1String(" Siding")))) {
                error = lineError(lineNo, QStringLiteral("expected \"Pieces of ... Siding\", found %1").arg(quoted(line)));
                return false;
            }
            // A bare value with a comment line under it takes that line's comment.
            if (i + 1 < lines.size() && Rules[i + 1].kind == Kind::Comment)
                entry.comment = QString::fromLatin1(Rules[i + 1].comment).trimmed();
            break;
        case Kind::Alone:
            if (line.size() != ValueWidth) {
                error = lineError(lineNo, QStringLiteral("expected a 12-character value field alone, found %1").arg(quoted(line)));
                return false;
            }
            entry.value = line.trimmed();
            entry.comment = QString::fromLatin1(Rules[i + 1].comment).trimmed();
            break;
        case Kind::Comment: {
            const QString expected = QString(ValueWidth, QLatin1Char(' ')) + comment;
            if (line != expected) {
                error = lineError(lineNo, QStringLiteral("expected the comment line %1, found %2").arg(quoted(expected), quoted(line)));
                return false;
            }
            continue; // shown with the value above it
        }
        case Kind::InWall:
            if (!line.endsWith(comment)) {
                error = lineError(lineNo, QStringLiteral("expected the inner wall type followed by %1, found %2")
                                              .arg(quoted(comment), quoted(line)));
                return false;
            }
            entry.value = line.left(line.size() - comment.size());
            break;
        }
        data.groups[rule.group].entries.append(entry);
    }
    out = data;
    return true;
}

bool parseShedSize(const QByteArray &bytes, QString &width, QString &error)
{
    QStringList lines;
    if (!splitCrLf(QString::fromLatin1(bytes), QStringLiteral("shedSize.txt"), lines, error))
        return false;
    if (lines.size() != 1) {
        error = QStringLiteral("shedSize.txt has %1 lines; the 2D macro needs exactly one width line").arg(lines.size());
        return false;
    }
    bool ok = false;
    lines[0].toDouble(&ok);
    if (!ok) {
        error = QStringLiteral("shedSize.txt holds %1, which is not a building width").arg(quoted(lines[0]));
        return false;
    }
    width = lines[0];
    return true;
}

} // namespace corvelle::refhost
