#include "console/Tiempos.h"

namespace tesedra {

Tiempos& tiempos()
{
    static Tiempos t;
    return t;
}

} // namespace tesedra
