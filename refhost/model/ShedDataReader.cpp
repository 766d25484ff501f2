#include "refhost/model/ShedDataReader.h"

#include "core/ShedDataFormat.h"

#include <cmath>

namespace corvelle::refhost {

namespace {

enum Group { SizeGroup, FloorGroup, FramingGroup, WallsGroup, DoorRampGroup, RoofGroup, ShadingGroup, GroupCount };
const char *const GroupTitles[GroupCount] = {"Size", "Floor", "Framing", "Walls", "Door and ramp", "Roof",
                                             "Shading"};

// The group of each line: the first line of every group after the first.
constexpr int GroupStarts[GroupCount] = {1, 4, 21, 31, 45, 53, 63};

int groupOf(int line)
{
    int group = SizeGroup;
    while (group + 1 < GroupCount && line >= GroupStarts[group + 1])
        ++group;
    return group;
}

// What the host shows beside a line that has no comment of its own.
QString labelOf(int line)
{
    using shedfile::LineKind;
    if (line < shedfile::LineCount && shedfile::rule(line + 1).kind == LineKind::Comment)
        return QString::fromLatin1(shedfile::rule(line + 1).comment).trimmed();
    if (line == 44)
        return QStringLiteral("Outer wall material");
    return QStringLiteral("Material list");
}

// A size line: its comment gives the unit.
bool isSize(const shedfile::LineRule &rule)
{
    const QLatin1String comment(rule.comment ? rule.comment : "");
    return rule.kind == shedfile::LineKind::Value &&
           (comment.contains(QLatin1String(" Feet,")) || comment.contains(QLatin1String(" Inches")));
}

// "nan", "inf" or a number too large for a double: no size the model can be built from.
bool notFinite(const QString &text)
{
    return !std::isfinite(text.toDouble());
}

Size sizeOf(const shedfile::LineRule &rule, const QString &text)
{
    bool ok = false;
    const double amount = text.toDouble(&ok);
    const bool inches = QLatin1String(rule.comment).contains(QLatin1String(" Inches"));
    return Size{ok ? std::optional<double>(amount) : std::nullopt, inches ? Unit::Inches : Unit::Feet};
}

template <typename Enum, std::size_t N>
Enum codeOf(const QString &text, const char *const (&codes)[N], Enum other)
{
    for (std::size_t i = 0; i < N; ++i)
        if (text == QLatin1String(codes[i]))
            return Enum(i);
    return other;
}

Sides sidesOf(const QString &text)
{
    static const char *const codes[] = {"None", "Front", "Rear", "Both"};
    return codeOf(text, codes, Sides::Other);
}

} // namespace

QString ShedData::text(int line) const
{
    for (const auto &group : groups)
        for (const auto &entry : group.entries)
            if (entry.line == line)
                return entry.text;
    return {};
}

ShedDataRead readShedData(const QByteArray &bytes)
{
    const shedfile::Check check = shedfile::check(bytes);
    if (!check.ok())
        return {std::nullopt, check.errorLine, check.error};
    const shedfile::Contents &c = check.contents;
    for (const shedfile::LineRule &rule : shedfile::rules()) {
        if (isSize(rule) && notFinite(c.value(rule.line)))
            return {std::nullopt, rule.line,
                    QStringLiteral("ShedData.txt line %1: \"%2\" is not a size").arg(rule.line).arg(c.value(rule.line))};
    }

    ShedData data;
    for (int g = 0; g < GroupCount; ++g)
        data.groups.append(ShedGroup{QString::fromLatin1(GroupTitles[g]), {}});
    for (const shedfile::LineRule &rule : shedfile::rules()) {
        using shedfile::LineKind;
        if (rule.kind == LineKind::Comment)
            continue; // shown with the value above it
        const QString comment = QString::fromLatin1(rule.comment).trimmed();
        // Bare lines show as written, material lines with their words around the value.
        ShedEntry entry{rule.line, rule.kind == LineKind::Bare ? c.line(rule.line) : c.value(rule.line),
                        comment.isEmpty() ? labelOf(rule.line) : comment, std::nullopt};
        if (isSize(rule))
            entry.size = sizeOf(rule, entry.text);
        data.groups[groupOf(rule.line)].entries.append(entry);
    }
    const auto size = [&](int line) { return sizeOf(shedfile::rule(line), c.value(line)); };
    data.width = size(1);
    data.depth = size(2);
    data.height = size(3);
    data.innerHeight = size(25);
    data.doorWidth = size(47);
    data.doorHeight = size(48);
    static const char *const floors[] = {"0", "1", "2", "3"};
    data.floor = codeOf(c.value(4), floors, FloorType::Other);
    data.door = sidesOf(c.value(45));
    data.ramp = sidesOf(c.value(50));
    static const char *const roofs[] = {"Gable", "Barn", ""};
    data.roof = codeOf(c.value(53), roofs, RoofType::Other);
    data.trusses = c.value(61) == u"1";
    static const char *const shadings[] = {"1", "2", "3", "4"};
    data.shading = codeOf(c.value(63), shadings, Shading::Other);
    return {data, 0, {}};
}

ShedSizeRead readShedSize(const QByteArray &bytes)
{
    ShedSizeRead result;
    QStringList lines;
    if (!shedfile::splitCrLf(QString::fromLatin1(bytes), QStringLiteral("shedSize.txt"), lines, result.error))
        return result;
    if (lines.size() != 1) {
        result.error = QStringLiteral("shedSize.txt has %1 lines; the 2D macro needs exactly one width line").arg(lines.size());
        return result;
    }
    bool ok = false;
    const double feet = lines[0].toDouble(&ok);
    if (!ok || !std::isfinite(feet)) {
        result.error = QStringLiteral("shedSize.txt holds \"%1\", which is not a building width").arg(lines[0]);
        return result;
    }
    result.feet = feet;
    result.text = lines[0];
    return result;
}

} // namespace corvelle::refhost
