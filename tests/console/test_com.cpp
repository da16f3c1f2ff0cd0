// The console over a real serial port by its number, with the router simulator at the
// far end in a process of its own (on Windows under Wine: a COM port of the prefix
// linked to the simulator's pseudo-terminal). Each test runs through
// tests/console/router_externo.sh, which starts a simulator for it.
#include "checks/Pruebas.h"

#include "Ficheros.h"
#include "RouterExterno.h"

#include <QTimer>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

using RouterExterno = PruebaConRouterExterno;

// Every check of the model, each one a log-on, its commands and the close of the
// port, gives the text of its golden file byte for byte: the line settings reach
// the port (the simulator understands nothing at other settings), every byte of
// the replies arrives once and in order, and a closed port can be opened again.
TEST_F(RouterExterno, ChecksGiveTheGoldenTextsOverThePort)
{
    const std::string modelo = modelo_ == kOfficeRemote812 ? "812" : "5660";
    const std::pair<int16_t, const char*> pruebas[] = {
        {kPruebaSincronizacion, "sync"}, {kPruebaATM, "atm"}, {kPruebaPPP, "ppp"}, {kPruebaConfiguracion, "config"}};
    for (const auto& [tipo, nombre] : pruebas) {
        SCOPED_TRACE(nombre);
        const std::string texto = EjecutarPrueba(modelo_, tipo, ParametrosPrueba{});
        EXPECT_EQ(Visible(texto), Visible(Golden("tests/checks/golden/" + modelo + "_" + nombre + ".txt")));
        EXPECT_FALSE(PuertoAbierto());
        ASSERT_TRUE(dialogos_.mensajes.empty()) << dialogos_.mensajes[0].texto;
    }
}

// The longest reply of the 812, which the simulators of these tests cut short: past
// the 160 bytes of the log-on, its echo and the first few hundred bytes of it.
const char kOrdenLarga[] = "show vc WAN settings";

// The router goes away in the middle of a reply (the simulator closes its end after
// so many bytes): the exchange fails at once, the loss is reported once with the
// read-error message, the port is closed, and later calls fail quietly.
TEST_F(RouterExterno, VanishingRouterEndsTheExchangeWithTheReadError)
{
    ASSERT_TRUE(IniciarModelo(modelo_));
    tiempos().esperaLecturaS = 24 * 3600;
    std::string r;
    EXPECT_FALSE(EnviarOrden(kOrdenLarga, r, modelo_));
    EXPECT_FALSE(PuertoAbierto());
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrLecPuerto, 0), 0u) << dialogos_.mensajes[0].texto;
    EXPECT_FALSE(EnviarOrden("show system", r, modelo_));
    EXPECT_EQ(r, "");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
}

// A router that stops answering in the middle of a reply leaves the command waiting
// with no time limit; closing the port (the processing dialog's cancel) ends that
// wait at once, and the exchange fails without a message. A wait the close did not
// end would hang.
TEST_F(RouterExterno, ClosingThePortEndsAWaitingExchangeAtOnce)
{
    ASSERT_TRUE(IniciarModelo(modelo_));
    tiempos().esperaLecturaS = 24 * 3600;
    tiempos().pausaLecturaMs = 0;
    bool cerrado = false;
    QTimer::singleShot(300, [&] {
        cerrado = true;
        CerrarPuerto();
    });
    std::string r;
    EXPECT_FALSE(EnviarOrden(kOrdenLarga, r, modelo_));
    EXPECT_TRUE(cerrado);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.mensajes[0].texto;
    // The port was let go: it opens again.
    EXPECT_TRUE(AbrirPuerto(puerto_, 9600, "N", 8, 1));
}

} // namespace
