// The line checks of both router models through the dispatcher, against the router
// simulator over a pseudo-terminal.
#include "checks/Pruebas.h"

#include "tests/checks/RouterPrueba.h"

#include <QDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

struct CasoGolden {
    int16_t modelo;
    int16_t tipo;
    const char* fichero;
    std::vector<std::string> ordenes;
};

void PrintTo(const CasoGolden& c, std::ostream* os)
{
    *os << c.fichero;
}

std::string NombreCaso(const testing::TestParamInfo<CasoGolden>& i)
{
    std::string n = i.param.fichero;
    for (char& c : n) {
        if (c == '.')
            c = '_';
    }
    return n;
}

class ChequeoCompleto : public PruebaConRouter, public testing::WithParamInterface<CasoGolden> {};

// The whole result text of every check on the simulator's standard replies, compared
// byte for byte with the expected file (tabs, blank lines and CR LF included).
TEST_P(ChequeoCompleto, ResultadoIgualAlEsperado)
{
    const auto& c = GetParam();
    Router(c.modelo);
    const std::string resultado = EjecutarPrueba(c.modelo, c.tipo, ParametrosPrueba{});
    const QString ruta = QStringLiteral(TESEDRA_SOURCE_DIR "/tests/checks/golden/") + QLatin1String(c.fichero);
    if (qEnvironmentVariableIsSet("TESEDRA_REGENERAR_GOLDEN")) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(resultado.data(), static_cast<qint64>(resultado.size()));
    }
    const std::string esperado = LeerFichero(ruta);
    EXPECT_EQ(Visible(resultado), Visible(esperado));
    EXPECT_EQ(Ordenes(), c.ordenes);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modelos, ChequeoCompleto,
    testing::Values(
        CasoGolden{kOfficeRemote812, kPruebaSincronizacion, "812_sync.txt",
                   {"show adsl transceiver_status", "show adsl performance", "show system"}},
        CasoGolden{kOfficeRemote812, kPruebaATM, "812_atm.txt", {"show atm status"}},
        CasoGolden{kOfficeRemote812, kPruebaPPP, "812_ppp.txt", {"list ppp", "show ppp on vc WAN settings"}},
        CasoGolden{kOfficeRemote812, kPruebaConfiguracion, "812_config.txt",
                   {"show vc WAN settings", "show ip network LAN settings", "show dhcp server settings"}},
        CasoGolden{kEfficient5660, kPruebaSincronizacion, "5660_sync.txt", {"show dslstatus", "show dslstats", "show"}},
        CasoGolden{kEfficient5660, kPruebaATM, "5660_atm.txt", {"atmping F5 seg 8 32", "atmping F5 end 8 32"}},
        CasoGolden{kEfficient5660, kPruebaPPP, "5660_ppp.txt", {"show pppstatus"}},
        CasoGolden{kEfficient5660, kPruebaConfiguracion, "5660_config.txt", {"show cfg"}}),
    NombreCaso);

// Paged replies: the console stops every few lines with its paging prompt, the channel
// answers it, and the checks that drop the paging lines give the same text as unpaged.
struct CasoPaginado {
    int16_t modelo;
    int16_t tipo;
    const char* fichero;
};

void PrintTo(const CasoPaginado& c, std::ostream* os)
{
    *os << c.fichero;
}

class ChequeoPaginado : public PruebaConRouter, public testing::WithParamInterface<CasoPaginado> {};

TEST_P(ChequeoPaginado, IgualQueSinPaginar)
{
    const auto& c = GetParam();
    Router(c.modelo, [](sim::OpcionesSimulador& o) { o.paginado = 7; });
    const std::string resultado = EjecutarPrueba(c.modelo, c.tipo, ParametrosPrueba{});
    const std::string esperado =
        LeerFichero(QStringLiteral(TESEDRA_SOURCE_DIR "/tests/checks/golden/") + QLatin1String(c.fichero));
    EXPECT_EQ(Visible(resultado), Visible(esperado));
}

// The same over a slow line: every reply, prompt and paging prompt arrives in pieces
// cut at any byte (between CR and LF, inside a label or a prompt), read by many reads.
TEST_P(ChequeoPaginado, IgualPorUnaLineaLenta)
{
    const auto& c = GetParam();
    Router(c.modelo, [](sim::OpcionesSimulador& o) {
        o.paginado = 7;
        o.baudios = 19200;
    });
    ReiniciarContadoresCanal();
    const std::string resultado = EjecutarPrueba(c.modelo, c.tipo, ParametrosPrueba{});
    const std::string esperado =
        LeerFichero(QStringLiteral(TESEDRA_SOURCE_DIR "/tests/checks/golden/") + QLatin1String(c.fichero));
    EXPECT_EQ(Visible(resultado), Visible(esperado));
    EXPECT_GT(contadoresCanal().lecturas, 10);
}

INSTANTIATE_TEST_SUITE_P(Modelos, ChequeoPaginado,
                         testing::Values(CasoPaginado{kEfficient5660, kPruebaConfiguracion, "5660_config.txt"},
                                         CasoPaginado{kEfficient5660, kPruebaPPP, "5660_ppp.txt"},
                                         CasoPaginado{kEfficient5660, kPruebaSincronizacion, "5660_sync.txt"},
                                         CasoPaginado{kOfficeRemote812, kPruebaConfiguracion, "812_config.txt"},
                                         CasoPaginado{kOfficeRemote812, kPruebaSincronizacion, "812_sync.txt"}),
                         [](const testing::TestParamInfo<CasoPaginado>& i) {
                             std::string n = i.param.fichero;
                             return n.substr(0, n.find('.'));
                         });

using Chequeo812 = PruebaConRouter;
using Chequeo5660 = PruebaConRouter;
using Despachador = PruebaConRouter;

const std::string kEsqueleto812 = "System Version:\t\r\n\r\n"
                                  "Attenuation Upstream:\t\r\nAttenuation Downstream:\t\r\n\r\n"
                                  "Noise Margin Upstream:\t\t\r\nNoise Margin Downstream:\t\r\n\r\n"
                                  "Transmit Power(ATUR):\t\r\nTransmit Power(ATUC):\t\r\n\r\n"
                                  "Actual Negotiated Downstream Baud Rate:\t\r\n"
                                  "Actual Negotiated Upstream Baud Rate:\t\r\n\r\n"
                                  "Number of link down events:\t\r\n\r\n"
                                  "Total time since system reboot:\t\r\n\r\n"
                                  "Total time since last link down:\t\r\n\r\n"
                                  "System Up Time:\t\r\n";

TEST_F(Chequeo812, SincronizacionSinEtiquetasDaElEsqueleto)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("show adsl transceiver_status", "nothing here\n");
    r.fijarRespuesta("show adsl performance", "");
    r.fijarRespuesta("show system", "Uptime unknown\n");
    EXPECT_EQ(Visible(EjecutarPrueba(kOfficeRemote812, kPruebaSincronizacion, {})), Visible(kEsqueleto812));
}

TEST_F(Chequeo812, SincronizacionCortesDeCadaEtiqueta)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("show adsl transceiver_status",
                     "Attenuation Upstream: 22\n"
                     "Attenuation Downstream#  31.5 dB \n"
                     "Noise Margin Upstream:9\n"
                     "Transmit Power (ATUR) : 12 dBm\n"
                     "Actual Negotiated Downstream Baud Rate: 2048 Kbps  Number of link down events: 3\n"
                     "Actual Negotiated Upstream Baud Rate : 320 Kbps\n");
    r.fijarRespuesta("show adsl performance", "Total time since system reboot: 1:02:03\n"
                                              "Total time since last link down:  0:10:00\n");
    r.fijarRespuesta("show system", "System Version: 5.3.1\nSystem UpTime: 2 days\n"
                                    "Noise Margin Downstream: 11\nNoise Margin Downstream: 12\n");
    // Every value keeps its line's CR LF, so each value line is followed by an empty one
    // besides the empty lines of the layout.
    const std::string esperado =
        "System Version:\t5.3.1\r\n\r\n"
        "\r\n"
        "Attenuation Upstream:\t22\r\n\r\n"
        "Attenuation Downstream:\t31.5 dB \r\n\r\n"
        "\r\n"
        "Noise Margin Upstream:\t\t9\r\n\r\n"      // ":9": the skipped character is the ":"
        "Noise Margin Downstream:\t12\r\n\r\n"     // a later line overwrites
        "\r\n"
        "Transmit Power(ATUR):\t: 12 dBm\r\n\r\n"
        "Transmit Power(ATUC):\t\r\n"
        "\r\n"
        "Actual Negotiated Downstream Baud Rate:\t2048 Kbps  Number of link down events: 3\r\n\r\n"
        "Actual Negotiated Upstream Baud Rate:\t320 Kbps\r\n\r\n"
        "\r\n"
        "Number of link down events:\t2048 Kbps  Number of link down events: 3\r\n\r\n"
        "\r\n"
        "Total time since system reboot:\t1:02:03\r\n\r\n"
        "\r\n"
        "Total time since last link down:\t0:10:00\r\n\r\n"
        "\r\n"
        "System Up Time:\t2 days\r\n\r\n";
    EXPECT_EQ(Visible(EjecutarPrueba(kOfficeRemote812, kPruebaSincronizacion, {})), Visible(esperado));
}

TEST_F(Chequeo812, ConfiguracionSoloDescartaElEcoDelCircuitoInternet)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("show vc WAN settings", "VC WAN\n---Press <return> or type More for more\nmore\n");
    r.fijarRespuesta("show vc internet settings", "VC internet\n");
    r.fijarRespuesta("show ip network LAN settings", "Press any key to continue\nLAN\n");
    r.fijarRespuesta("show dhcp server settings", "DHCP\n");

    ParametrosPrueba p;
    p.circuito = "WAN";
    const std::string conWAN = EjecutarPrueba(kOfficeRemote812, kPruebaConfiguracion, p);
    EXPECT_EQ(Visible(conWAN), Visible("show vc WAN settings\r\nVC WAN\r\nmore\r\nLAN\r\nDHCP\r\n"));

    p.circuito = "internet";
    const std::string conInternet = EjecutarPrueba(kOfficeRemote812, kPruebaConfiguracion, p);
    EXPECT_EQ(Visible(conInternet), Visible("VC internet\r\nLAN\r\nDHCP\r\n"));
}

TEST_F(Chequeo812, PPPSeparaLosDosListadosConUnaLineaVacia)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("list ppp", "PPP1 up\n");
    r.fijarRespuesta("show ppp on vc WAN settings", "Send Name : user\n");
    EXPECT_EQ(Visible(EjecutarPrueba(kOfficeRemote812, kPruebaPPP, {})),
              Visible("PPP1 up\r\n\r\nSend Name : user\r\n"));
}

TEST_F(Chequeo812, ATMNoUsaVPNiVC)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("show atm status", "VC 8/32 up\n");
    ParametrosPrueba p;
    p.vp = "1";
    p.vc = "99";
    EXPECT_EQ(EjecutarPrueba(kOfficeRemote812, kPruebaATM, p), "VC 8/32 up\r\n");
    EXPECT_EQ(Ordenes(), std::vector<std::string>{"show atm status"});
}

const std::string kEsqueleto5660 = "Software version: \r\nSystem Up Time: \r\nDSL State: \r\nCurrent TX Rate: \r\n"
                                   "Current Attainable Rate: \r\nCurrent SNR Margin: \r\nCurrent Attenuation: \r\n"
                                   "Current Output Power: \r\n\r\n---Performance Info---\r\nFailures:\r\n"
                                   "\tLoss of Link: \r\n\r\nCurrent 15-minute Statistics:\r\n"
                                   "\tLoss of Link Seconds: \r\n\r\nCurrent 1-day Statistics:\r\n"
                                   "\tLoss of Link Seconds: \r\n\r\nPrevious 1-day Statistics:\r\n"
                                   "\tLoss of Link Seconds: \r\n\r\n";

TEST_F(Chequeo5660, SincronizacionSinEtiquetasDaElEsqueleto)
{
    auto& r = Router(kEfficient5660);
    r.fijarRespuesta("show dslstatus", "no labels\n");
    r.fijarRespuesta("show dslstats", "");
    r.fijarRespuesta("show", "still nothing\n");
    EXPECT_EQ(Visible(EjecutarPrueba(kEfficient5660, kPruebaSincronizacion, {})), Visible(kEsqueleto5660));
}

TEST_F(Chequeo5660, SincronizacionReglasYOcurrencias)
{
    auto& r = Router(kEfficient5660);
    r.fijarRespuesta("show dslstatus", "Software Version - 3.1 DSL State - ignored\n"
                                       "DSL State        - Showtime\n"
                                       "Current TX Rate  -  640 Kbps \n"
                                       "Current Attainable Rate - 8000 Kbps\n"
                                       "Current SNR Margin - 12.5 - 10.0\n"
                                       "Current Attenuation - 30.5 dB\n"
                                       "Current Output Power - 12.0 - 11.0 dBm\n");
    r.fijarRespuesta("show dslstats", "Loss of Link - 1\n"
                                      "Loss of Link Seconds - 2\n"
                                      "Loss of Link Seconds - 3 - x\n"
                                      "Loss of Link Seconds - 4\n"
                                      "Loss of Link Seconds - 5\n");
    r.fijarRespuesta("show", "System Up Time - 1 day\nno hyphen System Up Time here\n");
    const std::string esperado = "Software version: 3.1 DSL State - ignored\r\n"
                                 "System Up Time: no hyphen System Up Time here\r\n"
                                 "DSL State: Showtime\r\n"
                                 "Current TX Rate: 640 Kbps \r\n\r\n"
                                 "Current Attainable Rate: 8000 Kbps\r\n"
                                 "Current SNR Margin: 12.5\r\n"
                                 "Current Attenuation: 30.5 dB\r\n"
                                 "Current Output Power: 12.0\r\n\r\n"
                                 "---Performance Info---\r\nFailures:\r\n"
                                 "\tLoss of Link: 1\r\n\r\nCurrent 15-minute Statistics:\r\n"
                                 "\tLoss of Link Seconds: 2\r\n\r\nCurrent 1-day Statistics:\r\n"
                                 "\tLoss of Link Seconds: 3\r\n\r\nPrevious 1-day Statistics:\r\n"
                                 "\tLoss of Link Seconds: 4\r\n\r\n";
    EXPECT_EQ(Visible(EjecutarPrueba(kEfficient5660, kPruebaSincronizacion, {})), Visible(esperado));
}

TEST_F(Chequeo5660, ATMEmpiezaPorLaOrdenAunqueNoHayaRespuesta)
{
    auto& r = Router(kEfficient5660);
    r.fijarRespuesta("atmping F5 seg 0 35", "");
    r.fijarRespuesta("atmping F5 end 0 35", "Press any key to continue\n5 cells received\n");
    ParametrosPrueba p;
    p.vp = "0";
    p.vc = "35";
    EXPECT_EQ(Visible(EjecutarPrueba(kEfficient5660, kPruebaATM, p)),
              Visible("atmping F5 seg 0 35\r\n\r\natmping F5 end 0 35\r\n5 cells received\r\n"));
}

TEST_F(Chequeo5660, ATMConVPVacioLlevaDosBlancos)
{
    Router(kEfficient5660);
    ParametrosPrueba p;
    p.vp = "";
    p.vc = "32";
    const std::string resultado = EjecutarPrueba(kEfficient5660, kPruebaATM, p);
    EXPECT_EQ(resultado.rfind("atmping F5 seg  32\r\n", 0), 0u) << Visible(resultado);
    EXPECT_EQ(Ordenes(), (std::vector<std::string>{"atmping F5 seg  32", "atmping F5 end  32"}));
}

TEST_F(Chequeo5660, ATMSegundoPingFallidoDaResultadoVacio)
{
    Router(kEfficient5660);
    CancelarAlRecibir("atmping F5 end");
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, kPruebaATM, {}), "");
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(Chequeo5660, PPPYConfiguracionQuitanEcoPromptYPaginado)
{
    auto& r = Router(kEfficient5660);
    r.fijarRespuesta("show pppstatus", "PPP up\nPress any key to continue\nshow pppstatus again\nend\n");
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, kPruebaPPP, {}), "PPP up\r\nend\r\n");
    r.fijarRespuesta("show cfg", "cfg line\n\nlast\n");
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, kPruebaConfiguracion, {}), "cfg line\r\n\r\nlast\r\n");
}

TEST_F(Despachador, TipoTresIniciaSesionYNoEjecutaNada)
{
    Router(kEfficient5660);
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, kPruebaIP, {}), "");
    EXPECT_FALSE(router_->lineasRecibidas().empty()); // logged on
    EXPECT_TRUE(Ordenes().empty());
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, 9, {}), "");
    EXPECT_TRUE(Ordenes().empty());
}

TEST_F(Despachador, ModeloDesconocidoNoHablaConElRouter)
{
    Router(kEfficient5660);
    EXPECT_EQ(EjecutarPrueba(3, kPruebaSincronizacion, {}), "");
    EXPECT_TRUE(router_->lineasRecibidas().empty());
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(Despachador, AccesoFallidoDaVacioYCierraElPuerto)
{
    tiempos().limiteAccesoS = 1;
    Router(kOfficeRemote812, [](sim::OpcionesSimulador& o) { o.password = "otra"; });
    EXPECT_EQ(EjecutarPrueba(kOfficeRemote812, kPruebaATM, {}), "");
    EXPECT_FALSE(PuertoAbierto());
    for (const auto& l : router_->lineasRecibidas())
        EXPECT_EQ(l.find("show"), std::string::npos) << l;
    ASSERT_FALSE(dialogos_.mensajes.empty());
    EXPECT_EQ(dialogos_.mensajes.back().texto, mensajes().msgTiempoModem);
}

TEST_F(Despachador, CancelarTerminaEnFalloEnseguida)
{
    // The router stops answering the first command; the cancel closes the port while
    // the exchange, which has no time limit, is waiting for the prompt.
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        Router(modelo);
        const std::string orden = modelo == kEfficient5660 ? "show dslstatus" : "show adsl transceiver_status";
        CancelarAlRecibir(orden);
        QElapsedTimer reloj;
        reloj.start();
        EXPECT_EQ(EjecutarPrueba(modelo, kPruebaSincronizacion, {}), "") << modelo;
        EXPECT_LT(reloj.elapsed(), 4000) << modelo;
        EXPECT_FALSE(PuertoAbierto());
        EXPECT_EQ(Ordenes().front(), orden);
    }
}

} // namespace
