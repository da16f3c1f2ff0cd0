#pragma once
// Shortened timing constants for the tests that talk to a router, restored when the
// holder goes, and the process's CPU time for the tests that prove a wait sleeps.

#include "console/Tiempos.h"

#include <ctime>

namespace tesedra {

class TiemposCortos {
public:
    TiemposCortos(int pausaComandoMs, int pausaLecturaMs, int esperaLecturaS, int limiteAccesoS)
        : guardados_(tiempos())
    {
        tiempos().pausaComandoMs = pausaComandoMs;
        tiempos().pausaLecturaMs = pausaLecturaMs;
        tiempos().esperaLecturaS = esperaLecturaS;
        tiempos().limiteAccesoS = limiteAccesoS;
    }
    ~TiemposCortos() { tiempos() = guardados_; }
    TiemposCortos(const TiemposCortos&) = delete;
    TiemposCortos& operator=(const TiemposCortos&) = delete;

private:
    Tiempos guardados_;
};

inline double SegundosCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

} // namespace tesedra
