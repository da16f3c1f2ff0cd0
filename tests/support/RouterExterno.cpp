#include "RouterExterno.h"

#include "base/Codigos.h"

#include <QtGlobal>

namespace tesedra::prueba {

void PruebaConRouterExterno::SetUp()
{
    PruebaConsola::SetUp();
    bool puertoOk = false, modeloOk = false;
    puerto_ = static_cast<int16_t>(qEnvironmentVariableIntValue("TESEDRA_ROUTER_PUERTO", &puertoOk));
    const int modelo = qEnvironmentVariableIntValue("TESEDRA_ROUTER_MODELO", &modeloOk);
    ASSERT_TRUE(puertoOk && modeloOk && puerto_ > 0)
        << "run through tests/console/router_externo.sh, which starts the simulator";
    // The consoles' own model numbers, as the simulator's --model takes them.
    ASSERT_TRUE(modelo == 812 || modelo == 5660) << modelo;
    modelo_ = modelo == 812 ? kOfficeRemote812 : kEfficient5660;
    sesion().Puerto = puerto_;
}

} // namespace tesedra::prueba
