#pragma once

#include "core/ShedDesign.h"
#include "shed/Design.h"
#include "shed/Loads.h"
#include "shed/Takeoff.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The project file (.shed): the design record, its windows, its design loads and the
// user's price edits, as UTF-8 JSON:
//   {"format": "corvelle-shed", "version": 1, "design": {"ShedWidth": "12", ...},
//    "windows": [{"wall": "front", "center": 36, "width": 24, "height": 36, "sill": 40}],
//    "loads": {"groundSnowPsf": 30, "floorLivePsf": 40, "species": "spf"}, "prices": {"2x6": 0.95}}
namespace corvelle::shed {

inline const QString ProjectFormat = QStringLiteral("corvelle-shed");
constexpr int ProjectVersion = 1;
inline const QString ProjectSuffix = QStringLiteral("shed");

// The design loads and species; the same figures and texts as SiteLoads::groundSnow,
// floorLive and species (speciesCode: "spf", "dfl", "sp") of the structure check.
struct ProjectLoads {
    double groundSnowPsf = 30;
    QString species = QStringLiteral("spf");
    double floorLivePsf = 40;

    bool operator==(const ProjectLoads &) const = default;
};
// The structure check's loads of a project's (an unknown species stays the default).
SiteLoads siteLoads(const ProjectLoads &loads);

struct Project {
    ShedDesign design; // each field as the shed data file carries it
    QList<Window> windows;
    ProjectLoads loads;
    QMap<QString, double> prices; // only the user's edits: item -> unit price
};

struct ProjectRead {
    std::optional<Project> project;
    QString error; // otherwise one sentence naming the key or the line
};

// The largest file read; anything larger is refused unread.
constexpr qsizetype MaxProjectBytes = 10 * 1024 * 1024;

// Reads a project file, or a 63-line shed data file (which has no windows, default loads
// and no price edits). Every value is held to the wizard's own ranges.
ProjectRead readProject(const QByteArray &bytes);
// Whether the bytes are meant as a project file (a JSON object) rather than a data file.
bool isProjectFile(const QByteArray &bytes);
// The project file's bytes.
QByteArray formProject(const Project &project);
// The shed data file's bytes for the project's design (the windows cannot go into it).
QByteArray formDataFile(const Project &project);

// Both save atomically: on failure the earlier file is kept whole and the sentence says
// why; otherwise it is empty.
QString saveProject(const Project &project, const QString &path);
// Its `note` says, when the project has windows, that they were left out.
QString exportDataFile(const Project &project, const QString &path, QString *note = nullptr);

// The price edits over a table: a known item takes its edited price; an unknown one is
// left out with a warning.
void applyPriceEdits(PriceTable &table, const QMap<QString, double> &edits);

} // namespace corvelle::shed
