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

    QGroupBox *Frame1;
    QLabel *Picture1;
    QPushButton *Command1;
    QPushButton *Command2;
    QGroupBox *Frame2;
    QLabel *Label1;
    QLineEdit *Text1;
    QPushButton *Command7;
    QPushButton *Command6;

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
