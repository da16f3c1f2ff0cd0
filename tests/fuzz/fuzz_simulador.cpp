// The simulated router console fed typed bytes of any kind, in memory: it never gets
// stuck (Ctrl-C always brings the prompt back once logged on), every typed line it
// records is one line, and what it says holds no byte it was not meant to send.
#include "Exigir.h"

#include "sim/SimuladorRouter.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace tesedra::sim;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the console up: model, log-on, setup question and paging.
    const uint8_t ajuste = data[0];
    OpcionesSimulador o;
    o.modelo = (ajuste & 1) ? 1 : 2;
    o.pedirPassword = (ajuste & 2) != 0;
    o.preguntaSetup = (ajuste & 4) != 0;
    o.paginado = (ajuste >> 3) & 3;
    SimuladorRouter sim(o);
    EXIGIR(sim.IniciarEnMemoria());

    const std::string tecleado(reinterpret_cast<const char*>(data + 1), size - 1);
    sim.Teclear(tecleado);
    std::string salida = sim.TomarSalida();
    const bool dentro = salida.find(sim.Prompt()) != std::string::npos;

    for (const std::string& l : sim.LineasRecibidas())
        EXIGIR(l.find('\r') == std::string::npos && l.find('\n') == std::string::npos);

    // Once the prompt has shown, Ctrl-C stops whatever runs and shows it again.
    sim.Teclear("\x03");
    salida = sim.TomarSalida();
    if (dentro) {
        const std::string fin = "^C\r\n" + sim.Prompt();
        EXIGIR(salida.size() >= fin.size() && salida.compare(salida.size() - fin.size(), fin.size(), fin) == 0);
        // And a plain return then gives the prompt on a line of its own (after the 812's
        // setup question while that is unanswered).
        sim.Teclear("\r");
        const std::string otra = sim.TomarSalida();
        if (!o.preguntaSetup || o.modelo == 1)
            EXIGIR(otra == "\r\n" + sim.Prompt());
    }
    return 0;
}
