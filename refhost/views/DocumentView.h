#pragma once

#include "shed/Units.h"

#include <QWidget>

class QLabel;
class QStackedWidget;
class QVBoxLayout;

namespace corvelle::refhost {

class DrawingCanvas;
class PlanDocument;
class ShedView;
class StylePlanView;

class Document;

// The view of one document: its header, and the design, plan or empty page that its
// content calls for, kept up to date from the document's signals.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(Document &document, QWidget *parent = nullptr);

    Document &document() const { return document_; }
    ShedView *shedView() const { return shedView_; }
    // What Export plans and Print plans use here, or null when there is nothing to print.
    PlanDocument *planDocument() const;
    // What the shed and plan views write lengths in.
    void setUnits(shed::Units units);

private:
    void updateHeader();
    void showDrawing();
    void showContent();

    Document &document_;
    QLabel *header_;
    QStackedWidget *pages_;
    QWidget *shedPage_;
    QVBoxLayout *shedLayout_;
    ShedView *shedView_ = nullptr;
    QLabel *refusal_;
    StylePlanView *stylePlan_;
    DrawingCanvas *canvas_;
    QLabel *widthLabel_;
    shed::Units units_;
};

} // namespace corvelle::refhost
