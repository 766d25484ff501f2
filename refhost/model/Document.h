#pragma once

#include "refhost/model/ShedDataReader.h"
#include "shed/Build.h"
#include "shed/Plans.h"
#include "shed/Project.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QUndoStack>

#include <optional>

class QPagedPaintDevice;

namespace corvelle::refhost {

// A drawing loaded into a document, with the flags it was loaded with.
struct Drawing {
    QString fileName;   // where it was read from
    QByteArray svg;     // the drawing itself
    bool link = false;      // refer to the file rather than copy the drawing in
    bool fitToView = true;  // scale it to the view
    bool replace = true;    // it replaces what the document showed
};

// One open document: its number, its drafting mode, the drawing loaded into it and what
// the macros put into it. A shed design is held here whole (its record, windows, design
// loads and price edits) with what it builds into, and every edit of it is an operation
// of the document, one step on its undo stack. Views observe it through its signals.
class Document : public QObject {
    Q_OBJECT
public:
    enum class Content { Empty, Plan, Shed, Refused };

    explicit Document(int id, QObject *parent = nullptr);
    ~Document() override;

    int id() const { return id_; }
    QString title() const;

    // The project file the document was opened from or last saved to; empty while it has
    // none (a hand-over, a new or a recovered design, a shed data file opened).
    QString filePath() const { return filePath_; }
    void setFilePath(const QString &path);
    // What the title bar and the tab call it: its file's name, else the name it was given,
    // else its title.
    QString name() const;
    void setName(const QString &name);

    bool draftingMode() const { return draftingMode_; }
    void setDraftingMode(bool on);

    const std::optional<Drawing> &drawing() const { return drawing_; }
    // Loads a drawing and shows it, its width not set yet; false when it is not a drawing.
    bool loadDrawing(Drawing drawing);

    Content content() const { return content_; }
    QString planWidth() const { return planWidth_; } // empty until a plan macro sets it
    void showPlan(const QString &width);
    // A design the reader refused: the document shows its sentence and nothing else.
    void showRefusal(const QString &sentence);
    QString refusal() const { return refusal_; }

    // Shows a shed design, its price edits over `prices`, with no edits to undo and not
    // modified. Returns the sentence refusing it (the document is then as it was), or an
    // empty text.
    QString openDesign(shed::Project project, shed::PriceTable prices);
    // The design as a project file holds it; only meaningful while content() is Shed.
    const shed::Project &project() const { return project_; }
    // The price table with the user's edits applied.
    const shed::PriceTable &prices() const { return prices_; }
    shed::SiteLoads loads() const;
    // What the design builds into: model, takeoff (in units()) and structural checks.
    const std::optional<shed::BuildOutputs> &shed() const { return shed_; }

    // Edits, each one undoable step. Each returns an empty text when the edit is taken
    // (model, takeoff and checks are then rebuilt), else one sentence saying why it is
    // refused, with nothing changed.
    QString setDesignField(const QString &name, const QString &value); // by its record name
    QString setLoads(const shed::ProjectLoads &loads);
    QString setPrice(const QString &item, double price);
    QString addWindow(const shed::Window &window);
    QString setWindow(int index, const shed::Window &window);
    QString removeWindow(int index);
    // Consecutive edits of one value make one step (typing in a field); this ends the step,
    // so the next edit of the same value is a step of its own.
    void sealEdit();

    QUndoStack *undoStack() { return &undo_; }
    // Whether the design differs from what was opened or last saved.
    bool isModified() const { return !undo_.isClean(); }
    // The design as it stands is the saved one (undoing back to it clears isModified).
    void markSaved() { undo_.setClean(); }
    // The design is not the saved one though nothing can be undone (a recovered design).
    void markRecovered() { undo_.resetClean(); }

    // What the takeoff and plans write lengths in; not an edit of the design.
    shed::Units units() const { return units_; }
    void setUnits(shed::Units units);

    // The plans of the design as it stands, and the files made of it. Each export returns
    // an empty text on success, else what went wrong; the earlier file is kept then.
    shed::PlanSet plans() const;
    QString exportModel(const QString &path) const;     // .glb, .obj (+ .mtl beside it), .ifc
    QString exportMaterials(const QString &path) const; // .csv
    QString exportCuts(const QString &path) const;      // .csv
    QString exportPlans(const QString &path) const;     // .pdf, .svg, .dxf (a file a sheet beside it)
    void printPlans(QPagedPaintDevice &device) const;

Q_SIGNALS:
    void draftingModeChanged(bool on);
    void drawingChanged();
    void contentChanged();
    // A shed design's parts, each when it changed (by an edit, an undo or a redo).
    void designChanged();
    void windowsChanged();
    void loadsChanged();
    void pricesChanged();
    void modelChanged();   // the model was framed again
    void takeoffChanged(); // the lists and checks were taken again (after every change)
    void modifiedChanged(bool modified);
    void nameChanged();

private:
    friend class EditCommand;
    // Pushes the step from the design as it stands to `next`, built first; `mergeId` joins
    // it to the step before when that edited the same value (-1: never).
    QString commit(const QString &text, int mergeId, shed::Project next);
    // Why `window` cannot stand among `others` in the framed design, or an empty text.
    QString windowMisfit(const shed::Window &window, QList<shed::Window> others) const;
    // Shows `project`, using `built` when given (the outputs of exactly that project).
    void restore(const shed::Project &project, std::optional<shed::BuildOutputs> built = std::nullopt);
    std::optional<shed::BuildOutputs> build(const shed::Project &project, const shed::PriceTable &prices,
                                            QString *error) const;
    shed::PriceTable pricedWith(const QMap<QString, double> &edits) const;
    void retakeoff();

    int id_;
    QString filePath_;
    QString name_;
    bool draftingMode_ = false;
    std::optional<Drawing> drawing_;
    Content content_ = Content::Empty;
    QString planWidth_;
    QString refusal_;

    shed::Project project_;
    shed::PriceTable basePrices_; // before the user's edits
    shed::PriceTable prices_;
    std::optional<shed::BuildOutputs> shed_;
    std::optional<shed::BuildOutputs> pending_; // built by commit for the step's first redo
    shed::Units units_;
    QHash<QString, int> priceIds_; // merge ids of the edited items
    QUndoStack undo_;
};

// Writes bytes to a file in one step; an empty text on success.
QString saveFile(const QString &path, const QByteArray &bytes);
// Every sheet of a plan set as DXF: its file name ("03-front-wall-framing.dxf") and bytes.
QList<std::pair<QString, QByteArray>> dxfSheets(const shed::PlanSet &plans);
// A DXF file holds one drawing, so the plans go as a file a sheet beside `path`, each
// named after it and the sheet: plans.dxf gives plans-01-foundation-plan.dxf, ... Every one
// is written in full before any replaces an older file; an empty text on success.
QString saveDxfSheets(const QString &path, const QList<std::pair<QString, QByteArray>> &sheets);
// What saveDxfSheets wrote, for a status line: ".../plans-*.dxf".
QString dxfSheetsPattern(const QString &path);

} // namespace corvelle::refhost
