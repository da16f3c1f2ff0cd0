#pragma once
// Reverse validation: every record file of a folder verified, opened and written out
// as a semicolon-separated file in another folder.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tesedra {

// The output line of one source line at line number n (from 1).
std::string ValidarLinea(const std::string& linea, int64_t n);

// What became of one record.
enum class Veredicto {
    EnSitio,  // the full record opened intact and its number matches the line number
    Movido,   // the full record opened intact but it belongs to another line number
    Danado,   // a record whose full part could not be opened intact: what could be read is shown
    Ilegible, // nothing of a record could be read from the line: only a marker comes out
};

// Validates many lines, reusing its buffers from one line to the next.
class ValidadorLineas {
public:
    // Appends the output line of `linea` (without line end) to `salida`.
    Veredicto Validar(std::string_view linea, int64_t n, std::string& salida);

private:
    std::string numero_, linea_, cuerpo_, e1_, e2_, abierto_;
};

// The header of an output file, without its line end.
const std::string& CabeceraSalida();

struct ResumenFichero;
// The whole output file for the bytes of one source file: header, two empty lines and
// one line per source line, all ended by CR LF. `resumen` (optional) receives the counts.
std::string ValidarContenido(std::string_view fuente, ResumenFichero* resumen = nullptr,
                             const std::function<void(int64_t)>& porLinea = {});

struct ProgresoInversa {
    int ficherosHechos = 0;
    int ficherosTotal = 0;
    int64_t registrosHechos = 0;
};

struct ResumenFichero {
    QString origen;
    QString destino;
    int64_t enSitio = 0;   // sound and in place
    int64_t movidos = 0;   // sound but out of sequence
    int64_t danados = 0;   // altered: part of it could be read
    int64_t ilegibles = 0; // no record could be read from the line
    QString error;         // empty when the file was written whole
    int64_t Registros() const { return enSitio + movidos + danados + ilegibles; }
};

struct ResultadoInversa {
    QList<ResumenFichero> ficheros;
    int ficherosEscritos = 0;
    int64_t enSitio = 0;
    int64_t movidos = 0;
    int64_t danados = 0;
    int64_t ilegibles = 0;
    int64_t Registros() const { return enSitio + movidos + danados + ilegibles; }
    QString error;                // a fault that stopped the whole run (missing folder, equal folders)
    bool carpetasIguales = false; // refused: source and destination are the same folder
    bool Ok() const;              // no fault at all
};

// Source files: names matching "AI*.TXT" ignoring case, sorted by name.
QStringList FicherosRegistro(const QString& carpeta);
// "AI051201.TXT" -> "AI051201.des"
QString NombreSalida(const QString& nombreOrigen);

using FuncionProgreso = std::function<void(const ProgresoInversa&)>;
// The run over a folder. Every fault is reported through the dialog seam as well as in
// the result: a fault of one file stops that file only, and no half-written output file
// is ever left under its final name.
ResultadoInversa EjecutarValidacionInversa(const QString& origen, const QString& destino,
                                           const FuncionProgreso& progreso = {});

} // namespace tesedra
