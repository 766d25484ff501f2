#include "refhost/model/Document.h"

#include <QSvgRenderer>

namespace corvelle::refhost {

Document::Document(int id, QObject *parent) : QObject(parent), id_(id) {}

QString Document::title() const { return tr("Drawing %1").arg(id_); }

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
    Q_EMIT drawingChanged();
    Q_EMIT contentChanged();
    return true;
}

void Document::showDesign(ShedData design)
{
    design_ = std::move(design);
    content_ = Content::Design;
    Q_EMIT contentChanged();
}

void Document::setBuild(shed::BuildResult result)
{
    build_ = std::move(result.outputs);
    buildError_ = result.error;
}

void Document::showPlan(const QString &width)
{
    planWidth_ = width;
    content_ = Content::Plan;
    Q_EMIT contentChanged();
}

} // namespace corvelle::refhost
