// tesedra-cli check and validate, run as a separate process against the router
// simulator of this test process (over a pseudo-terminal, with --device).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include "tests/checks/RouterPrueba.h"

#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

struct Salida {
    int codigo = -1;
    QByteArray stdoutBytes;
    QByteArray stderrBytes;
};

class CliRouter : public PruebaConRouter {
protected:
    // Runs tesedra-cli with `args`, serving the simulator meanwhile.
    Salida Cli(const QStringList& args, const QByteArray& entrada = {},
               const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProgram(QStringLiteral(TESEDRA_BINARY_DIR "/bin/tesedra-cli"));
        p.setArguments(args);
        p.setProcessEnvironment(entorno);
        QEventLoop bucle;
        QObject::connect(&p, &QProcess::finished, &bucle, &QEventLoop::quit);
        QObject::connect(&p, &QProcess::errorOccurred, &bucle, &QEventLoop::quit);
        QTimer::singleShot(90000, &bucle, &QEventLoop::quit);
        p.start();
        if (!p.waitForStarted(10000))
            return {};
        if (!entrada.isNull()) {
            p.write(entrada);
            p.closeWriteChannel();
        }
        bucle.exec();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        Salida s;
        s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        s.stdoutBytes = p.readAllStandardOutput();
        s.stderrBytes = p.readAllStandardError();
        return s;
    }

    QStringList Dispositivo() const
    {
        return {QStringLiteral("--device"), router_->rutaDispositivo(), QStringLiteral("--password"),
                QStringLiteral("admin")};
    }
};

std::map<std::string, std::string> LeerCrudo(const QByteArray& salida)
{
    std::map<std::string, std::string> campos;
    for (const QByteArray& l : salida.split('\n')) {
        const auto igual = l.indexOf('=');
        if (igual > 0)
            campos[l.left(igual).toStdString()] = l.mid(igual + 1).toStdString();
    }
    return campos;
}

TEST_F(CliRouter, CheckEscribeElResultadoTalCual)
{
    Router(kEfficient5660);
    const Salida s = Cli(QStringList{"check", "sync", "--model", "5660"} + Dispositivo());
    EXPECT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    EXPECT_EQ(Visible(s.stdoutBytes.toStdString()),
              Visible(LeerFichero(QStringLiteral(TESEDRA_SOURCE_DIR "/tests/checks/golden/5660_sync.txt"))));
}

TEST_F(CliRouter, CheckATMConVPVCYClaveLeidaDeLaEntrada)
{
    Router(kEfficient5660);
    const Salida s = Cli({"check", "atm", "--model", "5660", "--device", router_->rutaDispositivo(), "--vp", "0",
                          "--vc", "35"},
                         "admin\n");
    EXPECT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    EXPECT_TRUE(s.stdoutBytes.startsWith("atmping F5 seg 0 35\r\n")) << s.stdoutBytes.toStdString();
    EXPECT_TRUE(s.stdoutBytes.contains("\r\n\r\natmping F5 end 0 35\r\n"));
    EXPECT_EQ(Ordenes(), (std::vector<std::string>{"atmping F5 seg 0 35", "atmping F5 end 0 35"}));
}

TEST_F(CliRouter, CheckConfigDelOfficeRemoteConCircuito)
{
    Router(kOfficeRemote812);
    const Salida s = Cli(QStringList{"check", "config", "--model", "812", "--circuit", "internet"} + Dispositivo());
    EXPECT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    EXPECT_EQ(Ordenes().front(), "show vc internet settings");
    EXPECT_FALSE(s.stdoutBytes.contains("show vc internet settings"));
    EXPECT_TRUE(s.stdoutBytes.contains("Virtual Channel Name"));
}

TEST_F(CliRouter, PuertoPorNumero)
{
    Router(kEfficient5660);
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("TESEDRA_COM3"), router_->rutaDispositivo());
    const Salida s = Cli({"check", "ppp", "--model", "5660", "--port", "3", "--password", "admin"}, {}, entorno);
    EXPECT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    EXPECT_EQ(Ordenes(), std::vector<std::string>{"show pppstatus"});
    EXPECT_TRUE(s.stdoutBytes.contains("Link State")) << s.stdoutBytes.toStdString();

    const Salida ambos = Cli({"check", "ppp", "--model", "5660", "--port", "3", "--device", "/dev/null",
                              "--password", "admin"});
    EXPECT_EQ(ambos.codigo, 2);
    const Salida cero = Cli({"check", "ppp", "--model", "5660", "--port", "0", "--password", "admin"});
    EXPECT_EQ(cero.codigo, 2);
}

TEST_F(CliRouter, ErroresDeUsoYDeAcceso)
{
    Router(kEfficient5660);
    Salida s = Cli(QStringList{"check", "sync"} + Dispositivo());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.stderrBytes.contains("--model"));
    s = Cli(QStringList{"check", "speed", "--model", "5660"} + Dispositivo());
    EXPECT_EQ(s.codigo, 2);
    s = Cli(QStringList{"check", "atm", "--model", "5660", "--vp", "8a"} + Dispositivo());
    EXPECT_EQ(s.codigo, 2);
    s = Cli({"check", "sync", "--model", "5660", "--device", "/nonexistent/tty", "--password", "x"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.stdoutBytes.isEmpty());
    EXPECT_TRUE(s.stderrBytes.contains("Error configurando m\xC3\xB3" "dem")) << s.stderrBytes.toStdString();
    s = Cli(QStringList{"validate", "--model", "812", "--modality", "oro", "--line-check"} + Dispositivo());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(router_->lineasRecibidas().empty());
}

TEST_F(CliRouter, AyudaNombraElSubcomando)
{
    Salida s = Cli({"check", "--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_TRUE(s.stdoutBytes.startsWith("Usage: tesedra-cli check [options] CHECK")) << s.stdoutBytes.toStdString();
    EXPECT_TRUE(s.stdoutBytes.contains("--circuit"));
    s = Cli({"validate", "--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_TRUE(s.stdoutBytes.startsWith("Usage: tesedra-cli validate [options]"));
    EXPECT_TRUE(s.stdoutBytes.contains("--line-check"));
    EXPECT_FALSE(s.stdoutBytes.contains("--circuit"));
}

TEST_F(CliRouter, AyudaGeneralEnLaSalidaYUsoIncorrectoEnErrores)
{
    // Asked for, the help goes to standard output so that it can be paged.
    Salida s = Cli({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_TRUE(s.stdoutBytes.startsWith("Usage: tesedra-cli COMMAND")) << s.stdoutBytes.toStdString();
    EXPECT_TRUE(s.stdoutBytes.contains("validate"));
    EXPECT_TRUE(s.stderrBytes.isEmpty()) << s.stderrBytes.toStdString();
    // A wrong call gets the usage on standard error and status 2.
    s = Cli({});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.stdoutBytes.isEmpty());
    EXPECT_TRUE(s.stderrBytes.contains("Usage: tesedra-cli COMMAND"));
    s = Cli({"chek"});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.stderrBytes.contains("unknown command 'chek'")) << s.stderrBytes.toStdString();
}

TEST_F(CliRouter, SinClaveNiEntradaEsErrorDeUso)
{
    Router(kEfficient5660);
    const Salida s = Cli({"check", "ppp", "--model", "5660", "--device", router_->rutaDispositivo()}, QByteArray(""));
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.stderrBytes.contains("password")) << s.stderrBytes.toStdString();
    EXPECT_TRUE(router_->lineasRecibidas().empty());
}

TEST_F(CliRouter, ValidateGuardaUnRegistroQueLaValidacionInversaAcepta)
{
    auto& r = Router(kEfficient5660);
    // A TX rate line with trailing blanks: the stored value carries no line end.
    r.fijarRespuesta("show dslstatus", "Current TX Rate - 320 Kbps  \nCurrent SNR Margin - 7.5\n"
                                       "Current Attenuation - 45.5\nCurrent Attainable Rate - 2816 Kbps\n");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList args = QStringList{"validate", "--model", "5660", "--line-check", "--modality", "premium",
                                         "--raw", "--save", dir.path()} + Dispositivo();
    const Salida s = Cli(args);
    ASSERT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    const auto campos = LeerCrudo(s.stdoutBytes);
    ASSERT_EQ(campos.size(), static_cast<size_t>(kNumCampos)) << s.stdoutBytes.toStdString();
    EXPECT_EQ(campos.at("numeroRegistro"), " 1");
    EXPECT_EQ(campos.at("upStream"), "320 Kbps");
    EXPECT_EQ(campos.at("atenuacionBajada"), "45.5");
    EXPECT_EQ(campos.at("margenRuidoBajada"), "7.5");
    EXPECT_EQ(campos.at("modalidadServicio"), "PREMIUM");
    EXPECT_EQ(campos.at("veredictoRuido"), "NOK");
    EXPECT_EQ(campos.at("veredictoAtenuacion"), "OK");
    EXPECT_EQ(campos.at("tipoModem"), "Efficient Speed Stream 5660");
    // Fields in record order, one per line.
    const QList<QByteArray> lineas = s.stdoutBytes.trimmed().split('\n');
    ASSERT_EQ(lineas.size(), kNumCampos);
    for (int i = 0; i < kNumCampos; ++i)
        EXPECT_TRUE(lineas[i].startsWith(QByteArray(kCamposValores[i].nombre) + "=")) << i;

    const QString ruta = RutaFicheroDia(dir.path(), QDate::currentDate());
    EXPECT_TRUE(s.stderrBytes.contains(QDir::toNativeSeparators(ruta).toLocal8Bit())) << s.stderrBytes.toStdString();
    EXPECT_TRUE(s.stderrBytes.contains("Record 1 saved"));

    const Salida s2 = Cli(args);
    ASSERT_EQ(s2.codigo, 0) << s2.stderrBytes.toStdString();
    EXPECT_EQ(LeerCrudo(s2.stdoutBytes).at("numeroRegistro"), " 2");

    const std::string contenido = LeerFichero(ruta);
    ASSERT_EQ(std::count(contenido.begin(), contenido.end(), '\n'), 2) << contenido;
    const std::string linea1 = contenido.substr(0, contenido.find("\r\n"));
    const std::string salida = ValidarLinea(linea1, 1);
    ASSERT_GE(salida.size(), 3u);
    EXPECT_EQ(salida.substr(salida.size() - 3), ";OK") << salida;
    EXPECT_NE(salida.find(";320 Kbps;7.5;No disponible;45.5;No disponible;OK;NOK;OK;"), std::string::npos) << salida;

    // The whole folder through the reverse validation: every record sound and in place.
    QTemporaryDir destino;
    const ResultadoInversa inv = EjecutarValidacionInversa(dir.path(), destino.path());
    EXPECT_TRUE(inv.ok()) << inv.error.toStdString();
    EXPECT_EQ(inv.enSitio, 2);
    EXPECT_EQ(inv.danados, 0);
}

TEST_F(CliRouter, ValidateParaPersonasConEtiquetasYVeredictos)
{
    auto& r = Router(kOfficeRemote812);
    r.fijarRespuesta("show adsl transceiver_status", "Actual Negotiated Upstream Baud Rate : 320 Kbps\n"
                                                     "Attenuation Upstream : 50.0 dB\n"
                                                     "Attenuation Downstream : 45.5 dB\n"
                                                     "Noise Margin Upstream : 9.0 dB\n"
                                                     "Noise Margin Downstream : 11.5 dB\n");
    const Salida s = Cli(QStringList{"validate", "--model", "812", "--line-check", "--modality", "premium"} +
                         Dispositivo());
    ASSERT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    const QString texto = QString::fromUtf8(s.stdoutBytes);
    EXPECT_TRUE(texto.contains(QString::fromUtf8("Tel\xC3\xA9" "fono:"))) << s.stdoutBytes.toStdString();
    EXPECT_TRUE(texto.contains(QString::fromUtf8("Atenuaci\xC3\xB3" "n en subida:")));
    EXPECT_TRUE(texto.contains(QStringLiteral("3Com OfficeConnect Remote 812")));
    EXPECT_TRUE(texto.contains(QStringLiteral("PREMIUM")));
    EXPECT_TRUE(texto.contains(QString::fromUtf8(
        "Proceso de validaci\xC3\xB3n err\xC3\xB3neo debido a niveles de atenuaci\xC3\xB3n incorrectos")))
        << s.stdoutBytes.toStdString();
}

TEST_F(CliRouter, ValidateSinLineaNoMuestraLosValoresDeLinea)
{
    Router(kEfficient5660);
    const Salida s = Cli(QStringList{"validate", "--model", "5660"} + Dispositivo());
    ASSERT_EQ(s.codigo, 0) << s.stderrBytes.toStdString();
    const QString texto = QString::fromUtf8(s.stdoutBytes);
    EXPECT_FALSE(texto.contains(QStringLiteral("Margen de ruido")));
    bool modalidadVista = false;
    for (const QString& l : texto.split(QLatin1Char('\n'))) {
        if (l.startsWith(QStringLiteral("Modalidad de servicio:"))) {
            modalidadVista = true;
            EXPECT_TRUE(l.endsWith(QStringLiteral("No disponible"))) << l.toStdString();
        }
        if (l.startsWith(QStringLiteral("Veredicto"))) {
            EXPECT_TRUE(l.endsWith(QStringLiteral("NOK"))) << l.toStdString();
        }
    }
    EXPECT_TRUE(modalidadVista) << s.stdoutBytes.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("Proceso de validaci")));
}

TEST_F(CliRouter, ValidateConGuardadoFallidoSaleConError)
{
    Router(kEfficient5660);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder in place of the day's file: the append cannot be made.
    ASSERT_TRUE(QDir(dir.path()).mkdir(NombreFicheroDia(QDate::currentDate())));
    const Salida s = Cli(QStringList{"validate", "--model", "5660", "--raw", "--save", dir.path()} + Dispositivo());
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.stderrBytes.contains("Error grabando datos de validaci\xC3\xB3n")) << s.stderrBytes.toStdString();
    EXPECT_FALSE(s.stderrBytes.contains("Record "));
    EXPECT_TRUE(s.stderrBytes.contains("not saved"));
}

TEST_F(CliRouter, ValidateGuardarEnCarpetaInexistenteFalla)
{
    Router(kEfficient5660);
    const Salida s = Cli(QStringList{"validate", "--model", "5660", "--save", "/nonexistent/folder"} + Dispositivo());
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(router_->lineasRecibidas().empty());
}

} // namespace
