#include "refhost/views/DocumentView.h"

#include "refhost/model/Document.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>

namespace corvelle::refhost {

// The 2D page's drawing: the loaded style at its natural size (scaled down only to fit).
class DrawingCanvas : public QWidget {
public:
    explicit DrawingCanvas(QWidget *parent) : QWidget(parent), renderer_(this)
    {
        setMinimumSize(280, 180);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    bool load(const QByteArray &data) { return renderer_.load(data) && renderer_.isValid(); }
    bool isValid() const { return renderer_.isValid(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!renderer_.isValid())
            return;
        QSizeF size = renderer_.defaultSize();
        if (size.isEmpty())
            size = QSizeF(263, 164);
        size.scale(QSizeF(width() - 20, height() - 20).expandedTo(QSizeF(1, 1)).boundedTo(size * 2),
                   Qt::KeepAspectRatio);
        const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                            size.height());
        renderer_.render(&p, target);
    }

private:
    QSvgRenderer renderer_;
};

namespace {

// A front elevation drawn from the handed-over sizes, so the design can be checked at a glance.
class FrontView : public QWidget {
public:
    FrontView(const ShedData &d, QWidget *parent) : QWidget(parent)
    {
        width_ = d.width.feet();
        wallHeight_ = d.innerHeight.feet();
        if (wallHeight_ <= 0)
            wallHeight_ = d.height.feet();
        roof_ = d.text(53);
        barn_ = d.roof == RoofType::Barn;
        door_ = d.door;
        doorWidth_ = d.doorWidth.feet();
        doorHeight_ = d.doorHeight.feet();
        ramp_ = d.ramp;
        setMinimumHeight(220);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        if (width_ <= 0 || wallHeight_ <= 0) {
            p.drawText(rect(), Qt::AlignCenter, tr("No front view: width or wall height is not a number"));
            return;
        }
        const bool front = hasFront(door_);
        const bool rampFront = hasFront(ramp_);
        const double rise = barn_ ? width_ * 0.4 : width_ * 0.3;
        const double totalH = wallHeight_ + rise + 1.0;
        const double totalW = width_ + 2.0;
        const double scale = std::min((width() - 20) / totalW, (height() - 40) / totalH);
        const double x0 = (width() - width_ * scale) / 2;
        const double ground = height() - 30;
        auto pt = [&](double x, double y) { return QPointF(x0 + x * scale, ground - y * scale); };

        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(0, ground), QPointF(width(), ground));
        p.drawRect(QRectF(pt(0, wallHeight_), pt(width_, 0)));
        QPainterPath roof;
        roof.moveTo(pt(-0.5, wallHeight_ - 0.2));
        if (barn_) {
            roof.lineTo(pt(width_ * 0.15, wallHeight_ + rise * 0.65));
            roof.lineTo(pt(width_ / 2, wallHeight_ + rise));
            roof.lineTo(pt(width_ * 0.85, wallHeight_ + rise * 0.65));
        } else {
            roof.lineTo(pt(width_ / 2, wallHeight_ + rise));
        }
        roof.lineTo(pt(width_ + 0.5, wallHeight_ - 0.2));
        p.drawPath(roof);
        if (front && doorWidth_ > 0 && doorHeight_ > 0) {
            const double dx = (width_ - doorWidth_) / 2;
            p.drawRect(QRectF(pt(dx, doorHeight_), pt(dx + doorWidth_, 0)));
            if (rampFront) {
                QPolygonF ramp{pt(dx, 0), pt(dx + doorWidth_, 0), pt(dx + doorWidth_ + 0.8, -0.6),
                               pt(dx - 0.8, -0.6)};
                p.drawPolygon(ramp);
            }
        }
        p.drawText(QRectF(0, height() - 22, width(), 20), Qt::AlignCenter,
                   tr("Front view: %1 ft wide, %2 ft walls, %3 roof")
                       .arg(width_)
                       .arg(wallHeight_)
                       .arg(roof_.isEmpty() ? tr("no") : roof_.toLower()));
    }

private:
    double width_ = 0, wallHeight_ = 0, doorWidth_ = 0, doorHeight_ = 0;
    QString roof_;
    bool barn_ = false;
    Sides door_ = Sides::None, ramp_ = Sides::None;
};

} // namespace

DocumentView::DocumentView(Document &document, QWidget *parent) : QWidget(parent), document_(document)
{
    auto *layout = new QVBoxLayout(this);
    header_ = new QLabel(this);
    header_->setObjectName(QStringLiteral("documentHeader"));
    header_->setTextFormat(Qt::PlainText); // shows a file name the caller chose
    layout->addWidget(header_);

    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_, 1);

    auto *empty = new QLabel(tr("Empty drawing"), pages_);
    empty->setAlignment(Qt::AlignCenter);
    pages_->addWidget(empty);

    auto *scroll = new QScrollArea(pages_);
    scroll->setWidgetResizable(true);
    designPage_ = new QWidget(scroll);
    designLayout_ = new QVBoxLayout(designPage_);
    scroll->setWidget(designPage_);
    pages_->addWidget(scroll);

    auto *plan = new QWidget(pages_);
    auto *planLayout = new QVBoxLayout(plan);
    canvas_ = new DrawingCanvas(plan);
    widthLabel_ = new QLabel(plan);
    widthLabel_->setTextFormat(Qt::PlainText);
    widthLabel_->setAlignment(Qt::AlignCenter);
    planLayout->addWidget(canvas_, 1);
    planLayout->addWidget(widthLabel_);
    pages_->addWidget(plan);

    connect(&document_, &Document::draftingModeChanged, this, &DocumentView::updateHeader);
    connect(&document_, &Document::drawingChanged, this, &DocumentView::showDrawing);
    connect(&document_, &Document::contentChanged, this, &DocumentView::showContent);
    showDrawing();
    showContent();
}

void DocumentView::updateHeader()
{
    QString text = tr("%1    Drafting mode: %2").arg(document_.title(), document_.draftingMode() ? tr("On") : tr("Off"));
    if (const auto &drawing = document_.drawing())
        text += tr("    Symbol: %1").arg(QFileInfo(drawing->fileName).fileName());
    header_->setText(text);
}

void DocumentView::showDrawing()
{
    if (const auto &drawing = document_.drawing())
        canvas_->load(drawing->svg);
    updateHeader();
    canvas_->update();
}

void DocumentView::showContent()
{
    switch (document_.content()) {
    case Document::Content::Empty:
        pages_->setCurrentIndex(0);
        break;
    case Document::Content::Design:
        showDesign();
        pages_->setCurrentIndex(1);
        break;
    case Document::Content::Plan:
        widthLabel_->setText(document_.planWidth().isEmpty() ? tr("Building width: not set")
                                                             : tr("Building width: %1 feet").arg(document_.planWidth()));
        pages_->setCurrentIndex(2);
        break;
    }
}

void DocumentView::showDesign()
{
    while (QLayoutItem *item = designLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const ShedData &design = *document_.design();
    designLayout_->addWidget(new FrontView(design, designPage_));
    // The comments are aligned with blanks in the file; a fixed font keeps them readable.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const ShedGroup &group : design.groups) {
        auto *box = new QGroupBox(group.title, designPage_);
        auto *form = new QFormLayout(box);
        for (const ShedEntry &entry : group.entries) {
            auto *value = new QLabel(entry.text.isEmpty() ? tr("(empty)") : entry.text, box);
            value->setTextFormat(Qt::PlainText); // the file's text, never markup
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setFont(fixed);
            value->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(14, QLatin1Char('M'))));
            auto *comment = new QLabel(entry.comment, box);
            comment->setFont(fixed);
            comment->setToolTip(tr("ShedData.txt line %1").arg(entry.line));
            form->addRow(value, comment);
        }
        designLayout_->addWidget(box);
    }
    showBuild(fixed);
    designLayout_->addStretch(1);
}

// The shed model's warnings and material list under the design.
void DocumentView::showBuild(const QFont &fixed)
{
    const auto label = [&](const QString &text, QWidget *parent) {
        auto *l = new QLabel(text, parent);
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    const auto &build = document_.build();
    auto *warnings = new QGroupBox(tr("Warnings"), designPage_);
    auto *list = new QVBoxLayout(warnings);
    const QStringList lines = build ? build->warnings : QStringList{document_.buildError()};
    if (lines.isEmpty())
        list->addWidget(label(tr("None: the design follows every rule the shed model checks."), warnings));
    for (const QString &w : lines) {
        QLabel *l = label(w, warnings);
        l->setWordWrap(true);
        list->addWidget(l);
    }
    designLayout_->addWidget(warnings);
    if (!build)
        return;

    auto *materials = new QGroupBox(tr("Material list"), designPage_);
    auto *grid = new QGridLayout(materials);
    const QStringList heads = {tr("Item"), tr("Quantity"), tr("Unit"), tr("Unit price"), tr("Cost")};
    for (int c = 0; c < heads.size(); ++c) {
        QLabel *h = label(heads[c], materials);
        QFont bold = h->font();
        bold.setBold(true);
        h->setFont(bold);
        grid->addWidget(h, 0, c, c ? Qt::AlignRight : Qt::AlignLeft);
    }
    int row = 1;
    for (const shed::MaterialRow &m : build->takeoff.materials) {
        const QString cost = QString::number(m.cost, 'f', 2);
        const QStringList cells = {m.item, QString::number(m.quantity, 'g', 6), m.unit, QString::number(m.unitPrice, 'f', 2),
                                   m.inTotal ? cost : tr("(%1, not in the total)").arg(cost)};
        for (int c = 0; c < cells.size(); ++c) {
            QLabel *cell = label(cells[c], materials);
            if (c)
                cell->setFont(fixed);
            grid->addWidget(cell, row, c, c ? Qt::AlignRight : Qt::AlignLeft);
        }
        ++row;
    }
    grid->addWidget(label(tr("Total"), materials), row, 0);
    grid->addWidget(label(QString::number(build->takeoff.total, 'f', 2), materials), row, 4, Qt::AlignRight);
    designLayout_->addWidget(materials);
}

} // namespace corvelle::refhost
