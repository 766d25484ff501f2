#pragma once

#include <QFont>

class QApplication;

namespace corvelle {

// The screens' font. Their layouts are fixed in twips for a small 8-point dialog
// font; a desktop font of another width would clip captions, so the wizard keeps
// its own. The font probe still measures the desktop's font.
QFont WizardFont();

// The screens' look: their font, and frames whose border runs through the caption,
// so that pictures placed just below a caption sit inside the frame.
void UseWizardAppearance(QApplication &app);

} // namespace corvelle
