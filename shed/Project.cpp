#include "shed/Project.h"

#include "core/AtomicSave.h"
#include "core/Failure.h"
#include "core/ShedDataFormat.h"
#include "shed/DesignFields.h"
#include "shed/Reader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace corvelle::shed {

namespace {

using Field = DesignField;

int lineOf(QString ShedDesign::*member)
{
    for (const shedfile::LineRule &r : shedfile::rules())
        if (r.field == member)
            return r.line;
    return 0;
}

// Where a refused value came from: a key of the project file or a line of the data file.
class Source {
public:
    explicit Source(bool dataFile) : dataFile_(dataFile) {}

    QString field(const Field &f) const
    {
        return dataFile_ ? QStringLiteral("%1 line %2 (%3)")
                               .arg(shedfile::FileName)
                               .arg(lineOf(f.member))
                               .arg(QLatin1String(f.name))
                         : QStringLiteral("The project's \"design\" key \"%1\"").arg(QLatin1String(f.name));
    }

private:
    bool dataFile_;
};

struct Refused {
    QString sentence;
};

[[noreturn]] void refuse(const QString &where, const QString &problem)
{
    throw Refused{where + QStringLiteral(": ") + problem + QLatin1Char('.')};
}

// The texts as the data file carries them: formed into its lines and read back.
ShedDesign carried(const ShedDesign &design)
{
    ShedDesign d = design;
    const shedfile::Check check = shedfile::check(shedfile::form(d));
    ShedDesign out = design;
    for (const Field &f : designFields())
        out.*f.member = check.contents.value(lineOf(f.member));
    return out;
}

// The wizard's own ranges, each held as its screens hold it.
void checkRanges(const ShedDesign &d, const Source &src)
{
    if (const auto problem = checkDesign(d))
        refuse(src.field(*problem->field), problem->problem);
}

// A JSON number that must be finite and within [low, high].
double jsonNumber(const QJsonObject &o, const QString &key, const QString &where, double low, double high)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        refuse(where, QStringLiteral("the key %1 is missing").arg(quotedValue(key)));
    if (!v.isDouble())
        refuse(where, QStringLiteral("%1 is not a number").arg(quotedValue(key)));
    const double x = v.toDouble();
    if (!std::isfinite(x) || x < low || x > high)
        refuse(where, QStringLiteral("%1 is %2, outside %3 to %4").arg(quotedValue(key)).arg(x).arg(low).arg(high));
    return x;
}

QJsonObject objectAt(const QJsonObject &o, const QString &key, bool required)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined() && !required)
        return {};
    if (!v.isObject())
        refuse(QStringLiteral("The project"),
               QStringLiteral("the key \"%1\" is %2")
                   .arg(key, v.isUndefined() ? QStringLiteral("missing") : QStringLiteral("not an object")));
    return v.toObject();
}

Project readJson(const QByteArray &bytes)
{
    QJsonParseError parsed;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        const int line = int(bytes.left(parsed.offset).count('\n')) + 1;
        refuse(QStringLiteral("The project file line %1").arg(line),
               QStringLiteral("it is not JSON (%1)").arg(parsed.errorString()));
    }
    if (!doc.isObject())
        refuse(QStringLiteral("The project file"), QStringLiteral("it is not a JSON object"));
    const QJsonObject root = doc.object();
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (format.toString() != ProjectFormat)
        refuse(QStringLiteral("The file's key \"format\""),
               format.isUndefined()
                   ? QStringLiteral("it is missing, so this is not a project file")
                   : QStringLiteral("it is not \"%1\", so this is not a project file").arg(ProjectFormat));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) || version.toDouble() < 1)
        refuse(QStringLiteral("The project's key \"version\""), QStringLiteral("it is not a version number"));
    if (version.toDouble() > ProjectVersion)
        refuse(QStringLiteral("The project's key \"version\""),
               QStringLiteral("version %1 is newer than this program reads (%2)")
                   .arg(version.toDouble())
                   .arg(ProjectVersion));

    Project p;
    const Source src(false);
    const QJsonObject design = objectAt(root, QStringLiteral("design"), true);
    for (const Field &f : designFields()) {
        const QJsonValue v = design.value(QLatin1String(f.name));
        if (!v.isString())
            refuse(src.field(f),
                   v.isUndefined() ? QStringLiteral("it is missing") : QStringLiteral("it is not a text"));
        p.design.*f.member = v.toString();
    }
    // Each text must come back from the data file's line unchanged: nothing cut from a
    // 12-character field, no blanks lost, no character the file cannot hold.
    const ShedDesign back = carried(p.design);
    for (const Field &f : designFields()) {
        if (back.*f.member != p.design.*f.member)
            refuse(src.field(f), QStringLiteral("%1 does not fit line %2 of the shed data file")
                                     .arg(quotedValue(p.design.*f.member))
                                     .arg(lineOf(f.member)));
    }
    checkRanges(p.design, src);

    const QJsonValue windows = root.value(QStringLiteral("windows"));
    if (!windows.isUndefined() && !windows.isArray())
        refuse(QStringLiteral("The project's key \"windows\""), QStringLiteral("it is not a list"));
    const QJsonArray list = windows.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("The project's window %1").arg(i + 1);
        if (!list[i].isObject())
            refuse(where, QStringLiteral("it is not an object"));
        const QJsonObject w = list[i].toObject();
        Window window;
        const QString wall = w.value(QStringLiteral("wall")).toString();
        bool known = false;
        for (Wall each : AllWalls) {
            if (wall == wallName(each)) {
                window.wall = each;
                known = true;
            }
        }
        if (!known)
            refuse(where, QStringLiteral("\"wall\" is none of \"front\", \"rear\", \"left\" and \"right\""));
        // Within the largest shed the wizard draws; whether it fits its wall is the framing's to say.
        constexpr double Largest = 50 * 12;
        window.center = jsonNumber(w, QStringLiteral("center"), where, 0, Largest);
        window.width = jsonNumber(w, QStringLiteral("width"), where, 1, Largest);
        window.height = jsonNumber(w, QStringLiteral("height"), where, 1, Largest);
        window.sill = jsonNumber(w, QStringLiteral("sill"), where, 0, Largest);
        p.windows.append(window);
    }

    const QJsonObject loads = objectAt(root, QStringLiteral("loads"), false);
    const QString loadsWhere = QStringLiteral("The project's key \"loads\"");
    if (loads.contains(QStringLiteral("groundSnowPsf")))
        // The ground snow loads the structure check accepts.
        p.loads.groundSnowPsf =
            jsonNumber(loads, QStringLiteral("groundSnowPsf"), loadsWhere, MinGroundSnow, MaxGroundSnow);
    // Files saved before the floor load could be chosen carry none: the default then.
    if (loads.contains(QStringLiteral("floorLivePsf")))
        p.loads.floorLivePsf =
            jsonNumber(loads, QStringLiteral("floorLivePsf"), loadsWhere, MinFloorLive, MaxFloorLive);
    if (loads.contains(QStringLiteral("species"))) {
        p.loads.species = loads.value(QStringLiteral("species")).toString();
        if (p.loads.species != u"spf" && p.loads.species != u"dfl" && p.loads.species != u"sp")
            refuse(loadsWhere, QStringLiteral("\"species\" is none of \"spf\", \"dfl\" and \"sp\""));
    }

    const QJsonObject prices = objectAt(root, QStringLiteral("prices"), false);
    for (auto it = prices.begin(); it != prices.end(); ++it) {
        const double price = jsonNumber(prices, it.key(), QStringLiteral("The project's key \"prices\""), 0, 1e6);
        p.prices.insert(it.key(), price);
    }
    return p;
}

Project readDataFile(const QByteArray &bytes)
{
    const shedfile::Check check = shedfile::check(bytes);
    if (!check.ok())
        throw Refused{check.error.endsWith(QLatin1Char('.')) ? check.error : check.error + QLatin1Char('.')};
    Project p;
    for (const Field &f : designFields())
        p.design.*f.member = check.contents.value(lineOf(f.member));
    checkRanges(p.design, Source(true));
    return p;
}

} // namespace

bool isProjectFile(const QByteArray &bytes)
{
    // A project file is a JSON object; a shed data file starts with the shed's width.
    qsizetype first = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (first < bytes.size()
           && (bytes[first] == ' ' || bytes[first] == '\t' || bytes[first] == '\r' || bytes[first] == '\n'))
        ++first;
    return first < bytes.size() && bytes[first] == '{';
}

ProjectRead readProject(const QByteArray &bytes)
{
    ProjectRead result;
    if (bytes.size() > MaxProjectBytes) {
        result.error = QStringLiteral("The file is %1 bytes, more than the %2 MB a project file may be; it is not one.")
                           .arg(bytes.size())
                           .arg(MaxProjectBytes / (1024 * 1024));
        return result;
    }
    try {
        const qsizetype bom = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        result.project = isProjectFile(bytes) ? readJson(bytes.mid(bom)) : readDataFile(bytes);
    } catch (const Refused &r) {
        result.error = r.sentence;
    }
    return result;
}

QByteArray formProject(const Project &project)
{
    const ShedDesign d = carried(project.design);
    QJsonObject design;
    for (const Field &f : designFields())
        design.insert(QLatin1String(f.name), d.*f.member);
    QJsonArray windows;
    for (const Window &w : project.windows)
        windows.append(QJsonObject{{QStringLiteral("wall"), wallName(w.wall)},
                                   {QStringLiteral("center"), w.center},
                                   {QStringLiteral("width"), w.width},
                                   {QStringLiteral("height"), w.height},
                                   {QStringLiteral("sill"), w.sill}});
    QJsonObject prices;
    for (auto it = project.prices.begin(); it != project.prices.end(); ++it)
        prices.insert(it.key(), it.value());
    const QJsonObject root{
        {QStringLiteral("format"), ProjectFormat},
        {QStringLiteral("version"), ProjectVersion},
        {QStringLiteral("design"), design},
        {QStringLiteral("windows"), windows},
        {QStringLiteral("loads"), QJsonObject{{QStringLiteral("groundSnowPsf"), project.loads.groundSnowPsf},
                                              {QStringLiteral("floorLivePsf"), project.loads.floorLivePsf},
                                              {QStringLiteral("species"), project.loads.species}}},
        {QStringLiteral("prices"), prices}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SiteLoads siteLoads(const ProjectLoads &loads)
{
    SiteLoads site;
    site.groundSnow = loads.groundSnowPsf;
    site.floorLive = loads.floorLivePsf;
    speciesFromCode(loads.species, &site.species);
    return site;
}

QByteArray formDataFile(const Project &project)
{
    ShedDesign d = project.design;
    return shedfile::form(d);
}

namespace {

QString save(const QString &path, const QByteArray &bytes)
{
    try {
        SaveFileAtomically(path, bytes);
    } catch (const Failure &f) {
        return QStringLiteral("%1 was not saved, and the earlier file is kept: %2.").arg(f.target(), f.reason());
    }
    return {};
}

} // namespace

QString saveProject(const Project &project, const QString &path) { return save(path, formProject(project)); }

QString exportDataFile(const Project &project, const QString &path, QString *note)
{
    if (note) {
        note->clear();
        if (!project.windows.isEmpty())
            *note = QStringLiteral(
                        "A shed data file has no place for windows: the %1 window(s) of this design are not in it.")
                        .arg(project.windows.size());
    }
    return save(path, formDataFile(project));
}

void applyPriceEdits(PriceTable &table, const QMap<QString, double> &edits)
{
    for (auto it = edits.begin(); it != edits.end(); ++it) {
        const auto known = table.prices.find(it.key());
        if (known == table.prices.end())
            table.warnings << QStringLiteral("The price edit for %1 names no item of the price table; it is left out.")
                                  .arg(quotedValue(it.key()));
        else
            known->price = it.value();
    }
}

} // namespace corvelle::shed
