#pragma once

#include "ShedView.h"

#include <QWidget>

namespace corvelle::refhost {

// The 2D path's dimensioned plan of the chosen style at the typed width.
class StylePlanView : public QWidget, public PlanDocument {
    Q_OBJECT
public:
    explicit StylePlanView(QWidget *parent = nullptr);

    void setPlan(const shed::StylePlan &plan);
    const shed::StylePlan &plan() const { return plan_; }

    QByteArray plansPdf() const override;
    QByteArray plansSvg() const override;
    void printPlans(QPagedPaintDevice &device) const override;
    QList<std::pair<QString, QByteArray>> plansDxf() const override;
    QPageSize::PageSizeId planPaper() const override;
    void setUnits(shed::Units units);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    shed::StylePlan plan_;
};

} // namespace corvelle::refhost
