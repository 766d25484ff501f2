#include "refhost/model/MacroRunner.h"

#include "refhost/model/Application.h"
#include "shed/Build.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace corvelle::refhost {

namespace {

// The macros this host is installed with, named when a caller asks for another.
const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString PlanMacro = QStringLiteral("*\\Program Data\\2dsheds.mrq");

QString tr(const char *text) { return QCoreApplication::translate("corvelle::refhost::MacroRunner", text); }

HostError unknown(const QString &macroPath, const QString &why)
{
    return HostError{HostError::Kind::UnknownMacro,
                     tr("Unknown macro \"%1\": %2; this host runs \"%3\" and \"%4\"").arg(macroPath, why, StartMacro, PlanMacro)};
}

} // namespace

std::optional<MacroRunner::Action> MacroRunner::actionOf(const QString &macroText)
{
    static const QRegularExpression actionLine(QStringLiteral("^Action\\s+(\\w+)\\s+\"([^\"]*)\"\\s*$"));
    for (const QString &line : macroText.split(QLatin1Char('\n'))) {
        const QString text = line.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char('\'')))
            continue;
        const auto match = actionLine.match(text);
        if (match.hasMatch())
            return Action{match.captured(1), match.captured(2)};
        return std::nullopt; // the first statement must be the action
    }
    return std::nullopt;
}

HostOutcome MacroRunner::run(Document &document, const QString &macroPath)
{
    if (!Application::inProgramFolder(macroPath))
        return unknown(macroPath, tr("macros live in the host's program folder (\"*\\\")"));
    const QString macroFile = app_.resolve(macroPath);
    QFile file(macroFile);
    if (!QFileInfo(macroFile).isFile() || !file.open(QIODevice::ReadOnly))
        return HostError{HostError::Kind::FileNotFound, tr("The macro file %1 does not exist").arg(macroFile)};
    // Macro files are small; anything longer than this is not one.
    const std::optional<Action> action = actionOf(QString::fromLatin1(file.read(64 * 1024)));
    const QString name = QFileInfo(macroFile).fileName();
    if (action && action->name == QLatin1String("Shed3D"))
        return shed3D(document, name, action->argument);
    if (action && action->name == QLatin1String("Shed2D"))
        return shed2D(document, name, action->argument);
    return unknown(macroPath, action ? tr("its action %1 is not one this host knows").arg(action->name)
                                     : tr("the file has no Action line"));
}

HostOutcome MacroRunner::shed3D(Document &document, const QString &macroName, const QString &dataPath)
{
    const QString dataFile = app_.resolve(dataPath);
    QFile file(dataFile);
    if (!file.open(QIODevice::ReadOnly))
        return HostError{HostError::Kind::FileNotFound,
                         tr("Cannot read the shed data file %1: %2").arg(dataFile, file.errorString())};
    const QByteArray bytes = file.read(1 << 20);
    ShedDataRead read = readShedData(bytes);
    if (!read.data) {
        document.showRefusal(read.error);
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(read.error, dataFile)};
    }
    const shed::PriceTable prices = shed::loadPrices(app_.resolve(QStringLiteral("*\\Program Data\\prices.csv")));
    shed::BuildResult built = shed::build(bytes, prices, false);
    if (!built.outputs) {
        document.showRefusal(built.error);
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(built.error, dataFile)};
    }
    const ShedData &design = *read.data;
    const QString status = tr("%1: %2 shows the shed from %3 (%4 x %5 ft, %6 roof): %7 members, total %8")
                               .arg(macroName, document.title(), QFileInfo(dataFile).fileName(), design.text(1),
                                    design.text(2), design.text(53))
                               .arg(built.outputs->model.members.size())
                               .arg(QLocale().toString(built.outputs->takeoff.total, 'f', 2));
    document.showShed(std::move(*built.outputs), prices);
    app_.report(status);
    return std::nullopt;
}

HostOutcome MacroRunner::shed2D(Document &document, const QString &macroName, const QString &sizePath)
{
    const QString sizeFile = app_.resolve(sizePath);
    QFile file(sizeFile);
    if (!file.open(QIODevice::ReadOnly))
        return HostError{HostError::Kind::FileNotFound, tr("Cannot read the width file %1: %2").arg(sizeFile, file.errorString())};
    const ShedSizeRead read = readShedSize(file.read(64 * 1024));
    if (!read.feet)
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(read.error, sizeFile)};
    if (!document.drawing())
        return HostError{HostError::Kind::NoDrawing,
                         tr("%1 has no style drawing: LoadSymbol must come first").arg(document.title())};
    document.showPlan(read.text);
    app_.report(tr("%1: %2 shows %3 at a building width of %4 feet")
                    .arg(macroName, document.title(), QFileInfo(document.drawing()->fileName).fileName(), read.text));
    return std::nullopt;
}

} // namespace corvelle::refhost
