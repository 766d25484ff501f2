#include "refhost/views/DesignPanel.h"

#include "refhost/model/Document.h"
#include "shed/DesignFields.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace corvelle::refhost {

namespace {

// The lengths the wizard takes in feet, with its ranges.
struct FeetRange {
    const char *name;
    double low, high;
};
constexpr FeetRange FeetFields[] = {{"ShedWidth", 8, 50},
                                    {"ShedDepth", 8, 50},
                                    {"InnerHeight", 8, 20},
                                    {"MainDoorWidth", 3, 50},
                                    {"MainDoorHeight", 6, 20}};

// Windows stand within the largest shed the wizard draws.
constexpr double LargestInches = 50 * 12;
constexpr shed::Wall Walls[] = {shed::Wall::Front, shed::Wall::Rear, shed::Wall::Left, shed::Wall::Right};
const char *const InchesPerUnit = "inchesPerUnit";

QString wallText(shed::Wall wall)
{
    const QString name = shed::wallName(wall);
    return name.left(1).toUpper() + name.mid(1);
}

// Shows its value without trailing zeros: "14 ft", "14.5 ft".
class LengthBox : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;
    QString textFromValue(double value) const override { return shed::decimalText(value, decimals()); }
};

} // namespace

DesignPanel::DesignPanel(QWidget *parent) : QWidget(parent)
{
    layout_ = new QVBoxLayout(this);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("designMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setAccessibleName(tr("Refused value"));
    message_->hide();
    QPalette warn = message_->palette();
    warn.setColor(QPalette::WindowText, QColor(160, 0, 0));
    message_->setPalette(warn);
    layout_->addWidget(message_);

    addGroup(tr("Size"), {QStringLiteral("ShedWidth"), QStringLiteral("ShedDepth")});
    addGroup(tr("Floor"), {QStringLiteral("FloorType"), QStringLiteral("FloorHeight"), QStringLiteral("BlockRows")});
    addGroup(tr("Studs"), {QStringLiteral("JoistType"), QStringLiteral("StudCenters"), QStringLiteral("InnerHeight")});
    addGroup(tr("Inner walls"), {QStringLiteral("InWallType"), QStringLiteral("SheetrockThickness")});
    addGroup(tr("Outer walls"), {QStringLiteral("SidingName")});
    addGroup(tr("Door"),
             {QStringLiteral("MainDoorLocation"), QStringLiteral("MainDoorWidth"), QStringLiteral("MainDoorHeight")});
    addGroup(tr("Ramp"), {QStringLiteral("RampLocation")});
    addGroup(tr("Roof"), {QStringLiteral("RoofType"), QStringLiteral("Trusses")});
    addGroup(tr("Shading"), {QStringLiteral("ShadingMode")});

    // Windows: the list, and the selected window's values under it.
    auto *windows = new QGroupBox(tr("Windows"), this);
    auto *wl = new QVBoxLayout(windows);
    windows_ = new QListWidget(windows);
    windows_->setObjectName(QStringLiteral("windows"));
    windows_->setAccessibleName(tr("Windows"));
    windows_->setMaximumHeight(90);
    wl->addWidget(windows_);
    auto *buttons = new QHBoxLayout;
    addWindow_ = new QPushButton(tr("&Add window"), windows);
    removeWindow_ = new QPushButton(tr("Remo&ve window"), windows);
    addWindow_->setAccessibleName(tr("Add window"));
    removeWindow_->setAccessibleName(tr("Remove window"));
    buttons->addWidget(addWindow_);
    buttons->addWidget(removeWindow_);
    wl->addLayout(buttons);
    auto *wf = new QFormLayout;
    window_.wall = new QComboBox(windows);
    for (shed::Wall wall : Walls)
        window_.wall->addItem(wallText(wall), int(wall));
    auto *wallLabel = new QLabel(tr("Wall"), windows);
    wallLabel->setBuddy(window_.wall);
    window_.wall->setAccessibleName(wallLabel->text());
    wf->addRow(wallLabel, window_.wall);
    window_.center = lengthBox(tr("Centre"), wf);
    window_.width = lengthBox(tr("Window width"), wf);
    window_.height = lengthBox(tr("Window height"), wf);
    window_.sill = lengthBox(tr("Sill height"), wf);
    wl->addLayout(wf);
    layout_->addWidget(windows);
    connect(windows_, &QListWidget::currentRowChanged, this, [this] { showWindow(); });
    connect(addWindow_, &QPushButton::clicked, this, [this] {
        if (!document_)
            return;
        // A window of a common size in the middle of the left wall, where no door stands.
        const double depth = document_->project().design.ShedDepth.toDouble() * 12;
        answer(document_->addWindow({shed::Wall::Left, depth / 2, 24, 36, 36}));
        windows_->setCurrentRow(windows_->count() - 1);
    });
    connect(removeWindow_, &QPushButton::clicked, this, [this] {
        if (document_ && windows_->currentRow() >= 0)
            answer(document_->removeWindow(windows_->currentRow()));
    });
    connect(window_.wall, &QComboBox::currentIndexChanged, this, [this] { editWindow(); });
    for (QDoubleSpinBox *box : {window_.center, window_.width, window_.height, window_.sill}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { editWindow(); });
        connect(box, &QDoubleSpinBox::editingFinished, this, [this] {
            if (document_)
                document_->sealEdit();
        });
    }
    editors_ << windows_ << addWindow_ << removeWindow_;

    // The design loads the structural check takes.
    auto *loads = new QGroupBox(tr("Loads"), this);
    auto *lf = new QFormLayout(loads);
    // A design load in whole psf, a row named by its label.
    const auto psfRow = [&](const QString &text, double min, double max, double step) {
        auto *box = new QDoubleSpinBox(loads);
        box->setRange(min, max);
        box->setDecimals(0);
        box->setSingleStep(step);
        box->setSuffix(tr(" psf"));
        box->setKeyboardTracking(false);
        auto *label = new QLabel(text, loads);
        label->setBuddy(box);
        box->setAccessibleName(text);
        lf->addRow(label, box);
        return box;
    };
    snow_ = psfRow(tr("Ground snow"), shed::MinGroundSnow, shed::MaxGroundSnow, 5);
    floorLive_ = psfRow(tr("Floor live load"), shed::MinFloorLive, shed::MaxFloorLive, 10);
    floorLive_->setToolTip(tr("40 psf as for living areas; more where the shed stores heavy things."));
    species_ = new QComboBox(loads);
    for (shed::Species sp : {shed::Species::SprucePineFir, shed::Species::DouglasFirLarch, shed::Species::SouthernPine})
        species_->addItem(shed::speciesName(sp), shed::speciesCode(sp));
    auto *speciesLabel = new QLabel(tr("Lumber"), loads);
    speciesLabel->setBuddy(species_);
    species_->setAccessibleName(speciesLabel->text());
    lf->addRow(speciesLabel, species_);
    layout_->addWidget(loads);
    connect(snow_, &QDoubleSpinBox::valueChanged, this, [this] { editLoads(); });
    connect(snow_, &QDoubleSpinBox::editingFinished, this, [this] {
        if (document_)
            document_->sealEdit();
    });
    connect(floorLive_, &QDoubleSpinBox::valueChanged, this, [this] { editLoads(); });
    connect(floorLive_, &QDoubleSpinBox::editingFinished, this, [this] {
        if (document_)
            document_->sealEdit();
    });
    connect(species_, &QComboBox::currentIndexChanged, this, [this] { editLoads(); });
    editors_ << snow_ << floorLive_ << species_;
    layout_->addStretch(1);

    setUnits(units_);
    setDocument(nullptr);
}

void DesignPanel::addGroup(const QString &title, const QStringList &names)
{
    auto *group = new QGroupBox(title, this);
    auto *form = new QFormLayout(group);
    for (const QString &name : names) {
        const shed::DesignField *field = shed::designField(name);
        Field f{name};
        auto *label = new QLabel(tr(field->label), group);
        const auto choices = shed::designChoices(name);
        QWidget *editor;
        if (!choices.empty()) {
            f.list = new QComboBox(group);
            // Long choice texts are elided rather than widening the panel.
            f.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            f.list->setMinimumContentsLength(MinimumChoiceLength);
            for (const shed::DesignChoice &c : choices)
                f.list->addItem(QString::fromLatin1(c.text), QString::fromLatin1(c.value));
            connect(f.list, &QComboBox::activated, this, [this, f] {
                edit(f.name, f.list->currentData().toString());
                if (document_)
                    document_->sealEdit(); // each choice a step of its own
            });
            editor = f.list;
        } else {
            f.box = new LengthBox(group);
            f.box->setKeyboardTracking(false); // a half-typed number is no value
            for (const FeetRange &r : FeetFields)
                if (name == QLatin1String(r.name)) {
                    f.lowFeet = r.low;
                    f.highFeet = r.high;
                }
            connect(f.box, &QDoubleSpinBox::valueChanged, this, [this, f] {
                // Feet as the wizard stores them, to a ten-thousandth (a millimetre is 0.0033 ft).
                edit(f.name, shed::decimalText(inchesOf(f.box) / 12, 4));
            });
            connect(f.box, &QDoubleSpinBox::editingFinished, this, [this] {
                if (document_)
                    document_->sealEdit();
            });
            editor = f.box;
        }
        editor->setObjectName(name);
        label->setBuddy(editor);
        editor->setAccessibleName(label->text());
        form->addRow(label, editor);
        editors_ << editor;
        fields_ << f;
    }
    layout_->addWidget(group);
}

QDoubleSpinBox *DesignPanel::lengthBox(const QString &label, QFormLayout *form)
{
    auto *box = new LengthBox(this);
    box->setKeyboardTracking(false);
    auto *l = new QLabel(label, this);
    l->setBuddy(box);
    box->setAccessibleName(label);
    form->addRow(l, box);
    editors_ << box;
    return box;
}

void DesignPanel::setDocument(Document *document)
{
    if (document_)
        disconnect(document_, nullptr, this, nullptr);
    document_ = document;
    message_->hide();
    message_->clear();
    if (document_) {
        connect(document_, &Document::designChanged, this, &DesignPanel::showDesign);
        connect(document_, &Document::windowsChanged, this, &DesignPanel::showWindows);
        connect(document_, &Document::loadsChanged, this, &DesignPanel::showLoads);
        connect(document_, &Document::contentChanged, this, [this] { setDocument(document_); });
    }
    showDesign();
    showWindows();
    showLoads();
}

void DesignPanel::setUnits(shed::Units units)
{
    units_ = units;
    const bool metric = units_.isMetric();
    for (const Field &f : std::as_const(fields_)) {
        if (f.box) {
            f.box->setProperty(InchesPerUnit, metric ? 1 / shed::MillimetresPerInch : 12.0);
            f.box->setSuffix(metric ? tr(" mm") : tr(" ft"));
            f.box->setDecimals(metric ? 0 : 2);
            f.box->setSingleStep(metric ? 100 : 1);
        }
    }
    for (QDoubleSpinBox *box : {window_.center, window_.width, window_.height, window_.sill}) {
        box->setProperty(InchesPerUnit, metric ? 1 / shed::MillimetresPerInch : 1.0);
        box->setSuffix(metric ? tr(" mm") : tr(" in"));
        box->setDecimals(metric ? 0 : 2);
        box->setSingleStep(metric ? 10 : 1);
    }
    showDesign();
    showWindows();
}

QString DesignPanel::message() const { return message_->text(); }

double DesignPanel::inchesOf(const QDoubleSpinBox *box) const
{
    return box->value() * box->property(InchesPerUnit).toDouble();
}

void DesignPanel::setLength(QDoubleSpinBox *box, double inches, double lowInches, double highInches)
{
    const double per = box->property(InchesPerUnit).toDouble();
    box->setRange(lowInches / per, highInches / per);
    box->setValue(inches / per);
}

void DesignPanel::edit(const QString &name, const QString &value)
{
    if (showing_ || !document_)
        return;
    answer(document_->setDesignField(name, value));
}

void DesignPanel::answer(const QString &refusal)
{
    message_->setText(refusal);
    message_->setVisible(!refusal.isEmpty());
    if (refusal.isEmpty())
        return;
    // The fields show the design as it stands again.
    showDesign();
    showWindows();
    showLoads();
    Q_EMIT refused(refusal);
}

void DesignPanel::editWindow()
{
    const int row = windows_->currentRow();
    if (showing_ || !document_ || row < 0)
        return;
    const shed::Window w{shed::Wall(window_.wall->currentData().toInt()), inchesOf(window_.center),
                         inchesOf(window_.width), inchesOf(window_.height), inchesOf(window_.sill)};
    answer(document_->setWindow(row, w));
}

void DesignPanel::editLoads()
{
    if (showing_ || !document_)
        return;
    answer(document_->setLoads({snow_->value(), species_->currentData().toString(), floorLive_->value()}));
}

void DesignPanel::showDesign()
{
    const bool shown = document_ && document_->shed();
    for (QWidget *w : std::as_const(editors_))
        w->setEnabled(shown);
    if (!shown)
        return;
    showing_ = true;
    const ShedDesign &d = document_->project().design;
    for (const Field &f : std::as_const(fields_)) {
        const QString &value = d.*shed::designField(f.name)->member;
        if (f.list) {
            // By number where the record holds one ("6 " is the 6 inches item).
            int index = f.list->findData(value);
            bool number = false;
            const double v = value.toDouble(&number);
            for (int i = 0; index < 0 && number && i < f.list->count(); ++i)
                if (f.list->itemData(i).toString().toDouble() == v)
                    index = i;
            f.list->setCurrentIndex(index);
        } else {
            setLength(f.box, value.toDouble() * 12, f.lowFeet * 12, f.highFeet * 12);
        }
    }
    const auto enable = [&](const char *name, bool on) {
        for (const Field &f : std::as_const(fields_))
            if (f.name == QLatin1String(name))
                (f.list ? static_cast<QWidget *>(f.list) : f.box)->setEnabled(on);
    };
    // As on the wizard's screens: each floor its own list, a greyed thickness without
    // lining, door sizes only with a door, no ramp on gravel, trusses on a wide shed.
    enable("FloorHeight", d.FloorType == u"1");
    enable("BlockRows", d.FloorType == u"3");
    enable("SheetrockThickness", d.InWallType != u"0");
    enable("MainDoorWidth", d.MainDoorLocation != u"None");
    enable("MainDoorHeight", d.MainDoorLocation != u"None");
    enable("RampLocation", d.FloorType != u"0");
    enable("Trusses", d.ShedWidth.toDouble() <= 15);
    for (const Field &f : std::as_const(fields_))
        if (f.name == u"Trusses") {
            // "Gable Trusses", "Barn Supports": the roofing screen's texts.
            f.list->setItemText(0, tr("%1 Trusses").arg(d.RoofType));
            f.list->setItemText(1, tr("%1 Supports").arg(d.RoofType));
        }
    showing_ = false;
}

void DesignPanel::showWindows()
{
    const bool shown = document_ && document_->shed();
    {
        const QSignalBlocker quiet(windows_);
        const int row = windows_->currentRow();
        windows_->clear();
        if (shown) {
            for (const shed::Window &w : document_->project().windows)
                windows_->addItem(tr("%1 wall: centre %2, %3, sill %4")
                                      .arg(wallText(w.wall), units_.length(w.center), units_.size(w.width, w.height),
                                           units_.length(w.sill)));
            if (windows_->count() > 0)
                windows_->setCurrentRow(std::clamp(row, 0, int(windows_->count()) - 1));
        }
    }
    showWindow();
}

void DesignPanel::showWindow()
{
    const bool shown = document_ && document_->shed();
    const int current = windows_->currentRow();
    for (QWidget *w : std::initializer_list<QWidget *>{window_.wall, window_.center, window_.width, window_.height,
                                                       window_.sill, removeWindow_})
        w->setEnabled(shown && current >= 0);
    if (!shown || current < 0)
        return;
    showing_ = true;
    const shed::Window &w = document_->project().windows[current];
    window_.wall->setCurrentIndex(window_.wall->findData(int(w.wall)));
    setLength(window_.center, w.center, 0, LargestInches);
    setLength(window_.width, w.width, 1, LargestInches);
    setLength(window_.height, w.height, 1, LargestInches);
    setLength(window_.sill, w.sill, 0, LargestInches);
    showing_ = false;
}

void DesignPanel::showLoads()
{
    if (!document_ || !document_->shed())
        return;
    showing_ = true;
    snow_->setValue(document_->project().loads.groundSnowPsf);
    floorLive_->setValue(document_->project().loads.floorLivePsf);
    species_->setCurrentIndex(species_->findData(document_->project().loads.species));
    showing_ = false;
}

} // namespace corvelle::refhost
