// The line checks of both router models through the dispatcher, against the router
// simulator over a pseudo-terminal.
#include "checks/Pruebas.h"

#include "Ficheros.h"
#include "Router.h"

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// The model, the check, its golden file (tests/checks/golden/<name>.txt) and its commands.
using CasoGolden = std::tuple<int16_t, int16_t, std::string, std::vector<std::string>>;

const std::vector<CasoGolden> kCasos = {
    {kOfficeRemote812,
     kPruebaSincronizacion,
     "812_sync",
     {"show adsl transceiver_status", "show adsl performance", "show system"}},
    {kOfficeRemote812, kPruebaATM, "812_atm", {"show atm status"}},
    {kOfficeRemote812, kPruebaPPP, "812_ppp", {"list ppp", "show ppp on vc WAN settings"}},
    {kOfficeRemote812,
     kPruebaConfiguracion,
     "812_config",
     {"show vc WAN settings", "show ip network LAN settings", "show dhcp server settings"}},
    {kEfficient5660, kPruebaSincronizacion, "5660_sync", {"show dslstatus", "show dslstats", "show"}},
    {kEfficient5660, kPruebaATM, "5660_atm", {"atmping F5 seg 8 32", "atmping F5 end 8 32"}},
    {kEfficient5660, kPruebaPPP, "5660_ppp", {"show pppstatus"}},
    {kEfficient5660, kPruebaConfiguracion, "5660_config", {"show cfg"}},
};

class Chequeo : public PruebaConRouter, public testing::WithParamInterface<CasoGolden> {};

// The whole result text of every check, byte for byte (tabs, blank lines and CR LF
// included), from exactly its commands, with every reply, prompt and paging prompt
// arriving in pieces cut at any byte (between CR and LF, inside a label or a prompt)
// and a paging stop in every long listing (the same texts over a serial port without
// paging: tests/console/test_com.cpp). A cancel while a command of the check waits for
// its reply: no text at all.
TEST_P(Chequeo, GivesTheExpectedTextFromItsCommandsPagedOverASlowLineOrNoneWhenCancelled)
{
    const auto& [modelo, tipo, fichero, ordenes] = GetParam();
    Router(modelo, [](sim::OpcionesSimulador& o) {
        o.paginado = 13;
        o.baudios = 19200;
    });
    ReiniciarContadoresCanal();
    EXPECT_EQ(Visible(EjecutarPrueba(modelo, tipo, ParametrosPrueba{})),
              Visible(Golden("tests/checks/golden/" + std::string(fichero) + ".txt")));
    EXPECT_GT(contadoresCanal().lecturas, 10);
    EXPECT_EQ(Ordenes(), ordenes);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());

    Router(modelo);
    CancelarAlRecibir(ordenes.back());
    EXPECT_EQ(EjecutarPrueba(modelo, tipo, ParametrosPrueba{}), "");
    EXPECT_FALSE(PuertoAbierto());
}

INSTANTIATE_TEST_SUITE_P(Modelos, Chequeo, testing::ValuesIn(kCasos), [](const testing::TestParamInfo<CasoGolden>& i) {
    return std::string("r") + std::get<2>(i.param);
});

TEST_F(PruebaConRouter, Sync812CutsEachLabelItsWay)
{
    auto& r = Router(kOfficeRemote812);
    r.FijarRespuesta("show adsl transceiver_status",
                     "Attenuation Upstream: 22\n"
                     "Attenuation Downstream#  31.5 dB \n"
                     "Noise Margin Upstream:9\n"
                     "Transmit Power (ATUR) : 12 dBm\n"
                     "Actual Negotiated Downstream Baud Rate: 2048 Kbps  Number of link down events: 3\n");
    r.FijarRespuesta("show adsl performance", "Total time since last link down:  0:10:00\n");
    r.FijarRespuesta("show system",
                     "System UpTime: 2 days\nNoise Margin Downstream: 11\nNoise Margin Downstream: 12\n");
    // A value keeps its line's CR LF: each value line is followed by an empty one;
    // ":9" skips the ":", and a later line of the same label overwrites.
    const std::string texto = EjecutarPrueba(kOfficeRemote812, kPruebaSincronizacion, {});
    EXPECT_EQ(Visible(texto), Visible(Golden("tests/checks/golden/812_sync_cortes.txt", texto)));
}

TEST_F(PruebaConRouter, Sync5660TakesTheFirstRuleOfALineAndFourLossCounts)
{
    auto& r = Router(kEfficient5660);
    r.FijarRespuesta("show dslstatus", "Software Version - 3.1 DSL State - ignored\n"
                                       "Current TX Rate  -  640 Kbps \n"
                                       "Current SNR Margin - 12.5 - 10.0\n"
                                       "Current Output Power - 12.0 - 11.0 dBm\n");
    r.FijarRespuesta("show dslstats", "Loss of Link - 1\nLoss of Link Seconds - 2\nLoss of Link Seconds - 3 - x\n"
                                      "Loss of Link Seconds - 4\nLoss of Link Seconds - 5\n");
    r.FijarRespuesta("show", "System Up Time - 1 day\nno hyphen System Up Time here\n");
    const std::string texto = EjecutarPrueba(kEfficient5660, kPruebaSincronizacion, {});
    EXPECT_EQ(Visible(texto), Visible(Golden("tests/checks/golden/5660_sync_cortes.txt", texto)));
}

TEST_F(PruebaConRouter, ParametersOfTheWindowsReachTheCommands)
{
    auto& r = Router(kEfficient5660);
    r.FijarRespuesta("atmping F5 seg 0 35", "");
    r.FijarRespuesta("atmping F5 end 0 35", "Press any key to continue\n5 cells received\n");
    ParametrosPrueba p{"0", "35", "WAN"};
    // (The 812's configuration drops the echo of its first command only for "internet":
    // tesedra-cli's tests/cli/golden/812_config_internet.txt.)
    EXPECT_EQ(Visible(EjecutarPrueba(kEfficient5660, kPruebaATM, p)),
              Visible("atmping F5 seg 0 35\r\n\r\natmping F5 end 0 35\r\n5 cells received\r\n"));
}

TEST_F(PruebaConRouter, NoCheckForTypeThreeOrAnUnknownModel)
{
    Router(kEfficient5660);
    EXPECT_EQ(EjecutarPrueba(3, kPruebaSincronizacion, {}), "");
    EXPECT_TRUE(router_->LineasRecibidas().empty());
    EXPECT_EQ(EjecutarPrueba(kEfficient5660, kPruebaIP, {}), "");
    EXPECT_FALSE(router_->LineasRecibidas().empty()); // logged on
    EXPECT_TRUE(Ordenes().empty());
    EXPECT_FALSE(PuertoAbierto());
}

} // namespace
