#pragma once

namespace corvelle {

// Accessible interfaces where Qt's own say the wrong thing: an editable list named by
// its accessible name (Qt names it by its text on this platform), and ChoiceFrame as
// a button with a press action. Installed once; later calls do nothing.
void InstallAccessibleInterfaces();

} // namespace corvelle
