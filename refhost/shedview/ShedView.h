#pragma once

#include "refhost/model/Document.h"
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
    // One DXF drawing a sheet: its file name ("03-front-wall-framing.dxf") and bytes.
    virtual QList<std::pair<QString, QByteArray>> plansDxf() const = 0;
    // The paper the plans are drawn on, for the printer.
    virtual QPageSize::PageSizeId planPaper() const = 0;
};

// A shed design as its builder works with it: the 3D view beside the material list with
// costs, the cut list, the warnings, the design notes, the structural check under
// editable design loads and the price table, which can be edited in place. It shows the
// document's shed and follows its signals; its edits are the document's operations.
class ShedView : public QWidget, public PlanDocument {
    Q_OBJECT
public:
    // The document must show a shed (Document::Content::Shed) and outlive the view.
    explicit ShedView(Document &document, QWidget *parent = nullptr);

    Document &document() const { return document_; }
    const shed::Design &design() const;
    const shed::Model &model() const;
    const shed::Takeoff &takeoff() const;
    // The 3D view (a ModelView3D), or the sentence that says why there is none.
    QWidget *view3d() const { return view3d_; }
    QStandardItemModel *materialsTable() const { return materials_; }
    QStandardItemModel *pricesTable() const { return prices_; }
    QStandardItemModel *structureTable() const { return structureTable_; }
    const shed::StructureReport &structure() const;

    // Draws the members of failing checks in the warning colour.
    void setShowFailing(bool show);
    // What a pick in the 3D view adds: the member's check and its verdict.
    QString pickNote(int member) const;
    QString totalText() const;

    QByteArray plansPdf() const override;
    QByteArray plansSvg() const override;
    void printPlans(QPagedPaintDevice &device) const override;
    QList<std::pair<QString, QByteArray>> plansDxf() const override;
    QPageSize::PageSizeId planPaper() const override;

Q_SIGNALS:
    void takeoffChanged();
    // An edit made here that the document refused, in its one sentence.
    void editRefused(const QString &sentence);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    static constexpr int TablesShare = 56; // percent of the width, until the splitter is moved
    void showModel();
    void showTakeoff();
    void showLoads();
    void showUnits();
    void showStructureDetail(int row);
    void fillMaterials();
    void fillCuts();
    void fillWarnings();
    void fillPrices();
    void fillStructure();
    void showFailing();

    Document &document_;
    shed::Units units_;
    shed::Shading shading_ = shed::Shading::Smooth; // the design's, as last given to the 3D view
    QHash<int, int> checkOfMember_; // member index -> its first row in the structure check
    QWidget *view3d_;
    QSplitter *split_;
    bool splitMoved_ = false;
    QTabWidget *tabs_;
    QStandardItemModel *materials_, *cuts_, *warnings_, *notes_, *prices_;
    QStandardItemModel *structureTable_;
    QDoubleSpinBox *snowBox_;
    QDoubleSpinBox *floorBox_;
    QComboBox *speciesBox_;
    QCheckBox *failingBox_;
    QLabel *total_;
    QLabel *structureDetail_; // the current check's rule and the change that passes
    bool filling_ = false;
};

} // namespace corvelle::refhost
