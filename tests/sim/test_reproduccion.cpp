// Console transcripts replayed by the simulator: a check or a validation run against
// the replay of its own transcript gives the result it gave against the router.
#include "checks/Pruebas.h"
#include "console/Transcripcion.h"
#include "validation/DatosValidacion.h"

#include "Ficheros.h"
#include "Router.h"
#include "Valores.h"

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// The model; a check (tipo >= 0) or a validation with the premium line check (tipo < 0);
// the result expected, from the tests' golden files; the recording router's lines per
// page (0: no paging); and the committed transcript of this run under
// tests/sim/transcripts, if any.
using CasoReplay = std::tuple<int16_t, int16_t, std::string, int, std::string>;

constexpr int16_t kValidacion = -1;

const CasoReplay kCasosReplay[] = {
    {kOfficeRemote812, kPruebaSincronizacion, "tests/checks/golden/812_sync.txt", 0, "812_sync.txt"},
    {kOfficeRemote812, kPruebaATM, "tests/checks/golden/812_atm.txt", 0, ""},
    {kOfficeRemote812, kPruebaPPP, "tests/checks/golden/812_ppp.txt", 4, ""},
    {kOfficeRemote812, kPruebaConfiguracion, "tests/checks/golden/812_config.txt", 5, "812_config_paged.txt"},
    {kEfficient5660, kPruebaSincronizacion, "tests/checks/golden/5660_sync.txt", 5, "5660_sync_paged.txt"},
    {kEfficient5660, kPruebaATM, "tests/checks/golden/5660_atm.txt", 0, "5660_atm.txt"},
    {kEfficient5660, kPruebaPPP, "tests/checks/golden/5660_ppp.txt", 0, ""},
    {kEfficient5660, kPruebaConfiguracion, "tests/checks/golden/5660_config.txt", 4, ""},
    {kOfficeRemote812, kValidacion, "tests/validation/golden/812_linea.txt", 0, "812_validation.txt"},
    {kEfficient5660, kValidacion, "tests/validation/golden/5660_linea.txt", 3, "5660_validation.txt"},
};

class Replay : public PruebaConRouter, public testing::WithParamInterface<CasoReplay> {
protected:
    void TearDown() override
    {
        estadoLinea() = EstadoLinea{};
        PruebaConRouter::TearDown();
    }

    // Runs the row's check or validation against whatever router is started.
    std::string Correr()
    {
        const auto& [modelo, tipo, golden, paginado, fixture] = GetParam();
        if (tipo >= 0)
            return EjecutarPrueba(modelo, tipo, ParametrosPrueba{});
        estadoLinea() = EstadoLinea{kModalidadPremium, true, true, true, true};
        ValoresInstalacion v;
        return EjecutarValidacion(modelo, v) ? CamposSinFecha(v) : std::string();
    }

    QTemporaryDir dir_;
};

// Recorded against the simulator, then replayed: the same result bytes, from the
// same commands, and the password never in the transcript. The committed transcript
// of the run, replayed with another password, gives the golden result too.
TEST_P(Replay, OwnAndCommittedTranscriptsGiveTheSameResult)
{
    const auto& [modelo, tipo, golden, paginado, fixture] = GetParam();
    Router(modelo, [p = paginado](sim::OpcionesSimulador& o) { o.paginado = p; });
    const std::string original = Correr();
    ASSERT_EQ(Visible(original), Visible(Golden(golden)));
    const std::vector<std::string> ordenes = Ordenes();
    const std::string texto = Grabadora::Instancia().Ultima().Texto();
    EXPECT_EQ(texto.find(kClavePrueba), std::string::npos);
    EXPECT_EQ(Grabadora::Instancia().Ultima().puerto, router_->RutaDispositivo().toStdString());
    if (!fixture.empty() && qEnvironmentVariableIsSet("TESEDRA_GOLDEN_NUEVOS"))
        Golden(std::string("tests/sim/transcripts/") + fixture, texto);

    const QString fichero = dir_.filePath(QStringLiteral("t.txt"));
    ASSERT_TRUE(EscribirFichero(fichero, texto));
    router_.reset();
    RouterDeTranscripcion(fichero);
    EXPECT_EQ(Visible(Correr()), Visible(original));
    EXPECT_EQ(Ordenes(), ordenes);
    EXPECT_TRUE(dialogos_.mensajes.empty());
    if (fixture.empty())
        return;
    sesion().ClaveModem = "otra clave";
    RouterDeTranscripcion(
        QStringLiteral(TESEDRA_SOURCE_DIR "/tests/sim/transcripts/") + QString::fromStdString(fixture), 0);
    EXPECT_EQ(Visible(Correr()), Visible(Golden(golden)));
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, Replay, testing::ValuesIn(kCasosReplay),
                         [](const testing::TestParamInfo<CasoReplay>& i) {
                             return QFileInfo(QString::fromStdString(std::get<2>(i.param))).baseName().toStdString()
                                    + (std::get<3>(i.param) ? "_paged" : "");
                         });

// A hand-made transcript (transcripts/812_a_mano.txt): two different replies to one
// command, two paged replies going on differently after the page. The k-th sending
// gets the k-th recorded reply, then the last again; a paged reply goes on at the
// program's key with its own continuation, whatever the order of the commands.
TEST_F(PruebaConRouter, HandMadeTranscriptRepliesInRecordedOrderAndPagesAsRecorded)
{
    RouterDeTranscripcion(QStringLiteral(TESEDRA_SOURCE_DIR "/tests/sim/transcripts/812_a_mano.txt"));
    sesion().ClaveModem = "anything";
    ASSERT_TRUE(IniciarModelo(kOfficeRemote812));
    auto Enviar = [](const std::string& orden) {
        std::string r;
        EXPECT_TRUE(EnviarOrden(orden, r, kOfficeRemote812)) << orden;
        return Visible(r);
    };
    const std::string pagina = "---Press <return> or type More for more\r\n";
    EXPECT_EQ(Enviar("show y"), Visible("show y\r\nthird\r\n" + pagina + "after page B\r\n3Com-DSL>"));
    EXPECT_EQ(Enviar("show x"), Visible("show x\r\nfirst\r\n3Com-DSL>"));
    const std::string segunda = Visible("show x\r\nsecond\r\n" + pagina + "after page A\r\n3Com-DSL>");
    EXPECT_EQ(Enviar("show x"), segunda);
    EXPECT_EQ(Enviar("show x"), segunda);
}

// A command the transcript never saw: the model's own error reply.
TEST_F(PruebaConRouter, UnrecordedCommandGetsTheModelsErrorReply)
{
    const std::tuple<const char*, int16_t, const char*> casos[] = {
        {"812_sync.txt", kOfficeRemote812, "CLI - Invalid command: \"show nothing\""},
        {"5660_atm.txt", kEfficient5660, "Unknown command \"show nothing\" - type help"},
    };
    for (const auto& [fixture, modelo, error] : casos) {
        SCOPED_TRACE(fixture);
        RouterDeTranscripcion(QStringLiteral(TESEDRA_SOURCE_DIR "/tests/sim/transcripts/") + QLatin1String(fixture));
        ASSERT_TRUE(IniciarModelo(modelo));
        std::string r;
        EXPECT_TRUE(EnviarOrden("show nothing", r, modelo));
        EXPECT_NE(r.find(error), std::string::npos) << Visible(r);
        CerrarPuerto();
    }
}

} // namespace
