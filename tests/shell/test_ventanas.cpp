// The log-on window, the management key dialog and the main window driven through
// their widgets, and the desktop program started for real.
#include "Programas.h"
#include "Ventanas.h"

#include "checks/fGenerico.h"
#include "shell/fClaveGestionProvision.h"
#include "ui/Presentacion.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// A log-on: the profile chosen and the password entered with the button or with
// Enter; or the keys pressed on a control and the management key typed in the
// dialog they open. `perfil` is the profile entered as, -1 for none.
struct Entrada {
    int16_t indice;
    const char* clave;
    int16_t perfil;
    Qt::KeyboardModifiers teclas = Qt::NoModifier;
    const char* control = "cEntrar"; // or tClave for Enter
};
void PrintTo(const Entrada& e, std::ostream* os)
{
    *os << e.indice << " \"" << e.clave << "\" " << e.teclas.toInt() << ' ' << e.control;
}

// Every password field shows "*" for each character whatever the style; the log-on
// field's background follows its profile: the window's colour when it takes a
// password, the inactive title bar's when it is disabled.
TEST(PasswordFields, ShowAStarPerCharacterAndTheLogOnFieldItsProfilesColour)
{
    fPerfil perfil;
    fMain principal;
    fClaveGestionProvision gestion;
    for (QWidget* ventana : std::initializer_list<QWidget*>{&perfil, &principal, &gestion}) {
        auto* campo = ventana->findChild<QLineEdit*>(ventana == &gestion ? "txtClave" : "tClave");
        ASSERT_TRUE(campo);
        campo->setEnabled(true);
        campo->setText(QStringLiteral("cl\u00E1ve"));
        EXPECT_EQ(campo->displayText(), QStringLiteral("*****")) << ventana->metaObject()->className();
    }
    auto* clave = perfil.findChild<QLineEdit*>("tClave");
    clave->clear();
    perfil.show();
    auto* lista = perfil.findChild<QComboBox*>("cPerfil");
    for (const int indice : {1, 0, 2}) {
        lista->setCurrentIndex(indice);
        const QColor fondo = indice ? perfil.palette().color(QPalette::Active, QPalette::Window)
                                    : ColorTituloInactivo();
        const QImage imagen = clave->grab().toImage();
        EXPECT_EQ(imagen.pixelColor(imagen.width() / 2, imagen.height() / 2), fondo) << "profile " << indice;
    }
}

class LogOn : public PruebaConVentanas, public ::testing::WithParamInterface<Entrada> {};

TEST_P(LogOn, EntersOnlyWithTheRightPasswordForTheProfile)
{
    const Entrada e = GetParam();
    CargarMensajes(kIdiomaIngles); // the window loads the Spanish texts itself
    sesion().Perfil = 1;
    estadoLinea().RuidoIncorrecto = true;
    QPointer<fPerfil> perfil = new fPerfil();
    perfil->show();
    EXPECT_FALSE(sesion().Perfil || estadoLinea().RuidoIncorrecto);
    auto* clave = Hijo<QLineEdit>(perfil, "tClave");
    Hijo<QComboBox>(perfil, "cPerfil")->setCurrentIndex(e.indice);
    EXPECT_EQ(clave->isEnabled(), e.indice != 0);
    QString dialogo, queda;
    if (!e.teclas) {
        clave->setText(e.clave);
        e.control[0] == 't' ? QTest::keyClick(clave, Qt::Key_Return) : Pulsar(perfil, e.control);
    } else {
        ConModal<QDialog>(
            [&](QDialog* d) {
                dialogo = QLatin1String(d->metaObject()->className());
                QTest::keyClicks(Hijo(d, "txtClave"), e.clave);
                Pulsar(d, "btnAceptar");
                queda = Hijo<QLineEdit>(d, "txtClave")->text(); // a wrong key stays for another try
                if (d->isVisible())
                    Pulsar(d, "btnCancelar");
            },
            [&] { QTest::keyClick(Hijo(perfil, e.control), Qt::Key_T, e.teclas); });
        const bool abre = e.teclas.testFlags(Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(dialogo + queda, abre ? QStringLiteral("tesedra::fClaveGestionProvision") + e.clave : QString());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(sesion().Perfil, e.perfil >= 0 ? e.perfil : e.indice);
    auto* m = Ventana<fMain>();
    ASSERT_EQ(m != nullptr, e.perfil >= 0);
    if (m) { // what the profile may use
        EXPECT_EQ(Hijo(m, "fesp")->isVisible() && Hijo(m, "bValidacion")->isVisible(), e.perfil > 0);
        EXPECT_EQ(Hijo(m, "bvalInv")->isVisible(), e.perfil > 1);
    }
    EXPECT_EQ(perfil.isNull(), e.perfil >= 0) << "the log-on window goes once entered";
    const bool avisa = e.perfil < 0 && (!e.teclas || !dialogo.isEmpty());
    ASSERT_EQ(dialogos_.mensajes.size(), avisa ? 1u : 0u);
    if (avisa) {
        EXPECT_EQ(dialogos_.mensajes[0].texto, "La clave introducida no es v\xE1lida");
        EXPECT_EQ(dialogos_.mensajes[0].titulo, "Error");
        EXPECT_TRUE(clave->text().isEmpty());
    }
}

const auto kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;
const char* const kGestion = "Vrax-K7lm-Opdu";

INSTANTIATE_TEST_SUITE_P(
    Passwords, LogOn,
    ::testing::Values(Entrada{0, "cualquier cosa", 0}, Entrada{1, "Qarmvbx+LPW7?", 1},
                      Entrada{1, "Qarmvbx+LPW7?", 1, {}, "tClave"}, Entrada{1, "Qarmvbx+LPW7? ", -1},
                      Entrada{1, " Qarmvbx+LPW7?", -1, {}, "tClave"}, Entrada{1, "qarmvbx+lpw7?", -1},
                      Entrada{1, "", -1}, Entrada{1, "Qarmvbx+LPW7", -1, {}, "tClave"},
                      Entrada{1, kGestion, 2, kCtrlAlt, "cPerfil"}, Entrada{0, kGestion, 2, kCtrlAlt},
                      Entrada{1, "vrax-k7lm-opdu", -1, kCtrlAlt},
                      Entrada{1, " Vrax-K7lm-Opdu", -1, kCtrlAlt | Qt::ShiftModifier, "tClave"},
                      Entrada{1, "Vrax-K7lm-Opdu ", -1, kCtrlAlt, "cPerfil"}, Entrada{1, "", -1, kCtrlAlt, "cSalir"},
                      Entrada{1, kGestion, -1, Qt::ControlModifier, "cPerfil"},
                      Entrada{1, kGestion, -1, Qt::AltModifier, "tClave"}));

// The button, the check it sets (9: left as it was), the window it opens and how
// that one is closed (empty: its close box).
class Botones : public PruebaConVentanas,
                public ::testing::WithParamInterface<std::tuple<std::string, int16_t, std::string, std::string>> {};

// Each button hides the main window and opens its own, which brings it back when
// it closes. The model, port and router password chosen in it reach the checks:
// those that run at once log on to a 5660 on port 4 with that password.
TEST_P(Botones, EachOpensItsWindowInPlaceOfTheMainOneUntilItCloses)
{
    const auto [boton, prueba, clase, volver] = GetParam();
    Router(kEfficient5660, [](sim::OpcionesSimulador& o) { o.password = "cl\xE1ve"; });
    FijarRutaDispositivo({});
    qputenv("TESEDRA_COM4", router_->RutaDispositivo().toLocal8Bit());
    sesion().Perfil = kPerfilGestion;
    auto* m = new fMain();
    m->show();
    Hijo<QComboBox>(m, "cModem")->setCurrentIndex(1);
    Hijo<QComboBox>(m, "cPuerto")->setCurrentIndex(3);
    Hijo<QLineEdit>(m, "tClave")->insert("cl\u00e1ve");
    QFocusEvent fuera(QEvent::FocusOut);
    QCoreApplication::sendEvent(Hijo(m, "tClave"), &fuera);
    sesion().TipoPrueba = 9;
    Pulsar(m, boton.c_str());
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(sesion().TipoPrueba, prueba);
    QWidget* v = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        v = w->isVisible() && w->metaObject()->className() == QLatin1String(clase.c_str()) ? w : v;
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(!qobject_cast<fGenerico*>(v) || !qobject_cast<fGenerico*>(v)->Resultado().empty())
        << "a check that runs at once";
    volver.empty() ? void(v->close()) : Pulsar(v, volver.c_str());
    EXPECT_TRUE(m->isVisible());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Botones,
                         ::testing::Values(std::tuple{"bSincro", 0, "tesedra::fGenerico", "bVolver"},
                                           std::tuple{"bATM", 1, "tesedra::fConectividadATM", ""},
                                           std::tuple{"bPPP", 2, "tesedra::fGenerico", ""},
                                           std::tuple{"bIP", 3, "tesedra::fconIP", "bVolver"},
                                           std::tuple{"bConfiguracion", 4, "tesedra::fConfiguracion", "bVolver"},
                                           std::tuple{"bValidacion", 9, "tesedra::fValidacion", "bVolver"},
                                           std::tuple{"bvalInv", 9, "tesedra::fvalInversa", ""}));

// Closing the main window ends the program once the exchange under way has
// unwound, every window out of sight at once.
using FinDelPrograma = PruebaConVentanas;

TEST_F(FinDelPrograma, ClosingTheMainWindowMidExchangeEndsTheProgramOnceItHasUnwound)
{
    Router(kOfficeRemote812).FijarRespuesta("show adsl transceiver_status", "@pausa 60000\n");
    auto* m = new fMain();
    m->show();
    int enCurso = -1;
    FijarSalida([&] { enCurso = Intercambio::EnCurso(); });
    Cuando([&] { return router_->LineasRecibidas().size() > 3; }, [&] { m->close(); });
    Pulsar(m, "bSincro");
    EXPECT_EQ(enCurso, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

// The port list is looked at again each time it is opened: a device that appeared
// meanwhile is shown, and the port chosen stays chosen.
using ListaPuertos = PruebaConVentanas;
TEST_F(ListaPuertos, ShowsADevicePluggedInAfterTheWindowOpened)
{
    const QByteArray variable = "TESEDRA_COM3";
    qunsetenv(variable.constData());
    auto m = std::make_unique<fMain>();
    m->show();
    auto* lista = Hijo<QComboBox>(m.get(), "cPuerto");
    lista->setCurrentIndex(4);
    EXPECT_EQ(lista->itemText(2).toStdString().find("/dev/tesedra-nuevo"), std::string::npos);
    qputenv(variable.constData(), "/dev/tesedra-nuevo");
    QTest::mousePress(lista, Qt::LeftButton);
    lista->hidePopup();
    qunsetenv(variable.constData());
    EXPECT_EQ(lista->itemText(2), QStringLiteral("Com 3 - /dev/tesedra-nuevo, TESEDRA_COM3"));
    EXPECT_EQ(lista->currentIndex(), 4);
    EXPECT_EQ(sesion().Puerto, 5);
}

// --version answers on one line, without a display.
TEST(DesktopProgram, AnswersVersionWithoutADisplay)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        entorno.remove(QString::fromLatin1(v));
    const Salida s = Ejecutar(Programa("tesedra"), {QStringLiteral("--version")}, {}, entorno);
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.salida, QByteArray("tesedra " TESEDRA_VERSION "\n"));
}

// An X authority file of one cookie for every display: the server started with it
// admits the clients that read it, where host-based access may admit none (a machine
// without network interfaces), as xvfb-run does.
QByteArray AutoridadX(const QString& ruta)
{
    QByteArray galleta(16, '\0');
    QRandomGenerator::system()->generate(galleta.begin(), galleta.end());
    const auto campo = [](const QByteArray& b) {
        return QByteArray(1, static_cast<char>(b.size() >> 8)) + static_cast<char>(b.size() & 0xFF) + b;
    };
    // Family FamilyWild, no address, no display number: it matches any display.
    const QByteArray entrada = QByteArray("\xFF\xFF", 2) + campo({}) + campo({}) + campo("MIT-MAGIC-COOKIE-1")
                               + campo(galleta);
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(entrada) == entrada.size() ? entrada : QByteArray();
}

// The program starts through its own main() on a virtual X server of its own up to
// the log-on window, seen from outside in that server's window tree.
TEST(DesktopProgram, StartsUpToTheLogOnWindow)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) << "Xvfb (xvfb)";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty()) << "xwininfo (x11-utils)";
    QTemporaryDir carpeta;
    const QString autoridad = carpeta.filePath(QStringLiteral("Xauthority"));
    ASSERT_FALSE(AutoridadX(autoridad).isEmpty());
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove(QStringLiteral("QT_QPA_PLATFORM"));
    entorno.insert(QStringLiteral("XAUTHORITY"), autoridad);
    // Xvfb picks a free display and writes its number on standard output once it
    // takes clients.
    QProcess servidor;
    servidor.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-auth"),
                                            autoridad, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray numero;
    ASSERT_TRUE(EsperarHasta([&] {
        numero += servidor.readAllStandardOutput();
        return numero.endsWith('\n') || servidor.state() == QProcess::NotRunning;
    }));
    ASSERT_FALSE(numero.trimmed().isEmpty()) << servidor.readAllStandardError().toStdString();
    const QString pantalla = QLatin1Char(':') + QString::fromLatin1(numero.trimmed());
    entorno.insert(QStringLiteral("DISPLAY"), pantalla);
    // The program is started only once the server answers a client: a program
    // that cannot reach its display ends at once.
    QProcess arbol;
    arbol.setProcessEnvironment(entorno);
    const auto verArbol = [&] {
        arbol.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        return arbol.waitForFinished() && arbol.exitStatus() == QProcess::NormalExit && arbol.exitCode() == 0;
    };
    ASSERT_TRUE(EsperarHasta(verArbol)) << pantalla.toStdString() << ": " << arbol.readAllStandardError().toStdString()
                                        << servidor.readAllStandardError().toStdString();

    QProcess programa;
    programa.setProcessEnvironment(entorno);
    programa.start(Programa("tesedra"), {});
    EXPECT_TRUE(EsperarHasta([&] {
        return programa.state() == QProcess::NotRunning
               || (verArbol() && arbol.readAllStandardOutput().contains("\"Tesedra v.1.0\""));
    }));
    EXPECT_EQ(programa.state(), QProcess::Running) << programa.readAllStandardError().toStdString();
    programa.kill();
    programa.waitForFinished();
    servidor.terminate();
    servidor.waitForFinished();
}

} // namespace
