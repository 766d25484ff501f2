#include "host/Host.h"

namespace corvelle {

namespace {

const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString Macro2D = QStringLiteral("*\\Program Data\\2dsheds.mrq");
const QString StylePathHead = QStringLiteral("*\\Program Data\\2D Sheds\\Shed_");

} // namespace

void Launch3D(Host &host, const std::function<void()> &hideScreen13)
{
    host.attach();
    host.bringToTop();
    const HostRef documents = host.documents();
    host.add(documents);
    const HostRef document = host.activeDocument();
    if (hideScreen13)
        hideScreen13();
    host.runMorvish(document, StartMacro);
}

void Launch2D(Host &host, const Launch2DSteps &steps, QString &shapeFile, QString &retval)
{
    host.attach();
    // A missing host stops here, before the width file is touched.
    const HostRef documents = host.documents();
    if (steps.writeWidthFile)
        steps.writeWidthFile();
    if (steps.hideScreen)
        steps.hideScreen();
    host.bringToTop();
    host.add(documents);
    const HostRef document = host.activeDocument();
    const HostRef file = host.file(document);
    host.setDraftingMode(document, true);
    shapeFile = StylePathHead + QString::number(steps.type2D) + QStringLiteral(".KQ");
    retval = host.loadSymbol(file, shapeFile, /*link*/ false, /*fitToView*/ true, /*replace*/ true).toString();
    host.runMorvish(document, Macro2D);
}

} // namespace corvelle
