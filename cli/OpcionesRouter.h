#pragma once
// What the router commands of tesedra-cli share: the router options (model, port or
// device, password), the password prompt, the message seam for a terminal and the
// progress shown while the router is being talked to.

#include <QCommandLineParser>
#include <QString>

#include <cstdint>
#include <string>

namespace tesedra::cli {

// Exit codes of the router commands.
inline constexpr int kSalidaBien = 0;
inline constexpr int kSalidaFallo = 1;
inline constexpr int kSalidaUso = 2;

// Adds --model, --port, --device, --password and --help.
void AnadirOpcionesRouter(QCommandLineParser& p);
// The help text with the usage line naming "tesedra-cli <subcomando>" instead of the
// program's path.
QByteArray TextoAyuda(const QCommandLineParser& p, const char* subcomando);
// --help was asked for (or Qt's --help-all, which the help text leaves out).
bool PideAyuda(const QCommandLineParser& p);

struct OpcionesRouter {
    int16_t modelo = 0;
};

// Reads the router options into the session (model, port or device, the router's
// silence limit). On a usage error writes the reason to standard error and returns false.
bool LeerOpcionesRouter(const QCommandLineParser& p, OpcionesRouter& o);
// The router password into the session: --password, or else one line of standard
// input (without echo on a terminal). False (said on standard error) without one.
// Read last, once every other argument and path has been found good.
bool LeerClaveRouter(const QCommandLineParser& p);

// Installs the message seam of the command line (messages to standard error in the
// terminal's encoding). The texts are loaded at start-up in the environment's
// language (IdiomaCli.h).
void PrepararConsola();

// While alive, shows the log-on and every console command on standard error when it
// is a terminal.
class ProgresoTerminal {
public:
    ProgresoTerminal();
    ~ProgresoTerminal();
    ProgresoTerminal(const ProgresoTerminal&) = delete;
    ProgresoTerminal& operator=(const ProgresoTerminal&) = delete;
    void Paso(const QString& texto);

private:
    bool activo_;
};

// A line "tesedra-cli: <texto>" on standard error (texto already in the terminal's encoding).
void Error(const QString& texto);

} // namespace tesedra::cli
