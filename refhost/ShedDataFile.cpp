#include "ShedDataFile.h"

#include "core/ShedDataFormat.h"

#include <cmath>

namespace corvelle::refhost {

namespace {

enum Group { Size, Floor, Framing, Walls, DoorRamp, Roof, Shading, GroupCount };
const char *const GroupTitles[GroupCount] = {"Size", "Floor", "Framing", "Walls", "Door and ramp", "Roof",
                                             "Shading"};

// The group of each line: the first line of every group after the first.
constexpr int GroupStarts[GroupCount] = {1, 4, 21, 31, 45, 53, 63};

int groupOf(int line)
{
    int group = Size;
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
    const shedfile::Check check = shedfile::check(bytes);
    if (!check.ok()) {
        error = check.error;
        return false;
    }
    for (const shedfile::LineRule &rule : shedfile::rules()) {
        if (isSize(rule) && notFinite(check.contents.value(rule.line))) {
            error = QStringLiteral("ShedData.txt line %1: \"%2\" is not a size").arg(rule.line).arg(check.contents.value(rule.line));
            return false;
        }
    }
    ShedDesignData data;
    for (int g = 0; g < GroupCount; ++g)
        data.groups.append(DesignGroup{QString::fromLatin1(GroupTitles[g]), {}});
    for (const shedfile::LineRule &rule : shedfile::rules()) {
        using shedfile::LineKind;
        if (rule.kind == LineKind::Comment)
            continue; // shown with the value above it
        const QString comment = QString::fromLatin1(rule.comment).trimmed();
        // Bare lines show as written, material lines with their words around the value.
        const QString value = rule.kind == LineKind::Bare ? check.contents.line(rule.line) : check.contents.value(rule.line);
        data.groups[groupOf(rule.line)].entries.append(
            DesignEntry{rule.line, value, comment.isEmpty() ? labelOf(rule.line) : comment});
    }
    out = data;
    return true;
}

bool parseShedSize(const QByteArray &bytes, QString &width, QString &error)
{
    QStringList lines;
    if (!shedfile::splitCrLf(QString::fromLatin1(bytes), QStringLiteral("shedSize.txt"), lines, error))
        return false;
    if (lines.size() != 1) {
        error = QStringLiteral("shedSize.txt has %1 lines; the 2D macro needs exactly one width line").arg(lines.size());
        return false;
    }
    bool ok = false;
    const double feet = lines[0].toDouble(&ok);
    if (!ok || !std::isfinite(feet)) {
        error = QStringLiteral("shedSize.txt holds \"%1\", which is not a building width").arg(lines[0]);
        return false;
    }
    width = lines[0];
    return true;
}

} // namespace corvelle::refhost
