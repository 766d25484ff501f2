#include "host/Host.h"

namespace corvelle {

namespace {

const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString Macro2D = QStringLiteral("*\\Program Data\\2dsheds.mrq");
const QString StylePathHead = QStringLiteral("*\\Program Data\\2D Sheds\\Shed_");

// References live only inside one launch, also when a call fails.
class Released {
public:
    explicit Released(Host &host) : host_(host) {}
    ~Released() { host_.release(); }
    Released(const Released &) = delete;
    Released &operator=(const Released &) = delete;

private:
    Host &host_;
};

} // namespace

void Launch3D(Host &host, const std::function<void()> &hideScreen13)
{
    Released released(host);
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
    Released released(host);
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
    retval = host.loadSymbol(file, shapeFile, false, true, true).toString();
    host.runMorvish(document, Macro2D);
}

} // namespace corvelle
