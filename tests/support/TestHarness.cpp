#include "tests/support/TestHarness.h"

#include "core/Failure.h"
#include "screens/ScreenFactory.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <utility>

namespace corvelle::test {

RecordingHost::RecordingHost(QStringList &journal, std::function<QString()> witness, bool present)
    : journal_(journal), witness_(std::move(witness)), present_(present)
{
}

void RecordingHost::record(const QString &call)
{
    if (witness_)
        journal_ << witness_();
    journal_ << call;
}

void RecordingHost::attach()
{
    if (witness_)
        journal_ << witness_();
    if (!present_)
        throw Failure(QStringLiteral("Attaching to the host"), QStringLiteral("Brasswick.Application"),
                      QStringLiteral("No host is running."));
    journal_ << QStringLiteral("attach");
}

void RecordingHost::bringToTop() { record(QStringLiteral("BringToTop")); }

HostRef RecordingHost::documents()
{
    record(QStringLiteral("Documents"));
    return HostRef(QStringLiteral("/Documents"));
}

void RecordingHost::add(const HostRef &) { record(QStringLiteral("Add")); }

HostRef RecordingHost::activeDocument()
{
    record(QStringLiteral("ActiveDocument"));
    return HostRef(QStringLiteral("/Documents/1"));
}

HostRef RecordingHost::file(const HostRef &)
{
    record(QStringLiteral("File"));
    return HostRef(QStringLiteral("/Documents/1/File"));
}

void RecordingHost::setDraftingMode(const HostRef &, bool on)
{
    record(QStringLiteral("DraftingMode %1").arg(on ? u"true" : u"false"));
}

QVariant RecordingHost::loadSymbol(const HostRef &, QString &path, bool link, bool fitToView, bool replace)
{
    auto flag = [](bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); };
    record(QStringLiteral("LoadSymbol %1 %2 %3 %4").arg(path, flag(link), flag(fitToView), flag(replace)));
    return true;
}

void RecordingHost::runMorvish(const HostRef &, const QString &macroPath)
{
    record(QStringLiteral("RunMorvish %1").arg(macroPath));
}

Harness::Harness(int height)
    : cellHeight(height), fonts([this] { return cellHeight; }), wizard(exit, messages)
{
    QDir(folder.path()).mkdir(QStringLiteral("Program Data"));
    context = std::make_unique<ScreenContext>(ScreenContext{
        design, wizard, messages, fonts, folder.path(),
        [this] { return std::make_unique<RecordingHost>(hostJournal); }});
    wizard.setFactory([this](ScreenId id) { return MakeScreen(id, *context); });
}

Harness::~Harness()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void Harness::useMessages(MessageService &service)
{
    context = std::make_unique<ScreenContext>(
        ScreenContext{design, wizard, service, fonts, programFolder(), context->connectHost});
}

WizardScreen *Harness::visible() const
{
    const QList<WizardScreen *> shown = visibleScreens();
    return shown.size() == 1 ? shown.front() : nullptr;
}

QList<WizardScreen *> Harness::visibleScreens() const
{
    QList<WizardScreen *> shown;
    for (int n = 1; n <= 13; ++n) {
        WizardScreen *screen = wizard.find(static_cast<ScreenId>(n));
        if (screen && screen->isVisible())
            shown << screen;
    }
    return shown;
}

QByteArray Harness::shedData() const
{
    QFile file(QDir(folder.path()).filePath(QStringLiteral("Program Data/ShedData.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace corvelle::test
