#include "screens/screen4.h"

#include "app/Pictures.h"
#include "app/ShedDesign.h"
#include "app/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

namespace {

// Fills a list without choosing an item, so it goes on showing the text it had.
void fillKeepingText(QComboBox *list, const QStringList &items)
{
    const QString shown = list->currentText();
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setEditText(shown);
}

// Tab enters an option group at its selected option only; once the user moves
// within the group, Qt keeps that single stop on the option that had the focus.
void tabStopOnSelected(std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *option : group)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

screen4::screen4(ScreenContext &context)
    : WizardScreen(ScreenId::Screen4, context, QStringLiteral("Corvelle    (2 of 9)   Choose your Floor Type . . ."))
{
    makeButtonBar();

    Frame2 = new QGroupBox(QStringLiteral("Shed Floor Type:"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFocusPolicy(Qt::NoFocus);
    Place(Frame2, 240, 120, 6465, 3255);

    Image1 = new QLabel(Frame2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen4/Image1.svg")));
    Image1->setScaledContents(true);
    Place(Image1, 120, 216, 1176, 1824);

    Image2 = new QLabel(Frame2);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen4/Image2.svg")));
    Image2->setScaledContents(true);
    Place(Image2, 1668, 216, 1176, 1824);

    Image3 = new QLabel(Frame2);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen4/Image3.svg")));
    Image3->setScaledContents(true);
    Place(Image3, 3228, 216, 1176, 1824);

    Image4 = new QLabel(Frame2);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen4/Image4.svg")));
    Image4->setScaledContents(true);
    Place(Image4, 4800, 216, 1176, 1824);

    // The options belong to the window (one group) and lie over the frame, under the pictures.
    Option1 = new QRadioButton(QStringLiteral("Gravel"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Place(Option1, 720, 2640, 852, 372);

    Option2 = new QRadioButton(QStringLiteral("Concrete"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Place(Option2, 2160, 2640, 972, 372);

    Option3 = new QRadioButton(QStringLiteral(" Woodframe"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    Place(Option3, 3600, 2640, 1212, 372);

    Option4 = new QRadioButton(QStringLiteral("Blocks"), this);
    Option4->setObjectName(QStringLiteral("Option4"));
    Place(Option4, 5400, 2640, 1092, 372);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr); // typed text stays as typed, capitals included
    Combo1->setEditText(QStringLiteral("4 inches"));
    Place(Combo1, 2280, 3000, 975, 315);

    Text1 = new QComboBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setEditable(true);
    Text1->setInsertPolicy(QComboBox::NoInsert);
    Text1->setCompleter(nullptr); // typed text stays as typed, capitals included
    Text1->setEditText(QStringLiteral("2 rows"));
    Place(Text1, 5400, 3000, 972, 315);

    tabStopOnSelected({Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Option3, Option4, Command4, Command5, Text1, Combo1});

    auto onSelected = [this](QRadioButton *option, void (screen4::*handler)()) {
        on(option, &QRadioButton::toggled, [this, option, handler] {
            if (option->isChecked())
                (this->*handler)();
        });
    };
    onSelected(Option1, &screen4::Option1_Click);
    onSelected(Option2, &screen4::Option2_Click);
    onSelected(Option3, &screen4::Option3_Click);
    onSelected(Option4, &screen4::Option4_Click);
    onGotFocus(Text1, [this] { Text1_GotFocus(); });
}

void screen4::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 240, 600);
        Move(Image2, 1800, 600);
        Move(Image3, 3360, 600);
        Move(Image4, 4920, 600);
    }
    Combo1->setVisible(false);
    Text1->setVisible(false);
    fillKeepingText(Text1, {QStringLiteral("1 row"), QStringLiteral("2 rows"), QStringLiteral("3 rows")});
    fillKeepingText(Combo1, {QStringLiteral("4 inches"), QStringLiteral("6 inches"), QStringLiteral("8 inches"),
                             QStringLiteral("10 inches"), QStringLiteral("12 inches")});
    // The focus starts on the floor choice, the first stop after Cancel.
    Option1->setFocus();
}

void screen4::Form_Activate() {}

// Each floor shows only its own list; a hidden list keeps its text.
void screen4::Option1_Click()
{
    Text1->setVisible(false);
    Combo1->setVisible(false);
}

void screen4::Option2_Click()
{
    Text1->setVisible(false);
    Combo1->setVisible(true);
}

void screen4::Option3_Click()
{
    Text1->setVisible(false);
    Combo1->setVisible(false);
}

void screen4::Option4_Click()
{
    Text1->setVisible(true);
    Combo1->setVisible(false);
}

void screen4::Text1_GotFocus() { Text1->lineEdit()->setSelection(0, 10); }

void screen4::Command5_Click()
{
    ShedDesign &design = context_.design;
    if (Option1->isChecked()) {
        design.FloorType = QStringLiteral("0");
        design.BlockRows = QStringLiteral("0");
    } else if (Option2->isChecked()) {
        design.FloorType = QStringLiteral("1");
        design.BlockRows = QStringLiteral("0");
    } else if (Option3->isChecked()) {
        design.FloorType = QStringLiteral("2");
        design.BlockRows = QStringLiteral("0");
    } else if (Option4->isChecked()) {
        design.FloorType = QStringLiteral("3");
        // A rows text that is none of the items leaves the earlier value.
        const QString rows = Text1->currentText();
        if (rows == u"1 row")
            design.BlockRows = QStringLiteral("1");
        else if (rows == u"2 rows")
            design.BlockRows = QStringLiteral("2");
        else if (rows == u"3 rows")
            design.BlockRows = QStringLiteral("3");
    }
    design.FloorHeight = Option2->isChecked() ? Combo1->currentText().left(2) : QStringLiteral("0");
    goNext();
}

} // namespace corvelle
