// The check windows against the simulated router: the run behind the processing
// dialog, cancelling it, saving the result, and the boxes that reach the console.
#include "Ventanas.h"

#include "checks/Pruebas.h"
#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// A run of a check to its end, or cancelled (with the answer given) while logging
// on to a silent router, with Escape, or while the router is busy with the command,
// with the button or the close box; the processing dialog stays until the run ends.
enum class Cancelar { No, AlAccederSi, AlConsultarSi, AlConsultarNo };
void PrintTo(Cancelar c, std::ostream* os)
{
    *os << "cancel " << int(c);
}

class Corridas : public PruebaConVentanas,
                 public ::testing::WithParamInterface<std::tuple<int16_t, int16_t, Cancelar>> {};

TEST_P(Corridas, RunDisabledBehindTheProcessingDialogThenShowAndSaveTheResult)
{
    const auto [modelo, prueba, cancelar] = GetParam();
    auto& router = Router(modelo,
                          [c = cancelar](sim::OpcionesSimulador& o) { o.silencioso = c == Cancelar::AlAccederSi; });
    if (cancelar == Cancelar::AlConsultarSi)
        router.FijarRespuesta("show adsl transceiver_status", "@pausa 1500\n");
    tiempos().limiteAccesoS = 30; // a cancel ends the log-on, not its time limit
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
        p.circuito = "WAN";
    } else {
        v = new fGenerico(nullptr, codigo);
    }
    v->show();
    auto Lanzar = [v] {
        qobject_cast<fGenerico*>(v) ? qobject_cast<fGenerico*>(v)->Ejecutar() : Pulsar(v, "btnLanzar");
    };
    dialogos_.respuestasSiNo = {cancelar != Cancelar::AlConsultarNo};
    bool deshabilitada = false, procesando = false, cerrada = true, sigue = false;
    Cuando([&] { return PuertoAbierto() && (cancelar == Cancelar::AlAccederSi || !Ordenes().empty()); },
           [&] {
               deshabilitada = !v->isEnabled();
               procesando = Ventana<fProcesando>();
               // Neither a second run nor closing the window can cut in.
               Lanzar();
               Pulsar(v, "bVolver");
               cerrada = !v->isVisible();
               if (cancelar == Cancelar::AlAccederSi)
                   QTest::keyClick(Ventana<fProcesando>(), Qt::Key_Escape);
               else if (cancelar != Cancelar::No)
                   cancelar == Cancelar::AlConsultarSi ? Pulsar(Ventana<fProcesando>(), "Command1")
                                                       : void(Ventana<fProcesando>()->close());
               sigue = Ventana<fProcesando>();
           });
    Lanzar();
    EXPECT_TRUE(deshabilitada && procesando && sigue && !cerrada);
    EXPECT_TRUE(v->isEnabled() && v->isVisible() && !Ventana<fProcesando>() && !PuertoAbierto()) << "all as before";
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.mensajes.at(0).texto;
    EXPECT_EQ(dialogos_.preguntas.size(), cancelar == Cancelar::No ? 0u : 1u);
    auto* caja = Hijo<QPlainTextEdit>(v, "tInfoEstado");
    const std::string resultado = v->Resultado();
    EXPECT_EQ(caja->toPlainText(), L1(resultado).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // A screen reader reads the result from the box.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(caja)->text(QAccessible::Value), caja->toPlainText());
    EXPECT_EQ(resultado.empty(), cancelar == Cancelar::AlAccederSi || cancelar == Cancelar::AlConsultarSi);
    EXPECT_EQ(resultado.empty() ? resultado : EjecutarPrueba(modelo, prueba, p), resultado);
    // The start of the result is in view, where a synchronisation's readings are.
    EXPECT_EQ(caja->textCursor().position(), 0);
    EXPECT_EQ(caja->verticalScrollBar()->value(), 0);

    // A note typed into the box is saved with the result, as the box shows it, with a
    // line end, where the dialog says.
    QTemporaryDir tmp;
    ASSERT_FALSE(caja->isReadOnly());
    caja->moveCursor(QTextCursor::End);
    QTest::keyClicks(caja, QStringLiteral("Nota: cliente ausente"));
    QTest::keyClick(caja, Qt::Key_Return);
    dialogos_.respuestasGuardar = {tmp.filePath("nota.txt")};
    Pulsar(v, "bSalvar");
    QString esperado = caja->toPlainText();
    EXPECT_TRUE(esperado.contains(QStringLiteral("Nota: cliente ausente\n")));
    EXPECT_EQ(LeerFichero(tmp.filePath("nota.txt")),
              ToL1(esperado.replace(QStringLiteral("\n"), QStringLiteral("\r\n"))) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Checks, Corridas,
                         ::testing::Values(std::tuple{kOfficeRemote812, kPruebaSincronizacion, Cancelar::No},
                                           std::tuple{kEfficient5660, kPruebaPPP, Cancelar::No},
                                           std::tuple{kEfficient5660, kPruebaATM, Cancelar::No},
                                           std::tuple{kOfficeRemote812, kPruebaConfiguracion, Cancelar::No},
                                           std::tuple{kOfficeRemote812, kPruebaSincronizacion, Cancelar::AlAccederSi},
                                           std::tuple{kOfficeRemote812, kPruebaSincronizacion, Cancelar::AlConsultarSi},
                                           std::tuple{kOfficeRemote812, kPruebaSincronizacion,
                                                      Cancelar::AlConsultarNo}));

// What reaches a console command: digits only in VP and VC, typed or pasted.
TEST(ConsoleBoxes, VpAndVcTakeDigitsOnly)
{
    const std::tuple<const char*, bool, const char*> casos[] = {
        {"12", false, "12"}, {"0", false, "0"},      {"", false, ""},  {"a", false, ""},
        {"1a", false, ""},   {"255", true, "255"},   {"a5", true, ""}, {"5\rshow system", true, ""},
        {"3 ", true, ""},    {"\xD9\xA3", true, ""}, {"-1", true, ""}};
    for (const auto& [texto, pegado, queda] : casos) {
        for (const char* nombre : {"txtVP", "txtVC"}) {
            SCOPED_TRACE(std::string(nombre) + " " + texto);
            DialogosPrueba dialogos;
            fConectividadATM v(nullptr, {});
            auto* caja = v.findChild<QLineEdit*>(nombre);
            caja->clear();
            pegado ? caja->insert(QString::fromUtf8(texto)) : QTest::keyClicks(caja, QString::fromUtf8(texto));
            EXPECT_EQ(nombre[4] == 'P' ? v.Parametros().vp : v.Parametros().vc, queda);
            EXPECT_EQ(dialogos.mensajes.size() == 1 ? dialogos.mensajes[0].texto : "",
                      *texto && !*queda ? "Debe introducir valores entre 0 y 9" : "");
        }
    }
}

} // namespace
