#include "refhost/model/MacroRunner.h"

#include "refhost/model/Application.h"

#include <QCoreApplication>
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

// A data file the folder would not give: missing or outside it, or too large.
HostError fileRefused(const ProgramFolder::Read &file, const QString &what)
{
    const auto kind = file.status == ProgramFolder::Read::Status::TooLarge ? HostError::Kind::BadDataFile
                                                                          : HostError::Kind::FileNotFound;
    return HostError{kind, what.arg(file.error)};
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
    // Macro files are small; anything longer is not one.
    const ProgramFolder::Read macro = app_.read(macroPath, ProgramFolder::MaxShedDataBytes);
    if (!macro.ok())
        return HostError{HostError::Kind::FileNotFound, tr("The macro file %1").arg(macro.error)};
    const std::optional<Action> action = actionOf(QString::fromLatin1(macro.bytes));
    const QString name = QFileInfo(macro.file).fileName();
    if (action && action->name == QLatin1String("Shed3D"))
        return shed3D(document, name, action->argument);
    if (action && action->name == QLatin1String("Shed2D"))
        return shed2D(document, name, action->argument);
    return unknown(macroPath, action ? tr("its action %1 is not one this host knows").arg(action->name)
                                     : tr("the file has no Action line"));
}

HostOutcome MacroRunner::shed3D(Document &document, const QString &macroName, const QString &dataPath)
{
    const ProgramFolder::Read file = app_.read(dataPath, ProgramFolder::MaxShedDataBytes);
    if (!file.ok())
        return fileRefused(file, tr("The shed data file %1"));
    const QString dataFile = file.file;
    ShedDataRead read = readShedData(file.bytes);
    if (!read.data) {
        document.showRefusal(read.error);
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(read.error, dataPath)};
    }
    // The start macro stands for building the shed: the document shows the framed model,
    // or the reader's sentence when it refuses the design.
    shed::ProjectRead project = shed::readProject(file.bytes);
    QString refused = project.error;
    if (project.project)
        refused = document.openDesign(std::move(*project.project), app_.priceTable());
    if (!refused.isEmpty()) {
        document.showRefusal(refused);
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(refused, dataPath)};
    }
    const ShedData &design = *read.data;
    const QString status = tr("%1: %2 shows the shed from %3 (%4 x %5 ft, %6 roof): %7 members, total %8")
                               .arg(macroName, document.title(), QFileInfo(dataFile).fileName(), design.text(1),
                                    design.text(2), design.text(53))
                               .arg(document.shed()->model.members.size())
                               .arg(QLocale().toString(document.shed()->takeoff.total, 'f', 2));
    app_.report(status);
    return std::nullopt;
}

HostOutcome MacroRunner::shed2D(Document &document, const QString &macroName, const QString &sizePath)
{
    const ProgramFolder::Read file = app_.read(sizePath, ProgramFolder::MaxShedDataBytes);
    if (!file.ok())
        return fileRefused(file, tr("The width file %1"));
    const ShedSizeRead read = readShedSize(file.bytes);
    if (!read.feet)
        return HostError{HostError::Kind::BadDataFile, tr("%1 (%2)").arg(read.error, sizePath)};
    if (!document.drawing())
        return HostError{HostError::Kind::NoDrawing,
                         tr("%1 has no style drawing: LoadSymbol must come first").arg(document.title())};
    document.showPlan(read.text);
    app_.report(tr("%1: %2 shows %3 at a building width of %4 feet")
                    .arg(macroName, document.title(), QFileInfo(document.drawing()->fileName).fileName(), read.text));
    return std::nullopt;
}

} // namespace corvelle::refhost
