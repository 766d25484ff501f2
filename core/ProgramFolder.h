#pragma once

#include <QString>

namespace corvelle {

// The file an installation that its users cannot write to puts beside the programs.
inline constexpr char PerUserFolderMarker[] = "per-user-folder";

// The folder both programs keep their files in, with "Program Data" below it: the wizard
// writes there and the host resolves "*\" to it. Normally the executable's own folder
// (build/bin, a prefix of the user's own). Where that folder holds the marker (a system
// installation), it is the user's $XDG_DATA_HOME/corvelle instead, into which each file
// of the installed "Program Data" is copied when missing or older than the installed one
// (so a price table the user edited stays, and an upgraded macro arrives).
QString programFolder(const QString &executableFolder);

} // namespace corvelle
