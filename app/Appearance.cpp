#include "app/Appearance.h"

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

} // namespace corvelle
