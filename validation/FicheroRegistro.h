#pragma once
// The day's validation record file: the record line and its append.

#include "validation/ValoresInstalacion.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <string>

namespace tesedra {

// "AI" + ddmmyy + ".txt"
QString NombreFicheroDia(const QDate& fecha);
// The day's file in `carpeta`.
QString RutaFicheroDia(const QString& carpeta, const QDate& fecha);

// The lock file beside a day file ("AI051201.txt.lock"), held from the count to the
// flush of each save so that two programs saving into one folder never take the same
// number. The record file listing of the reverse validation never matches it.
inline QString RutaBloqueo(const QString& rutaDia)
{
    return rutaDia + QStringLiteral(".lock");
}

// " " + decimal number: the numeroRegistro text of line number n.
std::string TextoNumeroRegistro(int64_t n);

// S1: numeroRegistro;telefono
std::string TextoCorto(const ValoresInstalacion& v);
// S2: the 23 fields in record order.
std::string TextoCompleto(const ValoresInstalacion& v);

// The record line (without its CR LF). Shows msgIntegridadFicheros when sealing fails.
bool ComponerRegistro(const ValoresInstalacion& v, std::string& linea);

// Lines in the file; 0 when it does not exist, -1 when it exists but cannot be read.
// Every LF ends a line (empty lines count) and a final line without its line end counts.
int64_t ContarLineas(const QString& ruta);
bool ExisteFichero(const QString& ruta);

// Saves a validation into the day's file of `carpeta`: under the day file's lock
// (RutaBloqueo), sets v.numeroRegistro from the line count, composes the line and
// appends it with its CR LF in one write, flushed to disk. On failure (the lock not had
// within tiempos().esperaBloqueoRegistroMs among them) shows msgErrGrabarValidacion +
// ": " + the reason and returns false; the file is left as it was. A last line without
// its line end gets one first, so the new record starts a line of its own. `ruta`
// receives the path written.
bool GuardarValidacion(const QString& carpeta, ValoresInstalacion& v, QString* ruta = nullptr,
                       const QDate& fecha = QDate::currentDate());

} // namespace tesedra
