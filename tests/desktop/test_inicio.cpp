// The log-on window and the management key dialog, driven through their widgets.
#include "EntornoVentanas.h"

#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "shell/fPerfil.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Inicio : public EntornoVentanas {
protected:
    fPerfil* Abrir()
    {
        auto* p = new fPerfil();
        p->show();
        perfil = p;
        return p;
    }
    QComboBox* cPerfil() { return Hijo<QComboBox>(perfil, "cPerfil"); }
    QLineEdit* tClave() { return Hijo<QLineEdit>(perfil, "tClave"); }

    // Answers the next modal dialog (when one opens) with `accion`; records its class.
    void AlAbrirseModal(std::function<void(QDialog*)> accion)
    {
        modalVisto.clear();
        QTimer::singleShot(0, [this, accion] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m)
                return;
            modalVisto = m->metaObject()->className();
            if (auto* d = qobject_cast<QDialog*>(m))
                accion(d);
        });
    }

    QPointer<fPerfil> perfil;
    QString modalVisto;
};

TEST_F(Inicio, LoadsSpanishTextsAndStartsOnProfileZero)
{
    CargarTextosControles(kIdiomaIngles);
    CargarMensajes(kIdiomaIngles);
    sesion().Perfil = 1;
    estadoLinea().AtenuacionIncorrecta = true;
    estadoLinea().RuidoIncorrecto = true;
    Abrir();
    EXPECT_EQ(perfil->windowTitle(), QStringLiteral("Tesedra v.1.0"));
    EXPECT_EQ(mensajes().msgClaveNoValida, "La clave introducida no es v\xE1lida");
    ASSERT_EQ(cPerfil()->count(), 2);
    EXPECT_EQ(cPerfil()->itemText(0), QStringLiteral("Usuario"));
    EXPECT_EQ(cPerfil()->itemText(1), QStringLiteral("Instalador"));
    EXPECT_EQ(cPerfil()->currentIndex(), 0);
    EXPECT_EQ(sesion().Perfil, 0);
    EXPECT_FALSE(tClave()->isEnabled());
    EXPECT_EQ(tClave()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Hijo<QGroupBox>(perfil, "Frame1")->title(), QStringLiteral("Seleccione su perfil:"));
    EXPECT_EQ(Hijo<QLabel>(perfil, "lClave")->text(), QStringLiteral("Clave:"));
    EXPECT_EQ(Hijo<QLabel>(perfil, "lClave")->buddy(), tClave());
    EXPECT_EQ(Hijo<QLabel>(perfil, "lPerfil")->buddy(), cPerfil());
    EXPECT_EQ(Hijo<QPushButton>(perfil, "cEntrar")->text(), QStringLiteral("&Entrar"));
    EXPECT_EQ(Hijo<QPushButton>(perfil, "cSalir")->text(), QStringLiteral("Sa&lir"));
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);

    cPerfil()->setCurrentIndex(1);
    EXPECT_EQ(sesion().Perfil, 1);
    EXPECT_TRUE(tClave()->isEnabled());
    cPerfil()->setCurrentIndex(0);
    EXPECT_FALSE(tClave()->isEnabled());
}

TEST_F(Inicio, ProfileZeroEntersWhateverThePasswordField)
{
    Abrir();
    tClave()->setText(QStringLiteral("cualquier cosa"));
    Pulsar(perfil, "cEntrar");
    EXPECT_TRUE(dialogos.mensajes.empty());
    auto* m = Ventana<fMain>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(sesion().Perfil, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(perfil.isNull()) << "the log-on window is unloaded";
    EXPECT_EQ(salidas, 0) << "handing over does not end the program";
}

struct CasoClave {
    const char* clave;
    bool entra;
};

class ClaveInstalador : public Inicio, public ::testing::WithParamInterface<CasoClave> {};

TEST_P(ClaveInstalador, OnlyTheExactPasswordEnters)
{
    Abrir();
    cPerfil()->setCurrentIndex(1);
    QTest::keyClicks(tClave(), QString::fromLatin1(GetParam().clave));
    Pulsar(perfil, "cEntrar");
    if (GetParam().entra) {
        EXPECT_TRUE(dialogos.mensajes.empty());
        ASSERT_NE(Ventana<fMain>(), nullptr);
        EXPECT_EQ(sesion().Perfil, 1);
    } else {
        ASSERT_EQ(dialogos.mensajes.size(), 1u);
        EXPECT_EQ(dialogos.mensajes[0].texto, "La clave introducida no es v\xE1lida");
        EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
        EXPECT_EQ(dialogos.mensajes[0].icono, IconoMensaje::Aviso);
        EXPECT_EQ(Ventana<fMain>(), nullptr);
        ASSERT_FALSE(perfil.isNull());
        EXPECT_TRUE(perfil->isVisible());
        EXPECT_TRUE(tClave()->text().isEmpty()) << "the password field is emptied";
        EXPECT_EQ(cPerfil()->currentIndex(), 1) << "the same profile stays chosen";
    }
}

INSTANTIATE_TEST_SUITE_P(Inicio, ClaveInstalador,
                         ::testing::Values(CasoClave{"Qarmvbx+LPW7?", true}, CasoClave{"Qarmvbx+LPW7? ", false},
                                           CasoClave{" Qarmvbx+LPW7?", false}, CasoClave{"qarmvbx+lpw7?", false},
                                           CasoClave{"QARMVBX+LPW7?", false}, CasoClave{"", false},
                                           CasoClave{"Qarmvbx+LPW7", false}));

TEST_F(Inicio, WrongPasswordThenProfileZeroEntersAsProfileZero)
{
    Abrir();
    cPerfil()->setCurrentIndex(1);
    QTest::keyClicks(tClave(), QStringLiteral("mala"));
    Pulsar(perfil, "cEntrar");
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    cPerfil()->setCurrentIndex(0);
    Pulsar(perfil, "cEntrar");
    auto* m = Ventana<fMain>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(sesion().Perfil, 0);
    EXPECT_TRUE(Hijo<QGroupBox>(m, "fesp")->isHidden());
}

TEST_F(Inicio, EnterInThePasswordFieldEnters)
{
    Abrir();
    cPerfil()->setCurrentIndex(1);
    QTest::keyClicks(tClave(), QStringLiteral("nada"));
    QTest::keyClick(tClave(), Qt::Key_Return);
    EXPECT_EQ(dialogos.mensajes.size(), 1u);
    QTest::keyClicks(tClave(), QStringLiteral("Qarmvbx+LPW7?"));
    QTest::keyClick(tClave(), Qt::Key_Return);
    EXPECT_NE(Ventana<fMain>(), nullptr);
    EXPECT_EQ(sesion().Perfil, 1);
}

TEST_F(Inicio, ExitEndsTheProgram)
{
    Abrir();
    Pulsar(perfil, "cSalir");
    EXPECT_EQ(salidas, 1);
    EXPECT_EQ(Ventana<fMain>(), nullptr);
}

TEST_F(Inicio, CtrlAltTOpensTheManagementDialogAndTheRightKeyEntersAsManagement)
{
    Abrir();
    QString tituloVisto;
    AlAbrirseModal([&](QDialog* d) {
        tituloVisto = d->windowTitle();
        auto* clave = d->findChild<QLineEdit*>(QStringLiteral("txtClave"));
        ASSERT_NE(clave, nullptr);
        EXPECT_TRUE(clave->text().isEmpty());
        EXPECT_EQ(clave->echoMode(), QLineEdit::Password);
        QTest::keyClicks(clave, QStringLiteral("Vrax-K7lm-Opdu"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnAceptar")), Qt::LeftButton);
    });
    QTest::keyClick(perfil, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(modalVisto, QStringLiteral("tesedra::fClaveGestionProvision"));
    EXPECT_EQ(tituloVisto, QString::fromLatin1("Clave Gesti\xF3n/Provisi\xF3n"));
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_EQ(sesion().Perfil, 2);
    auto* m = Ventana<fMain>();
    ASSERT_NE(m, nullptr);
    EXPECT_FALSE(Hijo<QPushButton>(m, "bvalInv")->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(perfil.isNull());
}

TEST_F(Inicio, ShortcutWorksFromTheFocusedFieldWithShiftOrCapsLock)
{
    Abrir();
    cPerfil()->setCurrentIndex(1);
    AlAbrirseModal([](QDialog* d) { d->reject(); });
    QTest::keyClick(tClave(), Qt::Key_T, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(modalVisto, QStringLiteral("tesedra::fClaveGestionProvision"));
    EXPECT_TRUE(tClave()->text().isEmpty()) << "the shortcut types nothing";
    AlAbrirseModal([](QDialog* d) { d->reject(); });
    QTest::keyClick(cPerfil(), 't', Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(modalVisto, QStringLiteral("tesedra::fClaveGestionProvision"));
}

TEST_F(Inicio, CtrlTOrAltTAloneDoNothing)
{
    Abrir();
    cPerfil()->setCurrentIndex(1);
    for (Qt::KeyboardModifiers mod : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
                                      Qt::KeyboardModifiers(Qt::NoModifier)}) {
        AlAbrirseModal([](QDialog* d) { d->reject(); });
        QTest::keyClick(perfil, Qt::Key_T, mod);
        QTest::keyClick(tClave(), Qt::Key_T, mod);
        QCoreApplication::processEvents();
        EXPECT_TRUE(modalVisto.isEmpty()) << "modifiers " << int(mod);
    }
    EXPECT_EQ(sesion().Perfil, 1);
    EXPECT_EQ(Ventana<fMain>(), nullptr);
}

TEST_F(Inicio, WrongManagementKeyKeepsTheDialogAndCancelReturnsToLogOn)
{
    Abrir();
    QStringList textosVistos;
    bool sigueAbierto = false;
    AlAbrirseModal([&](QDialog* d) {
        auto* clave = d->findChild<QLineEdit*>(QStringLiteral("txtClave"));
        auto* aceptar = d->findChild<QPushButton*>(QStringLiteral("btnAceptar"));
        for (const char* k : {"", "vrax-k7lm-opdu", " Vrax-K7lm-Opdu", "Vrax-K7lm-Opdu "}) {
            clave->setText(QString::fromLatin1(k));
            QTest::mouseClick(aceptar, Qt::LeftButton);
            textosVistos << clave->text();
        }
        sigueAbierto = d->isVisible();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCancelar")), Qt::LeftButton);
    });
    QTest::keyClick(perfil, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(modalVisto, QStringLiteral("tesedra::fClaveGestionProvision"));
    EXPECT_TRUE(sigueAbierto);
    ASSERT_EQ(dialogos.mensajes.size(), 4u);
    for (const auto& m : dialogos.mensajes) {
        EXPECT_EQ(m.texto, "La clave introducida no es v\xE1lida");
        EXPECT_EQ(m.titulo, "Error");
    }
    EXPECT_EQ(textosVistos,
              (QStringList{"", "vrax-k7lm-opdu", " Vrax-K7lm-Opdu", "Vrax-K7lm-Opdu "}))
        << "the typed key stays for another try";
    EXPECT_EQ(sesion().Perfil, 0);
    ASSERT_FALSE(perfil.isNull());
    EXPECT_TRUE(perfil->isVisible());
    EXPECT_EQ(Ventana<fMain>(), nullptr);

    // Opening it again starts with an empty key.
    QString claveAlAbrir = QStringLiteral("?");
    AlAbrirseModal([&](QDialog* d) {
        claveAlAbrir = d->findChild<QLineEdit*>(QStringLiteral("txtClave"))->text();
        d->reject();
    });
    QTest::keyClick(perfil, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(claveAlAbrir.isEmpty());
}

} // namespace

namespace {

// Started without any display, the program says so and ends instead of aborting.
TEST(ProgramaSinPantalla, DiceQueNoHayPantallaYTerminaConUno)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        entorno.remove(QString::fromLatin1(v));
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(QStringLiteral(TESEDRA_BINARY_DIR "/bin/tesedra"), {});
    ASSERT_TRUE(p.waitForStarted(10000)) << p.errorString().toStdString();
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        FAIL() << "the program did not end without a display";
    }
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QByteArray err = p.readAllStandardError();
    EXPECT_TRUE(err.contains("no display")) << err.toStdString();
    EXPECT_TRUE(err.contains("tesedra-cli")) << err.toStdString();
}

} // namespace
