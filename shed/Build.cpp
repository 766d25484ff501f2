#include "shed/Build.h"

#include "shed/Export.h"
#include "shed/Framing.h"
#include "shed/Reader.h"
#include "shed/Warnings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <vector>

namespace corvelle::shed {

BuildResult build(const QByteArray &shedData, const PriceTable &prices, bool exports, const SiteLoads &loads,
                  Units units, const QList<Window> &windows)
{
    BuildResult result;
    ReadResult read = readDesign(shedData, units);
    if (!read.design) {
        result.error = read.error;
        return result;
    }
    BuildOutputs out;
    out.units = units;
    out.design = *read.design;
    out.design.windows = windows;
    out.model = buildModel(out.design, loads, units);
    out.takeoff = takeoff(out.model, prices, units);
    out.structure = checkStructure(out.model, prices, units);
    out.warnings = warnings(out.design, out.model, units) + out.structure.failureSentences() + out.takeoff.warnings;
    if (exports) {
        for (const QString &name : outputNames())
            out.files.append({name, formOutput(out, name)});
    }
    result.outputs = std::move(out);
    return result;
}

QStringList outputNames()
{
    return {QStringLiteral("shed.glb"),      QStringLiteral("shed.obj"),    QStringLiteral("shed.mtl"),
            QStringLiteral("shed.ifc"),      QStringLiteral("materials.csv"), QStringLiteral("cutlist.csv"),
            QStringLiteral("structure.csv")};
}

QByteArray formOutput(const BuildOutputs &o, const QString &name)
{
    if (name == u"shed.glb")
        return exportGlb(o.model);
    if (name == u"shed.obj")
        return exportObj(o.model, QStringLiteral("shed.mtl"));
    if (name == u"shed.mtl")
        return exportMtl(o.model);
    if (name == u"shed.ifc")
        return exportIfc(o.model);
    if (name == u"materials.csv")
        return materialsCsv(o.takeoff);
    if (name == u"cutlist.csv")
        return cutListCsv(o.takeoff, o.units);
    if (name == u"structure.csv")
        return structureCsv(o.structure);
    return {};
}

QString writeOutputs(const BuildOutputs &outputs, const QString &dir, const QList<LaterOutput> &later)
{
    if (!QDir().mkpath(dir))
        return QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(dir));
    std::vector<std::unique_ptr<QSaveFile>> files;
    // The seven files, each taken from `files` when it is there or formed now; then any
    // further file a caller added or forms later (the plans).
    QStringList names = outputNames();
    for (const auto &f : outputs.files) {
        if (!names.contains(f.first))
            names.append(f.first);
    }
    const qsizetype formedLater = names.size();
    for (const LaterOutput &f : later)
        names.append(f.name);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        const auto given = std::find_if(outputs.files.begin(), outputs.files.end(), [&](const auto &f) { return f.first == name; });
        const QByteArray bytes = i >= formedLater              ? later[i - formedLater].form()
                                 : given != outputs.files.end() ? given->second
                                                                : formOutput(outputs, name);
        auto file = std::make_unique<QSaveFile>(QDir(dir).filePath(name));
        // A further file may go in a folder of its own (the plans' DXF sheets).
        QDir().mkpath(QFileInfo(file->fileName()).absolutePath());
        // Flush before commit: QSaveFile would not report a buffered write failing there.
        if (bytes.isEmpty() || !file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size() || !file->flush()) {
            const QString reason = bytes.isEmpty() ? QStringLiteral("nothing to write") : file->errorString();
            for (auto &f : files)
                f->cancelWriting();
            file->cancelWriting();
            return QStringLiteral("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(file->fileName()), reason);
        }
        files.push_back(std::move(file));
    }
    for (auto &f : files) {
        if (!f->commit())
            return QStringLiteral("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(f->fileName()), f->errorString());
    }
    // A design without a ramp has one sheet fewer and the sheets after it renumbered: the
    // earlier set's names left beside them would read as sheets of this one.
    static const QRegularExpression sheetName(QStringLiteral("^\\d{2,}-[a-z0-9-]+\\.dxf$"));
    const QString sheets = QStringLiteral("dxf/");
    if (std::any_of(names.begin(), names.end(), [&](const QString &n) { return n.startsWith(sheets); })) {
        QDir folder(QDir(dir).filePath(sheets));
        for (const QString &name : folder.entryList(QDir::Files)) {
            if (sheetName.match(name).hasMatch() && !names.contains(sheets + name) && !folder.remove(name))
                return QStringLiteral("%1 cannot be removed.").arg(QDir::toNativeSeparators(folder.filePath(name)));
        }
    }
    return {};
}

QString summary(const BuildOutputs &o)
{
    const Design &d = o.design;
    const Units &u = o.units;
    const QString size = u.isMetric()
                             ? QStringLiteral("%1, walls %2").arg(u.size(d.width, d.depth), u.length(d.innerHeight))
                             : QStringLiteral("%1 x %2 ft, walls %3 ft").arg(d.width / 12).arg(d.depth / 12).arg(d.innerHeight / 12);
    QString s = QStringLiteral("Shed %1, %2 roof on %3; %4 members:\n")
                    .arg(size)
                    .arg(d.roof == RoofType::Barn ? QStringLiteral("gambrel") : QStringLiteral("gable"),
                         d.trusses ? QStringLiteral("trusses") : QStringLiteral("rafters"))
                    .arg(o.model.members.size());
    for (int l = 0; l < LayerCount; ++l) {
        const int n = o.model.count(Layer(l));
        if (n)
            s += QStringLiteral("  %1 %2\n").arg(layerName(Layer(l)), -11).arg(n);
    }
    s += QStringLiteral("Total cost: %1\n").arg(o.takeoff.total, 0, 'f', 2);
    const int failures = o.structure.failures();
    s += QStringLiteral("Structure: %1 checks at %2 psf ground snow, %3 psf floor live, %4; %5 failing\n")
             .arg(o.structure.rows.size())
             .arg(o.structure.loads.groundSnow)
             .arg(o.structure.loads.floorLive)
             .arg(speciesName(o.structure.loads.species))
             .arg(failures);
    if (o.warnings.isEmpty())
        s += QStringLiteral("No warnings.\n");
    for (const QString &w : o.warnings)
        s += QStringLiteral("Warning: %1\n").arg(w);
    for (const QString &n : o.design.notes)
        s += QStringLiteral("Note: %1\n").arg(n);
    return s;
}

} // namespace corvelle::shed
