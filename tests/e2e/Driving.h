#pragma once

// Drives the in-process wizard the way a user does, through its widgets, and runs it
// against a real corvelle-host over the test's session bus.

#include "HostTestSupport.h"
#include "tests/support/TestHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace corvelle::e2e {

using test::Harness;

// A Harness whose launches go to the host on the session bus, with the host's own
// files in its program folder.
inline void UseRealHost(Harness &h)
{
    h.context->connectHost = [] { return std::make_unique<DBusHost>(); };
    if (!testing::installHostFiles(h.programFolder()))
        qFatal("cannot put the host's files into %s", qPrintable(h.programFolder()));
}

inline QString DescribeVisible(const Harness &h)
{
    QStringList shown;
    for (int n = 1; n <= 13; ++n) {
        const WizardScreen *s = h.wizard.find(static_cast<ScreenId>(n));
        if (s && s->isVisible())
            shown << QStringLiteral("screen%1").arg(n);
    }
    return shown.isEmpty() ? QStringLiteral("none") : shown.join(u", ");
}

// The screen when it is the one visible wizard window, else a test failure.
template <typename Screen>
Screen *Shown(const Harness &h, ScreenId id)
{
    auto *s = h.screen<Screen>(id);
    if (!s || h.visible() != s) {
        QTest::qFail(qPrintable(QStringLiteral("expected screen%1 alone on screen; visible: %2")
                                    .arg(int(id))
                                    .arg(DescribeVisible(h))),
                     __FILE__, __LINE__);
        return nullptr;
    }
    return s;
}

// Every top-level window of the process that is still on screen.
inline QStringList VisibleWindows()
{
    QStringList shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << (w->windowTitle().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->windowTitle());
    return shown;
}

inline void Click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }

// Selects what the box holds and types over it.
inline void Type(QLineEdit *box, const QString &text)
{
    Click(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// Picks a list item from the keyboard, with the arrow keys.
inline void Pick(QComboBox *list, const QString &item)
{
    list->setFocus();
    for (int i = 0; i < list->count() && list->currentText() != item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Runs a callback at the moment a widget is hidden, before anything after the hide.
class HideWitness : public QObject {
public:
    HideWitness(QWidget *watched, std::function<void()> onHide) : onHide_(std::move(onHide))
    {
        watched->installEventFilter(this);
    }
    int hides = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide) {
            ++hides;
            onHide_();
        }
        return false;
    }

private:
    std::function<void()> onHide_;
};

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

} // namespace corvelle::e2e
