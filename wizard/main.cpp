#include "app/Appearance.h"
#include "app/FontMode.h"
#include "app/ScreenContext.h"
#include "app/Services.h"
#include "app/Wizard.h"
#include "app/WizardScreen.h"
#include "core/ProgramFolder.h"
#include "core/ShedDesign.h"
#include "host/Host.h"
#include "screens/ScreenFactory.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvelle"));
    // No display name: Qt would append it to every caption, and captions are exact.
    // Hidden screens are not closed ones: only the wizard decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    corvelle::UseWizardAppearance(app);

    using namespace corvelle;
    ShedDesign design;
    QtMessageService messages;
    QtExitService exit;
    FontProbe fonts;
    Wizard wizard(exit, messages);
    ScreenContext context{design, wizard, messages, fonts, programFolder(QCoreApplication::applicationDirPath()), [] {
                              return std::make_unique<DBusHost>();
                          }};
    wizard.setFactory([&context](ScreenId id) { return MakeScreen(id, context); });
    wizard.start();
    if (wizard.hasEnded())
        return 1;
    return QApplication::exec();
}
