#include "app/Pictures.h"
#include "app/Twips.h"
#include "screens/screen1.h"
#include "screens/screen2.h"
#include "tests/support/ScreenDriving.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

using namespace corvelle;
using namespace corvelle::test;

namespace {

const QString ValidMessage = QStringLiteral("Please enter a valid Building Width and try again");
const QString AtLeast8Message = QStringLiteral("Building Width must be at least 8 feet");
const QString RangeMessage = QStringLiteral("Please enter a Building Width between 5 and 200 feet");

// At each host call: whether shedSize.txt exists and screen2 is visible.
QString widthFileAndScreen(const Harness &h)
{
    const bool file = QFile::exists(QDir(h.programFolder()).filePath(QStringLiteral("shedSize.txt")));
    return QStringLiteral("[file %1, screen %2]")
        .arg(file ? u"present" : u"absent")
        .arg(h.wizard.find(ScreenId::Screen2)->isVisible() ? u"shown" : u"hidden");
}

screen2 *open2D(Harness &h) { return h.show<screen2>(ScreenId::Screen2); }

QByteArray widthFile(const Harness &h)
{
    QFile file(QDir(h.programFolder()).filePath(QStringLiteral("shedSize.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void typeWidth(screen2 *s, const QString &text)
{
    s->Text1->selectAll();
    QTest::keyClick(s->Text1, Qt::Key_Delete);
    QTest::keyClicks(s->Text1, text);
    QCOMPARE(s->Text1->text(), text);
}

void clickTimes(QPushButton *button, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class Screen2Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = open2D(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle . . . Choose Your Building Width."));
        QCOMPARE(s->Frame1->title(), QStringLiteral("Building Shape:"));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Building Width :"));
        QCOMPARE(s->Frame1->geometry(), TwipsRect(240, 120, 4215, 3255));
        QCOMPARE(s->Frame2->geometry(), TwipsRect(4560, 120, 2025, 3255));
        QCOMPARE(s->Picture1->parentWidget(), s->Frame1);
        QCOMPARE(s->Picture1->geometry(), TwipsRect(200, 230, 3855, 2535));
        QCOMPARE(s->Command1->text(), QStringLiteral("<< &Previous "));
        QCOMPARE(s->Command1->geometry(), TwipsRect(600, 2800, 1425, 345));
        QCOMPARE(s->Command2->text(), QStringLiteral(" For&ward >>"));
        QCOMPARE(s->Command2->geometry(), TwipsRect(2160, 2800, 1425, 345));
        QCOMPARE(s->Label1->text(), QStringLiteral("Shed  Width"));
        QCOMPARE(s->Label1->parentWidget(), s->Frame2);
        QCOMPARE(s->Label1->geometry(), TwipsRect(480, 960, 972, 204));
        QCOMPARE(s->Text1->text(), QStringLiteral("12"));
        QCOMPARE(s->Text1->geometry(), TwipsRect(600, 1200, 720, 345));
        QCOMPARE(s->Command7->text(), QStringLiteral("-"));
        QCOMPARE(s->Command7->geometry(), TwipsRect(240, 1275, 225, 225));
        QCOMPARE(s->Command6->text(), QStringLiteral("+"));
        QCOMPARE(s->Command6->geometry(), TwipsRect(1440, 1275, 225, 225));
        QCOMPARE(s->Command5->text(), QStringLiteral("&Finish"));
        QCOMPARE(s->Type2D, qint16(101));


        // The Tab key walks the controls in their tab order, the picture last, and
        // the screen opens on the first of them.
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        const QList<QWidget *> order{s->Command1, s->Command2, s->Command3, s->Command4, s->Command5,
                                     s->Text1,    s->Command6, s->Command7, s->Picture1, s->Command1};
        QCOMPARE(s->focusWidget(), order[0]);
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(s->focusWidget(), Qt::Key_Tab);
            QCOMPARE(s->focusWidget(), order[i]);
        }
    }

    // The bitmap is drawn at its own size from the top-left corner and cut at the
    // box's edges, never scaled; the screen ignores the font probe.
    void pictureAtNaturalSize()
    {
        Harness h(17);
        auto *s = open2D(h);
        QCOMPARE(s->Picture1->geometry(), TwipsRect(200, 230, 3855, 2535));
        const QImage bitmap = BitmapResource(101).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(bitmap.size(), QSize(263, 164));
        const QImage shown = s->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int w = qMin(shown.width(), bitmap.width());
        const int h2 = qMin(shown.height(), bitmap.height());
        QVERIFY(w > 200 && h2 > 150);
        for (int y = 0; y < h2; ++y)
            for (int x = 0; x < w; ++x)
                QCOMPARE(shown.pixel(x, y), bitmap.pixel(x, y));
    }

    void styleRing()
    {
        Harness h;
        auto *s = open2D(h);
        const QImage first = s->Picture1->pixmap().toImage();
        QTest::mouseClick(s->Command1, Qt::LeftButton);
        QCOMPARE(s->Type2D, qint16(119));
        QCOMPARE(s->Picture1->pixmap().toImage(), BitmapResource(119).toImage());
        QVERIFY(s->Picture1->pixmap().toImage() != first);
        QTest::mouseClick(s->Command2, Qt::LeftButton);
        QCOMPARE(s->Type2D, qint16(101));
        QCOMPARE(s->Picture1->pixmap().toImage(), first);

        // Every style has its own drawing, and a full turn either way comes back.
        QSet<QByteArray> seen;
        for (int i = 0; i < 19; ++i) {
            const QImage image = s->Picture1->pixmap().toImage();
            seen.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
            QCOMPARE(s->Picture1->pixmap().toImage(), BitmapResource(s->Type2D).toImage());
            QTest::mouseClick(s->Command2, Qt::LeftButton);
        }
        QCOMPARE(seen.size(), 19);
        QCOMPARE(s->Type2D, qint16(101));
        clickTimes(s->Command1, 19);
        QCOMPARE(s->Type2D, qint16(101));
        clickTimes(s->Command2, 18);
        QCOMPARE(s->Type2D, qint16(119));
        QTest::mouseClick(s->Command2, Qt::LeftButton);
        QCOMPARE(s->Type2D, qint16(101));
    }

    void widthChecks_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("form");
        const int plain = int(MessageForm::Plain), error = int(MessageForm::ErrorIcon);
        QTest::newRow("7.9") << "7.9" << AtLeast8Message << plain;
        QTest::newRow("6, not the message naming 5") << "6" << AtLeast8Message << plain;
        QTest::newRow("-1") << "-1" << AtLeast8Message << plain;
        QTest::newRow("200.5") << "200.5" << RangeMessage << error;
        QTest::newRow("abc") << "abc" << ValidMessage << error;
        QTest::newRow("empty") << "" << ValidMessage << error;
        QTest::newRow("12abc") << "12abc" << ValidMessage << error;
        QTest::newRow("8") << "8" << QString() << 0;
        QTest::newRow("200") << "200" << QString() << 0;
        QTest::newRow("12.50 kept as typed") << "12.50" << QString() << 0;
    }

    void widthChecks()
    {
        QFETCH(QString, width);
        QFETCH(QString, message);
        QFETCH(int, form);
        Harness h;
        auto *s = open2D(h);
        typeWidth(s, width);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(h.messages.messages.empty());
            QCOMPARE(widthFile(h), width.toLatin1() + "\r\n");
            QCOMPARE(h.exit.statuses, std::vector<int>{0});
        } else {
            QCOMPARE(h.messages.messages.size(), size_t(1));
            QCOMPARE(h.messages.messages[0].text, message);
            QCOMPARE(int(h.messages.messages[0].form), form);
            QCOMPARE(widthFile(h), QByteArray("<none>"));
            QVERIFY(h.hostJournal.isEmpty());
            QVERIFY(!h.ended());
            QVERIFY(s->isVisible());
            QCOMPARE(s->Text1->text(), width);
        }
    }

    // A fresh screen: the file holds 1, 2, CR, LF; the calls come in the launch's
    // order, the file between Documents and BringToTop and the screen hidden
    // right after it.
    void finishLaunches()
    {
        Harness h;
        h.context->connectHost = [&h] {
            return std::make_unique<RecordingHost>(h.hostJournal, [&h] { return widthFileAndScreen(h); });
        };
        auto *s = open2D(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QTest::mouseClick(s->Text1, Qt::LeftButton);
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Text1));
        QTest::keyClick(s->Text1, Qt::Key_Return); // Enter presses the default Finish
        QCOMPARE(widthFile(h), QByteArray("12\r\n"));
        const QStringList expected{
            QStringLiteral("[file absent, screen shown]"), QStringLiteral("attach"),
            QStringLiteral("[file absent, screen shown]"), QStringLiteral("Documents"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("BringToTop"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("Add"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("ActiveDocument"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("File"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("DraftingMode true"),
            QStringLiteral("[file present, screen hidden]"),
            QStringLiteral("LoadSymbol *\\Program Data\\2D Sheds\\Shed_101.KQ false true true"),
            QStringLiteral("[file present, screen hidden]"), QStringLiteral("RunMorvish *\\Program Data\\2dsheds.mrq"),
        };
        QCOMPARE(h.hostJournal, expected);
        QCOMPARE(s->retval, QStringLiteral("true"));
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(!h.visible());
    }

    void finishNamesTheStyle()
    {
        Harness h;
        auto *s = open2D(h);
        clickTimes(s->Command2, 6);
        typeWidth(s, QStringLiteral("12.50"));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(s->ShapeFile, QStringLiteral("*\\Program Data\\2D Sheds\\Shed_107.KQ"));
        QVERIFY(h.hostJournal.contains(
            QStringLiteral("LoadSymbol *\\Program Data\\2D Sheds\\Shed_107.KQ false true true")));
        QCOMPARE(widthFile(h), QByteArray("12.50\r\n"));
    }

    // No host: reported, status 1, and shedSize.txt is never touched.
    void finishWithoutHost()
    {
        Harness h;
        h.context->connectHost = [&h] {
            return std::make_unique<RecordingHost>(h.hostJournal, [&h] { return widthFileAndScreen(h); }, false);
        };
        auto *s = open2D(h);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.failures.size(), 1);
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QCOMPARE(widthFile(h), QByteArray("<none>"));
        QVERIFY(s->isVisible());
    }

    // A width file that cannot be written ends the program after Documents and
    // before any further host call.
    void finishWithUnwritableFolder()
    {
        Harness h;
        h.context->programFolder = QDir(h.programFolder()).filePath(QStringLiteral("missing"));
        auto *s = open2D(h);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.failures.size(), 1);
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QCOMPARE(h.hostJournal, (QStringList{QStringLiteral("attach"), QStringLiteral("Documents")}));
    }

    // A write that fails part way keeps the earlier shedSize.txt whole.
    void failedWriteKeepsTheEarlierFile()
    {
        Harness h;
        const QString path = QDir(h.programFolder()).filePath(QStringLiteral("shedSize.txt"));
        {
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("150\r\n");
        }
        auto *s = open2D(h);
        typeWidth(s, QStringLiteral("12.50"));
        // A disk that takes two bytes of the seven.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 2;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(h.messages.failures.size(), 1);
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QCOMPARE(widthFile(h), QByteArray("150\r\n"));
        QCOMPARE(QDir(h.programFolder()).entryList(QDir::Files), QStringList{QStringLiteral("shedSize.txt")});
        QCOMPARE(h.hostJournal, (QStringList{QStringLiteral("attach"), QStringLiteral("Documents")}));
    }

    void widthSteps()
    {
        Harness h;
        auto *s = open2D(h);
        typeWidth(s, QStringLiteral("8"));
        QTest::mouseClick(s->Command7, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("7"));
        clickTimes(s->Command7, 7);
        QCOMPARE(s->Text1->text(), QStringLiteral("0"));
        QTest::mouseClick(s->Command7, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("-1"));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.messages.back().text, AtLeast8Message);

        typeWidth(s, QStringLiteral("12.50"));
        QTest::mouseClick(s->Command6, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("13.5"));
        typeWidth(s, QStringLiteral("7.5"));
        QTest::mouseClick(s->Command7, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("6.5"));
        typeWidth(s, QStringLiteral("200"));
        QTest::mouseClick(s->Command6, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("201"));
    }

    // A box that holds no number stays as it is; the press never ends the program.
    void stepsOnNoNumber_data()
    {
        QTest::addColumn<QString>("width");
        QTest::newRow("empty") << "";
        QTest::newRow("abc") << "abc";
        QTest::newRow("12abc") << "12abc";
    }

    void stepsOnNoNumber()
    {
        QFETCH(QString, width);
        Harness h;
        auto *s = open2D(h);
        typeWidth(s, width);
        QTest::mouseClick(s->Command6, Qt::LeftButton);
        QTest::mouseClick(s->Command7, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), width);
        QVERIFY(!h.ended());
        QVERIFY(h.messages.failures.isEmpty());
    }

    // Taking the focus selects the first ten characters, so typing replaces a short width.
    void textGotFocusSelects()
    {
        Harness h;
        auto *s = open2D(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        s->Command5->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Command5, Qt::Key_Tab);
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Text1));
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("12"));
        QTest::keyClicks(s->Text1, QStringLiteral("16"));
        QCOMPARE(s->Text1->text(), QStringLiteral("16"));

        s->Text1->setText(QStringLiteral("123456789012"));
        s->Command5->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Command5, Qt::Key_Tab);
        QCOMPARE(s->Text1->selectionStart(), 0);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("1234567890"));
    }

    // Text1 gets the focus back with its window after a refusal's message box,
    // or from another program, without a GotFocus: the selection stays.
    void focusComingBackKeepsTheSelection()
    {
        Harness h;
        ModalMessages modal;
        h.useMessages(modal);
        auto *s = open2D(h);
        activate(s);
        QTest::mouseClick(s->Text1, Qt::LeftButton);
        typeWidth(s, QStringLiteral("7.25"));
        QTest::keyClick(s->Text1, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(modal.texts, QStringList{AtLeast8Message});
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("5"));

        QApplication::setActiveWindow(nullptr);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("5"));
    }

    // From the first screen's 2D picture, Back, and the picture again: same screen, same choices.
    void backAndReturn()
    {
        Harness h;
        h.wizard.start();
        auto *first = h.screen<screen1>(ScreenId::Screen1);
        QTest::mouseClick(first->Image2, Qt::LeftButton);
        auto *s = h.screen<screen2>(ScreenId::Screen2);
        QVERIFY(s);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        clickTimes(s->Command2, 4);
        typeWidth(s, QStringLiteral("30"));
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(first));

        QTest::mouseClick(first->Image2, Qt::LeftButton);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        QCOMPARE(h.screen<screen2>(ScreenId::Screen2), s);
        QCOMPARE(s->Type2D, qint16(105));
        QCOMPARE(s->Picture1->pixmap().toImage(), BitmapResource(105).toImage());
        QCOMPARE(s->Text1->text(), QStringLiteral("30"));
        QVERIFY(!h.ended());
    }

    void escapeAndCancelWriteNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("Cancel") << false;
    }

    void escapeAndCancelWriteNothing()
    {
        QFETCH(bool, escape);
        Harness h;
        auto *s = open2D(h);
        if (escape)
            QTest::keyClick(s->Text1, Qt::Key_Escape);
        else
            QTest::mouseClick(s->Command3, Qt::LeftButton);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QCOMPARE(widthFile(h), QByteArray("<none>"));
        QVERIFY(h.hostJournal.isEmpty());
    }
};

QTEST_MAIN(Screen2Test)
#include "test_screen2.moc"
