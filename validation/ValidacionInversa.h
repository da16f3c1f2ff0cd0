#pragma once
// Reverse validation: every record file of a folder verified, opened and written out
// as a semicolon-separated file in another folder.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>

namespace tesedra {

// The output line of one source line at line number n (from 1).
std::string ValidarLinea(const std::string& linea, int64_t n);

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
    int64_t danados = 0;   // altered or unreadable
    QString error;         // empty when the file was written whole
};

struct ResultadoInversa {
    QList<ResumenFichero> ficheros;
    int ficherosEscritos = 0;
    int64_t enSitio = 0;
    int64_t movidos = 0;
    int64_t danados = 0;
    QString error;          // a fault that stopped the whole run (missing folder, equal folders)
    bool ok() const;        // no fault at all
};

// Source files: names matching "AI*.TXT" ignoring case, sorted by name.
QStringList FicherosRegistro(const QString& carpeta);
// "AI051201.TXT" -> "AI051201.des"
QString NombreSalida(const QString& nombreOrigen);

using FuncionProgreso = std::function<void(const ProgresoInversa&)>;
ResultadoInversa EjecutarValidacionInversa(const QString& origen, const QString& destino,
                                           const FuncionProgreso& progreso = {});

} // namespace tesedra
