#pragma once
// --transcript FILE of the router subcommands: the console transcript of the run
// (both directions, timed, the password hidden) written to FILE when it ends,
// whether the run succeeded or not.

#include <QCommandLineParser>

namespace tesedra::cli {

void AnadirOpcionTranscripcion(QCommandLineParser& p);
// Writes the last run's transcript when --transcript was given; false (said on
// standard error) when the file could not be written.
bool EscribirTranscripcionPedida(const QCommandLineParser& p);

} // namespace tesedra::cli
