// Log-on to both router models over a pseudo-terminal, with the simulator at the far end.
#include "Router.h"

#include <algorithm>
#include <regex>

namespace tesedra {
namespace {

using prueba::PruebaConRouter;

class Acceso : public PruebaConRouter {
protected:
    // The lines the console received, one letter each: E an empty line, A the
    // password, N the answer "n", X anything else.
    std::string Forma() const
    {
        std::string f;
        for (const auto& l : router_->LineasRecibidas())
            f += l.empty() ? 'E' : l == prueba::kClavePrueba ? 'A' : l == "n" ? 'N' : 'X';
        return f;
    }
};

// How a log-on ends. Cancelado: the port is closed (the user's cancel) while the log-on
// waits for characters that never come (no pause before the reads, so the close lands
// in that wait), or (EnPausa) in the pause before a read; those waits are made far
// longer than any test run, so one that a close did not end would hang.
enum class Fin { Entra, Tiempo, Perdido, Nada, Cancelado, CanceladoEnPausa };

struct CasoAcceso {
    const char* nombre;
    int16_t modelo;
    sim::OpcionesSimulador router;
    std::string clave; // the password the program types
    Fin fin;
    const char* forma; // regular expression over Forma()
};

void PrintTo(const CasoAcceso& c, std::ostream* os)
{
    *os << c.nombre;
}

class AccesoPorModelo : public Acceso, public testing::WithParamInterface<CasoAcceso> {};

// A log-on that succeeds leaves the console quiet at its prompt: the first command's
// reply is its own, from its echo to its one prompt. One that times out says so once; a device that goes away is reported as lost;
// an unknown model touches nothing; a cancelled one fails quietly.
TEST_P(AccesoPorModelo, LogsOnOrFailsItsWay)
{
    const auto& [nombre, modelo, opciones, clave, fin, forma] = GetParam();
    Router(modelo, [&dadas = opciones, m = modelo](sim::OpcionesSimulador& o) {
        o = dadas;
        o.modelo = m;
    });
    sesion().ClaveModem = clave;
    const bool callado = fin == Fin::Nada || fin == Fin::Cancelado || fin == Fin::CanceladoEnPausa;
    if (fin == Fin::Cancelado || fin == Fin::CanceladoEnPausa) {
        tiempos().limiteAccesoS = tiempos().esperaLecturaS = 24 * 3600;
        tiempos().pausaLecturaMs = fin == Fin::CanceladoEnPausa ? 24 * 3600 * 1000 : 0;
        CancelarAlRecibir("");
    }
    ASSERT_EQ(IniciarModelo(modelo), fin == Fin::Entra);
    EXPECT_TRUE(std::regex_match(Forma(), std::regex(forma))) << Forma();
    if (fin != Fin::Entra) {
        EXPECT_FALSE(PuertoAbierto());
        ASSERT_EQ(dialogos_.mensajes.size(), callado ? 0u : 1u);
        const std::string t = callado ? "" : dialogos_.mensajes[0].texto;
        EXPECT_EQ(t == mensajes().msgTiempoModem, fin == Fin::Tiempo) << t;
        if (fin == Fin::Perdido) {
            EXPECT_TRUE(t.rfind(mensajes().msgErrLecPuerto, 0) == 0 || t.rfind(mensajes().msgErrEscPuerto, 0) == 0)
                << t;
        }
        return;
    }
    EXPECT_TRUE(dialogos_.mensajes.empty());
    const std::string orden = modelo == kEfficient5660 ? "show pppstatus" : "show atm status";
    const std::string& prompt = router_->Prompt();
    std::string r;
    ASSERT_TRUE(EnviarComando(orden, r, modelo, 0));
    EXPECT_EQ(r.rfind(orden + "\r\n", 0), 0u) << r;
    EXPECT_EQ(r.find(prompt), r.size() - prompt.size()) << r;
}

// The 812 runs its dialogue three times and answers "Setup?" once; the password goes
// once for each prompt, never at the command line; a console that refuses it three
// times ends the log-on at once. The console is woken only when it is quiet, so even
// a slow line adds no rounds.
INSTANTIATE_TEST_SUITE_P(
    Casos, AccesoPorModelo,
    testing::Values(
        CasoAcceso{"r812", kOfficeRemote812, {}, "admin", Fin::Entra, "EAEE"},
        CasoAcceso{"r5660", kEfficient5660, {}, "admin", Fin::Entra, "EA"},
        CasoAcceso{"r812_setup", kOfficeRemote812, {.preguntaSetup = true}, "admin", Fin::Entra, "EANEE"},
        CasoAcceso{"r812_sin_peticion", kOfficeRemote812, {.pedirPassword = false}, "admin", Fin::Entra, "EEE"},
        CasoAcceso{"r5660_sin_peticion", kEfficient5660, {.pedirPassword = false}, "admin", Fin::Entra, "E"},
        CasoAcceso{"r5660_clave_vacia", kEfficient5660, {.password = ""}, "", Fin::Entra, "EE"},
        CasoAcceso{"r812_lenta_setup",
                   kOfficeRemote812,
                   {.preguntaSetup = true, .baudios = 19200},
                   "admin",
                   Fin::Entra,
                   "EANEE"},
        CasoAcceso{"r812_clave_mala", kOfficeRemote812, {.password = "otra"}, "admin", Fin::Tiempo, "EAAA"},
        CasoAcceso{"r5660_clave_mala", kEfficient5660, {.password = "otra"}, "admin", Fin::Tiempo, "EAAA"},
        CasoAcceso{"r812_muda", kOfficeRemote812, {.silencioso = true}, "admin", Fin::Tiempo, "E+"},
        CasoAcceso{"r5660_muda", kEfficient5660, {.silencioso = true}, "admin", Fin::Tiempo, "E+"},
        CasoAcceso{"r812_desaparece", kOfficeRemote812, {.desaparecerTrasBytes = 4}, "admin", Fin::Perdido, "E?"},
        CasoAcceso{"modelo_desconocido", 3, {}, "admin", Fin::Nada, ""},
        CasoAcceso{"r812_cancelado", kOfficeRemote812, {.silencioso = true}, "admin", Fin::Cancelado, "E"},
        CasoAcceso{"r5660_cancelado", kEfficient5660, {.silencioso = true}, "admin", Fin::Cancelado, "E"},
        CasoAcceso{"r812_cancelado_en_pausa", kOfficeRemote812, {}, "admin", Fin::CanceladoEnPausa, "E"}),
    [](const testing::TestParamInfo<CasoAcceso>& i) { return std::string(i.param.nombre); });

// Over a 2400-baud line the log-on takes a good part of its time limit, and makes it.
// A 300-baud console prints its password prompt and its welcome slowly: every round
// sees them only in part (its time limit is a bound against a hang only). Either way
// the password goes exactly once, and nothing but empty lines and the console's own
// commands reach it after the log-on.
TEST_F(Acceso, SlowLineLogsOnWithThePasswordOnceNeverAtThePrompt)
{
    const std::string clave = "Secreto99";
    for (const auto& [baudios, pausaMs, limiteS] : {std::tuple{2400, 200, 0}, {300, 20, 600}}) {
        for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
            SCOPED_TRACE(testing::Message() << baudios << " baud, model " << modelo);
            Router(modelo, [&, b = baudios](sim::OpcionesSimulador& o) {
                o.baudios = b;
                o.password = clave;
            });
            sesion().ClaveModem = clave;
            tiempos().pausaLecturaMs = pausaMs;
            if (limiteS)
                tiempos().limiteAccesoS = limiteS;
            ASSERT_TRUE(IniciarModelo(modelo));
            EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.mensajes.at(0).texto;
            const auto& lineas = router_->LineasRecibidas();
            EXPECT_EQ(std::count(lineas.begin(), lineas.end(), clave), 1) << testing::PrintToString(lineas);
            EXPECT_EQ(std::count_if(lineas.begin(), lineas.end(), [](const std::string& l) { return !l.empty(); }), 1)
                << testing::PrintToString(lineas);
            CerrarPuerto();
        }
    }
}

} // namespace
} // namespace tesedra
