// The log-on window, the management key dialog and the main window driven through
// their widgets, and the desktop program started for real.
#include "Programas.h"
#include "Ventanas.h"

#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"

#include <QProcess>
#include <QStandardPaths>

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Shell, VentanaConTextos{"shell", "fPerfil", [] { return new fPerfil(); }},
                   VentanaConTextos{"shell", "fMain", [] { return new fMain(); }},
                   VentanaConTextos{"shell", "fClaveGestionProvision", [] { return new fClaveGestionProvision(); }});

namespace {

// A log-on attempt: the profile chosen and the password typed, entered with the
// button, with Enter, or (teclas) the management dialog opened with those keys
// on `control` and the password typed there.
struct Entrada {
    int16_t indice;
    const char* clave;
    int16_t perfil; // the profile entered as; -1: stays on the log-on window
    Qt::KeyboardModifiers teclas = Qt::NoModifier;
    const char* control = "cEntrar"; // cEntrar, tClave (Enter) or where the keys go
};

// The log-on window, made while English texts and another profile are loaded: it
// loads the Spanish ones and starts on profile 0 itself.
class LogOn : public PruebaConVentanas, public ::testing::WithParamInterface<Entrada> {};

TEST_P(LogOn, EntersOnlyWithTheRightPasswordForTheProfile)
{
    const Entrada e = GetParam();
    CargarTextosControles(kIdiomaIngles);
    CargarMensajes(kIdiomaIngles);
    sesion().Perfil = 1;
    estadoLinea().AtenuacionIncorrecta = estadoLinea().RuidoIncorrecto = true;
    QPointer<fPerfil> perfil = new fPerfil();
    perfil->show();
    EXPECT_EQ(sesion().Perfil, 0);
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta || estadoLinea().RuidoIncorrecto);
    auto* clave = Hijo<QLineEdit>(perfil, "tClave");
    Hijo<QComboBox>(perfil, "cPerfil")->setCurrentIndex(e.indice);
    EXPECT_EQ(clave->isEnabled(), e.indice != 0);
    QString gestion, queda;
    if (e.teclas == Qt::NoModifier) {
        clave->setText(QLatin1String(e.clave));
        e.control[0] == 't' ? QTest::keyClick(clave, Qt::Key_Return) : Pulsar(perfil, e.control);
    } else {
        QObject contexto;
        QTimer::singleShot(0, &contexto, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                gestion = QLatin1String(d->metaObject()->className());
                QTest::keyClicks(Hijo(d, "txtClave"), QLatin1String(e.clave));
                Pulsar(d, "btnAceptar");
                queda = Hijo<QLineEdit>(d, "txtClave")->text();
                if (d->isVisible())
                    Pulsar(d, "btnCancelar");
            }
        });
        QTest::keyClick(Hijo(perfil, e.control), Qt::Key_T, e.teclas);
        QCoreApplication::processEvents();
        const bool abre = (e.teclas & Qt::ControlModifier) && (e.teclas & Qt::AltModifier);
        EXPECT_EQ(gestion == QLatin1String("tesedra::fClaveGestionProvision"), abre);
        EXPECT_TRUE(!abre || !perfil || clave->text().isEmpty()) << "the shortcut types nothing";
        if (abre && e.perfil < 0) {
            EXPECT_EQ(queda, QLatin1String(e.clave)) << "a wrong key stays for another try";
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(salidas_, 0);
    auto* m = Ventana<fMain>();
    EXPECT_EQ(m != nullptr, e.perfil >= 0);
    EXPECT_EQ(perfil.isNull(), e.perfil >= 0) << "the log-on window goes once entered";
    EXPECT_EQ(sesion().Perfil, e.perfil >= 0 ? e.perfil : e.indice);
    if (m) {
        EXPECT_TRUE(dialogos_.mensajes.empty());
        return;
    }
    EXPECT_TRUE(perfil && perfil->isVisible());
    if (e.teclas == Qt::NoModifier || !gestion.isEmpty()) {
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        EXPECT_EQ(dialogos_.mensajes[0].texto, "La clave introducida no es v\xE1lida");
        EXPECT_TRUE(clave->text().isEmpty());
    }
}

const auto kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

INSTANTIATE_TEST_SUITE_P(
    Passwords, LogOn,
    ::testing::Values(Entrada{0, "cualquier cosa", 0}, Entrada{1, "Qarmvbx+LPW7?", 1},
                      Entrada{1, "Qarmvbx+LPW7?", 1, {}, "tClave"}, Entrada{1, "Qarmvbx+LPW7? ", -1},
                      Entrada{1, " Qarmvbx+LPW7?", -1, {}, "tClave"}, Entrada{1, "qarmvbx+lpw7?", -1},
                      Entrada{1, "", -1}, Entrada{1, "Qarmvbx+LPW7", -1, {}, "tClave"},
                      Entrada{1, "Vrax-K7lm-Opdu", 2, kCtrlAlt, "cPerfil"},
                      Entrada{0, "Vrax-K7lm-Opdu", 2, kCtrlAlt, "cEntrar"},
                      Entrada{1, "vrax-k7lm-opdu", -1, kCtrlAlt, "cEntrar"}, Entrada{1, " Vrax-K7lm-Opdu", -1, kCtrlAlt | Qt::ShiftModifier, "tClave"},
                      Entrada{1, "Vrax-K7lm-Opdu ", -1, kCtrlAlt, "cPerfil"}, Entrada{1, "", -1, kCtrlAlt, "cSalir"},
                      Entrada{1, "Vrax-K7lm-Opdu", -1, Qt::ControlModifier, "cPerfil"},
                      Entrada{1, "Vrax-K7lm-Opdu", -1, Qt::AltModifier, "tClave"}));

class Principal : public PruebaConVentanas {
protected:
    fMain* Abrir(int16_t perfil)
    {
        sesion().Perfil = perfil;
        auto* m = new fMain();
        m->show();
        return m;
    }
};

class Perfiles : public Principal, public ::testing::WithParamInterface<std::tuple<int16_t, bool, bool, bool>> {};

TEST_P(Perfiles, MainWindowShowsWhatTheProfileMayUse)
{
    const auto [perfil, especiales, validacion, inversa] = GetParam();
    fMain* m = Abrir(perfil);
    EXPECT_EQ(Hijo(m, "fesp")->isVisible(), especiales);
    EXPECT_EQ(Hijo(m, "bValidacion")->isVisible(), validacion);
    EXPECT_EQ(Hijo(m, "bvalInv")->isVisible(), inversa);
    for (const char* b : {"bSincro", "bATM", "bPPP", "bIP", "bConfiguracion", "bSalir"})
        EXPECT_TRUE(Hijo(m, b)->isVisible()) << b;
}

INSTANTIATE_TEST_SUITE_P(Principal, Perfiles,
                         ::testing::Values(std::tuple{int16_t(0), false, false, false}, std::tuple{int16_t(1), true, true, false},
                                           std::tuple{int16_t(2), true, true, true}, std::tuple{int16_t(7), true, true, true}));

TEST_F(Principal, ModelPortAndPasswordReachTheSession)
{
    fMain* m = Abrir(0);
    EXPECT_EQ(m->CodigoModelo(), kOfficeRemote812);
    Hijo<QComboBox>(m, "cModem")->setCurrentIndex(1);
    EXPECT_EQ(m->CodigoModelo(), kEfficient5660);
    EXPECT_EQ(sesion().Puerto, 1);
    Hijo<QComboBox>(m, "cPuerto")->setCurrentIndex(3);
    EXPECT_EQ(sesion().Puerto, 4);
    // The router password reaches the session when its field loses the focus.
    m->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    auto* clave = Hijo<QLineEdit>(m, "tClave");
    clave->setFocus();
    clave->insert(QStringLiteral("abc \u00e7"));
    EXPECT_EQ(sesion().ClaveModem, kClavePrueba);
    QTest::keyClick(clave, Qt::Key_Tab);
    EXPECT_EQ(sesion().ClaveModem, "abc \xE7");
}

struct Boton {
    const char* boton;
    int16_t prueba; // the check it sets; 9: left as it was
    const char* clase;
    const char* volver; // null: the close box
};

class Botones : public Principal, public ::testing::WithParamInterface<Boton> {};

TEST_P(Botones, EachOpensItsWindowInPlaceOfTheMainOneUntilItCloses)
{
    const Boton b = GetParam();
    Router(kOfficeRemote812);
    fMain* m = Abrir(2);
    sesion().TipoPrueba = 9;
    Pulsar(m, b.boton);
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(sesion().TipoPrueba, b.prueba);
    QWidget* v = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->metaObject()->className() == QLatin1String(b.clase))
            v = w;
    ASSERT_NE(v, nullptr);
    b.volver ? Pulsar(v, b.volver) : void(v->close());
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(salidas_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Principal, Botones,
    ::testing::Values(Boton{"bSincro", 0, "tesedra::fGenerico", "bVolver"}, Boton{"bATM", 1, "tesedra::fConectividadATM", nullptr},
                      Boton{"bPPP", 2, "tesedra::fGenerico", nullptr}, Boton{"bIP", 3, "tesedra::fconIP", "bVolver"},
                      Boton{"bConfiguracion", 4, "tesedra::fConfiguracion", "bVolver"},
                      Boton{"bValidacion", 9, "tesedra::fValidacion", "bVolver"},
                      Boton{"bvalInv", 9, "tesedra::fvalInversa", nullptr}));

TEST_F(Principal, ExitOrTheCloseBoxEndsTheProgramOnceTheExchangeUnderWayHasUnwound)
{
    Router(kOfficeRemote812).fijarRespuesta("show adsl transceiver_status", "@pausa 60000\nnunca\n");
    fMain* m = Abrir(2);
    int enCurso = -1;
    FijarSalida([&] {
        ++salidas_;
        enCurso = Intercambio::EnCurso();
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, m, [&] { Pulsar(m, "bSincro"); });
    Cuando([&] { return Recibio("show adsl transceiver_status"); }, [&] { m->close(); });
    QTimer::singleShot(60000, m, [] { QCoreApplication::quit(); }); // a bound against a hang
    QApplication::exec();
    EXPECT_EQ(salidas_, 1);
    EXPECT_EQ(enCurso, 0);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.preguntas.empty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    // Without an exchange under way, at once; the log-on's exit as well.
    ReiniciarPrograma();
    Pulsar(Abrir(0), "bSalir");
    EXPECT_EQ(salidas_, 2);
    ReiniciarPrograma();
    Pulsar(new fPerfil(), "cSalir");
    EXPECT_EQ(salidas_, 3);
}

QProcessEnvironment Entorno(std::initializer_list<const char*> sin)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char* v : sin)
        entorno.remove(QLatin1String(v));
    return entorno;
}

TEST(DesktopProgram, WithoutADisplaySaysSoAndEndsWithOne)
{
    const Salida s = Ejecutar(Programa("tesedra"), {}, {}, Entorno({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.errores.contains("no display") && s.errores.contains("tesedra-cli")) << s.errores.toStdString();
}

// Run under xvfb-run by the shell_xvfb_DesktopProgramUnderX test: the program
// starts through its own main() and shows the log-on window, seen from outside in
// the X server's window tree.
TEST(DesktopProgramUnderX, StartsUpToTheLogOnWindow)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs a real X server";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty()) << "xwininfo (x11-utils)";
    QProcess programa;
    programa.setProcessEnvironment(Entorno({"QT_QPA_PLATFORM"}));
    programa.start(Programa("tesedra"), {});
    ASSERT_TRUE(programa.waitForStarted());
    auto Arbol = [] {
        QProcess x;
        x.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        x.waitForFinished();
        return x.readAllStandardOutput();
    };
    EXPECT_TRUE(EsperarHasta([&] { return Arbol().contains("\"Tesedra v.1.0\""); })) << Arbol().toStdString();
    EXPECT_EQ(programa.state(), QProcess::Running);
    programa.kill();
    programa.waitForFinished();
}

} // namespace
