#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Plans.h"
#include "shed/Takeoff.h"

#include <QWidget>

class QLabel;
class QPagedPaintDevice;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace corvelle::refhost {

// What File > Export plans and Print plans work on: the 3D document's plan set or the
// 2D document's style plan.
class PlanDocument {
public:
    virtual ~PlanDocument() = default;
    virtual QByteArray plansPdf() const = 0;
    virtual QByteArray plansSvg() const = 0;
    virtual void printPlans(QPagedPaintDevice &device) const = 0;
};

// A shed design as its builder works with it: the 3D view beside the material list with
// costs, the cut list, the warnings and the price table, which can be edited in place.
class ShedView : public QWidget, public PlanDocument {
    Q_OBJECT
public:
    ShedView(shed::Design design, shed::Model model, shed::PriceTable prices, QWidget *parent = nullptr);

    const shed::Design &design() const { return design_; }
    const shed::Model &model() const { return model_; }
    const shed::Takeoff &takeoff() const { return takeoff_; }
    // The 3D view (a ModelView3D), or the sentence that says why there is none.
    QWidget *view3d() const { return view3d_; }
    QStandardItemModel *materialsTable() const { return materials_; }
    QStandardItemModel *pricesTable() const { return prices_; }
    QString totalText() const;

    // Changes one item's price and takes off again, as editing the price cell does.
    void setPrice(const QString &item, double price);

    // Exports by file suffix; an empty text on success, else what went wrong.
    QString exportModel(const QString &path) const;      // .glb, .obj (+ .mtl beside it), .ifc
    QString exportMaterials(const QString &path) const;  // .csv
    QString exportCuts(const QString &path) const;       // .csv
    QString exportPlans(const QString &path) const;      // .pdf, .svg

    QByteArray plansPdf() const override;
    QByteArray plansSvg() const override;
    void printPlans(QPagedPaintDevice &device) const override;

Q_SIGNALS:
    void takeoffChanged();

private:
    void retakeoff();
    void fillMaterials();
    void fillCuts();
    void fillWarnings();
    void fillPrices();
    shed::PlanSet plans() const;

    shed::Design design_;
    shed::Model model_;
    shed::PriceTable priceTable_;
    shed::Takeoff takeoff_;
    QWidget *view3d_;
    QStandardItemModel *materials_, *cuts_, *warnings_, *prices_;
    QLabel *total_;
    bool filling_ = false;
};

// Writes bytes to a file in one step; an empty text on success.
QString saveFile(const QString &path, const QByteArray &bytes);

} // namespace corvelle::refhost
