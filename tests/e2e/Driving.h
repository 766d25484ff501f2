#pragma once

// Runs the in-process wizard, driven through its widgets, against a real
// corvelle-host over the test's session bus.

#include "HostTestSupport.h"
#include "tests/support/ScreenDriving.h"

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

using test::click;
using test::Harness;
using test::pick;
using test::retype;
using test::shown;

// A Harness whose launches go to the host on the session bus, with the host's own
// files in its program folder.
inline void UseRealHost(Harness &h)
{
    h.context->connectHost = [] { return std::make_unique<DBusHost>(); };
    if (!testing::installHostFiles(h.programFolder()))
        qFatal("cannot put the host's files into %s", qPrintable(h.programFolder()));
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
