#pragma once

#include "refhost/model/Document.h"
#include "shed/Units.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace corvelle::refhost {

// Every value of a shed design the wizard asks for, grouped as its steps, with the
// windows and the design loads: each edit is an operation of the document, and the
// fields show what the document holds after it (a refused value is put back and its
// sentence shown above the fields).
class DesignPanel : public QWidget {
    Q_OBJECT
public:
    explicit DesignPanel(QWidget *parent = nullptr);

    // The document edited here; none (or one without a shed) leaves the fields disabled.
    void setDocument(Document *document);
    Document *document() const { return document_; }
    // Lengths are typed in feet and inches or in millimetres.
    void setUnits(shed::Units units);
    // The last refusal's sentence, empty after an accepted edit.
    QString message() const;

Q_SIGNALS:
    void refused(const QString &sentence);

private:
    static constexpr int MinimumChoiceLength = 12; // characters a list shows before eliding
    struct Field {
        QString name; // the record's name
        QComboBox *list = nullptr;
        QDoubleSpinBox *box = nullptr;
        double lowFeet = 0, highFeet = 0;
    };
    struct WindowBoxes {
        QComboBox *wall;
        QDoubleSpinBox *center, *width, *height, *sill;
    };
    void addGroup(const QString &title, const QStringList &names);
    QDoubleSpinBox *lengthBox(const QString &label, QFormLayout *form);
    void edit(const QString &name, const QString &value);
    void editWindow();
    void editLoads();
    void answer(const QString &refusal);
    void showDesign();
    void showWindows();
    void showWindow(); // the selected window's values
    void showLoads();
    void setLength(QDoubleSpinBox *box, double inches, double lowInches, double highInches);
    double inchesOf(const QDoubleSpinBox *box) const;

    QPointer<Document> document_;
    shed::Units units_;
    QVBoxLayout *layout_;
    QLabel *message_;
    QList<Field> fields_;
    QListWidget *windows_;
    QPushButton *addWindow_, *removeWindow_;
    WindowBoxes window_;
    QDoubleSpinBox *snow_;
    QDoubleSpinBox *floorLive_;
    QComboBox *species_;
    QList<QWidget *> editors_; // everything disabled without a design
    bool showing_ = false;     // fields being filled from the document: no edits
};

} // namespace corvelle::refhost
