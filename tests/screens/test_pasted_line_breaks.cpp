// A line break pasted into a list or a typed box never reaches a field of the file.
#include "core/ShedDataFormat.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "tests/support/ScreenDriving.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

// Replaces the box's text by pasting, as Ctrl+V does.
void paste(QLineEdit *box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class PastedLineBreaksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pastedListsKeepTheFileAt63Lines()
    {
        Harness h;
        auto *floor = activated(h.show<screen4>(ScreenId::Screen4));
        choose(floor->Option4);
        paste(floor->Text1->lineEdit(), QStringLiteral("3 rows\r\n"));
        QCOMPARE(floor->Text1->currentText(), QStringLiteral("3 rows"));
        next(floor);
        QCOMPARE(h.design.BlockRows, QStringLiteral("3"));

        floor = activated(h.show<screen4>(ScreenId::Screen4));
        choose(floor->Option2);
        paste(floor->Combo1->lineEdit(), QStringLiteral("4\n6 inches"));
        QCOMPARE(floor->Combo1->currentText(), QStringLiteral("46 inches"));
        next(floor);

        auto *studs = activated(h.show<screen5>(ScreenId::Screen5));
        paste(studs->Combo1->lineEdit(), QStringLiteral("1\r\n2 feet high"));
        QCOMPARE(studs->Combo1->currentText(), QStringLiteral("12 feet high"));
        next(studs);

        auto *size = activated(h.show<screen3>(ScreenId::Screen3));
        paste(size->Text1, QStringLiteral("1\u20282"));
        QCOMPARE(size->Text1->text(), QStringLiteral("12"));

        const QByteArray bytes = ShedDataBytes(h.design);
        QCOMPARE(bytes.count("\r\n"), 63);
        QCOMPARE(bytes.count('\n'), 63);
        QCOMPARE(bytes.count('\r'), 63);
    }
};

QTEST_MAIN(PastedLineBreaksTest)
#include "test_pasted_line_breaks.moc"
