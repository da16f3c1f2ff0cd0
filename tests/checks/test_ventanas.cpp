// The check windows against the simulated router: the run behind the processing
// dialog, cancelling it, saving the result, and the boxes that reach the console.
#include "Ventanas.h"

#include "checks/Pruebas.h"
#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"

#include <QFile>
#include <QPlainTextEdit>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

fGenerico* Generico(int16_t prueba)
{
    sesion().TipoPrueba = prueba;
    return new fGenerico(nullptr, [] { return kOfficeRemote812; });
}

} // namespace

TEXTOS_DE_VENTANAS(Checks, VentanaConTextos{"checks", "fGenerico_sync", [] { return Generico(kPruebaSincronizacion); }},
                   VentanaConTextos{"checks", "fGenerico_ppp", [] { return Generico(kPruebaPPP); }},
                   VentanaConTextos{"checks", "fConectividadATM", [] { return new fConectividadATM(nullptr, {}); }},
                   VentanaConTextos{"checks", "fConfiguracion", [] {
                                        return new fConfiguracion(nullptr, [] { return kOfficeRemote812; });
                                    }});

namespace {

class Corridas : public PruebaConVentanas, public ::testing::WithParamInterface<std::tuple<int16_t, int16_t>> {};

TEST_P(Corridas, RunDisabledBehindTheProcessingDialogThenShowAndSaveTheDispatcherResult)
{
    const auto [modelo, prueba] = GetParam();
    Router(modelo);
    sesion().TipoPrueba = prueba;
    std::function<int16_t()> codigo = [m = modelo] { return m; };
    ParametrosPrueba p;
    VentanaResultado* v = nullptr;
    if (prueba == kPruebaATM) {
        v = new fConectividadATM(nullptr, codigo);
        Hijo<QLineEdit>(v, "txtVC")->setText(QStringLiteral("35"));
        p.vp = "8";
        p.vc = "35";
    } else if (prueba == kPruebaConfiguracion) {
        v = new fConfiguracion(nullptr, codigo);
        p.circuito = modelo == kOfficeRemote812 ? "WAN" : "Internet";
    } else {
        v = new fGenerico(nullptr, codigo);
    }
    v->show();
    bool deshabilitada = false, procesando = false;
    Cuando([&] { return router_->lineasRecibidas().size() > 3; },
           [&] {
               deshabilitada = !v->isEnabled();
               procesando = Ventana<fProcesando>() != nullptr;
           });
    if (auto* lanzar = v->findChild<QPushButton*>(QStringLiteral("btnLanzar")))
        QTest::mouseClick(lanzar, Qt::LeftButton);
    else
        static_cast<fGenerico*>(v)->Ejecutar();
    EXPECT_TRUE(deshabilitada);
    EXPECT_TRUE(procesando);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(Ventana<fProcesando>(), nullptr);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
    const std::string resultado = v->Resultado();
    ASSERT_FALSE(resultado.empty());
    EXPECT_EQ(EjecutarPrueba(modelo, prueba, p), resultado);
    auto* caja = Hijo<QPlainTextEdit>(v, "tInfoEstado");
    EXPECT_EQ(caja->toPlainText(), L1(resultado).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(caja->textCursor().position(), caja->toPlainText().size()) << "the end of the result is in view";

    // Saved with a line end where the dialog says, starting in the program's
    // folder; a cancelled dialog writes nothing and says nothing.
    QTemporaryDir tmp;
    const QString ruta = tmp.filePath(QStringLiteral("r.txt"));
    dialogos_.respuestasGuardar = {ruta};
    Pulsar(v, "bSalvar");
    EXPECT_EQ(LeerFichero(ruta), resultado + "\r\n");
    EXPECT_EQ(dialogos_.carpetasIniciales.at(0), QCoreApplication::applicationDirPath());
    QFile::remove(ruta);
    Pulsar(v, "bSalvar");
    EXPECT_FALSE(QFile::exists(ruta));
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(Checks, Corridas,
                         ::testing::Values(std::tuple{kOfficeRemote812, kPruebaSincronizacion},
                                           std::tuple{kEfficient5660, kPruebaPPP}, std::tuple{kEfficient5660, kPruebaATM},
                                           std::tuple{kOfficeRemote812, kPruebaConfiguracion}));

// Cancelled while logging on (a silent router) or while the router is busy with
// the command, answering Yes or No.
class Cancelaciones : public PruebaConVentanas, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(Cancelaciones, CancelAsksAndOnYesClosesThePortLeavingTheWindowUsable)
{
    const auto [enAcceso, si] = GetParam();
    const std::string comando = "show adsl transceiver_status";
    auto& router = Router(kOfficeRemote812, [&](sim::OpcionesSimulador& o) { o.silencioso = enAcceso; });
    if (si && !enAcceso)
        router.fijarRespuesta(comando, "@pausa 1500\n");
    tiempos().limiteAccesoS = 30; // the cancel ends the log-on, not its time limit
    fGenerico* v = Generico(kPruebaSincronizacion);
    v->show();
    dialogos_.respuestasSiNo = {si};
    bool cerrada = true, habilitada = true;
    Cuando([&] { return Ventana<fProcesando>() && PuertoAbierto() && (enAcceso || Recibio(comando)); },
           [&] {
               // Neither a second run nor closing the window can cut in.
               v->Ejecutar();
               Pulsar(v, "bVolver");
               cerrada = !v->isVisible();
               habilitada = v->isEnabled();
               Pulsar(Ventana<fProcesando>(), "Command1");
           });
    v->Ejecutar();
    EXPECT_FALSE(cerrada);
    EXPECT_FALSE(habilitada);
    ASSERT_EQ(dialogos_.preguntas.size(), 1u);
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.mensajes.at(0).texto;
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_EQ(Ventana<fProcesando>(), nullptr);
    EXPECT_TRUE(v->isEnabled() && v->isVisible());
    const auto& lineas = router.lineasRecibidas();
    EXPECT_LE(std::count(lineas.begin(), lineas.end(), std::string(kClavePrueba)), 3) << "one exchange only";
    if (!si) {
        EXPECT_EQ(v->Resultado(), EjecutarPrueba(kOfficeRemote812, kPruebaSincronizacion, {}));
        return;
    }
    EXPECT_TRUE(v->Resultado().empty());
    EXPECT_TRUE(Hijo<QPlainTextEdit>(v, "tInfoEstado")->toPlainText().isEmpty());
    if (enAcceso)
        return;
    router.fijarRespuesta(comando, Golden("sim/data/812/show_adsl_transceiver_status.txt"));
    v->Ejecutar();
    EXPECT_FALSE(v->Resultado().empty()) << "the window works again";
}

INSTANTIATE_TEST_SUITE_P(Checks, Cancelaciones,
                         ::testing::Values(std::tuple{true, true}, std::tuple{false, true}, std::tuple{false, false}));

TEST(VpVcBoxes, TakeDigitsOnlyTypedOrPasted)
{
    const struct {
        const char* texto;
        bool pegado;
        const char* queda;
    } casos[] = {{"12", false, "12"}, {"0", false, "0"}, {"", false, ""}, {"a", false, ""}, {"1a", false, ""},
                 {"255", true, "255"}, {"a5", true, ""}, {"5\rshow system", true, ""}, {"3 ", true, ""},
                 {"\xD9\xA3", true, ""}, {"-1", true, ""}};
    for (const auto& c : casos) {
        for (const char* nombre : {"txtVP", "txtVC"}) {
            SCOPED_TRACE(std::string(nombre) + " " + c.texto);
            DialogosPrueba dialogos;
            fConectividadATM v(nullptr, {});
            auto* caja = v.findChild<QLineEdit*>(QLatin1String(nombre));
            caja->clear();
            c.pegado ? caja->insert(QString::fromUtf8(c.texto)) : QTest::keyClicks(caja, QString::fromUtf8(c.texto));
            EXPECT_EQ(caja->text(), QString::fromUtf8(c.queda));
            const bool mal = *c.texto && !*c.queda;
            ASSERT_EQ(dialogos.mensajes.size(), mal ? 1u : 0u);
            if (mal) {
                EXPECT_EQ(dialogos.mensajes[0].texto, "Debe introducir valores entre 0 y 9");
            }
            EXPECT_EQ(nombre[4] == 'P' ? v.Parametros().vp : v.Parametros().vc, c.queda);
        }
    }
}

TEST(CircuitBox, FollowsTheModelAndTakesNoLineEnd)
{
    for (const auto& [modelo, circuito] :
         {std::pair{kOfficeRemote812, "WAN"}, {kEfficient5660, "Internet"}, {int16_t(5), "internet"}}) {
        fConfiguracion v(nullptr, [m = modelo] { return m; });
        EXPECT_EQ(v.Parametros().circuito, circuito);
        auto* caja = v.findChild<QLineEdit*>(QStringLiteral("txtVC"));
        caja->insert(QStringLiteral("\rshow system"));
        EXPECT_EQ(v.Parametros().circuito, circuito);
    }
}

TEST(GenericWindow, UnknownCheckIsReported)
{
    DialogosPrueba dialogos;
    std::unique_ptr<fGenerico> v(Generico(7));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto, "Prueba no reconocida en el formulario Gen\xE9rico");
}

} // namespace
