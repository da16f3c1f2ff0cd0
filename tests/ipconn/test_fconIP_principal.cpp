// From the main window: the IP connectivity button opens the window, which pings
// from the PC and from a simulated router on "COM1", and goes back.
#include "ipconn/fconIP.h"

#include "DialogosPrueba.h"
#include "TiemposPrueba.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "ipconn/ConexionIP.h"
#include "base/Idiomas.h"
#include "ui/Programa.h"
#include "base/Sesion.h"
#include "shell/fMain.h"
#include "sim/SimuladorRouter.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace tesedra;

namespace {

template <class T>
T* hijo(QWidget* w, const char* nombre)
{
    T* h = w->findChild<T*>(QString::fromLatin1(nombre));
    EXPECT_NE(h, nullptr) << nombre;
    return h;
}

fconIP* ventanaIP()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<fconIP*>(w); v && v->isVisible())
            return v;
    return nullptr;
}

TEST(VentanaIPDesdePrincipal, PingFromThePCAndFromTheRouter)
{
    DialogosPrueba dlg;
    const TiemposCortos cortos(10, 50, 1, 5);
    CargarMensajes(kIdiomaEspanol);
    CargarTextosControles(kIdiomaEspanol);
    ReiniciarPrograma();
    int salidas = 0;
    FijarSalida([&] { ++salidas; });
    sesion() = Sesion{};
    sesion().Perfil = kPerfilInstalador;
    QTemporaryDir salida;
    opcionesPC().carpetaSalida = salida.path();

    sim::OpcionesSimulador o;
    o.modelo = kEfficient5660;
    o.password = "clave5660";
    sim::SimuladorRouter router(o);
    ASSERT_TRUE(router.iniciar());
    qputenv("TESEDRA_COM1", router.rutaDispositivo().toLocal8Bit());

    QPointer<fMain> m = new fMain();
    m->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m));
    auto* modelos = hijo<QComboBox>(m, "cModem");
    modelos->setCurrentIndex(modelos->findData(int(kEfficient5660)));
    auto* clave = hijo<QLineEdit>(m, "tClave");
    clave->setFocus();
    QTest::keyClicks(clave, "clave5660");
    QTest::keyClick(clave, Qt::Key_Tab);
    ASSERT_EQ(sesion().Puerto, 1);

    QTest::mouseClick(hijo<QPushButton>(m, "bIP"), Qt::LeftButton);
    QPointer<fconIP> ip = ventanaIP();
    ASSERT_TRUE(ip);
    EXPECT_FALSE(m->isVisible());

    hijo<QComboBox>(ip, "comboComando")->setCurrentText(QStringLiteral("ping"));
    const char* octetos[] = {"tuIP1", "tuIP2", "tuIP3", "tuIP4"};
    const char* pc[] = {"127", "0", "0", "1"};
    for (int i = 0; i < 4; ++i)
        hijo<QLineEdit>(ip, octetos[i])->setText(QString::fromLatin1(pc[i]));
    hijo<QLineEdit>(ip, "tretardo")->setText(QStringLiteral("15"));
    QTest::mouseClick(hijo<QPushButton>(ip, "btnEjecutarPC"), Qt::LeftButton);
    EXPECT_NE(ip->Resultado().find("64 bytes from 127.0.0.1"), std::string::npos) << ip->Resultado();

    const char* rt[] = {"10", "1", "2", "3"};
    for (int i = 0; i < 4; ++i)
        hijo<QLineEdit>(ip, octetos[i])->setText(QString::fromLatin1(rt[i]));
    QTest::mouseClick(hijo<QPushButton>(ip, "btnEjecutarRouter"), Qt::LeftButton);
    EXPECT_NE(ip->Resultado().find("64 bytes from 10.1.2.3"), std::string::npos) << ip->Resultado();
    EXPECT_EQ(router.lineasRecibidas().back(), "ping 10.1.2.3");
    EXPECT_TRUE(dlg.mensajes.empty());

    QTest::mouseClick(hijo<QPushButton>(ip, "bVolver"), Qt::LeftButton);
    EXPECT_TRUE(m->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ip.isNull());
    EXPECT_EQ(salidas, 0);

    EXPECT_TRUE(QFile::exists(salida.filePath(QStringLiteral("tracert.tmp"))));
    opcionesPC() = {};
    delete m.data();
    CerrarPuerto();
    qunsetenv("TESEDRA_COM1");
    FijarSalida([] { QCoreApplication::quit(); });
    ReiniciarPrograma();
}

} // namespace
