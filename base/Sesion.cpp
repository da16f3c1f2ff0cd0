#include "base/Sesion.h"

namespace tesedra {

Sesion& sesion()
{
    static Sesion s;
    return s;
}

} // namespace tesedra
