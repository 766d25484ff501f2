#include "StylePlanView.h"

#include <QPainter>

namespace corvelle::refhost {

StylePlanView::StylePlanView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(360, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void StylePlanView::setPlan(const shed::StylePlan &plan)
{
    const shed::Units units = plan_.units;
    plan_ = plan;
    plan_.units = units;
    update();
}

void StylePlanView::setUnits(shed::Units units)
{
    plan_.units = units;
    update();
}

void StylePlanView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // The plan is laid out in points; a screen point is a pixel here.
    shed::paintStylePlan(p, plan_, QRectF(rect()).adjusted(8, 8, -8, -8), false);
}

QPageSize::PageSizeId StylePlanView::planPaper() const { return shed::planPaper(QLocale(), plan_.units); }
QByteArray StylePlanView::plansPdf() const { return shed::stylePlanPdf(plan_, planPaper()); }
QByteArray StylePlanView::plansSvg() const { return shed::stylePlanSvg(plan_, planPaper()); }
void StylePlanView::printPlans(QPagedPaintDevice &device) const { shed::printStylePlan(plan_, device); }
QList<std::pair<QString, QByteArray>> StylePlanView::plansDxf() const
{
    return {{QStringLiteral("01-style-%1-plan.dxf").arg(plan_.style), shed::stylePlanDxf(plan_, planPaper())}};
}

} // namespace corvelle::refhost
