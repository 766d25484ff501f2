#include "app/Appearance.h"

#include <QApplication>
#include <QStringList>

namespace corvelle {

QFont WizardFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
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
