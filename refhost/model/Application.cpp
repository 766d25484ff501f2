#include "refhost/model/Application.h"

#include "refhost/model/MacroRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace corvelle::refhost {

Application::Application(QString programFolder, QObject *parent)
    : QObject(parent), folder_(std::move(programFolder)), files_(folder_)
{
}

namespace {
const QString UnitsKey = QStringLiteral("view/units");
}

shed::PriceTable Application::priceTable() const
{
    const QString path = QStringLiteral("*\\Program Data\\prices.csv");
    const QString file = resolve(path);
    if (!file.isEmpty())
        return shed::loadPrices(file); // inside the folder, and read to a bound
    shed::PriceTable table = shed::defaultPrices();
    table.warnings
        << tr("The price table %1 is not a readable file in the program folder; the built-in prices are used.")
               .arg(path);
    return table;
}

void Application::setUnits(shed::Units units)
{
    if (settings_)
        settings_->setValue(UnitsKey, units.name());
    if (units == units_)
        return;
    units_ = units;
    for (Document *doc : std::as_const(documents_))
        doc->setUnits(units_);
    Q_EMIT unitsChanged(units_);
}

void Application::rememberUnitsIn(QSettings *settings, const QLocale &locale)
{
    settings_ = nullptr;
    if (settings) {
        // A value not written by this program (edited by hand) falls back to the locale's.
        const auto stored = shed::Units::fromName(settings->value(UnitsKey).toString());
        setUnits(stored.value_or(shed::Units::forLocale(locale)));
    }
    settings_ = settings;
}

bool Application::inProgramFolder(const QString &hostPath) { return hostPath.startsWith(QLatin1String("*\\")); }


Document *Application::document(int id) const
{
    for (Document *doc : documents_)
        if (doc->id() == id)
            return doc;
    return nullptr;
}

void Application::setActiveDocument(Document *document)
{
    if (document == active_ || (document && !documents_.contains(document)))
        return;
    active_ = document;
    Q_EMIT activeDocumentChanged(active_);
}

HostOutcome Application::documentLimit() const
{
    if (documents_.size() < MaxDocuments)
        return std::nullopt;
    return HostError{HostError::Kind::TooManyDocuments,
                     tr("This host keeps at most %1 drawings open; close one to add another").arg(MaxDocuments)};
}

Document *Application::addDocument()
{
    if (const HostOutcome full = documentLimit()) {
        report(full->message);
        return nullptr;
    }
    return adopt(new Document(nextId_, this));
}

Document *Application::adopt(Document *doc)
{
    ++nextId_;
    doc->setUnits(units_);
    connect(doc, &Document::draftingModeChanged, this, [this, doc](bool on) {
        report(tr("%1: drafting mode %2").arg(doc->title(), on ? tr("on") : tr("off")));
    });
    connect(doc, &Document::drawingChanged, this, [this, doc] {
        report(tr("%1: loaded %2").arg(doc->title(), QFileInfo(doc->drawing()->fileName).fileName()));
    });
    documents_.append(doc);
    Q_EMIT documentAdded(doc);
    setActiveDocument(doc);
    report(tr("New drawing: %1").arg(doc->title()));
    return doc;
}

void Application::closeDocument(int id)
{
    Document *doc = document(id);
    if (!doc)
        return;
    const qsizetype at = documents_.indexOf(doc);
    documents_.removeAt(at);
    if (active_ == doc) {
        active_ = nullptr;
        setActiveDocument(documents_.isEmpty() ? nullptr : documents_.at(std::min(at, documents_.size() - 1)));
        if (!active_)
            Q_EMIT activeDocumentChanged(nullptr);
    }
    Q_EMIT documentClosed(id);
    doc->deleteLater();
}

void Application::bringToTop()
{
    Q_EMIT raiseRequested();
    report(tr("Brought to the front"));
}

HostOutcome Application::loadSymbol(Document &document, const QString &hostPath, bool link, bool fitToView, bool replace)
{
    ProgramFolder::Read file = read(hostPath, ProgramFolder::MaxDrawingBytes);
    if (file.status == ProgramFolder::Read::Status::NotInFolder)
        return HostError{HostError::Kind::FileNotFound, tr("The drawing %1").arg(file.error)};
    if (!file.ok())
        return HostError{HostError::Kind::BadDrawing, tr("The drawing %1").arg(file.error)};
    if (!document.loadDrawing(Drawing{file.file, std::move(file.bytes), link, fitToView, replace}))
        return HostError{HostError::Kind::BadDrawing, tr("%1 is not a drawing this host can read").arg(hostPath)};
    return std::nullopt;
}

HostOutcome Application::runMacro(Document &document, const QString &macroPath)
{
    HostOutcome outcome = MacroRunner(*this).run(document, macroPath);
    if (!outcome)
        Q_EMIT macroFinished(&document);
    return outcome;
}

void Application::report(const QString &status) { Q_EMIT activity(status); }

Application::Opened Application::openProject(const shed::Project &project, const QString &origin)
{
    if (const HostOutcome full = documentLimit())
        return {nullptr, full->message};
    // Shown before it is one of the application's, so a design the framing refuses changes nothing.
    auto *doc = new Document(nextId_, this);
    const QString refused = doc->openDesign(project, priceTable());
    if (!refused.isEmpty()) {
        delete doc;
        return {nullptr, refused};
    }
    doc->setFilePath(origin);
    return {adopt(doc), {}};
}

Application::Opened Application::openFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    // A project already open is brought forward, not read a second time: two documents of
    // one file would each save over the other's edits.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (Document *open : std::as_const(documents_)) {
        if (!canonical.isEmpty() && !open->filePath().isEmpty()
            && QFileInfo(open->filePath()).canonicalFilePath() == canonical) {
            setActiveDocument(open);
            report(tr("%1 is already open").arg(shown));
            return {open, {}};
        }
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {nullptr, tr("%1 cannot be read: %2.")
                             .arg(shown, QFileInfo(path).isDir() ? tr("it is a folder") : file.errorString())};
    // One byte past the largest project file, so the reader refuses a huge one unread.
    const QByteArray bytes = file.read(shed::MaxProjectBytes + 1);
    const shed::ProjectRead read = shed::readProject(bytes);
    if (!read.project)
        return {nullptr, tr("%1 was not opened: %2").arg(QFileInfo(path).fileName(), read.error)};
    // A shed data file is the design only: saving it asks where the project goes.
    const bool project = shed::isProjectFile(bytes);
    Opened opened = openProject(*read.project, project ? QFileInfo(path).absoluteFilePath() : QString());
    if (opened.document) {
        if (!project)
            opened.document->setName(QFileInfo(path).fileName());
        report(tr("Opened %1").arg(shown));
    }
    return opened;
}

Application::Opened Application::newDocument()
{
    QFile sample(QStringLiteral(":/corvelle/sample.shed"));
    if (!sample.open(QIODevice::ReadOnly))
        return {nullptr, tr("The sample design is missing from this program.")};
    const shed::ProjectRead read = shed::readProject(sample.readAll());
    if (!read.project)
        return {nullptr, read.error};
    return openProject(*read.project, {});
}

namespace {

QString noDesign(const Document &document)
{
    return Application::tr("%1 holds no shed design to save.").arg(document.name());
}

} // namespace

QString Application::saveDocument(Document &document, const QString &path)
{
    if (document.content() != Document::Content::Shed)
        return noDesign(document);
    const QString problem = shed::saveProject(document.project(), path);
    if (!problem.isEmpty())
        return problem;
    document.setFilePath(QFileInfo(path).absoluteFilePath());
    document.markSaved();
    report(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
    return {};
}

QString Application::exportDataFile(const Document &document, const QString &path, QString *note)
{
    if (document.content() != Document::Content::Shed)
        return noDesign(document);
    return shed::exportDataFile(document.project(), path, note);
}

} // namespace corvelle::refhost
