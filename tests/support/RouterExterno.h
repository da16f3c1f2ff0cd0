#pragma once
// The console fixture with the router simulator out of process, reached through a
// serial port by its number, as the technician chooses it: the port and the model
// come from the environment that tests/console/router_externo.sh sets up
// (TESEDRA_ROUTER_PUERTO, TESEDRA_ROUTER_MODELO) after starting the simulator on a
// pseudo-terminal and making that port reach it: under Wine a COM port of the prefix
// linked to the pseudo-terminal, on Linux TESEDRA_COM<n>.

#include "Consola.h"

#include <cstdint>

namespace tesedra::prueba {

class PruebaConRouterExterno : public PruebaConsola {
protected:
    void SetUp() override;

    int16_t puerto_ = 0;
    int16_t modelo_ = 0;
};

} // namespace tesedra::prueba
