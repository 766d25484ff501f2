#include "refhost/views/DocumentView.h"

#include "refhost/model/Document.h"
#include "refhost/shedview/ShedView.h"
#include "refhost/shedview/StylePlanView.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
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
    bool load(const QByteArray &svg) { return renderer_.load(svg) && renderer_.isValid(); }
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

    shedPage_ = new QWidget(pages_);
    shedLayout_ = new QVBoxLayout(shedPage_);
    shedLayout_->setContentsMargins(0, 0, 0, 0);
    pages_->addWidget(shedPage_);

    // The 2D page: the style's drawing, and beside it its plan at the typed width.
    auto *plan = new QWidget(pages_);
    auto *planLayout = new QVBoxLayout(plan);
    auto *planRow = new QHBoxLayout;
    canvas_ = new DrawingCanvas(plan);
    stylePlan_ = new StylePlanView(plan);
    stylePlan_->hide();
    planRow->addWidget(canvas_, 2);
    planRow->addWidget(stylePlan_, 3);
    widthLabel_ = new QLabel(plan);
    widthLabel_->setTextFormat(Qt::PlainText);
    widthLabel_->setAlignment(Qt::AlignCenter);
    planLayout->addLayout(planRow, 1);
    planLayout->addWidget(widthLabel_);
    pages_->addWidget(plan);

    refusal_ = new QLabel(pages_);
    refusal_->setObjectName(QStringLiteral("refusal"));
    refusal_->setAlignment(Qt::AlignCenter);
    refusal_->setWordWrap(true);
    refusal_->setTextFormat(Qt::PlainText); // the reader quotes the file
    refusal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pages_->addWidget(refusal_);

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
    if (document_.content() != Document::Content::Shed) {
        delete shedView_;
        shedView_ = nullptr;
    }
    switch (document_.content()) {
    case Document::Content::Empty:
        pages_->setCurrentIndex(0);
        break;
    case Document::Content::Shed: {
        // Built only now, so the Qt Quick scene loads when a 3D document first opens.
        delete shedView_;
        shedView_ = new ShedView(document_, shedPage_);
        shedLayout_->addWidget(shedView_);
        pages_->setCurrentWidget(shedPage_);
        break;
    }
    case Document::Content::Plan: {
        const QString width = document_.planWidth();
        widthLabel_->setText(width.isEmpty() ? tr("Building width: not set") : tr("Building width: %1 feet").arg(width));
        stylePlan_->setVisible(!width.isEmpty() && document_.drawing());
        if (stylePlan_->isVisible()) {
            // "Shed_107.KQ" is style 107.
            const QString style = QFileInfo(document_.drawing()->fileName).completeBaseName().section(QLatin1Char('_'), -1);
            stylePlan_->setPlan(shed::stylePlan(style, width.toDouble()));
        }
        pages_->setCurrentIndex(2);
        break;
    }
    case Document::Content::Refused:
        refusal_->setText(document_.refusal());
        pages_->setCurrentWidget(refusal_);
        break;
    }
}

void DocumentView::setUnits(shed::Units units)
{
    // The shed's lists follow the document's units, which the application sets.
    units_ = units;
    stylePlan_->setUnits(units);
}

PlanDocument *DocumentView::planDocument() const
{
    if (shedView_)
        return shedView_;
    if (document_.content() == Document::Content::Plan && !stylePlan_->isHidden())
        return stylePlan_;
    return nullptr;
}

} // namespace corvelle::refhost
