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
    enum class Content { Empty, Plan, Shed, Refused };

    explicit Document(int id, QObject *parent = nullptr);

    int id() const { return id_; }
    QString title() const;

    bool draftingMode() const { return draftingMode_; }
    void setDraftingMode(bool on);

    const std::optional<Drawing> &drawing() const { return drawing_; }
    // Loads a drawing and shows it, its width not set yet; false when it is not a drawing.
    bool loadDrawing(Drawing drawing);

    Content content() const { return content_; }
    QString planWidth() const { return planWidth_; } // empty until a plan macro sets it
    void showPlan(const QString &width);
    // The framed shed and the prices it was taken off with.
    void showShed(shed::BuildOutputs outputs, shed::PriceTable prices);
    const std::optional<shed::BuildOutputs> &shed() const { return shed_; }
    const shed::PriceTable &prices() const { return prices_; }
    // A design the reader refused: the document shows its sentence and nothing else.
    void showRefusal(const QString &sentence);
    QString refusal() const { return refusal_; }

Q_SIGNALS:
    void draftingModeChanged(bool on);
    void drawingChanged();
    void contentChanged();

private:
    int id_;
    bool draftingMode_ = false;
    std::optional<Drawing> drawing_;
    Content content_ = Content::Empty;
    QString planWidth_;
    std::optional<shed::BuildOutputs> shed_;
    shed::PriceTable prices_;
    QString refusal_;
};

} // namespace corvelle::refhost
