#pragma once
// --transcript FILE of the router subcommands: the console transcript of the run
// (both directions, timed, the password hidden) written to FILE as the run goes, so
// that it holds everything up to a failure, a time-out or an interruption.

#include <QCommandLineParser>

namespace tesedra::cli {

void AnadirOpcionTranscripcion(QCommandLineParser& p);
// Before the run: when --transcript was given, creates FILE, where the run will be
// written. False (said on standard error, naming the file) when it cannot be.
bool PrepararTranscripcionPedida(const QCommandLineParser& p);
// After the run: false (said on standard error) when writing the file failed on the way.
bool TerminarTranscripcionPedida(const QCommandLineParser& p);

} // namespace tesedra::cli
