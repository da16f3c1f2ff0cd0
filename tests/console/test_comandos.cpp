// Console command exchanges over a pseudo-terminal: replies up to the prompt,
// paging, time limits, slow lines, cancel and a device that goes away.
#include "ConsolaPrueba.h"

namespace tesedra {
namespace {

class Comandos : public ConsolaPrueba {
protected:
    // A logged-on console of the model.
    sim::SimuladorRouter& Conectado(int16_t modelo, sim::OpcionesSimulador o = {})
    {
        o.modelo = modelo;
        auto& r = Router(o);
        EXPECT_TRUE(IniciarModelo(modelo));
        return r;
    }

    static size_t Ocurrencias(const std::string& t, const std::string& b)
    {
        size_t n = 0;
        for (size_t p = t.find(b); p != std::string::npos; p = t.find(b, p + 1))
            ++n;
        return n;
    }
};

TEST_F(Comandos, RespuestaCompletaHastaElPrompt812)
{
    Conectado(kOfficeRemote812);
    std::string r;
    ASSERT_TRUE(EnviarComando("show system", r, kOfficeRemote812, 0));
    EXPECT_EQ(r.rfind("show system\r\n", 0), 0u) << r; // the echo comes first
    EXPECT_NE(r.find("System Name: 913456789\r\n"), std::string::npos);
    EXPECT_NE(r.find("System UpTime: 0 days 02:13:45\r\n"), std::string::npos);
    EXPECT_TRUE(EndsWith(r, "\r\n3Com-DSL>")) << r;
    EXPECT_EQ(Ocurrencias(r, "3Com-DSL>"), 1u);
    EXPECT_EQ(r.find('\n', 0) - 1, r.find('\r', 0)); // CR LF line ends
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Comandos, RespuestaCompletaHastaElPrompt5660)
{
    Conectado(kEfficient5660);
    std::string r;
    ASSERT_TRUE(EnviarComando("show dslstats", r, kEfficient5660, 0));
    EXPECT_EQ(r.rfind("show dslstats\r\n", 0), 0u) << r;
    EXPECT_EQ(Ocurrencias(r, "Loss of Link"), 4u);
    EXPECT_TRUE(EndsWith(r, "Command->"));
}

TEST_F(Comandos, CadaComandoSuRespuesta)
{
    // Several commands in a row: no reply spills into the next one.
    Conectado(kOfficeRemote812);
    std::string r;
    for (const char* c : {"show adsl transceiver_status", "list ppp", "show ip network LAN settings",
                          "list ip routes"}) {
        SCOPED_TRACE(c);
        ASSERT_TRUE(EnviarComando(c, r, kOfficeRemote812, 0));
        EXPECT_EQ(r.rfind(std::string(c) + "\r\n", 0), 0u) << r;
        EXPECT_EQ(Ocurrencias(r, "3Com-DSL>"), 1u) << r;
    }
    EXPECT_NE(r.find("000.000.000.000  000.000.000.000  80.58.0.1"), std::string::npos);
}

TEST_F(Comandos, ComandoDesconocido)
{
    Conectado(kOfficeRemote812);
    std::string r;
    ASSERT_TRUE(EnviarComando("show nada", r, kOfficeRemote812, 0));
    EXPECT_NE(r.find("CLI - "), std::string::npos);
    EXPECT_NE(r.find("show nada"), std::string::npos);
}

TEST_F(Comandos, ArgumentosSustituidos)
{
    Conectado(kEfficient5660);
    std::string r;
    ASSERT_TRUE(EnviarComando("atmping F5 seg 0 35", r, kEfficient5660, 0));
    EXPECT_NE(r.find("segment loopback cells on VPI 0 VCI 35"), std::string::npos);
    EXPECT_TRUE(EndsWith(r, "Command->"));
}

TEST_F(Comandos, PaginadoContestadoUnaVezPorPagina)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        SCOPED_TRACE(modelo);
        sim::OpcionesSimulador o;
        o.paginado = 6;
        auto& sim = Conectado(modelo, o);
        const size_t antes = sim.lineasRecibidas().size();
        const std::string comando = modelo == kEfficient5660 ? "show cfg" : "show vc WAN settings";
        std::string r;
        ASSERT_TRUE(EnviarComando(comando, r, modelo, 0));
        const std::string pagina =
            modelo == kEfficient5660 ? "Press any key to continue" : "---Press <return> or type More for more";
        const size_t paginas = Ocurrencias(r, pagina);
        EXPECT_GE(paginas, 3u);
        // The last line of the listing came, then the prompt.
        EXPECT_NE(r.find(modelo == kEfficient5660 ? "dsl bitswap on" : "Status                        : Enabled"),
                  std::string::npos);
        EXPECT_TRUE(EndsWith(r, PromptModelo(modelo)));
        // The command, then one return for each page.
        const auto& l = sim.lineasRecibidas();
        ASSERT_EQ(l.size() - antes, 1 + paginas);
        EXPECT_EQ(l[antes], comando);

        // The next command's reply is not cut short by stray prompts.
        std::string siguiente;
        ASSERT_TRUE(EnviarComando(modelo == kEfficient5660 ? "show" : "list ppp", siguiente, modelo, 0));
        EXPECT_NE(siguiente.find(modelo == kEfficient5660 ? "Host Name" : "WAN   8/32"), std::string::npos)
            << siguiente;
        CerrarPuerto();
    }
}

TEST_F(Comandos, PromptSeguidoDeMasDe15CaracteresNoTermina)
{
    auto& sim = Conectado(kOfficeRemote812);
    sim.fijarRespuesta("show help", "Commands:\n3Com-DSL> is the prompt of this console\n@pausa 300\nlast line\n");
    std::string r;
    ASSERT_TRUE(EnviarComando("show help", r, kOfficeRemote812, 0));
    EXPECT_NE(r.find("last line\r\n"), std::string::npos) << r;
    EXPECT_TRUE(EndsWith(r, "last line\r\n3Com-DSL>"));

    // Within 15 characters of the end the prompt does end the exchange.
    sim.fijarRespuesta("show corto", "3Com-DSL> ok\n@pausa 800\nnot waited for\n");
    ASSERT_TRUE(EnviarComando("show corto", r, kOfficeRemote812, 0));
    EXPECT_EQ(r.find("not waited for"), std::string::npos) << r;
}

TEST_F(Comandos, LimiteDeTiempoEnviaCtrlC)
{
    auto& sim = Conectado(kEfficient5660);
    QElapsedTimer reloj;
    reloj.start();
    std::string r;
    ASSERT_TRUE(EnviarComando("traceroute 10.1.2.3", r, kEfficient5660, 1));
    const auto ms = reloj.elapsed();
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 2500);
    EXPECT_NE(r.find("traceroute to 10.1.2.3"), std::string::npos);
    EXPECT_EQ(r.find(" 5  10.1.2.3"), std::string::npos); // the trace was still running
    // Ctrl-C, then the carriage return that every written line ends with.
    const auto& l = sim.lineasRecibidas();
    ASSERT_GE(l.size(), 3u);
    EXPECT_EQ(l[l.size() - 3], "traceroute 10.1.2.3");
    EXPECT_EQ(l[l.size() - 2], std::string(1, '\x03'));
    EXPECT_EQ(l[l.size() - 1], "");

    // The console is back at its prompt and answers the next command in full.
    ASSERT_TRUE(EnviarComando("show dhcpcfg", r, kEfficient5660, 0));
    EXPECT_NE(r.find("End IP Range"), std::string::npos);
}

TEST_F(Comandos, LimiteNoAlcanzadoNoEnviaCtrlC)
{
    auto& sim = Conectado(kEfficient5660);
    std::string r;
    ASSERT_TRUE(EnviarComando("atmping F5 end 8 32", r, kEfficient5660, 10));
    EXPECT_NE(r.find("5 cells sent"), std::string::npos);
    EXPECT_EQ(Contar(std::string(1, '\x03')), 0);
    (void)sim;
}

TEST_F(Comandos, RespuestaLentaPocosCaracteresCadaVez)
{
    auto& sim = Conectado(kOfficeRemote812);
    sim.opciones().baudios = 4800; // 480 characters a second: a few characters per read
    ReiniciarContadoresCanal();
    std::string r;
    ASSERT_TRUE(EnviarComando("show ethernet settings", r, kOfficeRemote812, 0));
    EXPECT_GT(contadoresCanal().lecturas, 5);
    EXPECT_NE(r.find("Physical Address              : 00:A0:24:5C:1E:3B\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("Collisions                    : 17\r\n"), std::string::npos) << r;
    EXPECT_TRUE(EndsWith(r, "3Com-DSL>"));
    EXPECT_EQ(Ocurrencias(r, "\r\n\r\n\r\n"), 0u);
}

TEST_F(Comandos, ComandoConFinDeLineaSeEnviaHastaElPrimero)
{
    auto& sim = Conectado(kOfficeRemote812);
    std::string r;
    ASSERT_TRUE(EnviarComando("show system\rlist ppp\nlist ip routes", r, kOfficeRemote812, 0));
    EXPECT_EQ(sim.lineasRecibidas().back(), "show system");
    EXPECT_EQ(Contar("list ppp"), 0);
    EXPECT_EQ(r.find("PPP Sessions"), std::string::npos);
}

TEST_F(Comandos, EscribirVacioEnviaUnRetorno)
{
    auto& sim = Router812();
    ASSERT_TRUE(Abrir());
    ASSERT_TRUE(EscribirPuerto(""));
    const std::string eco = LeerPuerto(0);
    EXPECT_EQ(eco, "\r\nPassword: ");
    EXPECT_EQ(sim.lineasRecibidas(), (std::vector<std::string>{""}));
}

TEST_F(Comandos, LeerSinNadaEsperaYDevuelveVacio)
{
    sim::OpcionesSimulador o;
    o.silencioso = true;
    Router812(o);
    ASSERT_TRUE(Abrir());
    QElapsedTimer reloj;
    reloj.start();
    const double cpu0 = SegundosCpu();
    EXPECT_EQ(LeerPuerto(0), "");
    const double cpu = SegundosCpu() - cpu0;
    EXPECT_GE(reloj.elapsed(), 1000);
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_LT(cpu, 0.05);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Comandos, PuertoCerradoFallaEnSeguida)
{
    Router812();
    std::string r = "previa";
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_FALSE(EnviarComando("show system", r, kOfficeRemote812, 0));
    EXPECT_FALSE(EnviarComando("show system", r, kOfficeRemote812, 5));
    EXPECT_FALSE(EscribirPuerto("show system"));
    EXPECT_EQ(LeerPuerto(0), "");
    EXPECT_EQ(LeerPuerto(500), "");
    EXPECT_LT(reloj.elapsed(), 100);
    EXPECT_EQ(r, "");
    EXPECT_TRUE(dialogos_.mensajes.empty());
    EXPECT_TRUE(router_->lineasRecibidas().empty());
    CerrarPuerto(); // closing a closed port does nothing
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Comandos, CerrarDuranteElComandoSinLimite)
{
    for (int limite : {0, 30}) {
        SCOPED_TRACE(limite);
        sim::OpcionesSimulador o;
        auto& sim = Conectado(kOfficeRemote812, o);
        sim.fijarRespuesta("show lento", "first line\n@pausa 60000\nnever\n");
        tiempos().esperaLecturaS = 5;
        QElapsedTimer reloj;
        reloj.start();
        QTimer::singleShot(400, [] { CerrarPuerto(); });
        std::string r;
        EXPECT_FALSE(EnviarComando("show lento", r, kOfficeRemote812, limite));
        EXPECT_LT(reloj.elapsed(), 1000);
        EXPECT_FALSE(PuertoAbierto());
        EXPECT_TRUE(dialogos_.mensajes.empty());
        // Every later exchange fails at once.
        EXPECT_FALSE(EnviarComando("show system", r, kOfficeRemote812, 0));
        EXPECT_FALSE(EscribirPuerto(""));
        tiempos().esperaLecturaS = 1;
    }
}

TEST_F(Comandos, CerrarMientrasLlegaLaRespuesta)
{
    // The cancel arrives while characters are flowing, between two reads.
    auto& sim = Conectado(kOfficeRemote812);
    sim.opciones().baudios = 1200;
    QTimer::singleShot(700, [] { CerrarPuerto(); });
    QElapsedTimer reloj;
    reloj.start();
    std::string r;
    EXPECT_FALSE(EnviarComando("show vc WAN settings", r, kOfficeRemote812, 0));
    EXPECT_LT(reloj.elapsed(), 1500);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Comandos, DispositivoQueDesapareceAMitadDeRespuesta)
{
    auto& sim = Conectado(kEfficient5660);
    sim.opciones().desaparecerTrasBytes = static_cast<int>(sim.bytesEnviados()) + 60;
    QElapsedTimer reloj;
    reloj.start();
    std::string r;
    EXPECT_FALSE(EnviarComando("show cfg", r, kEfficient5660, 0));
    EXPECT_LT(reloj.elapsed(), 1500);
    EXPECT_FALSE(PuertoAbierto());
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].titulo, "Error");
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrLecPuerto, 0), 0u) << dialogos_.mensajes[0].texto;
    // Afterwards the closed port answers quietly.
    EXPECT_FALSE(EnviarComando("show", r, kEfficient5660, 0));
    EXPECT_EQ(LeerPuerto(0), "");
    CerrarPuerto();
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
}

TEST_F(Comandos, DispositivoQueDesapareceConLimite)
{
    auto& sim = Conectado(kOfficeRemote812);
    QTimer::singleShot(300, [&sim] { sim.desaparecer(); });
    sim.fijarRespuesta("show lento", "first line\n@pausa 60000\nnever\n");
    QElapsedTimer reloj;
    reloj.start();
    std::string r;
    EXPECT_FALSE(EnviarComando("show lento", r, kOfficeRemote812, 20));
    EXPECT_LT(reloj.elapsed(), 1500);
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
}

TEST_F(Comandos, DispositivoQueDesapareceAntesDeEscribir)
{
    auto& sim = Conectado(kOfficeRemote812);
    sim.desaparecer();
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_FALSE(EscribirPuerto("show system"));
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_FALSE(PuertoAbierto());
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrEscPuerto, 0), 0u) << dialogos_.mensajes[0].texto;
}

TEST_F(Comandos, CerrarYReabrirDuranteUnaLecturaLaHaceFallar)
{
    // A handler running inside the read's wait closes the port and opens it again:
    // the read that began on the old session does not go on with the new one.
    auto& sim = Conectado(kOfficeRemote812);
    sim.fijarRespuesta("show lento", "@pausa 60000\nnever\n");
    const std::string ruta = sim.rutaDispositivo().toStdString();
    QTimer::singleShot(300, [ruta] {
        CerrarPuerto();
        AbrirPuertoRuta(ruta, 9600, "N", 8, 1);
    });
    tiempos().esperaLecturaS = 5;
    QElapsedTimer reloj;
    reloj.start();
    std::string r;
    EXPECT_FALSE(EnviarComando("show lento", r, kOfficeRemote812, 0));
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_TRUE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Comandos, ConsolaQueDejaDeContestar)
{
    // Answers part of the reply and then nothing more, the line still open: with a
    // time limit the exchange ends at the limit with what came.
    auto& sim = Conectado(kOfficeRemote812);
    sim.opciones().cortarTrasBytes = static_cast<int>(sim.bytesEnviados()) + 40;
    std::string r;
    QElapsedTimer reloj;
    reloj.start();
    ASSERT_TRUE(EnviarComando("show system", r, kOfficeRemote812, 1));
    EXPECT_GE(reloj.elapsed(), 1000);
    EXPECT_EQ(r.size(), 40u) << r;
    EXPECT_TRUE(PuertoAbierto());
}

TEST_F(Comandos, Ping812SigueTrasElPrompt)
{
    Conectado(kOfficeRemote812);
    std::string r;
    ASSERT_TRUE(EnviarComando("ping 10.0.0.1", r, kOfficeRemote812, 0));
    EXPECT_TRUE(EndsWith(r, "3Com-DSL>"));
    EXPECT_EQ(r.find("Reply from"), std::string::npos);
    std::string resto;
    for (int i = 0; i < 12 && resto.find("Ping statistics") == std::string::npos; ++i)
        resto += LeerPuerto(0);
    EXPECT_NE(resto.find("Reply from 10.0.0.1"), std::string::npos);
    EXPECT_NE(resto.find("4 sent, 4 received"), std::string::npos);
}

TEST_F(Comandos, AccesoConLineaLenta)
{
    // Log-on and a command with the output arriving a few characters at a time.
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        SCOPED_TRACE(modelo);
        sim::OpcionesSimulador o;
        o.baudios = 2400;
        o.modelo = modelo;
        Router(o);
        tiempos().pausaLecturaMs = 200;
        ASSERT_TRUE(IniciarModelo(modelo));
        std::string r;
        ASSERT_TRUE(EnviarComando(modelo == kEfficient5660 ? "show dhcpcfg" : "show dhcp server settings", r, modelo, 0));
        EXPECT_NE(r.find(modelo == kEfficient5660 ? "Primary DNS                    - 80.58.61.250\r\n"
                                                  : "Domain Name                   : Not set\r\n"),
                  std::string::npos)
            << r;
        EXPECT_TRUE(dialogos_.mensajes.empty());
        CerrarPuerto();
    }
}

TEST_F(Comandos, RespuestaLarga)
{
    // A reply far longer than 32767 characters arrives whole.
    auto& sim = Conectado(kEfficient5660);
    std::string larga;
    for (int i = 0; i < 2500; ++i)
        larga += "entry " + std::to_string(i) + " value abcdefghij\n";
    sim.fijarRespuesta("show log", larga);
    std::string r;
    ASSERT_TRUE(EnviarComando("show log", r, kEfficient5660, 0));
    EXPECT_GT(r.size(), 60000u);
    EXPECT_NE(r.find("entry 2499 value abcdefghij\r\nCommand->"), std::string::npos);
}

TEST_F(Comandos, EsperarPausaSinGastarProcesador)
{
    Router812();
    QElapsedTimer reloj;
    reloj.start();
    const double cpu0 = SegundosCpu();
    Esperar(300);
    EXPECT_GE(reloj.elapsed(), 300);
    EXPECT_LT(reloj.elapsed(), 900);
    EXPECT_LT(SegundosCpu() - cpu0, 0.03);
}

} // namespace
} // namespace tesedra
