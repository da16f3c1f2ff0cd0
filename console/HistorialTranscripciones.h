#pragma once
// The desktop program's keeping of the last transcripts: one file a run in the
// user's state folder ($XDG_STATE_HOME/tesedra, by default ~/.local/state/tesedra;
// on Windows %LOCALAPPDATA%\Tesedra\transcripts), named by the run's date and time and its operation; beyond the last 50 the
// oldest go.

#include "console/Transcripcion.h"

#include <QString>

namespace tesedra {

inline constexpr int kTranscripcionesGuardadas = 50;

// The state folder of the program (not created here).
QString CarpetaTranscripciones();

// Writes `t` into `carpeta` (created when missing) and deletes the oldest files
// beyond `maximo`. The file's path, or empty when it could not be written.
QString GuardarEnHistorial(const Transcripcion& t, const QString& carpeta, int maximo = kTranscripcionesGuardadas);

// From now on every finished run is kept in CarpetaTranscripciones().
void ActivarHistorialTranscripciones();

} // namespace tesedra
