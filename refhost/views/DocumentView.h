#pragma once

#include <QWidget>

class QFont;
class QLabel;
class QStackedWidget;
class QVBoxLayout;

namespace corvelle::refhost {

class DrawingCanvas;

class Document;

// The view of one document: its header, and the design, plan or empty page that its
// content calls for, kept up to date from the document's signals.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(Document &document, QWidget *parent = nullptr);

    Document &document() const { return document_; }

private:
    void updateHeader();
    void showDrawing();
    void showContent();
    void showDesign();
    void showBuild(const QFont &fixed);

    Document &document_;
    QLabel *header_;
    QStackedWidget *pages_;
    QWidget *designPage_;
    QVBoxLayout *designLayout_;
    DrawingCanvas *canvas_;
    QLabel *widthLabel_;
};

} // namespace corvelle::refhost
