#include "refhost/model/Document.h"

#include "core/AtomicSave.h"
#include "shed/DesignFields.h"
#include "shed/Export.h"
#include "shed/Framing.h"
#include "shed/Reader.h"
#include "shed/Warnings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QUndoCommand>

#include <cmath>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace corvelle::refhost {

namespace {

bool sameDesign(const ShedDesign &a, const ShedDesign &b)
{
    for (const shed::DesignField &f : shed::designFields())
        if (a.*f.member != b.*f.member)
            return false;
    return true;
}

bool sameProject(const shed::Project &a, const shed::Project &b)
{
    return sameDesign(a.design, b.design) && a.windows == b.windows && a.loads == b.loads && a.prices == b.prices;
}

// Merge ids: one per edited value, so typing in one field joins into one step.
enum MergeId { DesignFieldIds = 1, LoadsId = 1000, WindowIds = 2000, PriceIds = 100000 };

} // namespace

QString saveFile(const QString &path, const QByteArray &bytes)
{
    try {
        SaveFileAtomically(path, bytes);
        return {};
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}

QList<std::pair<QString, QByteArray>> dxfSheets(const shed::PlanSet &plans)
{
    const QPageSize::PageSizeId paper = plans.paper();
    QList<std::pair<QString, QByteArray>> out;
    for (int i = 0; i < plans.pageCount(); ++i)
        out.append({plans.dxfFileName(i), plans.dxf(i, paper)});
    return out;
}

QString saveDxfSheets(const QString &path, const QList<std::pair<QString, QByteArray>> &sheets)
{
    const QFileInfo info(path);
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const auto &[name, bytes] : sheets) {
        auto file = std::make_unique<QSaveFile>(info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + name));
        if (bytes.isEmpty() || !file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()
            || !file->flush()) {
            const QString reason = bytes.isEmpty() ? QStringLiteral("nothing to write") : file->errorString();
            return QStringLiteral("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(file->fileName()), reason);
        }
        files.push_back(std::move(file));
    }
    for (auto &f : files) {
        if (!f->commit())
            return QStringLiteral("%1 cannot be written: %2.")
                .arg(QDir::toNativeSeparators(f->fileName()), f->errorString());
    }
    return {};
}

QString dxfSheetsPattern(const QString &path)
{
    const QFileInfo info(path);
    return QDir::toNativeSeparators(info.dir().filePath(info.completeBaseName() + QStringLiteral("-*.dxf")));
}

// One edit of the design: the whole project before and after it (a few dozen texts), so
// undo and redo give back exactly what was there.
class EditCommand : public QUndoCommand {
public:
    EditCommand(Document &document, const QString &text, int id, shed::Project before, shed::Project after)
        : QUndoCommand(text), document_(document), id_(id), before_(std::move(before)), after_(std::move(after))
    {
    }
    int id() const override { return sealed_ ? -1 : id_; }
    void undo() override { document_.restore(before_); }
    void redo() override { document_.restore(after_, std::exchange(document_.pending_, std::nullopt)); }
    bool mergeWith(const QUndoCommand *other) override
    {
        after_ = static_cast<const EditCommand *>(other)->after_;
        setObsolete(sameProject(before_, after_)); // typed back to where it started
        return true;
    }
    void seal() { sealed_ = true; }

private:
    Document &document_;
    int id_;
    bool sealed_ = false;
    shed::Project before_, after_;
};

Document::Document(int id, QObject *parent) : QObject(parent), id_(id)
{
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

Document::~Document()
{
    // The commands refer to the document: gone before its members are.
    undo_.clear();
}

QString Document::title() const { return tr("Drawing %1").arg(id_); }

void Document::setFilePath(const QString &path)
{
    if (path == filePath_)
        return;
    filePath_ = path;
    Q_EMIT nameChanged();
}

QString Document::name() const
{
    if (!filePath_.isEmpty())
        return QFileInfo(filePath_).fileName();
    return name_.isEmpty() ? title() : name_;
}

void Document::setName(const QString &name)
{
    if (name == name_)
        return;
    name_ = name;
    Q_EMIT nameChanged();
}

void Document::setDraftingMode(bool on)
{
    draftingMode_ = on;
    Q_EMIT draftingModeChanged(on);
}

bool Document::loadDrawing(Drawing drawing)
{
    if (!QSvgRenderer(drawing.svg).isValid())
        return false;
    drawing_ = std::move(drawing);
    content_ = Content::Plan;
    planWidth_.clear();
    shed_.reset();
    undo_.clear();
    Q_EMIT drawingChanged();
    Q_EMIT contentChanged();
    return true;
}

void Document::showRefusal(const QString &sentence)
{
    shed_.reset();
    undo_.clear();
    refusal_ = sentence;
    content_ = Content::Refused;
    Q_EMIT contentChanged();
}

void Document::showPlan(const QString &width)
{
    planWidth_ = width;
    content_ = Content::Plan;
    shed_.reset();
    undo_.clear();
    Q_EMIT contentChanged();
}

QString Document::openDesign(shed::Project project, shed::PriceTable prices)
{
    basePrices_.prices.swap(prices.prices);
    basePrices_.warnings.swap(prices.warnings);
    const shed::PriceTable priced = pricedWith(project.prices);
    QString error;
    std::optional<shed::BuildOutputs> built = build(project, priced, &error);
    if (!built) {
        // As it was: the earlier table back.
        basePrices_.prices.swap(prices.prices);
        basePrices_.warnings.swap(prices.warnings);
        return error;
    }
    project_ = std::move(project);
    prices_ = priced;
    shed_ = std::move(built);
    content_ = Content::Shed;
    undo_.clear();
    undo_.setClean();
    Q_EMIT contentChanged();
    Q_EMIT designChanged();
    Q_EMIT windowsChanged();
    Q_EMIT loadsChanged();
    Q_EMIT pricesChanged();
    Q_EMIT modelChanged();
    Q_EMIT takeoffChanged();
    return {};
}

shed::SiteLoads Document::loads() const { return shed::siteLoads(project_.loads); }

shed::PriceTable Document::pricedWith(const QMap<QString, double> &edits) const
{
    shed::PriceTable table = basePrices_;
    shed::applyPriceEdits(table, edits);
    return table;
}

std::optional<shed::BuildOutputs> Document::build(const shed::Project &project, const shed::PriceTable &prices,
                                                  QString *error) const
{
    shed::BuildResult built = shed::build(shed::formDataFile(project), prices, false, shed::siteLoads(project.loads),
                                          units_, project.windows);
    if (!built.outputs && error)
        *error = built.error;
    return std::move(built.outputs);
}

QString Document::commit(const QString &text, int mergeId, shed::Project next)
{
    if (content_ != Content::Shed)
        return tr("The document shows no shed design to edit.");
    if (sameProject(next, project_))
        return {};
    if (!sameDesign(next.design, project_.design) || next.windows != project_.windows || next.loads != project_.loads) {
        QString error;
        pending_ = build(next, pricedWith(next.prices), &error);
        if (!pending_)
            return error;
    }
    undo_.push(new EditCommand(*this, text, mergeId, project_, std::move(next)));
    pending_.reset();
    return {};
}

void Document::sealEdit()
{
    if (undo_.index() > 0)
        // Only this document's commands are ever pushed.
        static_cast<EditCommand *>(const_cast<QUndoCommand *>(undo_.command(undo_.index() - 1)))->seal();
}

void Document::restore(const shed::Project &project, std::optional<shed::BuildOutputs> built)
{
    const bool design = !sameDesign(project.design, project_.design);
    const bool windows = project.windows != project_.windows;
    const bool loads = project.loads != project_.loads;
    const bool prices = project.prices != project_.prices;
    project_ = project;
    if (prices)
        prices_ = pricedWith(project_.prices);
    const bool reframe = design || windows || loads;
    if (reframe && !built)
        built = build(project_, prices_, nullptr);
    if (reframe && built)
        shed_ = std::move(built);
    else if (prices)
        retakeoff();
    if (design)
        Q_EMIT designChanged();
    if (windows)
        Q_EMIT windowsChanged();
    if (loads)
        Q_EMIT loadsChanged();
    if (prices)
        Q_EMIT pricesChanged();
    if (reframe)
        Q_EMIT modelChanged();
    Q_EMIT takeoffChanged();
}

void Document::retakeoff()
{
    if (!shed_)
        return;
    shed::BuildOutputs &o = *shed_;
    o.units = units_;
    o.takeoff = shed::takeoff(o.model, prices_, units_);
    o.structure = shed::checkStructure(o.model, prices_, units_);
    o.warnings = shed::warnings(o.design, o.model, units_) + o.structure.failureSentences() + o.takeoff.warnings;
}

QString Document::setDesignField(const QString &name, const QString &value)
{
    shed::Project next = project_;
    const QString refused = shed::editDesign(next.design, name, value);
    if (!refused.isEmpty())
        return refused;
    const shed::DesignField *field = shed::designField(name);
    const int index = int(field - shed::designFields().data());
    return commit(tr("Change %1").arg(QString::fromLatin1(field->label).toLower()), DesignFieldIds + index,
                  std::move(next));
}

QString Document::setLoads(const shed::ProjectLoads &loads)
{
    shed::Species species;
    const auto outside = [](double psf, double min, double max) {
        return !std::isfinite(psf) || psf < min || psf > max;
    };
    if (outside(loads.groundSnowPsf, shed::MinGroundSnow, shed::MaxGroundSnow))
        return tr("Ground snow: %1 psf is outside %2 to %3 psf.")
            .arg(loads.groundSnowPsf)
            .arg(shed::MinGroundSnow)
            .arg(shed::MaxGroundSnow);
    if (outside(loads.floorLivePsf, shed::MinFloorLive, shed::MaxFloorLive))
        return tr("Floor live load: %1 psf is outside %2 to %3 psf.")
            .arg(loads.floorLivePsf)
            .arg(shed::MinFloorLive)
            .arg(shed::MaxFloorLive);
    if (!shed::speciesFromCode(loads.species, &species))
        return tr("Lumber: \"%1\" is none of \"spf\", \"dfl\" and \"sp\".").arg(loads.species);
    shed::Project next = project_;
    next.loads = loads;
    return commit(tr("Change the design loads"), LoadsId, std::move(next));
}

QString Document::setPrice(const QString &item, double price)
{
    const auto base = basePrices_.prices.constFind(item);
    if (base == basePrices_.prices.cend())
        return tr("The price table has no item \"%1\".").arg(item);
    // The bound a project file holds prices to.
    constexpr double Dearest = 1e6;
    if (!std::isfinite(price) || price < 0 || price > Dearest)
        return tr("%1: a price is 0 to %2.").arg(item).arg(Dearest, 0, 'f', 0);
    shed::Project next = project_;
    // Only the user's edits are kept: the table's own price is no edit.
    if (price == base->price)
        next.prices.remove(item);
    else
        next.prices.insert(item, price);
    // Each item a value of its own, joined while it is typed.
    auto id = priceIds_.constFind(item);
    if (id == priceIds_.cend())
        id = priceIds_.insert(item, PriceIds + int(priceIds_.size()));
    return commit(tr("Change the price of %1").arg(item), *id, std::move(next));
}

QString Document::windowMisfit(const shed::Window &window, QList<shed::Window> others) const
{
    if (const QString problem = shed::windowProblem(project_.design, window); !problem.isEmpty())
        return problem;
    if (!shed_)
        return {};
    // The framing's own test: corners, the top plate, the door and the other windows.
    shed::Design design = shed_->design;
    design.windows = std::move(others);
    return shed::windowMisfit(design, window, loads(), units_);
}

QString Document::addWindow(const shed::Window &window)
{
    if (const QString problem = windowMisfit(window, project_.windows); !problem.isEmpty())
        return problem;
    shed::Project next = project_;
    next.windows.append(window);
    return commit(tr("Add a window"), -1, std::move(next));
}

QString Document::setWindow(int index, const shed::Window &window)
{
    if (index < 0 || index >= project_.windows.size())
        return tr("The design has no window %1.").arg(index + 1);
    QList<shed::Window> others = project_.windows;
    others.removeAt(index);
    if (const QString problem = windowMisfit(window, std::move(others)); !problem.isEmpty())
        return problem;
    shed::Project next = project_;
    next.windows[index] = window;
    return commit(tr("Change window %1").arg(index + 1), WindowIds + index, std::move(next));
}

QString Document::removeWindow(int index)
{
    if (index < 0 || index >= project_.windows.size())
        return tr("The design has no window %1.").arg(index + 1);
    shed::Project next = project_;
    next.windows.removeAt(index);
    return commit(tr("Remove window %1").arg(index + 1), -1, std::move(next));
}

void Document::setUnits(shed::Units units)
{
    if (units == units_)
        return;
    units_ = units;
    if (shed_) {
        // The reader's notes and the framing's warnings are written in the units too; the
        // members do not change with them.
        shed_->design.notes = shed::designNotes(shed_->design, units_);
        shed_->model.warnings = shed::buildModel(shed_->design, shed_->model.loads, units_).warnings;
        retakeoff();
        Q_EMIT takeoffChanged();
    }
}

shed::PlanSet Document::plans() const
{
    if (!shed_)
        return shed::PlanSet({}, {}, {}, {}, units_);
    return shed::PlanSet(shed_->design, shed_->model, shed::materialTable(shed_->takeoff), shed_->structure, units_,
                         shed_->takeoff.cutting);
}

void Document::printPlans(QPagedPaintDevice &device) const { plans().print(device); }

QString Document::exportModel(const QString &path) const
{
    const QFileInfo info(path);
    if (!shed_)
        return tr("%1: the document shows no shed").arg(info.fileName());
    const QString suffix = info.suffix().toLower();
    const shed::Model &model = shed_->model;
    if (suffix == QLatin1String("glb"))
        return saveFile(path, shed::exportGlb(model));
    if (suffix == QLatin1String("obj")) {
        const QString mtl = info.completeBaseName() + QStringLiteral(".mtl");
        const QString problem = saveFile(info.dir().filePath(mtl), shed::exportMtl(model));
        return problem.isEmpty() ? saveFile(path, shed::exportObj(model, mtl)) : problem;
    }
    if (suffix == QLatin1String("ifc"))
        return saveFile(path, shed::exportIfc(model));
    return tr("%1: the model is exported as .glb, .obj or .ifc").arg(info.fileName());
}

QString Document::exportMaterials(const QString &path) const
{
    if (!shed_)
        return tr("%1: the document shows no shed").arg(QFileInfo(path).fileName());
    return saveFile(path, shed::materialsCsv(shed_->takeoff));
}

QString Document::exportCuts(const QString &path) const
{
    if (!shed_)
        return tr("%1: the document shows no shed").arg(QFileInfo(path).fileName());
    return saveFile(path, shed::cutListCsv(shed_->takeoff, units_));
}

QString Document::exportPlans(const QString &path) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!shed_)
        return tr("%1: the document shows no shed").arg(QFileInfo(path).fileName());
    const shed::PlanSet set = plans();
    if (suffix == QLatin1String("pdf"))
        return saveFile(path, set.pdf(set.paper()));
    if (suffix == QLatin1String("svg"))
        return saveFile(path, set.svg(set.paper()));
    if (suffix == QLatin1String("dxf"))
        return saveDxfSheets(path, dxfSheets(set));
    return tr("%1: plans are exported as .pdf, .svg or .dxf").arg(QFileInfo(path).fileName());
}

} // namespace corvelle::refhost
