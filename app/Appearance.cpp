#include "app/Appearance.h"

#include <QApplication>
#include <QStringList>

namespace corvelle {

QFont WizardFont()
{
    QFont font;
    // Nimbus Sans comes as OpenType and as Type 1; Qt takes the Type 1 file unless told the
    // foundry of the OpenType one, and parsing it costs the first paint about 3 ms.
    font.setFamilies({QStringLiteral("Nimbus Sans [UKWN]"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setPointSize(8);
    return font;
}

void UseWizardAppearance(QApplication &app)
{
    QApplication::setFont(WizardFont());
    app.setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
        " padding: 0px 1px; }"));
}

} // namespace corvelle
