#pragma once
// The subcommands of tesedra-cli. Each takes the arguments after its own name
// (argv[0] is the subcommand) and returns the process exit code.

#include "base/Idiomas.h"

#include <QStringList>

namespace tesedra::cli {

struct Comando {
    const char* nombre;
    const TextoDoble* resumen;
    int (*ejecutar)(const QStringList& argumentos);
};

// Defined in the subcommand files; listed in main.cpp.
int ComandoReverse(const QStringList& argumentos);
int ComandoCheck(const QStringList& argumentos);
int ComandoValidate(const QStringList& argumentos);
int ComandoPorts(const QStringList& argumentos);

} // namespace tesedra::cli
