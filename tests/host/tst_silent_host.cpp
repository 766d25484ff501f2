// A host that takes a call and never answers: the wizard keeps painting, drops the
// user's input, shows the busy pointer and reports the silence after its timeout.
#include "bus/BusContract.h"
#include "core/Failure.h"
#include "host/Host.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace corvelle;
using namespace std::chrono_literals;

namespace {

// Owns the host's name on a connection of its own and keeps every call unanswered.
class SilentHost : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        members << message.member();
        return true;
    }
    QStringList members;
};

class PaintCounter : public QPushButton {
public:
    using QPushButton::QPushButton;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        QPushButton::paintEvent(event);
    }
};

} // namespace

class SilentHostTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silenceIsReportedAfterTheTimeoutWhileTheWindowPaints()
    {
        QDBusConnection hostBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("silent"));
        SilentHost silent;
        QVERIFY(hostBus.registerVirtualObject(bus::RootPath, &silent, QDBusConnection::SubPath));
        QVERIFY(hostBus.registerService(bus::Service));

        PaintCounter window(QStringLiteral("Finish"));
        int clicks = 0;
        connect(&window, &QPushButton::clicked, [&] { ++clicks; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int paintsBefore = window.paints;

        QTimer repaint;
        connect(&repaint, &QTimer::timeout, &window, [&] { window.update(); });
        repaint.start(20);
        Qt::CursorShape pointerDuringWait = Qt::ArrowCursor;
        bool closedDuringWait = true;
        QTimer::singleShot(800ms, [&] {
            if (const QCursor *cursor = QGuiApplication::overrideCursor())
                pointerDuringWait = cursor->shape();
            QTest::mouseClick(&window, Qt::LeftButton);
            QTest::keyClick(&window, Qt::Key_Space);
            closedDuringWait = window.close();
        });

        DBusHost host(QDBusConnection::sessionBus(), 1200ms);
        QElapsedTimer elapsed;
        elapsed.start();
        QString report;
        try {
            Launch3D(host, {});
        } catch (const Failure &failure) {
            report = failure.report();
        }
        const qint64 waitedMs = elapsed.elapsed();

        QCOMPARE(silent.members, QStringList{QStringLiteral("BringToTop")});
        QVERIFY2(report.contains(QStringLiteral("did not answer")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("no reply to BringToTop after 1.")), qPrintable(report));
        // Ended by the injected timeout, not by the bus's own or the 15 s default.
        QVERIFY2(waitedMs >= 1200 && waitedMs < 10000, qPrintable(QString::number(waitedMs)));
        QVERIFY(window.paints > paintsBefore + 5);
        QCOMPARE(pointerDuringWait, Qt::WaitCursor);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(clicks, 0);
        QVERIFY(!closedDuringWait && window.isVisible());

        // After the wait the window takes input again.
        QTest::mouseClick(&window, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        hostBus.unregisterService(bus::Service);
    }
};

QTEST_MAIN(SilentHostTest)
#include "tst_silent_host.moc"
