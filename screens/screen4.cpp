#include "screens/screen4.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"

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

} // namespace

screen4::screen4(ScreenContext &context)
    : WizardScreen(ScreenId::Screen4, context, QStringLiteral("Corvelle    (2 of 9)   Choose your Floor Type . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Shed Floor Type:"), 240, 120, 6465, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen4/Image1.svg"), 120, 216, 1176, 1824);
    Image2 = Picture(Frame2, "Image2", QStringLiteral(":/pictures/screen4/Image2.svg"), 1668, 216, 1176, 1824);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen4/Image3.svg"), 3228, 216, 1176, 1824);
    Image4 = Picture(Frame2, "Image4", QStringLiteral(":/pictures/screen4/Image4.svg"), 4800, 216, 1176, 1824);

    // The options belong to the window (one group) and lie over the frame, under the pictures.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("Gravel"), 720, 2640, 852, 372);
    Option1->setChecked(true);
    Option2 = Make<QRadioButton>(this, "Option2", QStringLiteral("Concrete"), 2160, 2640, 972, 372);
    Option3 = Make<QRadioButton>(this, "Option3", QStringLiteral(" Woodframe"), 3600, 2640, 1212, 372);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("Blocks"), 5400, 2640, 1092, 372);

    Combo1 = EditableList(this, "Combo1", QStringLiteral("4 inches"), 2280, 3000, 975, 315);
    Text1 = EditableList(this, "Text1", QStringLiteral("2 rows"), 5400, 3000, 972, 315);
    // Neither list has a label: each is named by what it holds.
    NameBox(Combo1, QStringLiteral("Slab Thickness"));
    NameBox(Text1, QStringLiteral("Block Rows"));
    HeadedBy(Frame2, {Option1, Option2, Option3, Option4});

    TabStopOnSelected({Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Option3, Option4, Command4, Command5, Text1, Combo1});

    on(Option1, &QRadioButton::toggled, WhenSelected(Option1, [this] { Option1_Click(); }));
    on(Option2, &QRadioButton::toggled, WhenSelected(Option2, [this] { Option2_Click(); }));
    on(Option3, &QRadioButton::toggled, WhenSelected(Option3, [this] { Option3_Click(); }));
    on(Option4, &QRadioButton::toggled, WhenSelected(Option4, [this] { Option4_Click(); }));
    onGotFocus(Text1, [this] { Text1_GotFocus(); });
}

void screen4::Form_Load()
{
    if (largeFonts()) {
        MoveInRow({Image1, Image2, Image3, Image4}, 240, 600, 1560);
    }
    Combo1->setVisible(false);
    Text1->setVisible(false);
    fillKeepingText(Text1, {QStringLiteral("1 row"), QStringLiteral("2 rows"), QStringLiteral("3 rows")});
    fillKeepingText(Combo1, {QStringLiteral("4 inches"), QStringLiteral("6 inches"), QStringLiteral("8 inches"),
                             QStringLiteral("10 inches"), QStringLiteral("12 inches")});
    // The focus starts on the floor choice, the first stop after Cancel.
    Option1->setFocus();
}

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
    if (const auto floor = FirstSelected({{Option1, u"0"}, {Option2, u"1"}, {Option3, u"2"}, {Option4, u"3"}})) {
        design.FloorType = *floor;
        if (*floor != u"3") {
            design.BlockRows = QStringLiteral("0");
        } else {
            // A rows text that is none of the items leaves the earlier value.
            const QString rows = Text1->currentText();
            if (rows == u"1 row")
                design.BlockRows = QStringLiteral("1");
            else if (rows == u"2 rows")
                design.BlockRows = QStringLiteral("2");
            else if (rows == u"3 rows")
                design.BlockRows = QStringLiteral("3");
        }
    }
    design.FloorHeight = Option2->isChecked() ? Combo1->currentText().left(2) : QStringLiteral("0");
    goNext();
}

} // namespace corvelle
