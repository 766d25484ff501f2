#pragma once

#include "app/WizardScreen.h"

#include <QtGlobal>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvelle {

// The whole 2D path: browse the building styles, type the width, and Finish
// hands both to the host.
class screen2 : public WizardScreen {
    Q_OBJECT
public:
    static constexpr qint16 FirstStyle = 101;
    static constexpr qint16 LastStyle = 119;

    explicit screen2(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame1;     // the building styles
    QLabel *Picture1;      // the style's bitmap
    QPushButton *Command1; // previous style
    QPushButton *Command2; // next style
    QGroupBox *Frame2;     // the width
    QLabel *Label1;        // caption of the width box
    QLineEdit *Text1;      // building width
    QPushButton *Command7; // width down a foot
    QPushButton *Command6; // width up a foot

    // The style shown: its bitmap resource id and the number of its host drawing.
    qint16 Type2D = FirstStyle;
    // The host-side drawing path, built by the launch; whatever the host writes back stays here.
    QString ShapeFile;
    // The text form of what the host's LoadSymbol returned.
    QString retval;

protected:
    void Command5_Click() override;

private:
    void showStyle();

    void Command1_Click();
    void Command2_Click();
    void Command6_Click();
    void Command7_Click();
    void Text1_GotFocus();
};

} // namespace corvelle
