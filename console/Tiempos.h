#pragma once
// Every timing constant of the router exchanges, in one place.
// Tests may shorten them (through tiempos()); the programs never do.

namespace tesedra {

struct Tiempos {
    int pausaComandoMs = 100; // pause before a console command is written
    int pausaLecturaMs = 500; // pause before each read inside a command
    int esperaLecturaS = 5;   // wait for the first characters of a read
    int limiteAccesoS = 180;  // time allowed to one log-on dialogue
    int silencioCliS = 60;    // tesedra-cli: longest the router may stay silent (--timeout)
};

Tiempos& tiempos();

} // namespace tesedra
