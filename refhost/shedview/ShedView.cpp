#include "ShedView.h"

#include "HostTable.h"
#include "refhost/view3dapi/View3DFactory.h"
#include "shed/Export.h"
#include "shed/Framing.h"
#include "shed/Reader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace corvelle::refhost {

using namespace table;

const shed::Design &ShedView::design() const { return document_.shed()->design; }
const shed::Model &ShedView::model() const { return document_.shed()->model; }
const shed::Takeoff &ShedView::takeoff() const { return document_.shed()->takeoff; }
const shed::StructureReport &ShedView::structure() const { return document_.shed()->structure; }

namespace {

// A check's rule and, for a failure or a note, the change that passes or what to do.
QString structureDetailText(const shed::CheckRow &row)
{
    QString text = ShedView::tr("Rule: %1.").arg(row.rule);
    if (!row.suggestion.isEmpty())
        text +=
            QLatin1Char(' ')
            + (row.result == shed::Verdict::Fail ? ShedView::tr("Change that passes: %1.") : ShedView::tr("To do: %1."))
                  .arg(row.suggestion);
    return text;
}

} // namespace

ShedView::ShedView(Document &document, QWidget *parent) : QWidget(parent), document_(document), units_(document.units())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    split_ = new QSplitter(Qt::Horizontal, this);
    QSplitter *split = split_;
    layout->addWidget(split);

    QString why;
    if (const view3d::View3DFactory *factory = view3d::view3DFactory(&why)) {
        shading_ = design().shading;
        view3d_ = factory->createView(model(), shading_, split);
        factory->setUnits(view3d_, units_);
    } else {
        // The lists, plans and exports do not need the view: they stay.
        auto *missing = new QLabel(tr("The 3D view is not available: %1").arg(why), split);
        missing->setObjectName(QStringLiteral("view3dMissing"));
        missing->setWordWrap(true);
        missing->setAlignment(Qt::AlignCenter);
        missing->setTextFormat(Qt::PlainText);
        view3d_ = missing;
    }
    split->addWidget(view3d_);

    tabs_ = new QTabWidget(split);
    tabs_->setObjectName(QStringLiteral("sideTabs"));
    materials_ = new QStandardItemModel(this);
    cuts_ = new QStandardItemModel(this);
    warnings_ = new QStandardItemModel(this);
    notes_ = new QStandardItemModel(this);
    prices_ = new QStandardItemModel(this);

    auto *materialsPage = new QWidget(tabs_);
    auto *ml = new QVBoxLayout(materialsPage);
    ml->addWidget(makeTable(materials_, tr("Materials"), materialsPage), 1);
    total_ = new QLabel(materialsPage);
    total_->setObjectName(QStringLiteral("materialsTotal"));
    QFont bold = total_->font();
    bold.setBold(true);
    total_->setFont(bold);
    total_->setAlignment(Qt::AlignRight);
    ml->addWidget(total_);
    tabs_->addTab(materialsPage, tr("Materials"));
    tabs_->addTab(makeTable(cuts_, tr("Cut list"), tabs_), tr("Cut list"));
    tabs_->addTab(makeTable(warnings_, tr("Warnings"), tabs_), tr("Warnings"));
    tabs_->addTab(makeTable(notes_, tr("Design notes"), tabs_), tr("Design notes"));
    // The structural check, under the design loads a builder edits above it.
    structureTable_ = new QStandardItemModel(this);
    auto *structurePage = new QWidget(tabs_);
    auto *sl = new QVBoxLayout(structurePage);
    sl->setContentsMargins(0, sl->contentsMargins().top(), 0, 0); // the table as wide as the tab
    // In a grid, not a row, so the side panel can still narrow to its share.
    auto *loadsRow = new QGridLayout;
    // A design load in whole psf, named for a reader, the buddy of its label.
    const auto psfBox = [&](QLabel *label, const char *name, const QString &accessible, double min, double max,
                            double step) {
        auto *box = new QDoubleSpinBox(structurePage);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(accessible);
        box->setRange(min, max);
        box->setDecimals(0);
        box->setSingleStep(step);
        box->setSuffix(tr(" psf"));
        label->setBuddy(box);
        return box;
    };
    auto *snowLabel = new QLabel(tr("&Ground snow:"), structurePage);
    snowBox_ = psfBox(snowLabel, "groundSnow", tr("Ground snow load"), shed::MinGroundSnow, shed::MaxGroundSnow, 5);
    auto *floorLabel = new QLabel(tr("Floor live load:"), structurePage);
    floorBox_ = psfBox(floorLabel, "floorLive", tr("Floor live load"), shed::MinFloorLive, shed::MaxFloorLive, 10);
    floorBox_->setToolTip(tr("40 psf as for living areas; more where the shed stores heavy things."));
    auto *speciesLabel = new QLabel(tr("&Lumber:"), structurePage);
    speciesBox_ = new QComboBox(structurePage);
    speciesBox_->setObjectName(QStringLiteral("species"));
    speciesBox_->setAccessibleName(tr("Lumber species and grade"));
    for (shed::Species sp : {shed::Species::SprucePineFir, shed::Species::DouglasFirLarch, shed::Species::SouthernPine})
        speciesBox_->addItem(shed::speciesName(sp), int(sp));
    speciesLabel->setBuddy(speciesBox_);
    failingBox_ = new QCheckBox(tr("Show &failing members"), structurePage);
    failingBox_->setObjectName(QStringLiteral("showFailing"));
    failingBox_->setAccessibleName(tr("Show failing members in the warning colour"));
    loadsRow->addWidget(snowLabel, 0, 0);
    loadsRow->addWidget(snowBox_, 0, 1);
    loadsRow->addWidget(floorLabel, 1, 0);
    loadsRow->addWidget(floorBox_, 1, 1);
    loadsRow->addWidget(speciesLabel, 2, 0);
    loadsRow->addWidget(speciesBox_, 2, 1);
    loadsRow->addWidget(failingBox_, 3, 0, 1, 2);
    loadsRow->setColumnStretch(2, 1);
    sl->addLayout(loadsRow);
    QTableView *structureView = makeTable(structureTable_, tr("Structural checks"), structurePage);
    sl->addWidget(structureView, 1);
    // The rule and the change that passes are sentences: under the table for the current
    // check (and in each row's tooltip), so the columns stay narrow enough for the panel.
    structureDetail_ = new QLabel(structurePage);
    structureDetail_->setObjectName(QStringLiteral("structureDetail"));
    structureDetail_->setAccessibleName(tr("Check details"));
    structureDetail_->setWordWrap(true);
    structureDetail_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    structureDetail_->setFocusPolicy(Qt::TabFocus);
    sl->addWidget(structureDetail_);
    connect(structureView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, structureView](const QModelIndex &current) {
                const auto *proxy = qobject_cast<const QSortFilterProxyModel *>(structureView->model());
                showStructureDetail(current.isValid() ? proxy->mapToSource(current).row() : -1);
            });
    tabs_->addTab(structurePage, tr("Structure"));
    const auto loadsEdited = [this] {
        const auto species = shed::Species(speciesBox_->currentData().toInt());
        const QString refused = document_.setLoads({snowBox_->value(), shed::speciesCode(species), floorBox_->value()});
        if (!refused.isEmpty()) {
            showLoads();
            Q_EMIT editRefused(refused);
        }
    };
    connect(snowBox_, &QDoubleSpinBox::valueChanged, this, loadsEdited);
    connect(floorBox_, &QDoubleSpinBox::valueChanged, this, loadsEdited);
    connect(speciesBox_, &QComboBox::currentIndexChanged, this, loadsEdited);
    // Typing a load is one step until the field is left.
    connect(snowBox_, &QDoubleSpinBox::editingFinished, &document_, &Document::sealEdit);
    connect(floorBox_, &QDoubleSpinBox::editingFinished, &document_, &Document::sealEdit);
    connect(failingBox_, &QCheckBox::toggled, this, &ShedView::setShowFailing);
    QTableView *priceView = makeTable(prices_, tr("Prices"), tabs_);
    priceView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                               | QAbstractItemView::AnyKeyPressed);
    priceView->setToolTip(tr("Double-click a price to change it; the material list follows."));
    tabs_->addTab(priceView, tr("Prices"));
    split->addWidget(tabs_);
    // Either side may be made small; neither disappears.
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    connect(split, &QSplitter::splitterMoved, this, [this] { splitMoved_ = true; });

    // Ctrl+Tab goes round the side tabs from anywhere in the document, the 3D view included.
    const auto cycle = [this](int step) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + step + tabs_->count()) % tabs_->count());
    };
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this, [cycle] { cycle(1); });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this, [cycle] { cycle(-1); });
    for (QShortcut *s : {next, previous})
        s->setContext(Qt::WidgetWithChildrenShortcut);

    connect(prices_, &QStandardItemModel::itemChanged, this, [this](QStandardItem *item) {
        if (filling_ || item->column() != 2)
            return;
        const QString name = prices_->item(item->row(), 0)->text();
        const QString refused = document_.setPrice(name, item->data(Qt::EditRole).toDouble());
        document_.sealEdit(); // a cell is edited in one go
        if (!refused.isEmpty()) {
            fillPrices();
            Q_EMIT editRefused(refused);
        }
    });

    connect(&document_, &Document::modelChanged, this, &ShedView::showModel);
    connect(&document_, &Document::takeoffChanged, this, &ShedView::showTakeoff);
    connect(&document_, &Document::loadsChanged, this, &ShedView::showLoads);
    connect(&document_, &Document::pricesChanged, this, &ShedView::fillPrices);

    if (const view3d::View3DFactory *factory = view3d::loadedView3DFactory())
        factory->setPickNote(view3d_, [this](int member) { return pickNote(member); });
    showLoads();
    fillPrices();
    showTakeoff();
}

void ShedView::showModel()
{
    const view3d::View3DFactory *factory = view3d::loadedView3DFactory();
    if (!factory)
        return;
    factory->showModel(view3d_, &model(), {});
    // The design's shading mode, when an edit changed it; the view's own list otherwise rules.
    if (design().shading != shading_) {
        shading_ = design().shading;
        factory->setShading(view3d_, shading_);
    }
}

void ShedView::showLoads()
{
    const shed::SiteLoads loads = document_.loads();
    const QSignalBlocker a(snowBox_), b(speciesBox_), c(floorBox_);
    snowBox_->setValue(loads.groundSnow);
    floorBox_->setValue(loads.floorLive);
    speciesBox_->setCurrentIndex(speciesBox_->findData(int(loads.species)));
}

void ShedView::setShowFailing(bool show)
{
    if (failingBox_->isChecked() != show) {
        failingBox_->setChecked(show); // comes back here through toggled
        return;
    }
    showFailing();
}

void ShedView::showStructureDetail(int row)
{
    structureDetail_->setText(row >= 0 && row < structure().rows.size()
                                  ? structureDetailText(structure().rows[row])
                                  : tr("Pick a check for its rule and the change that passes."));
}

void ShedView::showFailing()
{
    QList<int> failing;
    if (failingBox_->isChecked()) {
        for (const shed::CheckRow &row : structure().rows) {
            if (row.result == shed::Verdict::Fail)
                failing += row.members;
        }
    }
    if (const view3d::View3DFactory *factory = view3d::loadedView3DFactory())
        factory->showModel(view3d_, nullptr, failing);
}

QString ShedView::pickNote(int member) const
{
    const auto it = checkOfMember_.find(member);
    if (it == checkOfMember_.end())
        return {};
    const shed::CheckRow &row = structure().rows[*it];
    return tr("Structure: %1 (%2), %3").arg(row.check, row.member, shed::verdictName(row.result));
}

void ShedView::fillStructure()
{
    structureTable_->clear();
    // Short columns; the member and its size wrap in the last, the rule and the change
    // that passes go below the table and in the tooltip.
    structureTable_->setHorizontalHeaderLabels(
        {tr("Check"), tr("Result"), tr("Ratio"), tr("Actual"), tr("Allowed"), tr("Member")});
    checkOfMember_.clear();
    const auto length = [this](double v) { return v > 0 ? units_.length(v) : QString(); };
    for (int i = 0; i < structure().rows.size(); ++i) {
        const shed::CheckRow &row = structure().rows[i];
        const bool slope = row.check == u"roof slope";
        auto *result = textItem(shed::verdictName(row.result));
        result->setData(int(row.result), SortRole); // failures first
        if (row.result == shed::Verdict::Fail) {
            QFont bold = result->font();
            bold.setBold(true);
            result->setFont(bold);
        }
        QString member = tr("%1: %2").arg(row.member, row.size);
        if (row.spacing > 0)
            member = tr("%1 at %2").arg(member, length(row.spacing));
        const QList<QStandardItem *> items{
            textItem(row.check),
            result,
            numberItem(row.ratio, row.ratio > 0 ? QString::number(row.ratio, 'f', 2) : QString()),
            numberItem(row.span, slope ? QStringLiteral("%1:12").arg(row.span) : length(row.span)),
            numberItem(row.allowed, slope ? QStringLiteral("%1:12").arg(row.allowed) : length(row.allowed)),
            sentenceItem(member)};
        const QString detail = structureDetailText(row);
        for (QStandardItem *item : items)
            item->setToolTip(detail);
        structureTable_->appendRow(items);
        for (int m : row.members) {
            if (!checkOfMember_.contains(m))
                checkOfMember_.insert(m, i);
        }
    }
    showFailing();
    showStructureDetail(-1);
}

void ShedView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The tables get a little more than half, so their notes read on a line or two, until
    // the user moves the splitter.
    if (!splitMoved_) {
        const int tables = width() * TablesShare / 100;
        split_->setSizes({width() - tables, tables});
    }
}

void ShedView::showTakeoff()
{
    if (document_.units() != units_) {
        units_ = document_.units();
        if (const view3d::View3DFactory *factory = view3d::loadedView3DFactory())
            factory->setUnits(view3d_, units_);
    }
    fillMaterials();
    fillCuts();
    fillWarnings();
    fillStructure();
    Q_EMIT takeoffChanged();
}

QString ShedView::totalText() const { return total_->text(); }

void ShedView::fillMaterials()
{
    materials_->clear();
    materials_->setHorizontalHeaderLabels(
        {tr("Item"), tr("Quantity"), tr("Unit"), tr("Unit price"), tr("Cost"), tr("Note")});
    for (const shed::MaterialRow &row : takeoff().materials) {
        QString note = row.note;
        if (!row.inTotal)
            note = note.isEmpty() ? tr("not in the total") : tr("%1; not in the total").arg(note);
        materials_->appendRow({textItem(row.item), numberItem(row.quantity, QLocale().toString(row.quantity, 'g', 6)),
                               textItem(row.unit), moneyItem(row.unitPrice), moneyItem(row.cost), sentenceItem(note)});
    }
    total_->setText(tr("Total %1").arg(moneyText(takeoff().total)));
}

void ShedView::fillCuts()
{
    cuts_->clear();
    cuts_->setHorizontalHeaderLabels(
        {tr("Mark"), tr("Member"), tr("Stock"), tr("Length"), tr("Angle 1"), tr("Angle 2"), tr("Quantity")});
    for (const shed::CutRow &row : takeoff().cuts) {
        QStandardItem *mark = textItem(row.mark);
        mark->setData(cuts_->rowCount(), SortRole); // W2 before W10: the rows come in mark order
        cuts_->appendRow({mark, textItem(row.member), textItem(units_.stock(row.stock)),
                          numberItem(row.lengthIn, units_.length(row.lengthIn)),
                          numberItem(row.angle1, QStringLiteral("%1\u00b0").arg(row.angle1, 0, 'f', 1)),
                          numberItem(row.angle2, QStringLiteral("%1\u00b0").arg(row.angle2, 0, 'f', 1)),
                          numberItem(row.quantity, QString::number(row.quantity))});
    }
}

void ShedView::fillWarnings()
{
    warnings_->clear();
    warnings_->setHorizontalHeaderLabels({tr("From"), tr("Warning")});
    auto add = [&](const QString &from, const QStringList &list) {
        for (const QString &w : list)
            warnings_->appendRow({textItem(from), sentenceItem(w)});
    };
    add(tr("Design"), design().warnings);
    add(tr("Framing"), model().warnings);
    add(tr("Structure"), structure().failureSentences());
    add(tr("Takeoff"), takeoff().warnings);
    add(tr("Prices"), document_.prices().warnings);

    notes_->clear();
    notes_->setHorizontalHeaderLabels({tr("Note")});
    for (const QString &n : design().notes)
        notes_->appendRow(sentenceItem(n));
}

void ShedView::fillPrices()
{
    filling_ = true;
    const shed::PriceTable &table = document_.prices();
    // In place when the items are the same, so an edit keeps the table's sort and scroll.
    bool same = prices_->rowCount() == table.prices.size();
    for (int r = 0; same && r < prices_->rowCount(); ++r)
        same = table.prices.contains(prices_->item(r, 0)->text());
    if (same) {
        for (int r = 0; r < prices_->rowCount(); ++r) {
            const double price = table.prices.value(prices_->item(r, 0)->text()).price;
            QStandardItem *cell = prices_->item(r, 2);
            if (cell->data(Qt::EditRole).toDouble() != price) {
                cell->setData(price, Qt::EditRole);
                cell->setData(price, SortRole);
            }
        }
        filling_ = false;
        return;
    }
    prices_->clear();
    prices_->setHorizontalHeaderLabels({tr("Item"), tr("Unit"), tr("Price")});
    QStringList names = table.prices.keys();
    names.sort(Qt::CaseInsensitive);
    for (const QString &name : names) {
        const shed::Price &p = table.prices[name];
        prices_->appendRow({textItem(name), textItem(p.unit), editableMoneyItem(p.price)});
    }
    filling_ = false;
}

QByteArray ShedView::plansPdf() const
{
    const shed::PlanSet set = document_.plans();
    return set.pdf(set.paper());
}
QByteArray ShedView::plansSvg() const
{
    const shed::PlanSet set = document_.plans();
    return set.svg(set.paper());
}
QList<std::pair<QString, QByteArray>> ShedView::plansDxf() const { return dxfSheets(document_.plans()); }
QPageSize::PageSizeId ShedView::planPaper() const { return document_.plans().paper(); }
void ShedView::printPlans(QPagedPaintDevice &device) const { document_.printPlans(device); }

} // namespace corvelle::refhost
