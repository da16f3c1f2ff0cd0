// The main window: what each profile sees, the model and port lists, the router
// password and the buttons that open the other windows.
#include "EntornoVentanas.h"

#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "ipconn/fconIP.h"
#include "shell/fMain.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Principal : public EntornoVentanas {
protected:
    fMain* Abrir(int16_t perfil)
    {
        sesion().Perfil = perfil;
        auto* m = new fMain();
        m->show();
        return m;
    }
};

struct CasoPerfil {
    int16_t perfil;
    bool especiales;
    bool validacion;
    bool inversa;
};

class PrincipalPorPerfil : public Principal, public ::testing::WithParamInterface<CasoPerfil> {};

TEST_P(PrincipalPorPerfil, ShowsWhatTheProfileMayUse)
{
    const CasoPerfil c = GetParam();
    fMain* m = Abrir(c.perfil);
    EXPECT_EQ(!Hijo<QGroupBox>(m, "fesp")->isHidden(), c.especiales);
    EXPECT_EQ(Hijo<QPushButton>(m, "bValidacion")->isVisible(), c.validacion);
    EXPECT_EQ(Hijo<QPushButton>(m, "bvalInv")->isVisible(), c.inversa);
    for (const char* b : {"bSincro", "bATM", "bPPP", "bIP", "bConfiguracion", "bSalir"})
        EXPECT_TRUE(Hijo<QPushButton>(m, b)->isVisible()) << b;
}

INSTANTIATE_TEST_SUITE_P(Principal, PrincipalPorPerfil,
                         ::testing::Values(CasoPerfil{0, false, false, false}, CasoPerfil{1, true, true, false},
                                           CasoPerfil{2, true, true, true}, CasoPerfil{7, true, true, true}));

TEST_F(Principal, DefaultsAreThe812OnPortOneWithSpanishCaptions)
{
    fMain* m = Abrir(2);
    EXPECT_EQ(m->windowTitle(), QStringLiteral("Tesedra v.1.0"));
    auto* modelo = Hijo<QComboBox>(m, "cModem");
    ASSERT_EQ(modelo->count(), 2);
    EXPECT_EQ(modelo->itemText(0), QStringLiteral("3Com OfficeConnectRemote 812"));
    EXPECT_EQ(modelo->itemData(0).toInt(), 2);
    EXPECT_EQ(modelo->itemText(1), QStringLiteral("Efficient SS5660"));
    EXPECT_EQ(modelo->itemData(1).toInt(), 1);
    EXPECT_EQ(m->CodigoModelo(), 2);
    modelo->setCurrentIndex(1);
    EXPECT_EQ(m->CodigoModelo(), 1);

    auto* puerto = Hijo<QComboBox>(m, "cPuerto");
    ASSERT_EQ(puerto->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(puerto->itemText(i), QStringLiteral("Com %1").arg(i + 1));
    EXPECT_EQ(sesion().Puerto, 1);
    puerto->setCurrentIndex(3);
    EXPECT_EQ(sesion().Puerto, 4);

    EXPECT_EQ(Hijo<QGroupBox>(m, "fmodem")->title(), QString::fromLatin1("Opciones del m\xF3" "dem:"));
    EXPECT_EQ(Hijo<QGroupBox>(m, "fpru")->title(), QStringLiteral("Protocolo de pruebas:"));
    EXPECT_EQ(Hijo<QGroupBox>(m, "fesp")->title(), QStringLiteral("Opciones especiales:"));
    EXPECT_EQ(Hijo<QPushButton>(m, "bSincro")->text(), QString::fromLatin1("&Sincronizaci\xF3n"));
    EXPECT_EQ(Hijo<QPushButton>(m, "bvalInv")->text(), QString::fromLatin1("Validaci\xF3n &Inversa"));
    for (const char* l : {"lmodem", "lpserie", "lClave"})
        EXPECT_NE(Hijo<QLabel>(m, l)->buddy(), nullptr) << l;
    EXPECT_EQ(Hijo<QLineEdit>(m, "tClave")->echoMode(), QLineEdit::Password);
}

TEST_F(Principal, WindowsTakeTheirCaptionsFromTheLoadedLanguage)
{
    CargarTextosControles(kIdiomaIngles);
    CargarMensajes(kIdiomaIngles);
    fMain* m = Abrir(2);
    EXPECT_EQ(Hijo<QPushButton>(m, "bSincro")->text(), QStringLiteral("&Sincronization"));
    EXPECT_EQ(Hijo<QPushButton>(m, "bvalInv")->text(), QStringLiteral("&Reverse Validation"));
    EXPECT_EQ(Hijo<QGroupBox>(m, "fmodem")->title(), QStringLiteral("Modem configuration:"));
    EXPECT_EQ(Hijo<QLabel>(m, "lpserie")->text(), QStringLiteral("Serial Port:"));
    Pulsar(m, "bATM");
    auto* atm = Ventana<fConectividadATM>();
    ASSERT_NE(atm, nullptr);
    EXPECT_EQ(atm->windowTitle(), QStringLiteral("ATM connectivity check"));
    EXPECT_EQ(Hijo<QPushButton>(atm, "btnLanzar")->text(), QStringLiteral("&Start"));
    EXPECT_EQ(Hijo<QPushButton>(atm, "bVolver")->text(), QStringLiteral("&Back"));
}

TEST_F(Principal, PasswordReachesTheSessionOnlyWhenTheFieldLosesFocus)
{
    fMain* m = Abrir(0);
    m->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    auto* clave = Hijo<QLineEdit>(m, "tClave");
    sesion().ClaveModem = "antes";
    clave->setFocus();
    QTest::keyClicks(clave, QStringLiteral("abc "));
    clave->insert(QString(QChar(0xE7)));
    EXPECT_EQ(sesion().ClaveModem, "antes") << "typing alone changes nothing";
    Hijo<QComboBox>(m, "cPuerto")->setFocus();
    EXPECT_EQ(sesion().ClaveModem, "abc \xE7");

    clave->setFocus();
    clave->clear();
    QTest::keyClick(clave, Qt::Key_Tab);
    EXPECT_FALSE(clave->hasFocus());
    EXPECT_EQ(sesion().ClaveModem, "");
}

TEST_F(Principal, ButtonsHideTheMainWindowSetTheCheckAndOpenTheirWindow)
{
    fMain* m = Abrir(2);
    sesion().TipoPrueba = 9;

    Pulsar(m, "bATM");
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(sesion().TipoPrueba, 1);
    auto* atm = Ventana<fConectividadATM>();
    ASSERT_NE(atm, nullptr);
    Pulsar(atm, "bVolver");
    EXPECT_TRUE(m->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Ventana<fConectividadATM>(), nullptr);

    Pulsar(m, "bConfiguracion");
    EXPECT_EQ(sesion().TipoPrueba, 4);
    auto* conf = Ventana<fConfiguracion>();
    ASSERT_NE(conf, nullptr);
    EXPECT_FALSE(m->isVisible());
    conf->close(); // the close box does what bVolver does
    EXPECT_TRUE(m->isVisible());

    Pulsar(m, "bIP");
    EXPECT_EQ(sesion().TipoPrueba, 3);
    auto* ip = Ventana<fconIP>();
    ASSERT_NE(ip, nullptr);
    EXPECT_FALSE(m->isVisible());
    ip->close();
    EXPECT_TRUE(m->isVisible());

    Pulsar(m, "bValidacion");
    EXPECT_EQ(sesion().TipoPrueba, 3) << "validation leaves the check as it was";
    auto* val = Ventana<fValidacion>();
    ASSERT_NE(val, nullptr);
    EXPECT_FALSE(m->isVisible());
    Pulsar(val, "bVolver");
    EXPECT_TRUE(m->isVisible());

    Pulsar(m, "bvalInv");
    auto* inv = Ventana<fvalInversa>();
    ASSERT_NE(inv, nullptr);
    EXPECT_FALSE(m->isVisible());
    Pulsar(inv, "bVolver");
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(salidas, 0);
}

TEST_F(Principal, ExitAndTheCloseBoxEndTheProgramAndCloseEveryWindow)
{
    fMain* m = Abrir(2);
    Pulsar(m, "bATM");
    ASSERT_NE(Ventana<fConectividadATM>(), nullptr);
    m->close();
    EXPECT_EQ(salidas, 1);
    EXPECT_TRUE(Terminando());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();

    ReiniciarPrograma();
    fMain* otra = Abrir(0);
    Pulsar(otra, "bSalir");
    EXPECT_EQ(salidas, 2);
}

} // namespace
