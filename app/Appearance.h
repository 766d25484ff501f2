#pragma once

#include <QFont>

namespace corvelle {

// The screens' font. Their layouts are fixed in twips for a small 8-point dialog
// font; a desktop font of another width would clip captions, so the wizard keeps
// its own. The font probe still measures the desktop's font.
QFont WizardFont();

} // namespace corvelle
