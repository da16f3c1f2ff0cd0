// The check windows end to end against the router simulator: results, saving,
// the digits-only VP and VC boxes, cancelling, and ending the program mid-exchange.
#include "EntornoVentanas.h"

#include "checks/Pruebas.h"
#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"
#include "shell/fMain.h"
#include "ui/fProcesando.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class VentanasPrueba : public EntornoVentanas {
protected:
    fMain* Principal(int indiceModelo)
    {
        sesion().Perfil = 2;
        auto* m = new fMain();
        Hijo<QComboBox>(m, "cModem")->setCurrentIndex(indiceModelo);
        m->show();
        return m;
    }

    static QString Mostrado(QWidget* v) { return Hijo<QPlainTextEdit>(v, "tInfoEstado")->toPlainText(); }
    static QString Esperado(const std::string& s)
    {
        return L1(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    static QByteArray Leer(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
    }
    static bool ProcesandoVisible()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("tesedra::fProcesando") && w->isVisible())
                return true;
        }
        return false;
    }
};

TEST_F(VentanasPrueba, SynchronisationOn812ShowsAndSavesTheDispatcherText)
{
    IniciarRouter(2);
    fMain* m = Principal(0);
    Pulsar(m, "bSincro");
    auto* v = Ventana<fGenerico>();
    ASSERT_NE(v, nullptr);
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(v->windowTitle(), QString::fromLatin1("Comprobaci\xF3n del estado de sincronizaci\xF3n"));
    EXPECT_EQ(Hijo<QGroupBox>(v, "fEstado")->title(), QString::fromLatin1("Estado de sincronizaci\xF3n"));
    EXPECT_EQ(Hijo<QPushButton>(v, "bSalvar")->text(), QStringLiteral("&Salvar"));
    EXPECT_EQ(Hijo<QPushButton>(v, "bVolver")->text(), QStringLiteral("&Volver"));
    ASSERT_FALSE(v->Resultado().empty()) << "messages: " << dialogos.mensajes.size();
    EXPECT_EQ(Mostrado(v), Esperado(v->Resultado()));
    EXPECT_EQ(Hijo<QPlainTextEdit>(v, "tInfoEstado")->textCursor().position(), Mostrado(v).size())
        << "the end of the result is in view";
    EXPECT_TRUE(v->isEnabled());
    EXPECT_FALSE(ProcesandoVisible());
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos.mensajes.empty());

    // The same exchange run straight through the dispatcher gives the same text.
    EXPECT_EQ(EjecutarPrueba(2, kPruebaSincronizacion, ParametrosPrueba{}), v->Resultado());

    QTemporaryDir tmp;
    const QString ruta = tmp.filePath(QStringLiteral("sincro.txt"));
    dialogos.respuestasGuardar = {ruta};
    Pulsar(v, "bSalvar");
    EXPECT_EQ(Leer(ruta), QByteArray::fromStdString(v->Resultado() + "\r\n"));
    ASSERT_EQ(dialogos.carpetasIniciales.size(), 1u);
    EXPECT_EQ(dialogos.carpetasIniciales[0], QCoreApplication::applicationDirPath());

    // A cancelled save dialog writes nothing and says nothing.
    QFile::remove(ruta);
    Pulsar(v, "bSalvar");
    EXPECT_FALSE(QFile::exists(ruta));
    EXPECT_TRUE(dialogos.mensajes.empty());

    Pulsar(v, "bVolver");
    EXPECT_TRUE(m->isVisible());
}

TEST_F(VentanasPrueba, PppOn5660UsesTheModelChosenInTheMainWindow)
{
    IniciarRouter(1);
    fMain* m = Principal(1);
    Pulsar(m, "bPPP");
    auto* v = Ventana<fGenerico>();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), QString::fromLatin1("Comprobaci\xF3n de la conectividad PPP"));
    ASSERT_FALSE(v->Resultado().empty());
    EXPECT_EQ(Mostrado(v), Esperado(v->Resultado()));
    EXPECT_EQ(EjecutarPrueba(1, kPruebaPPP, ParametrosPrueba{}), v->Resultado());
}

TEST_F(VentanasPrueba, AtmWindowRunsDisabledBehindTheProcessingDialog)
{
    IniciarRouter(1);
    fMain* m = Principal(1);
    Pulsar(m, "bATM");
    auto* v = Ventana<fConectividadATM>();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), QString::fromLatin1("Comprobaci\xF3n de la conectividad ATM"));
    EXPECT_EQ(Hijo<QGroupBox>(v, "FrmVP")->title(), QString::fromLatin1("Selecci\xF3n de par\xE1metros ATM"));
    EXPECT_EQ(Hijo<QPushButton>(v, "btnLanzar")->text(), QStringLiteral("&Ejecutar"));
    EXPECT_TRUE(Mostrado(v).isEmpty()) << "nothing runs before Ejecutar";
    auto* vp = Hijo<QLineEdit>(v, "txtVP");
    auto* vc = Hijo<QLineEdit>(v, "txtVC");
    EXPECT_EQ(vp->text(), QStringLiteral("8"));
    EXPECT_EQ(vc->text(), QStringLiteral("32"));
    vc->setText(QStringLiteral("35"));

    bool deshabilitada = false, procesando = false;
    Cuando([&] { return sim->lineasRecibidas().size() > 3; },
           [&] {
               deshabilitada = !v->isEnabled();
               procesando = ProcesandoVisible();
           });
    Pulsar(v, "btnLanzar");
    EXPECT_TRUE(deshabilitada);
    EXPECT_TRUE(procesando);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_FALSE(ProcesandoVisible());
    ASSERT_FALSE(v->Resultado().empty());
    EXPECT_EQ(Mostrado(v), Esperado(v->Resultado()));
    ParametrosPrueba p;
    p.vp = "8";
    p.vc = "35";
    EXPECT_EQ(EjecutarPrueba(1, kPruebaATM, p), v->Resultado());
}

struct CasoDigitos {
    const char* escrito; // typed key by key
    const char* pegado;  // or pasted whole
    const char* queda;
    bool mensaje;
};

class CajasVpVc : public VentanasPrueba, public ::testing::WithParamInterface<CasoDigitos> {};

TEST_P(CajasVpVc, AcceptOnlyDigits)
{
    const CasoDigitos c = GetParam();
    for (const char* nombre : {"txtVP", "txtVC"}) {
        dialogos.mensajes.clear();
        fConectividadATM v(nullptr, [] { return int16_t(2); });
        auto* caja = Hijo<QLineEdit>(&v, nombre);
        caja->clear();
        if (c.escrito)
            QTest::keyClicks(caja, QString::fromUtf8(c.escrito));
        else
            caja->insert(QString::fromUtf8(c.pegado));
        EXPECT_EQ(caja->text(), QString::fromUtf8(c.queda)) << nombre;
        if (c.mensaje) {
            ASSERT_EQ(dialogos.mensajes.size(), 1u) << nombre;
            EXPECT_EQ(dialogos.mensajes[0].texto, "Debe introducir valores entre 0 y 9");
            EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
            EXPECT_EQ(dialogos.mensajes[0].icono, IconoMensaje::Aviso);
            EXPECT_EQ(caja->cursorPosition(), 0);
        } else {
            EXPECT_TRUE(dialogos.mensajes.empty()) << nombre;
        }
        const ParametrosPrueba p = v.Parametros();
        EXPECT_EQ(std::string(nombre) == "txtVP" ? p.vp : p.vc, std::string(c.queda));
    }
}

INSTANTIATE_TEST_SUITE_P(
    VentanasPrueba, CajasVpVc,
    ::testing::Values(CasoDigitos{"12", nullptr, "12", false}, CasoDigitos{"0", nullptr, "0", false},
                      CasoDigitos{"a", nullptr, "", true}, CasoDigitos{"1a", nullptr, "", true},
                      CasoDigitos{nullptr, "255", "255", false}, CasoDigitos{nullptr, "a5", "", true},
                      CasoDigitos{nullptr, "5\rshow system", "", true}, CasoDigitos{nullptr, "3 ", "", true},
                      CasoDigitos{nullptr, "\xD9\xA3", "", true}, CasoDigitos{nullptr, "-1", "", true}));

TEST_F(VentanasPrueba, EmptyVpIsAllowedAndSentAsIs)
{
    fConectividadATM v(nullptr, [] { return int16_t(1); });
    Hijo<QLineEdit>(&v, "txtVP")->clear();
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_EQ(v.Parametros().vp, "");
    EXPECT_EQ(v.Parametros().vc, "32");
}

TEST_F(VentanasPrueba, ConfigurationCircuitNameFollowsTheModel)
{
    {
        fConfiguracion v(nullptr, [] { return int16_t(2); });
        EXPECT_EQ(Hijo<QLineEdit>(&v, "txtVC")->text(), QStringLiteral("WAN"));
        EXPECT_EQ(v.windowTitle(), QString::fromLatin1("Comprobaci\xF3n de la configuraci\xF3n del m\xF3" "dem"));
        EXPECT_EQ(Hijo<QGroupBox>(&v, "frVC")->title(), QStringLiteral("Valor del circuito virtual"));
    }
    {
        fConfiguracion v(nullptr, [] { return int16_t(1); });
        EXPECT_EQ(Hijo<QLineEdit>(&v, "txtVC")->text(), QStringLiteral("Internet"));
    }
    {
        fConfiguracion v(nullptr, [] { return int16_t(5); });
        EXPECT_EQ(Hijo<QLineEdit>(&v, "txtVC")->text(), QStringLiteral("internet"));
        // A pasted line end cannot reach the console command.
        auto* caja = Hijo<QLineEdit>(&v, "txtVC");
        caja->clear();
        QTest::keyClicks(caja, QStringLiteral("WAN"));
        caja->insert(QStringLiteral("\rshow system"));
        EXPECT_EQ(v.Parametros().circuito, "WAN");
    }
}

TEST_F(VentanasPrueba, ConfigurationOn812RunsWithTheCircuitName)
{
    IniciarRouter(2);
    fMain* m = Principal(0);
    Pulsar(m, "bConfiguracion");
    auto* v = Ventana<fConfiguracion>();
    ASSERT_NE(v, nullptr);
    Pulsar(v, "btnLanzar");
    ASSERT_FALSE(v->Resultado().empty());
    EXPECT_TRUE(RouterRecibio("show vc WAN settings"));
    EXPECT_EQ(Mostrado(v), Esperado(v->Resultado()));
    ParametrosPrueba p;
    p.circuito = "WAN";
    EXPECT_EQ(EjecutarPrueba(2, kPruebaConfiguracion, p), v->Resultado());
}

TEST_F(VentanasPrueba, UnknownCheckTypeInGenericWindowIsReportedAndRunsNothing)
{
    IniciarRouter(2);
    sesion().TipoPrueba = 7;
    fGenerico v(nullptr, [] { return int16_t(2); });
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto, "Prueba no reconocida en el formulario Gen\xE9rico");
    EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(Hijo<QGroupBox>(&v, "fEstado")->title(), QStringLiteral("Frame1"));
    v.show();
    v.Ejecutar();
    EXPECT_TRUE(v.Resultado().empty());
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(VentanasPrueba, CancelDuringLogOnEndsWithoutTheTimeoutMessage)
{
    IniciarRouter(2, [](sim::OpcionesSimulador& o) { o.silencioso = true; });
    tiempos().limiteAccesoS = 30;
    fMain* m = Principal(0);
    dialogos.respuestasSiNo = {true};
    // Pressed once the log-on has the port open (the dialog shows a moment before).
    Cuando([] { return VentanasPrueba::ProcesandoVisible() && PuertoAbierto(); },
           [] { PulsarCancelarProcesando(); });
    QElapsedTimer reloj;
    reloj.start();
    Pulsar(m, "bSincro");
    EXPECT_LT(reloj.elapsed(), 10000);
    auto* v = Ventana<fGenerico>();
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(dialogos.preguntas.size(), 1u);
    EXPECT_EQ(dialogos.preguntas[0].texto, mensajes().msgCancelarConsulta);
    EXPECT_FALSE(HayMensaje(mensajes().msgTiempoModem));
    EXPECT_TRUE(v->Resultado().empty());
    EXPECT_TRUE(Mostrado(v).isEmpty());
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_FALSE(ProcesandoVisible());
    EXPECT_TRUE(v->isEnabled());
    Pulsar(v, "bVolver");
    EXPECT_TRUE(m->isVisible());
}

TEST_F(VentanasPrueba, CancelDuringACheckFailsTheCheckAndLeavesTheWindowUsable)
{
    IniciarRouter(2);
    // The router is still busy with the command when the technician gives up.
    sim->fijarRespuesta("show vc WAN settings", "@pausa 1500\nVirtual Channel WAN Settings\n");
    fMain* m = Principal(0);
    Pulsar(m, "bConfiguracion");
    auto* v = Ventana<fConfiguracion>();
    ASSERT_NE(v, nullptr);

    bool cerrada = true, habilitada = true;
    int preguntasAntes = -1;
    dialogos.respuestasSiNo = {true};
    Cuando([&] { return RouterRecibio("show vc WAN settings"); },
           [&] {
               // Neither a second run nor unloading the window can start under the first.
               v->btnLanzar_Click();
               Hijo<QPushButton>(v, "btnLanzar")->click();
               Hijo<QPushButton>(v, "bVolver")->click();
               v->close();
               cerrada = !v->isVisible();
               habilitada = v->isEnabled();
               preguntasAntes = int(dialogos.preguntas.size());
               PulsarCancelarProcesando();
           });
    QElapsedTimer reloj;
    reloj.start();
    Pulsar(v, "btnLanzar");
    EXPECT_LT(reloj.elapsed(), 20000);
    EXPECT_FALSE(cerrada);
    EXPECT_FALSE(habilitada);
    EXPECT_EQ(preguntasAntes, 0);
    EXPECT_EQ(dialogos.preguntas.size(), 1u);
    EXPECT_TRUE(v->Resultado().empty());
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(v->isEnabled());
    EXPECT_TRUE(v->isVisible());
    int logons = 0;
    for (const std::string& l : sim->lineasRecibidas())
        logons += l == kClaveRouter;
    EXPECT_LE(logons, 3) << "one log-on of three dialogues at most: no second exchange";

    // The window works again: once the router has finished, the next run succeeds.
    QFile datos(QStringLiteral(TESEDRA_SOURCE_DIR "/sim/data/812/show_vc_settings.txt"));
    ASSERT_TRUE(datos.open(QIODevice::ReadOnly));
    sim->fijarRespuesta("show vc WAN settings", datos.readAll().replace("{nombre}", "WAN").toStdString());
    Pulsar(v, "btnLanzar");
    EXPECT_FALSE(v->Resultado().empty());
}

TEST_F(VentanasPrueba, AnsweringNoLetsTheCheckRunOn)
{
    IniciarRouter(2);
    fMain* m = Principal(0);
    dialogos.respuestasSiNo = {false};
    Cuando([&] { return RouterRecibio("show adsl transceiver_status"); }, [] { PulsarCancelarProcesando(); });
    Pulsar(m, "bSincro");
    auto* v = Ventana<fGenerico>();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(dialogos.preguntas.size(), 1u);
    EXPECT_FALSE(v->Resultado().empty());
    EXPECT_EQ(EjecutarPrueba(2, kPruebaSincronizacion, ParametrosPrueba{}), v->Resultado());
}

TEST_F(VentanasPrueba, ClosingTheMainWindowMidExchangeEndsTheProgram)
{
    IniciarRouter(2);
    sim->fijarRespuesta("show adsl transceiver_status", "@pausa 60000\nnunca\n");
    fMain* m = Principal(0);
    int enCursoAlSalir = -1;
    int llamadas = 0;
    FijarSalida([&] {
        ++llamadas;
        enCursoAlSalir = Intercambio::EnCurso();
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, [&] { Pulsar(m, "bSincro"); });
    Cuando([&] { return RouterRecibio("show adsl transceiver_status"); }, [&] { m->close(); });
    bool colgado = false;
    QTimer::singleShot(20000, [&] {
        colgado = true;
        QCoreApplication::quit();
    });
    QElapsedTimer reloj;
    reloj.start();
    QApplication::exec();
    EXPECT_FALSE(colgado);
    EXPECT_LT(reloj.elapsed(), 10000);
    EXPECT_EQ(llamadas, 1);
    EXPECT_EQ(enCursoAlSalir, 0) << "the loop is left only after the exchange has unwound";
    EXPECT_TRUE(Terminando());
    EXPECT_FALSE(PuertoAbierto());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    auto* v = m->findChild<fGenerico*>();
    EXPECT_EQ(v, nullptr) << "check windows are top-level";
    EXPECT_TRUE(dialogos.preguntas.empty());
}

} // namespace
