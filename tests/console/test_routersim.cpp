// The tesedra-routersim program: started as a child, found through its link,
// logged on to and ended with SIGTERM.
#include "DialogosPrueba.h"
#include "TiemposPrueba.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace tesedra {
namespace {

class RouterSim : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        ASSERT_TRUE(dir_.isValid());
    }
    void TearDown() override
    {
        CerrarPuerto();
        FijarRutaDispositivo({});
        if (p_.state() != QProcess::NotRunning) {
            p_.kill();
            p_.waitForFinished(2000);
        }
    }

    // Starts the program; the first line it prints is the device.
    QString Iniciar(const QStringList& argumentos)
    {
        p_.start(QStringLiteral(ROUTERSIM_PROGRAMA), argumentos);
        EXPECT_TRUE(p_.waitForStarted(5000));
        EXPECT_TRUE(p_.waitForReadyRead(5000));
        return QString::fromLocal8Bit(p_.readLine()).trimmed();
    }

    DialogosPrueba dialogos_;
    QTemporaryDir dir_;
    QProcess p_;
    TiemposCortos tiempos_{10, 40, 1, 3};
};

TEST_F(RouterSim, ConEnlaceContraseniaYSenal)
{
    const QString enlace = dir_.filePath(QStringLiteral("router"));
    const QString ruta = Iniciar({QStringLiteral("--model"), QStringLiteral("5660"), QStringLiteral("--password"),
                                  QStringLiteral("s3creta"), QStringLiteral("--link"), enlace});
    EXPECT_TRUE(ruta.startsWith(QStringLiteral("/dev/"))) << ruta.toStdString();
    EXPECT_EQ(QFileInfo(enlace).symLinkTarget(), ruta);

    sesion().ClaveModem = "s3creta";
    FijarRutaDispositivo(enlace.toStdString());
    ASSERT_TRUE(IniciarEfficient5660());
    std::string r;
    ASSERT_TRUE(EnviarComando("show pppauth", r, kEfficient5660, 0));
    EXPECT_NE(r.find("Username                       - arc0001@corporacion (VC 8/32)"), std::string::npos);
    CerrarPuerto();

    // Logged on still: a second session sees the prompt at once.
    ASSERT_TRUE(IniciarEfficient5660());
    CerrarPuerto();

    ::kill(static_cast<pid_t>(p_.processId()), SIGTERM);
    ASSERT_TRUE(p_.waitForFinished(5000));
    EXPECT_EQ(p_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p_.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(enlace));
    EXPECT_FALSE(QFileInfo(enlace).isSymLink());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(RouterSim, OpcionesDelSetupYPaginado)
{
    const QString ruta = Iniciar({QStringLiteral("--model"), QStringLiteral("812"), QStringLiteral("--setup-question"),
                                  QStringLiteral("--paging"), QStringLiteral("5"), QStringLiteral("--baud"),
                                  QStringLiteral("38400")});
    sesion().ClaveModem = "admin";
    FijarRutaDispositivo(ruta.toStdString());
    ASSERT_TRUE(IniciarOfficeRemote812());
    std::string r;
    ASSERT_TRUE(EnviarComando("show dhcp server settings", r, kOfficeRemote812, 0));
    EXPECT_NE(r.find("---Press <return> or type More for more"), std::string::npos);
    EXPECT_NE(r.find("Domain Name                   : Not set"), std::string::npos);
    EXPECT_EQ(r.find("Setup?"), std::string::npos);
}

TEST_F(RouterSim, ModeloDesconocidoSeRechaza)
{
    p_.start(QStringLiteral(ROUTERSIM_PROGRAMA), {QStringLiteral("--model"), QStringLiteral("999")});
    ASSERT_TRUE(p_.waitForFinished(5000));
    EXPECT_NE(p_.exitCode(), 0);
    EXPECT_TRUE(p_.readAllStandardOutput().isEmpty());
}

TEST_F(RouterSim, CallaTrasNBytes)
{
    const QString ruta = Iniciar({QStringLiteral("--model"), QStringLiteral("812"), QStringLiteral("--stop-after"),
                                  QStringLiteral("5")});
    sesion().ClaveModem = "admin";
    FijarRutaDispositivo(ruta.toStdString());
    EXPECT_FALSE(IniciarOfficeRemote812());
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto, mensajes().msgTiempoModem);
}

} // namespace
} // namespace tesedra
