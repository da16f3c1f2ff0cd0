// Console command exchanges over a pseudo-terminal: replies up to the prompt, paging,
// time limits, cancel and a device that goes away.
#include "Router.h"

#include "console/CanalSerie.h"
#include "console/TextosPuertos.h"

namespace tesedra {
namespace {

using prueba::PruebaConRouter;

class Comandos : public PruebaConRouter {
protected:
    // A logged-on console of the model.
    sim::SimuladorRouter& Conectado(int16_t modelo, const std::function<void(sim::OpcionesSimulador&)>& ajustar = {})
    {
        auto& r = Router(modelo, ajustar);
        EXPECT_TRUE(IniciarModelo(modelo));
        return r;
    }
};

// A name, the model, its lines per page (0: none), and commands each with a line of its reply.
using CasoOrdenes = std::tuple<std::string, int16_t, int, std::vector<std::pair<std::string, std::string>>>;

class RespuestaHastaElPrompt : public Comandos, public testing::WithParamInterface<CasoOrdenes> {};

// Commands in a row: each reply is its echo, its lines, and its one
// prompt at the end; nothing of it spills into the next. Each paging prompt is
// answered once: answering one again would leave stray prompts that end the next
// command's reply early.
TEST_P(RespuestaHastaElPrompt, EachReplyIsItsOwn)
{
    const auto& [nombre, modelo, paginado, ordenes] = GetParam();
    auto& sim = Conectado(modelo, [p = paginado](sim::OpcionesSimulador& o) { o.paginado = p; });
    const std::string& prompt = sim.Prompt();
    qsizetype paginas = 0;
    for (const auto& [orden, linea] : ordenes) {
        SCOPED_TRACE(orden);
        const size_t antes = sim.LineasRecibidas().size();
        std::string r;
        ASSERT_TRUE(EnviarComando(orden, r, modelo, 0));
        EXPECT_EQ(r.rfind(orden + "\r\n", 0), 0u) << r;
        EXPECT_NE(r.find("\r\n" + linea + "\r\n"), std::string::npos) << r;
        EXPECT_EQ(r.find(prompt), r.size() - prompt.size()) << r;
        const qsizetype n = QByteArray::fromStdString(r).count(QByteArray::fromStdString(sim.TextoPaginado()));
        EXPECT_EQ(sim.LineasRecibidas().size() - antes, static_cast<size_t>(1 + n));
        paginas += n;
    }
    EXPECT_GE(paginas, paginado > 0 ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RespuestaHastaElPrompt,
    testing::Values(
        CasoOrdenes{
            "r812",
            kOfficeRemote812,
            0,
            {{"show system", "System UpTime: 0 days 02:13:45"},
             {"show nada", "CLI - Invalid command: \"show nada\""},
             {"list ip routes", "192.168.001.000  255.255.255.000  192.168.1.254    eth:LAN    0       Local"}}},
        CasoOrdenes{"r5660",
                    kEfficient5660,
                    0,
                    {{"show dslstats", "Previous 1-day Statistics:"},
                     {"atmping F5 seg 0 35", "Sending 5 OAM F5 segment loopback cells on VPI 0 VCI 35"}}},
        CasoOrdenes{"r812_paginado",
                    kOfficeRemote812,
                    6,
                    {{"show vc WAN settings", "Status                        : Enabled, connected"},
                     {"list ppp", "WAN   8/32  Open   80.58.12.34       80.58.0.1          0 days 01:57:40"}}},
        CasoOrdenes{"r5660_paginado",
                    kEfficient5660,
                    6,
                    {{"show cfg", "dsl bitswap on"}, {"show", "Host Name                      - 913456789"}}}),
    [](const testing::TestParamInfo<CasoOrdenes>& i) { return std::string(std::get<0>(i.param)); });

// A command line ends at its first CR or LF; a reply ends at a prompt within its last
// 15 characters, however long it is, and not at one further back.
TEST_F(Comandos, ReplyEndsAtThePromptOfItsLastCharacters)
{
    auto& sim = Conectado(kEfficient5660);
    std::string r;
    ASSERT_TRUE(EnviarComando("show dhcpcfg\rshow\nshow cfg", r, kEfficient5660, 0));
    EXPECT_EQ(sim.LineasRecibidas().back(), "show dhcpcfg");
    EXPECT_EQ(r.find("Host Name"), std::string::npos);

    std::string larga;
    std::string esperada = "show log\r\n";
    for (int i = 0; i < 2500; ++i) {
        larga += "entry " + std::to_string(i) + " value abcdefghij\n";
        esperada += "entry " + std::to_string(i) + " value abcdefghij\r\n";
    }
    sim.FijarRespuesta("show log", larga);
    ASSERT_TRUE(EnviarComando("show log", r, kEfficient5660, 0));
    EXPECT_TRUE(r == esperada + sim.Prompt()) << r.size() << " bytes";

    sim.FijarRespuesta("show help", "Commands:\nCommand-> is the prompt of this console\n@pausa 300\nlast line\n");
    ASSERT_TRUE(EnviarComando("show help", r, kEfficient5660, 0));
    EXPECT_NE(r.find("last line\r\nCommand->"), std::string::npos) << r;
    // The rest of this reply comes late, into whatever follows: nothing does.
    sim.FijarRespuesta("show corto", "Command-> ok\n@pausa 800\nnot waited for\n");
    ASSERT_TRUE(EnviarComando("show corto", r, kEfficient5660, 0));
    EXPECT_EQ(r.find("not waited for"), std::string::npos) << r;
}

// The router's silence is what the waits for it add up to since its last byte: a byte
// gives the limit back in full whenever it comes, also during the program's own
// pauses. Else a slow router that answers between the reads would wear the limit
// down and be cut off although it never went quiet for that long.
TEST_F(Comandos, AnyByteGivesTheSilenceLimitBackInFull)
{
    CanalSerie& canal = CanalSerie::Instancia();
    canal.FijarLimiteSilencio(1000);
    Conectado(kOfficeRemote812);
    auto esperarDatos = [&](int ms) { return canal.EsperarDatos(QDeadlineTimer(ms)); };
    EXPECT_FALSE(esperarDatos(700)); // 700 of the 1000 ms waited: 300 left
    ASSERT_TRUE(EscribirPuerto(std::string()));
    // The prompt that answers comes while the program waits on its own account.
    ASSERT_TRUE(canal.Esperar(QDeadlineTimer(10000), [&] { return canal.Disponibles() > 0; }));
    canal.LeerTodo();
    EXPECT_FALSE(esperarDatos(700));
    EXPECT_TRUE(PuertoAbierto()) << "cut off after 300 ms: the limit was not given back";
    EXPECT_FALSE(esperarDatos(700)); // 1400 ms without a byte: over the limit
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(Comandos, TimeLimitInterruptsWithCtrlCOnlyWhenReached)
{
    auto& sim = Conectado(kEfficient5660);
    sim.FijarRespuesta("show lento", "first line\n@pausa 60000\nnever\n");
    std::string r;
    ASSERT_TRUE(EnviarComando("show lento", r, kEfficient5660, 1));
    EXPECT_NE(r.find("first line\r\n"), std::string::npos) << r;
    EXPECT_EQ(r.find("never"), std::string::npos) << r;
    // Ctrl-C, then the carriage return that every written line ends with.
    EXPECT_EQ(std::vector(sim.LineasRecibidas().end() - 3, sim.LineasRecibidas().end()),
              (std::vector<std::string>{"show lento", "\x03", ""}));

    // The console is back at its prompt; a reply within its limit is not interrupted.
    ASSERT_TRUE(EnviarComando("atmping F5 end 8 32", r, kEfficient5660, 30));
    EXPECT_NE(r.find("5 cells sent, 5 replies"), std::string::npos) << r;
    EXPECT_EQ(sim.LineasRecibidas().back(), "atmping F5 end 8 32");
}

// What may happen to a command waiting for its reply (with or without a time limit):
// the port closed (the user's cancel), closed and opened again at once, the device
// gone, or gone before the command is written. The exchange fails at once (a wait
// that was not ended would run far past any test run and hang); a lost
// device is reported once, naming the operation that met the loss; every later call
// on the closed port fails quietly.
// Callar: the router stops sending in the middle of the reply, under a silence limit.
enum class Corte { Cerrar, Reabrir, Desaparecer, DesaparecerAntes, Callar };

// A name, what happens, the command's time limit (s) and the message: 0 none, 1 lost
// reading, 2 lost writing, 3 the router silent for 1 s.
using CasoCorte = std::tuple<std::string, Corte, int, int>;

class CorteDuranteComando : public Comandos, public testing::WithParamInterface<CasoCorte> {};

TEST_P(CorteDuranteComando, FailsAtOnce)
{
    const auto& [nombre, corte, limiteS, mensaje] = GetParam();
    if (corte == Corte::Callar)
        FijarLimiteSilencio(1);
    auto& sim = Conectado(kOfficeRemote812);
    sim.FijarRespuesta("show lento", "first line\n@pausa 60000\nnever\n");
    // No pause before the reads: what happens lands in a read's wait. A read that begins
    // after the port was opened again waits on the new session with its own short
    // wait; every other wait must be ended by what happened.
    tiempos().pausaLecturaMs = 0;
    if (corte != Corte::Reabrir)
        tiempos().esperaLecturaS = 24 * 3600;
    const std::string ruta = sim.RutaDispositivo().toStdString();
    if (corte == Corte::DesaparecerAntes)
        sim.Desaparecer();
    AlRecibir("show lento", [&, corte = corte] {
        if (corte == Corte::Callar)
            return;
        if (corte == Corte::Desaparecer)
            sim.Desaparecer();
        else
            CerrarPuerto();
        if (corte == Corte::Reabrir)
            AbrirPuertoRuta(ruta, 9600, "N", 8, 1);
    });
    std::string r;
    EXPECT_FALSE(EnviarComando("show lento", r, kOfficeRemote812, limiteS));
    EXPECT_EQ(PuertoAbierto(), corte == Corte::Reabrir);
    CerrarPuerto();
    r = "previa";
    EXPECT_FALSE(EnviarComando("show system", r, kOfficeRemote812, 0));
    EXPECT_EQ(r, "");
    EXPECT_FALSE(EscribirPuerto(""));
    ASSERT_EQ(dialogos_.mensajes.size(), mensaje == 0 ? 0u : 1u);
    std::string callado = Traducir(kTxtRouterCallado);
    callado.replace(callado.find("%1"), 2, "1");
    const std::string& esperado = mensaje == 1   ? mensajes().msgErrLecPuerto
                                  : mensaje == 2 ? mensajes().msgErrEscPuerto
                                                 : callado;
    if (mensaje != 0) {
        EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(esperado, 0), 0u) << dialogos_.mensajes[0].texto;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CorteDuranteComando,
    testing::Values(CasoCorte{"cerrado", Corte::Cerrar, 0, 0}, CasoCorte{"cerrado_con_limite", Corte::Cerrar, 30, 0},
                    CasoCorte{"reabierto", Corte::Reabrir, 0, 0}, CasoCorte{"perdido", Corte::Desaparecer, 0, 1},
                    CasoCorte{"perdido_con_limite", Corte::Desaparecer, 20, 1},
                    CasoCorte{"perdido_antes_de_escribir", Corte::DesaparecerAntes, 0, 2},
                    CasoCorte{"callado", Corte::Callar, 0, 3}, CasoCorte{"callado_con_limite", Corte::Callar, 30, 3}),
    [](const testing::TestParamInfo<CasoCorte>& i) { return std::string(std::get<0>(i.param)); });

} // namespace
} // namespace tesedra
