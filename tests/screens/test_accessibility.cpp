// What a screen reader finds on every screen, read through QAccessible as an
// assistive technology reads it: names, descriptions, roles and actions.
#include "app/ChoiceFrame.h"
#include "screens/screen1.h"
#include "screens/screen2.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen6.h"
#include "screens/screen8.h"
#include "screens/screen9.h"
#include "tests/support/ScreenDriving.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

QAccessibleInterface *face(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
QString nameOf(QObject *object) { return face(object)->text(QAccessible::Name); }
QString descriptionOf(QObject *object) { return face(object)->text(QAccessible::Description); }

// Every object the accessibility tree reaches from the window down.
void collect(QAccessibleInterface *node, QSet<QObject *> &reached, int depth = 0)
{
    QVERIFY(depth < 20);
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        QVERIFY(child);
        if (child->object())
            reached.insert(child->object());
        collect(child, reached, depth + 1);
    }
}

// A typical first pass through the 3D path, so that every screen can show.
void typicalDesign(ShedDesign &d)
{
    d.ShedWidth = QStringLiteral("10");
    d.ShedDepth = QStringLiteral("20");
    d.FloorType = QStringLiteral("2");
    d.InnerHeight = QStringLiteral("8");
    d.MainDoorLocation = QStringLiteral("Front");
    d.RoofType = QStringLiteral("Gable");
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every control a user reaches and every picture, on every screen: in the tree,
    // named, and not by its frame or its value; pictures also described; no two
    // controls of a screen with the same role named alike.
    void everyScreenNamesItsControlsAndPictures_data()
    {
        QTest::addColumn<int>("screen");
        for (int n = 1; n <= 13; ++n)
            QTest::newRow(qPrintable(QStringLiteral("screen%1").arg(n))) << n;
    }
    void everyScreenNamesItsControlsAndPictures()
    {
        QFETCH(int, screen);
        Harness h;
        typicalDesign(h.design);
        WizardScreen *s = activated(h.show(static_cast<ScreenId>(screen)));
        QVERIFY(s);

        QSet<QObject *> reached;
        collect(face(s), reached);
        QSet<QString> frameTitles;
        for (QGroupBox *frame : s->findChildren<QGroupBox *>())
            frameTitles << frame->title() << frame->title().trimmed();

        QHash<QString, QObject *> named;
        for (QWidget *w : s->findChildren<QWidget *>()) {
            if (w->window() != s)
                continue; // a list's drop-down, a window of its own
            auto *picture = qobject_cast<QLabel *>(w);
            const bool isPicture = picture && picture->text().isEmpty() && !picture->pixmap().isNull();
            // A list's text field takes no focus of its own: its list does.
            const bool control = w->focusPolicy() != Qt::NoFocus && !qobject_cast<QComboBox *>(w->parentWidget());
            if (!isPicture && !control)
                continue;
            const QString what = w->objectName() + QStringLiteral(" on ") + s->objectName();
            QVERIFY2(reached.contains(w), qPrintable(what + QStringLiteral(" is not in the accessibility tree")));
            const QString name = nameOf(w);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what + QStringLiteral(" has no name")));
            QVERIFY2(!frameTitles.contains(name) || qobject_cast<ChoiceFrame *>(w),
                     qPrintable(what + QStringLiteral(" is named after a frame: ") + name));
            // The role is said with the name: the option "Back" is not the button "Back".
            const QString said = name + u'/' + QString::number(face(w)->role());
            QVERIFY2(!named.contains(said),
                     qPrintable(what + QStringLiteral(" has the name of another control: ") + name));
            named.insert(said, w);
            if (isPicture) {
                QCOMPARE(face(w)->role(), QAccessible::Graphic);
                QVERIFY2(descriptionOf(w).size() > name.size(),
                         qPrintable(what + QStringLiteral(" says nothing of what it shows")));
            }
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)) {
                const QString value = face(w)->text(QAccessible::Value);
                QVERIFY2(name != value, qPrintable(what + QStringLiteral(" is named by its value ") + value));
            }
        }
    }

    // The controls the issue names, each said as the user would need to hear it.
    void boxesListsAndStepButtonsSayWhatTheyAreFor()
    {
        Harness h;
        typicalDesign(h.design);
        auto *size = h.show<screen3>(ScreenId::Screen3);
        QCOMPARE(nameOf(size->Text1), QStringLiteral("Shed Width"));
        QCOMPARE(nameOf(size->Text2), QStringLiteral("Shed Depth"));
        QCOMPARE(nameOf(size->Text3), QStringLiteral("Inside Height"));
        QCOMPARE(face(size->Text1)->role(), QAccessible::EditableText);
        QCOMPARE(nameOf(size->Command2), QStringLiteral("Decrease Shed Width"));
        QCOMPARE(nameOf(size->Command6), QStringLiteral("Increase Shed Depth"));
        QCOMPARE(face(size->Command2)->role(), QAccessible::Button);
        // The name is what a press does.
        face(size->Command6)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(size->Text2->text(), QStringLiteral("21"));

        auto *door = h.show<screen8>(ScreenId::Screen8);
        QCOMPARE(nameOf(door->Text2), QStringLiteral("Door Width"));
        QCOMPARE(nameOf(door->Text1), QStringLiteral("Door Height"));

        auto *width2D = h.show<screen2>(ScreenId::Screen2);
        QCOMPARE(nameOf(width2D->Text1), QStringLiteral("Shed Width"));
        QCOMPARE(nameOf(width2D->Command7), QStringLiteral("Decrease Shed Width"));
        // Buttons are not named by their arrows; their access keys stay.
        QCOMPARE(nameOf(width2D->Command1), QStringLiteral("Previous"));
        QCOMPARE(nameOf(width2D->Command4), QStringLiteral("Back"));
        QCOMPARE(nameOf(width2D->Command5), QStringLiteral("Finish"));
        QCOMPARE(nameOf(size->Command5), QStringLiteral("Next"));
        QCOMPARE(
            face(size->Command5)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
            QStringList{QStringLiteral("Alt+N")});

        // Lists: named for what they hold, the text is their value, and the text
        // field a typing user is in has the same name.
        auto *floor = activated(h.show<screen4>(ScreenId::Screen4));
        choose(floor->Option2);
        QAccessibleInterface *slab = face(floor->Combo1);
        QCOMPARE(slab->role(), QAccessible::ComboBox);
        QCOMPARE(slab->text(QAccessible::Name), QStringLiteral("Slab Thickness"));
        QCOMPARE(slab->text(QAccessible::Value), QStringLiteral("4 inches"));
        QCOMPARE(slab->child(1)->text(QAccessible::Name), QStringLiteral("Slab Thickness"));
        QVERIFY(slab->state().editable && slab->state().expandable);
        QVERIFY(slab->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        slab->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(floor->Combo1->view()->isVisible());
        QVERIFY(slab->state().expanded);
        floor->Combo1->hidePopup();
        type(floor->Combo1, QStringLiteral("6 inches"));
        QCOMPARE(slab->text(QAccessible::Value), QStringLiteral("6 inches"));
        QCOMPARE(slab->text(QAccessible::Name), QStringLiteral("Slab Thickness"));
        QCOMPARE(nameOf(floor->Text1), QStringLiteral("Block Rows"));

        auto *studs = h.show<screen5>(ScreenId::Screen5);
        QCOMPARE(nameOf(studs->Combo1), QStringLiteral("Inner Height"));
        QCOMPARE(face(studs->Combo1)->text(QAccessible::Value), QStringLiteral("8 feet high"));
    }

    // Options that belong to the window carry their frame's heading: "Front" on the
    // door screen and on the ramp screen no longer sound the same.
    void optionsOfTheWindowCarryTheirHeading()
    {
        Harness h;
        typicalDesign(h.design);
        auto *door = h.show<screen8>(ScreenId::Screen8);
        auto *ramp = h.show<screen9>(ScreenId::Screen9);
        QCOMPARE(nameOf(door->Option2), QStringLiteral("Front"));
        QCOMPARE(nameOf(ramp->Option2), QStringLiteral("Front"));
        QCOMPARE(face(door->Option2)->role(), QAccessible::RadioButton);
        QCOMPARE(descriptionOf(door->Option2), QStringLiteral("Main Door Location"));
        QCOMPARE(descriptionOf(ramp->Option2), QStringLiteral("Ramp Location"));
        QCOMPARE(descriptionOf(h.show<screen4>(ScreenId::Screen4)->Option3), QStringLiteral("Shed Floor Type"));
        auto *studs = h.show<screen5>(ScreenId::Screen5);
        QCOMPARE(descriptionOf(studs->Option5), QStringLiteral("Stud Centers"));
        auto *walls = h.show<screen6>(ScreenId::Screen6);
        QCOMPARE(descriptionOf(walls->Option7), QStringLiteral("Inner Wall Material Thickness"));
    }

    // Pictures the program changes say what they show now.
    void changingPicturesSayWhatTheyShowNow()
    {
        Harness h;
        typicalDesign(h.design);
        auto *styles = activated(h.show<screen2>(ScreenId::Screen2));
        QAccessibleInterface *style = face(styles->Picture1);
        QCOMPARE(style->text(QAccessible::Name), QStringLiteral("Building style 101"));
        const QString first = style->text(QAccessible::Description);
        click(styles->Command1); // Previous wraps to the last style
        QCOMPARE(style->text(QAccessible::Name), QStringLiteral("Building style 119"));
        QSet<QString> descriptions{first, style->text(QAccessible::Description)};
        for (int i = 0; i < 18; ++i) {
            click(styles->Command2);
            descriptions << style->text(QAccessible::Description);
        }
        QCOMPARE(style->text(QAccessible::Name), QStringLiteral("Building style 118"));
        QCOMPARE(descriptions.size(), 19);

        auto *studs = activated(h.show<screen5>(ScreenId::Screen5));
        QCOMPARE(nameOf(studs->Image2), QStringLiteral("Studs 16 inches apart"));
        choose(studs->Option5);
        QCOMPARE(nameOf(studs->Image2), QStringLiteral("Studs 24 inches apart"));

        auto *walls = activated(h.show<screen6>(ScreenId::Screen6));
        QCOMPARE(nameOf(walls->Image1), QStringLiteral("Lined wall corner"));
        choose(walls->Option3);
        QCOMPARE(nameOf(walls->Image1), QStringLiteral("Bare wall corner"));
    }

    // The first screen's frames: buttons named by their captions, described by their
    // pictures, pressed by a screen reader as by a click on the picture.
    void firstScreenFramesAreButtons_data()
    {
        QTest::addColumn<bool>("threeD");
        QTest::newRow("2D Shed") << false;
        QTest::newRow("3D Shed") << true;
    }
    void firstScreenFramesAreButtons()
    {
        QFETCH(bool, threeD);
        Harness h;
        h.wizard.start();
        auto *s = activated(h.screen<screen1>(ScreenId::Screen1));
        ChoiceFrame *frame = threeD ? s->Frame2 : s->Frame1;
        QAccessibleInterface *button = face(frame);
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), threeD ? QStringLiteral("3D Shed") : QStringLiteral("2D Shed"));
        QVERIFY(button->text(QAccessible::Description).contains(threeD ? u"3D path" : u"2D path"));
        QVERIFY(button->state().focusable);
        QCOMPARE(button->childCount(), 1);
        QCOMPARE(button->child(0)->object(), threeD ? s->Image3 : s->Image2);
        QVERIFY(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!s->isVisible());
        QCOMPARE(h.visible()->id(), threeD ? ScreenId::Screen3 : ScreenId::Screen2);
        QVERIFY(!h.ended());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
