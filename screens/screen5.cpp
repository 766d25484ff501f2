#include "screens/screen5.h"

#include "app/Pictures.h"
#include "app/ShedDesign.h"
#include "app/Twips.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

namespace {

// Tab enters an option group at its selected option only; once the user moves
// within the group, Qt keeps that single stop on the option that had the focus.
void tabStopOnSelected(std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *option : group)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

screen5::screen5(ScreenContext &context)
    : WizardScreen(ScreenId::Screen5, context, QStringLiteral("Corvelle    (3 of 9)   Choose your Stud Type . . ."))
{
    makeButtonBar();

    Frame2 = new QGroupBox(QStringLiteral("Stud Type:"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFocusPolicy(Qt::NoFocus);
    Place(Frame2, 240, 120, 2025, 3255);

    Image1 = new QLabel(Frame2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen5/Image1.svg")));
    Image1->setScaledContents(true);
    Place(Image1, 120, 216, 1440, 1584);

    // The stud type group lives inside its frame.
    Option2 = new QRadioButton(QStringLiteral("2 x 4 Studs"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setChecked(true);
    Place(Option2, 120, 2400, 1212, 252);

    Option3 = new QRadioButton(QStringLiteral("2 x 6 Studs"), Frame2);
    Option3->setObjectName(QStringLiteral("Option3"));
    Place(Option3, 120, 2640, 1092, 252);

    Frame1 = new QGroupBox(QStringLiteral("Stud Centers:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFocusPolicy(Qt::NoFocus);
    Place(Frame1, 2400, 120, 2025, 3255);

    // No picture of its own: Form_Load and the spacing options set it.
    Image2 = new QLabel(Frame1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setScaledContents(true);
    Place(Image2, 120, 210, 1800, 2010);

    // The spacing group belongs to the window and lies over the lower part of Frame1.
    Option1 = new QRadioButton(QStringLiteral("12 inches-center"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Place(Option1, 2520, 2520, 1692, 252);

    Option4 = new QRadioButton(QStringLiteral("16 inches-center"), this);
    Option4->setObjectName(QStringLiteral("Option4"));
    Option4->setChecked(true);
    Place(Option4, 2520, 2760, 1692, 252);

    Option5 = new QRadioButton(QStringLiteral("24 inches-center"), this);
    Option5->setObjectName(QStringLiteral("Option5"));
    Place(Option5, 2520, 3000, 1692, 252);

    Frame3 = new QGroupBox(QStringLiteral("Inner Height:"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFocusPolicy(Qt::NoFocus);
    Place(Frame3, 4560, 120, 2025, 3255);

    Image3 = new QLabel(Frame3);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen5/Image3.svg")));
    Image3->setScaledContents(true);
    Place(Image3, 120, 216, 1440, 1656);

    Combo1 = new QComboBox(Frame3);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr); // typed text stays as typed, capitals included
    Combo1->setEditText(QStringLiteral("12 feet high"));
    Place(Combo1, 480, 2470, 1212, 315);

    // Qt's auto-exclusivity would reach into the frames and tie the two groups
    // together; each group gets its own exclusive set instead.
    auto *studType = new QButtonGroup(this);
    studType->addButton(Option2);
    studType->addButton(Option3);
    auto *spacing = new QButtonGroup(this);
    spacing->addButton(Option1);
    spacing->addButton(Option4);
    spacing->addButton(Option5);
    tabStopOnSelected({Option2, Option3});
    tabStopOnSelected({Option1, Option4, Option5});

    setTabSequence({Command3, Command5, Command4, Option1, Option4, Option5, Option2, Option3, Combo1});

    auto onSelected = [this](QRadioButton *option, void (screen5::*handler)()) {
        on(option, &QRadioButton::toggled, [this, option, handler] {
            if (option->isChecked())
                (this->*handler)();
        });
    };
    onSelected(Option1, &screen5::Option1_Click);
    onSelected(Option4, &screen5::Option4_Click);
    onSelected(Option5, &screen5::Option5_Click);
}

void screen5::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 240, 480);
        Move(Image2, 240, 480);
        Move(Image3, 240, 480);
    }
    Image2->setPixmap(BitmapResource(125));
    QStringList heights;
    for (int feet = 8; feet <= 20; ++feet)
        heights << QStringLiteral("%1 feet high").arg(feet);
    Combo1->addItems(heights);
    Combo1->setCurrentIndex(0);
    Combo1->lineEdit()->home(false); // show the text from its start, like a list not yet touched
    // The focus starts on Next, the first stop after Cancel.
    Command5->setFocus();
}

void screen5::Option1_Click() { Image2->setPixmap(BitmapResource(124)); }

void screen5::Option4_Click() { Image2->setPixmap(BitmapResource(125)); }

void screen5::Option5_Click() { Image2->setPixmap(BitmapResource(126)); }

void screen5::Command5_Click()
{
    ShedDesign &design = context_.design;
    if (Option2->isChecked())
        design.JoistType = QStringLiteral("1");
    else if (Option3->isChecked())
        design.JoistType = QStringLiteral("2");

    if (Option1->isChecked())
        design.StudCenters = QStringLiteral("12");
    else if (Option4->isChecked())
        design.StudCenters = QStringLiteral("16");
    else if (Option5->isChecked())
        design.StudCenters = QStringLiteral("24");

    // Taken as text, unchecked: the door screen reads its leading number.
    design.InnerHeight = Combo1->currentText().left(2);

    if (design.JoistType == u"1")
        design.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    else if (design.JoistType == u"2")
        design.StudMaterialLine = QStringLiteral("2x6 Studs for walls");
    goNext();
}

} // namespace corvelle
