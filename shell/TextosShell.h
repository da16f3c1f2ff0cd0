#pragma once
// Texts of the desktop program's start beyond the product's tables, in both
// languages (Latin-1 bytes).

#include "base/Idiomas.h"

namespace tesedra {

// tesedra --help: answered before any window, so also without a display.
inline constexpr TextoDoble kTxtAyudaEscritorio{
    "Uso: tesedra [--help | --version]\n"
    "\n"
    "El programa de escritorio del instalador de ADSL: la ventana de acceso y despu\xE9s la\n"
    "principal, con las pruebas de l\xEDnea, la conectividad IP, la validaci\xF3n y la\n"
    "validaci\xF3n inversa. Necesita una pantalla; sin ella, use tesedra-cli.\n"
    "\n"
    "  --help     muestra esta ayuda y termina\n"
    "  --version  muestra la versi\xF3n y termina\n"
    "\n"
    "TESEDRA_COM<n> es el dispositivo que abre el puerto n. Manual: man tesedra.\n",
    "Usage: tesedra [--help | --version]\n"
    "\n"
    "The ADSL installer's desktop program: the log-on window, then the main window\n"
    "with the line checks, IP connectivity, validation and reverse validation.\n"
    "It needs a display; without one, use tesedra-cli.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "TESEDRA_COM<n> is the device port n opens. Manual: man tesedra.\n"};

} // namespace tesedra
