#pragma once
// The product version, set once in the top-level CMakeLists.txt.

class QCommandLineParser;
class QString;

namespace tesedra {

inline constexpr char kVersion[] = TESEDRA_VERSION;

// When the only argument is --version: prints "<programa> <version>" on standard
// output and returns true (the program then ends with 0). Needs no application
// object, so the desktop program answers without a display. On Windows the
// windowed desktop program has no standard output of its own: without one the
// line goes to the console of the program that started it (AttachConsole), and
// without that into a message box.
bool AtenderVersion(const char* programa, int argc, char** argv);

// A program's --help text from its parser: the usage line names `uso` ("tesedra-cli
// check") instead of the program's path, and Qt's own --help-all (which lists Qt's
// options, none of the program's) is left out.
QString TextoAyuda(const QCommandLineParser& p, const QString& uso);

} // namespace tesedra
