// Console link pacing: one log-on plus ten commands on each router model, over
// the in-process router simulator on a pseudo-terminal, with the program's own
// timing constants. Reports the processor time against the wall time (the waits
// must sleep, not spin) and the wall time against the floor that the fixed pauses
// impose (100 ms before each command, 500 ms before each read).
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"
#include "sim/SimuladorRouter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

double SegundosCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

const std::vector<std::string> kComandos812 = {"show adsl transceiver_status",
                                               "show adsl performance",
                                               "show system",
                                               "show atm status",
                                               "list ppp",
                                               "show ppp on vc WAN settings",
                                               "show vc WAN settings",
                                               "show ip network LAN settings",
                                               "show dhcp server settings",
                                               "list ip routes"};
const std::vector<std::string> kComandos5660 = {"show dslstatus", "show dslstats", "show",         "show pppstatus",
                                                "show cfg",       "show pppauth",  "show dhcpcfg", "show dslstatus",
                                                "show dslstats",  "show"};

void SesionCompleta(benchmark::State& state, int16_t modelo, int baudios)
{
    using namespace tesedra;
    const auto& comandos = modelo == kEfficient5660 ? kComandos5660 : kComandos812;
    double pared = 0, cpu = 0, suelo = 0;
    long long lecturas = 0;
    for (auto _ : state) {
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.baudios = baudios;
        sim::SimuladorRouter router(o);
        if (!router.Iniciar()) {
            state.SkipWithError("no pseudo-terminal");
            return;
        }
        FijarRutaDispositivo(router.RutaDispositivo().toStdString());
        sesion().ClaveModem = "admin";
        ReiniciarContadoresCanal();

        QElapsedTimer reloj;
        reloj.start();
        const double cpu0 = SegundosCpu();
        bool ok = IniciarModelo(modelo);
        std::string respuesta;
        for (const auto& c : comandos)
            ok = ok && EnviarComando(c, respuesta, modelo, 0);
        CerrarPuerto();
        const double p = static_cast<double>(reloj.nsecsElapsed()) / 1e9;
        const double c = SegundosCpu() - cpu0;
        if (!ok) {
            state.SkipWithError("exchange failed");
            return;
        }
        state.SetIterationTime(p);
        pared += p;
        cpu += c;
        suelo += static_cast<double>(contadoresCanal().pausasMs) / 1000.0;
        lecturas += contadoresCanal().lecturas;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["wall_s"] = pared / n;
    state.counters["cpu_s"] = cpu / n;
    state.counters["cpu_pct_of_wall"] = 100.0 * cpu / pared;
    state.counters["floor_s"] = suelo / n;
    state.counters["over_floor_pct"] = 100.0 * (pared - suelo) / suelo;
    state.counters["reads"] = static_cast<double>(lecturas) / n;
}

void BM_Sesion5660(benchmark::State& s)
{
    SesionCompleta(s, tesedra::kEfficient5660, 0);
}
void BM_Sesion812(benchmark::State& s)
{
    SesionCompleta(s, tesedra::kOfficeRemote812, 0);
}
// At the models' own line speeds the simulator paces its output like the line.
void BM_Sesion5660_38400(benchmark::State& s)
{
    SesionCompleta(s, tesedra::kEfficient5660, 38400);
}
void BM_Sesion812_9600(benchmark::State& s)
{
    SesionCompleta(s, tesedra::kOfficeRemote812, 9600);
}

// Filtering a reply of some megabytes (a long configuration or log listing) must cost
// its length once: cutting it down line by line copied the rest for every line.
void BM_FiltrarRespuestaLarga(benchmark::State& state)
{
    std::string texto;
    for (int i = 0; i < 160000; ++i)
        texto += "vc 1 ppp username arc0001@corporacion " + std::to_string(i) + "\r\n";
    texto += tesedra::kPrompt5660;
    for (auto _ : state)
        benchmark::DoNotOptimize(tesedra::FiltrarLineas(texto, {tesedra::kPrompt5660, "show cfg"}));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(texto.size()));
}

// The program's pause (Esperar) sleeps in the event loop: processor time against wall.
void BM_Esperar(benchmark::State& state)
{
    double cpu = 0, pared = 0;
    for (auto _ : state) {
        QElapsedTimer reloj;
        reloj.start();
        const double cpu0 = SegundosCpu();
        tesedra::Esperar(300);
        cpu += SegundosCpu() - cpu0;
        pared += static_cast<double>(reloj.nsecsElapsed()) / 1e9;
        state.SetIterationTime(static_cast<double>(reloj.nsecsElapsed()) / 1e9);
    }
    state.counters["cpu_pct_of_wall"] = 100.0 * cpu / pared;
}

BENCHMARK(BM_FiltrarRespuestaLarga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Esperar)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sesion5660)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sesion812)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sesion5660_38400)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sesion812_9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tesedra::CargarMensajes(tesedra::kIdiomaEspanol);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
