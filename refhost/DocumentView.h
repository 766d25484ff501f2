#pragma once

#include "ShedDataFile.h"

#include <QWidget>

class QLabel;
class QStackedWidget;
class QVBoxLayout;
class QSvgRenderer;

namespace corvelle::refhost {

class DrawingCanvas;

// One open drawing: its bus identity, its drafting mode and what the macros put into it.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    DocumentView(int id, QWidget *parent = nullptr);

    int id() const { return id_; }
    QString title() const;

    bool draftingMode() const { return draftingMode_; }
    void setDraftingMode(bool on);

    // Loads a drawing (SVG text); false when it is not one.
    bool loadSymbol(const QString &fileName, const QByteArray &data);
    bool hasSymbol() const;
    QString symbolFile() const { return symbolFile_; }

    void showDesign(const ShedDesignData &design);
    void showPlan(const QString &width);

private:
    void updateHeader();

    int id_;
    bool draftingMode_ = false;
    QString symbolFile_;
    QLabel *header_;
    QStackedWidget *pages_;
    QWidget *designPage_;
    QVBoxLayout *designLayout_;
    DrawingCanvas *canvas_;
    QLabel *widthLabel_;
};

} // namespace corvelle::refhost
