#pragma once

class QCommandLineParser;

namespace corvelle::refhost {

// `corvelle-host --build FILE --out DIR`: builds the shed with no window and no bus.
bool isBuildCommand(int argc, char *argv[]);
int runBuildCommand(int argc, char *argv[]);
// The options, for the full program's --help.
void addBuildOptions(QCommandLineParser &parser);

} // namespace corvelle::refhost
