#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Plans.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPagedPaintDevice;
class QSortFilterProxyModel;
class QStandardItemModel;
class QSplitter;
class QTabWidget;
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
    // The paper the plans are drawn on, for the printer.
    virtual QPageSize::PageSizeId planPaper() const = 0;
};

// A shed design as its builder works with it: the 3D view beside the material list with
// costs, the cut list, the warnings, the design notes, the structural check under
// editable design loads and the price table, which can be edited in place.
class ShedView : public QWidget, public PlanDocument {
    Q_OBJECT
public:
    ShedView(shed::Design design, shed::Model model, shed::PriceTable prices, QWidget *parent = nullptr,
             shed::Units units = {});

    const shed::Design &design() const { return design_; }
    const shed::Model &model() const { return model_; }
    const shed::Takeoff &takeoff() const { return takeoff_; }
    // The 3D view (a ModelView3D), or the sentence that says why there is none.
    QWidget *view3d() const { return view3d_; }
    QStandardItemModel *materialsTable() const { return materials_; }
    QStandardItemModel *pricesTable() const { return prices_; }
    QStandardItemModel *structureTable() const { return structureTable_; }
    const shed::StructureReport &structure() const { return structure_; }
    const shed::SiteLoads &loads() const { return loads_; }

    // New design loads: frames the shed again, takes it off and checks it, as editing the
    // ground snow or the species above the Structure tab does.
    void setLoads(const shed::SiteLoads &loads);
    // Draws the members of failing checks in the warning colour.
    void setShowFailing(bool show);
    // What a pick in the 3D view adds: the member's check and its verdict.
    QString pickNote(int member) const;
    QString totalText() const;

    // What the lists, the plans, the exports and the 3D view's pick information write
    // lengths in; the lists are taken off again in them.
    void setUnits(shed::Units units);
    shed::Units units() const { return units_; }

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
    QPageSize::PageSizeId planPaper() const override;

Q_SIGNALS:
    void takeoffChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    static constexpr int TablesShare = 56; // percent of the width, until the splitter is moved
    void refreshFramingWarnings();
    void showStructureDetail(int row);
    void retakeoff();
    void fillMaterials();
    void fillCuts();
    void fillWarnings();
    void fillPrices();
    void fillStructure();
    void showFailing();
    shed::PlanSet plans() const;

    shed::Design design_;
    shed::Model model_;
    shed::PriceTable priceTable_;
    shed::Units units_;
    shed::Takeoff takeoff_;
    shed::SiteLoads loads_;
    shed::StructureReport structure_;
    QHash<int, int> checkOfMember_; // member index -> its first row in structure_
    QWidget *view3d_;
    QSplitter *split_;
    bool splitMoved_ = false;
    QTabWidget *tabs_;
    QStandardItemModel *materials_, *cuts_, *warnings_, *notes_, *prices_;
    QStandardItemModel *structureTable_;
    QDoubleSpinBox *snowBox_;
    QComboBox *speciesBox_;
    QCheckBox *failingBox_;
    QLabel *total_;
    QLabel *structureDetail_; // the current check's rule and the change that passes
    bool filling_ = false;
};

// Writes bytes to a file in one step; an empty text on success.
QString saveFile(const QString &path, const QByteArray &bytes);

} // namespace corvelle::refhost
