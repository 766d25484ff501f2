#pragma once

#include "refhost/model/ShedDataReader.h"
#include "shed/Build.h"

#include <QByteArray>
#include <QObject>

#include <optional>

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
// the macros put into it. Views observe it through its signals.
class Document : public QObject {
    Q_OBJECT
public:
    enum class Content { Empty, Design, Plan };

    explicit Document(int id, QObject *parent = nullptr);

    int id() const { return id_; }
    QString title() const;

    bool draftingMode() const { return draftingMode_; }
    void setDraftingMode(bool on);

    const std::optional<Drawing> &drawing() const { return drawing_; }
    // Loads a drawing and shows it, its width not set yet; false when it is not a drawing.
    bool loadDrawing(Drawing drawing);

    Content content() const { return content_; }
    const std::optional<ShedData> &design() const { return design_; }
    QString planWidth() const { return planWidth_; } // empty until a plan macro sets it
    void showDesign(ShedData design);

    // What the shed model made of the design shown: every member, the takeoff and the
    // warnings (the export files are formed on demand); or why the design could not be
    // framed. Set by the start macro before it shows the design.
    const std::optional<shed::BuildOutputs> &build() const { return build_; }
    QString buildError() const { return buildError_; }
    void setBuild(shed::BuildResult result);
    void showPlan(const QString &width);

Q_SIGNALS:
    void draftingModeChanged(bool on);
    void drawingChanged();
    void contentChanged();

private:
    int id_;
    bool draftingMode_ = false;
    std::optional<Drawing> drawing_;
    Content content_ = Content::Empty;
    std::optional<ShedData> design_;
    std::optional<shed::BuildOutputs> build_;
    QString buildError_;
    QString planWidth_;
};

} // namespace corvelle::refhost
