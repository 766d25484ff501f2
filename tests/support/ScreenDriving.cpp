#include "tests/support/ScreenDriving.h"

#include "app/Pictures.h"
#include "app/Twips.h"
#include "core/Failure.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <utility>

namespace corvelle::test {

void ModalMessages::showMessage(const QString &text, MessageForm)
{
    texts << text;
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Wrong Value"), text, QMessageBox::Ok);
    box.exec();
}

void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(window->objectName()));
}

void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }

void choose(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

void next(WizardScreen *screen) { click(screen->Command5); }

namespace {

// Select all and type over it; Backspace clears it.
void typeOver(QWidget *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

} // namespace

void type(QWidget *box, const QString &text)
{
    box->setFocus();
    typeOver(box, text);
}

void retype(QLineEdit *box, const QString &text)
{
    click(box);
    typeOver(box, text);
    QCOMPARE(box->text(), text);
}

void pick(QComboBox *list, const QString &item)
{
    list->setFocus();
    for (int i = 0; i < list->count() && list->currentText() != item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

bool shows(const QLabel *image, int bitmap)
{
    return image->pixmap().toImage() == BitmapResource(bitmap).toImage();
}

QList<QWidget *> focusStops(QWidget *from, Qt::Key key, int presses)
{
    QList<QWidget *> visited;
    from->setFocus();
    for (int i = 0; i < presses; ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    return visited;
}

QList<QWidget *> walk(QWidget *from, Qt::Key key, int presses)
{
    QList<QWidget *> visited = focusStops(from, key, presses);
    visited << QApplication::focusWidget();
    return visited;
}

QList<QWidget *> tabWalk(WizardScreen *screen)
{
    activate(screen);
    screen->Command3->setFocus(Qt::TabFocusReason);
    QList<QWidget *> visited;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    } while (visited.last() != screen->Command3 && visited.size() < 20);
    return visited;
}

QList<QWidget *> focusChain(WizardScreen *screen)
{
    QList<QWidget *> chain{screen->Command3};
    for (QWidget *w = screen->Command3->nextInFocusChain(); w != screen->Command3; w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus)
            chain << w;
    }
    return chain;
}

QString describeVisible(const Harness &h)
{
    QStringList names;
    for (const WizardScreen *s : h.visibleScreens())
        names << s->objectName();
    return names.isEmpty() ? QStringLiteral("none") : names.join(u", ");
}

void compareLargeFontsLayout(QWidget *normal, QWidget *large, const QList<QPair<QLabel *, QPoint>> &moved)
{
    for (const auto &[image, twips] : moved) {
        QCOMPARE(image->pos(), TwipsRect(twips.x(), twips.y(), 0, 0).topLeft());
        QCOMPARE(image->size(), normal->findChild<QWidget *>(image->objectName())->size());
    }
    for (QWidget *w : large->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(u"Image") || w->objectName().isEmpty())
            continue;
        QCOMPARE(w->geometry(), normal->findChild<QWidget *>(w->objectName())->geometry());
    }
}

} // namespace corvelle::test
