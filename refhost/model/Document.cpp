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

void Document::showShed(shed::BuildOutputs outputs, shed::PriceTable prices)
{
    outputs.files.clear(); // the exports are made from the model when asked for
    shed_ = std::move(outputs);
    prices_ = std::move(prices);
    content_ = Content::Shed;
    Q_EMIT contentChanged();
}

void Document::showRefusal(const QString &sentence)
{
    shed_.reset();
    refusal_ = sentence;
    content_ = Content::Refused;
    Q_EMIT contentChanged();
}

void Document::showPlan(const QString &width)
{
    planWidth_ = width;
    content_ = Content::Plan;
    Q_EMIT contentChanged();
}

} // namespace corvelle::refhost
