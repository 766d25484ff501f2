#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace corvelle {

class FontProbe;
class Host;
class MessageService;
class Wizard;
struct ShedDesign;

// What every screen is given: the shared record and the program's services.
struct ScreenContext {
    ShedDesign &design;
    Wizard &wizard;
    MessageService &messages;
    const FontProbe &fonts;
    QString programFolder;                          // the folder of the running executable
    std::function<std::unique_ptr<Host>()> connectHost; // a client for the host drawing application
};

} // namespace corvelle
