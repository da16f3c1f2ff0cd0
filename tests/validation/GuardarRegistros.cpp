// A program of the record tests, so that saves really come from another process:
//   guardar_registros guardar CARPETA FECHA ETIQUETA
//     prints "listo"; then for each line read on standard input saves a validation into
//     the day file of FECHA (yyyy-MM-dd) in CARPETA, the telephone of the i-th being
//     ETIQUETA-i, and prints "hecho". Exits 0 at the end of its input when every save
//     succeeded, 1 at the first that failed. Two of them fed a line at once each begin
//     a save at the same moment.
//   guardar_registros retener CARPETA FECHA
//     takes that day file's lock as a save does, prints "retenido" and holds it until
//     its input ends (or the program is killed).
#include "validation/FicheroRegistro.h"

#include <QCoreApplication>
#include <QLockFile>

#include <cstdio>
#include <iostream>
#include <string>

using namespace tesedra;

int main(int argc, char** argv)
{
    // The application's name goes into the lock file: QLockFile checks it against the
    // holder's process to tell a live lock from a stale one.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const QDate fecha = QDate::fromString(args[3], Qt::ISODate);
    QLockFile bloqueo(RutaBloqueo(RutaFicheroDia(args[2], fecha)));
    if (args[1] == QLatin1String("retener") && !bloqueo.tryLock(0))
        return 1;
    std::puts(bloqueo.isLocked() ? "retenido" : "listo");
    std::fflush(stdout);
    std::string linea;
    for (int i = 1; std::getline(std::cin, linea); ++i) {
        if (bloqueo.isLocked())
            continue;
        ValoresInstalacion v;
        v.telefono = args.value(4).toStdString() + "-" + std::to_string(i);
        if (!GuardarValidacion(args[2], v, nullptr, fecha))
            return 1;
        std::puts("hecho");
        std::fflush(stdout);
    }
    return 0;
}
