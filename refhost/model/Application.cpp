#include "refhost/model/Application.h"

#include "refhost/model/MacroRunner.h"

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
    auto *doc = new Document(nextId_++, this);
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

} // namespace corvelle::refhost
