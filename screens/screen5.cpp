#include "screens/screen5.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/DesignRules.h"
#include "core/ShedDesign.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen5::screen5(ScreenContext &context)
    : WizardScreen(ScreenId::Screen5, context, QStringLiteral("Corvelle    (3 of 9)   Choose your Stud Type . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Stud Type:"), 240, 120, 2025, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen5/Image1.svg"), 120, 216, 1440, 1584);
    // The stud type group lives inside its frame.
    Option2 = Make<QRadioButton>(Frame2, "Option2", QStringLiteral("2 x 4 Studs"), 120, 2400, 1212, 252);
    Option2->setChecked(true);
    Option3 = Make<QRadioButton>(Frame2, "Option3", QStringLiteral("2 x 6 Studs"), 120, 2640, 1092, 252);

    Frame1 = Make<QGroupBox>(this, "Frame1", QStringLiteral("Stud Centers:"), 2400, 120, 2025, 3255);
    // No picture of its own: Form_Load and the spacing options set it.
    Image2 = Make<QLabel>(Frame1, "Image2", 120, 210, 1800, 2010);
    Image2->setScaledContents(true);
    // The spacing group belongs to the window and lies over the lower part of Frame1.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("12 inches-center"), 2520, 2520, 1692, 252);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("16 inches-center"), 2520, 2760, 1692, 252);
    Option4->setChecked(true);
    Option5 = Make<QRadioButton>(this, "Option5", QStringLiteral("24 inches-center"), 2520, 3000, 1692, 252);

    Frame3 = Make<QGroupBox>(this, "Frame3", QStringLiteral("Inner Height:"), 4560, 120, 2025, 3255);
    Image3 = Picture(Frame3, "Image3", QStringLiteral(":/pictures/screen5/Image3.svg"), 120, 216, 1440, 1656);
    Combo1 = EditableList(Frame3, "Combo1", QStringLiteral("12 feet high"), 480, 2470, 1212, 315);
    // The list's label is its frame's caption.
    NameBox(Combo1, SpokenCaption(Frame3->title()));
    HeadedBy(Frame1, {Option1, Option4, Option5});

    // Two groups on one window: each gets its own exclusive set.
    OptionGroup(this, {Option2, Option3});
    OptionGroup(this, {Option1, Option4, Option5});

    setTabSequence({Command3, Command5, Command4, Option1, Option4, Option5, Option2, Option3, Combo1});

    on(Option1, &QRadioButton::toggled, WhenSelected(Option1, [this] { Option1_Click(); }));
    on(Option4, &QRadioButton::toggled, WhenSelected(Option4, [this] { Option4_Click(); }));
    on(Option5, &QRadioButton::toggled, WhenSelected(Option5, [this] { Option5_Click(); }));
}

void screen5::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 240, 480);
        Move(Image2, 240, 480);
        Move(Image3, 240, 480);
    }
    ShowBitmap(Image2, 125);
    QStringList heights;
    for (int feet = 8; feet <= 20; ++feet)
        heights << QStringLiteral("%1 feet high").arg(feet);
    Combo1->addItems(heights);
    Combo1->setCurrentIndex(0);
    Combo1->lineEdit()->home(false); // show the text from its start, like a list not yet touched
    // The focus starts on Next, the first stop after Cancel.
    Command5->setFocus();
}

void screen5::Option1_Click() { ShowBitmap(Image2, 124); }

void screen5::Option4_Click() { ShowBitmap(Image2, 125); }

void screen5::Option5_Click() { ShowBitmap(Image2, 126); }

void screen5::Command5_Click()
{
    ShedDesign &design = context_.design;
    StoreFirstSelected(design.JoistType, {{Option2, u"1"}, {Option3, u"2"}});
    StoreFirstSelected(design.StudCenters, {{Option1, u"12"}, {Option4, u"16"}, {Option5, u"24"}});

    // Taken as text, unchecked: the door screen reads its leading number.
    design.InnerHeight = Combo1->currentText().left(2);

    DeriveStudMaterialLine(design);
    goNext();
}

} // namespace corvelle
