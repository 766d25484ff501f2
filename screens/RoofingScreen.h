#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 8 for a roof of 15 feet or less: trusses or supports. The barn and gable
// screens are this one screen with their own captions, pictures and placings.
class RoofingScreen : public WizardScreen {
    Q_OBJECT
public:
    struct Data {
        ScreenId id;
        QString caption;
        QString frameCaption;
        QString pictureFolder; // resource folder of Image1 and Image2: ":/pictures/screen11"
        QString trussesCaption;
        QString supportsCaption;
        int trussesLeft; // twips; the two screens place their first option apart
        int nextLeft;    // twips
    };

    RoofingScreen(ScreenContext &context, const Data &roofing);

    void Form_Load() override;

    QGroupBox *Frame1;
    QLabel *Image1;
    QLabel *Image2;
    QRadioButton *Option1; // trusses
    QRadioButton *Option2; // supports

protected:
    void Command5_Click() override;
};

} // namespace corvelle
