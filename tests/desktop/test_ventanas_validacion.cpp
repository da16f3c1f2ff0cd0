// The validation window and the reverse validation window, against the router
// simulator and real folders.
#include "EntornoVentanas.h"

#include "shell/fMain.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const char* const kLineaMala = "ADSL Transceiver Status\n"
                               "Line Status                              : Data Mode (Showtime)\n"
                               "Actual Negotiated Downstream Baud Rate   : 2016 Kbps (Interleaved)\n"
                               "Actual Negotiated Upstream Baud Rate     : 320 Kbps (Interleaved)\n"
                               "Attenuation Upstream                     : 9990 dB\n"
                               "Attenuation Downstream                   : 9990 dB\n"
                               "Noise Margin Upstream                    : 1 dB\n"
                               "Noise Margin Downstream                  : 1 dB\n";

const char* const kGenerales[] = {"lvTelefono", "lvTipoModem", "lvVersionSw", "lvMac", "lvIPLAN", "lvmaLAN",
                                  "lvIPWAN", "lvIPRemota", "lvUserARC", "lvDownStream", "lvdhcpInicio", "lvDhcpFin"};
const char* const kLinea[] = {"lvAtenuacionSubida", "lvAtenuacionBajada", "lvMargenRuidoSubida",
                              "lvMargenRuidoBajada"};

class Validacion : public EntornoVentanas {
protected:
    fValidacion* Abrir(fMain** principal = nullptr)
    {
        sesion().Perfil = 1;
        auto* m = new fMain();
        m->show();
        Pulsar(m, "bValidacion");
        if (principal)
            *principal = m;
        return Ventana<fValidacion>();
    }
    static int Visibles(QWidget* v, const char* const* nombres, int n)
    {
        int c = 0;
        for (int i = 0; i < n; ++i)
            c += Hijo<QLabel>(v, nombres[i])->isVisible();
        return c;
    }
    static QStringList Lineas(const QString& ruta)
    {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<no existe>")};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    }
    static QString FicheroDelDia(const QString& carpeta) { return RutaFicheroDia(carpeta, QDate::currentDate()); }
};

TEST_F(Validacion, LoadsWithOptionsOnlyAndSaveDisabled)
{
    estadoLinea().ComprobarLinea = true;
    estadoLinea().ModalidadServicio = 3;
    fValidacion* v = Abrir();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), QString::fromLatin1("Validaci\xF3n de la instalaci\xF3n"));
    EXPECT_EQ(Hijo<QGroupBox>(v, "frValidacion")->title(), QString::fromLatin1("Valores de la instalaci\xF3n: "));
    EXPECT_EQ(Hijo<QCheckBox>(v, "chkModServicio")->text(), QString::fromLatin1("Estado l\xEDnea ADSL"));
    EXPECT_EQ(Hijo<QPushButton>(v, "Ejecutar")->text(), QStringLiteral("&Ejecutar"));
    auto* lista = Hijo<QComboBox>(v, "cModServicio");
    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->itemText(0), QStringLiteral("Estandar"));
    EXPECT_EQ(lista->itemData(2).toInt(), 3);
    EXPECT_FALSE(lista->isEnabled());
    EXPECT_EQ(estadoLinea().ModalidadServicio, 1);
    EXPECT_FALSE(estadoLinea().ComprobarLinea);
    EXPECT_FALSE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
    EXPECT_EQ(Visibles(v, kGenerales, 12) + Visibles(v, kLinea, 4), 0);
    EXPECT_EQ(Hijo<QLabel>(v, "lModServicio")->buddy(), lista);

    QTest::mouseClick(Hijo<QCheckBox>(v, "chkModServicio"), Qt::LeftButton);
    EXPECT_TRUE(estadoLinea().ComprobarLinea);
    EXPECT_TRUE(lista->isEnabled());
    lista->setCurrentIndex(2);
    emit lista->activated(2);
    EXPECT_EQ(estadoLinea().ModalidadServicio, 3);
    QTest::mouseClick(Hijo<QCheckBox>(v, "chkModServicio"), Qt::LeftButton);
    EXPECT_FALSE(estadoLinea().ComprobarLinea);
    EXPECT_FALSE(lista->isEnabled());
}

TEST_F(Validacion, RunWithLineFaultsSavesARecordThatReverseValidationOpens)
{
    IniciarRouter(2);
    sim->fijarRespuesta("show adsl transceiver_status", kLineaMala);
    fMain* m = nullptr;
    fValidacion* v = Abrir(&m);
    ASSERT_NE(v, nullptr);
    QTest::mouseClick(Hijo<QCheckBox>(v, "chkModServicio"), Qt::LeftButton);
    Pulsar(v, "Ejecutar");

    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(Visibles(v, kGenerales, 12), 12);
    EXPECT_EQ(Visibles(v, kLinea, 4), 4);
    EXPECT_EQ(Hijo<QLabel>(v, "lTelefono")->text(), QString::fromLatin1("Tel\xE9" "fono:"));
    EXPECT_EQ(Hijo<QLabel>(v, "lvTelefono")->text(), L1(v->Valores().telefono));
    EXPECT_EQ(Hijo<QLabel>(v, "lvAtenuacionBajada")->text(), L1(v->Valores().atenuacionBajada));
    EXPECT_FALSE(v->Valores().telefono.empty());
    const std::string fallos = MensajeFallosLinea();
    ASSERT_FALSE(fallos.empty()) << "the simulated line is out of its limits";
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto, fallos);
    EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
    EXPECT_TRUE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
    const std::string telefono = v->Valores().telefono;

    QTemporaryDir tmp;
    dialogos.respuestasCarpeta = {tmp.path()};
    Pulsar(v, "bAceptar");
    ASSERT_EQ(dialogos.mensajes.size(), 2u);
    EXPECT_EQ(dialogos.mensajes[1].texto, "Debe devolver la orden o solicitar un cambio de par");
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(Ventana<fValidacion>(), nullptr);
    EXPECT_EQ(QString::fromStdString(sesion().DirectorioOrigen), tmp.path());
    const QStringList registro = Lineas(FicheroDelDia(tmp.path()));
    ASSERT_EQ(registro.size(), 2); // one line and the empty text after its CR LF
    EXPECT_FALSE(registro[0].isEmpty());

    // The back office opens it again.
    QTemporaryDir salida;
    sesion().DirectorioDestino = salida.path().toStdString();
    Pulsar(m, "bvalInv");
    auto* inv = Ventana<fvalInversa>();
    ASSERT_NE(inv, nullptr);
    EXPECT_EQ(Hijo<QLineEdit>(inv, "tOrigen")->text(), tmp.path());
    EXPECT_EQ(Hijo<QLineEdit>(inv, "tDestino")->text(), salida.path());
    Pulsar(inv, "bValidar");
    const QString des = QDir(salida.path()).filePath(NombreSalida(NombreFicheroDia(QDate::currentDate())));
    const QStringList lineas = Lineas(des);
    ASSERT_GE(lineas.size(), 4) << des.toStdString();
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("Tfno;Tipo ATUR;")));
    EXPECT_TRUE(lineas[1].isEmpty());
    EXPECT_TRUE(lineas[2].isEmpty());
    EXPECT_TRUE(lineas[3].startsWith(L1(telefono) + QLatin1Char(';'))) << lineas[3].toStdString();
    EXPECT_TRUE(lineas[3].endsWith(QStringLiteral(";OK"))) << lineas[3].toStdString();
    // Speed, noise and attenuation verdicts: the line failed both judged limits.
    EXPECT_TRUE(lineas[3].contains(QStringLiteral(";OK;NOK;NOK;"))) << lineas[3].toStdString();
}

TEST_F(Validacion, UntickedRunShowsGeneralValuesOnlyWithoutMessage)
{
    IniciarRouter(2);
    sim->fijarRespuesta("show adsl transceiver_status", kLineaMala);
    fValidacion* v = Abrir();
    ASSERT_NE(v, nullptr);
    Pulsar(v, "Ejecutar");
    EXPECT_EQ(Visibles(v, kGenerales, 12), 12);
    EXPECT_EQ(Visibles(v, kLinea, 4), 0);
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_EQ(v->Valores().modalidadServicio, "No disponible");
    EXPECT_EQ(v->Valores().veredictoAtenuacion, "NOK");
    EXPECT_TRUE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
}

TEST_F(Validacion, FailedRunWithdrawsValuesAndSave)
{
    IniciarRouter(2);
    fValidacion* v = Abrir();
    ASSERT_NE(v, nullptr);
    Pulsar(v, "Ejecutar");
    ASSERT_TRUE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
    sim->desaparecer();
    Pulsar(v, "Ejecutar");
    EXPECT_FALSE(dialogos.mensajes.empty()) << "the log-on reports its own failure";
    EXPECT_FALSE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
    EXPECT_EQ(Visibles(v, kGenerales, 12), 0);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(Validacion, CancelDuringTheRunLeavesTheWindowUsable)
{
    IniciarRouter(2);
    sim->fijarRespuesta("show adsl transceiver_status", "@pausa 60000\nnunca\n");
    fValidacion* v = Abrir();
    ASSERT_NE(v, nullptr);
    dialogos.respuestasSiNo = {true};
    bool cerrada = true;
    Cuando([&] { return RouterRecibio("show adsl transceiver_status"); },
           [&] {
               v->close();
               cerrada = !v->isVisible();
               PulsarCancelarProcesando();
           });
    QElapsedTimer reloj;
    reloj.start();
    Pulsar(v, "Ejecutar");
    EXPECT_LT(reloj.elapsed(), 20000);
    EXPECT_FALSE(cerrada);
    EXPECT_EQ(dialogos.preguntas.size(), 1u);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(v->isEnabled());
    EXPECT_FALSE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
}

TEST_F(Validacion, FailedSaveKeepsTheWindowWithItsValuesToSaveElsewhere)
{
    IniciarRouter(2);
    fMain* m = nullptr;
    fValidacion* v = Abrir(&m);
    ASSERT_NE(v, nullptr);
    Pulsar(v, "Ejecutar");
    ASSERT_TRUE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
    const QString telefono = Hijo<QLabel>(v, "lvTelefono")->text();

    // A cancelled chooser saves nothing.
    Pulsar(v, "bAceptar");
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_TRUE(v->isVisible());

    QTemporaryDir tmp;
    QFile estorbo(tmp.filePath(QStringLiteral("no-es-carpeta")));
    ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
    estorbo.close();
    for (const QString& mala : {tmp.filePath(QStringLiteral("desaparecida")), estorbo.fileName()}) {
        dialogos.mensajes.clear();
        dialogos.respuestasCarpeta = {mala};
        Pulsar(v, "bAceptar");
        ASSERT_EQ(dialogos.mensajes.size(), 1u) << mala.toStdString();
        EXPECT_EQ(dialogos.mensajes[0].texto.rfind(mensajes().msgErrGrabarValidacion + ": ", 0), 0u)
            << dialogos.mensajes[0].texto;
        ASSERT_EQ(Ventana<fValidacion>(), v);
        EXPECT_TRUE(Hijo<QPushButton>(v, "bAceptar")->isEnabled());
        EXPECT_EQ(Hijo<QLabel>(v, "lvTelefono")->text(), telefono);
        EXPECT_FALSE(m->isVisible());
    }

    dialogos.mensajes.clear();
    dialogos.respuestasCarpeta = {tmp.path()};
    Pulsar(v, "bAceptar");
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_EQ(Lineas(FicheroDelDia(tmp.path())).size(), 2);
    EXPECT_TRUE(m->isVisible());
}

class Inversa : public Validacion {
protected:
    fvalInversa* AbrirInversa()
    {
        auto* v = new fvalInversa(nullptr);
        v->show();
        return v;
    }
};

TEST_F(Inversa, FoldersComeFromTheSessionAndValidateNeedsBoth)
{
    sesion().DirectorioOrigen = "/uno";
    fvalInversa* v = AbrirInversa();
    EXPECT_EQ(v->windowTitle(), QString::fromLatin1("Validaci\xF3n inversa"));
    EXPECT_EQ(Hijo<QGroupBox>(v, "fraSituacion")->title(), QString::fromLatin1("Situaci\xF3n actual"));
    EXPECT_EQ(Hijo<QLineEdit>(v, "tOrigen")->text(), QStringLiteral("/uno"));
    EXPECT_TRUE(Hijo<QLineEdit>(v, "tDestino")->text().isEmpty());
    auto* validar = Hijo<QPushButton>(v, "bValidar");
    EXPECT_FALSE(validar->isEnabled());
    Hijo<QLineEdit>(v, "tDestino")->setText(QStringLiteral("/dos"));
    EXPECT_TRUE(validar->isEnabled());
    Hijo<QLineEdit>(v, "tOrigen")->clear();
    EXPECT_FALSE(validar->isEnabled());
}

TEST_F(Inversa, ChoosingEqualFoldersIsRefusedAndCancelChangesNothing)
{
    fvalInversa* v = AbrirInversa();
    Pulsar(v, "bBuscarOrigen"); // cancelled
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_TRUE(Hijo<QLineEdit>(v, "tOrigen")->text().isEmpty());

    dialogos.respuestasCarpeta = {QStringLiteral("/datos/a"), QStringLiteral("/datos/a"), QStringLiteral("/datos/b")};
    Pulsar(v, "bBuscarOrigen");
    EXPECT_EQ(Hijo<QLineEdit>(v, "tOrigen")->text(), QStringLiteral("/datos/a"));
    Pulsar(v, "bBuscarDestino");
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto, mensajes().msgDirectoriosIguales);
    EXPECT_EQ(dialogos.mensajes[0].icono, IconoMensaje::Informacion);
    EXPECT_TRUE(Hijo<QLineEdit>(v, "tDestino")->text().isEmpty());
    Pulsar(v, "bBuscarDestino");
    EXPECT_EQ(Hijo<QLineEdit>(v, "tDestino")->text(), QStringLiteral("/datos/b"));
    EXPECT_EQ(sesion().SeleccionDirectorio, 1);
}

TEST_F(Inversa, RunWritesOneOutputPerRecordFileAndRestoresTheButtons)
{
    QTemporaryDir origen, destino;
    for (const QDate& dia : {QDate(2001, 12, 5), QDate(2001, 12, 6)}) {
        for (int i = 0; i < 3; ++i) {
            ValoresInstalacion val;
            val.telefono = "91" + std::to_string(i);
            CompletarValores(val);
            ASSERT_TRUE(GuardarValidacion(origen.path(), val, nullptr, dia));
        }
    }
    fvalInversa* v = AbrirInversa();
    Hijo<QLineEdit>(v, "tOrigen")->setText(origen.path());
    Hijo<QLineEdit>(v, "tDestino")->setText(destino.path());
    Pulsar(v, "bValidar");
    EXPECT_TRUE(dialogos.mensajes.empty());
    auto* barra = Hijo<QProgressBar>(v, "ProgressBar1");
    EXPECT_EQ(barra->maximum(), 2);
    EXPECT_EQ(barra->value(), 2);
    for (const char* b : {"bValidar", "bVolver", "bBuscarOrigen", "bBuscarDestino"})
        EXPECT_TRUE(Hijo<QPushButton>(v, b)->isEnabled()) << b;
    for (const char* nombre : {"AI051201.des", "AI061201.des"}) {
        const QStringList l = Lineas(QDir(destino.path()).filePath(QLatin1String(nombre)));
        ASSERT_EQ(l.size(), 7) << nombre;
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(l[3 + i].startsWith(QStringLiteral("91%1;").arg(i))) << l[3 + i].toStdString();
            EXPECT_TRUE(l[3 + i].endsWith(QStringLiteral(";OK"))) << l[3 + i].toStdString();
        }
    }
}

TEST_F(Inversa, NeitherClosingNorASecondRunCanCutInDuringTheRun)
{
    QTemporaryDir origen, destino;
    ValoresInstalacion val;
    CompletarValores(val);
    ASSERT_TRUE(GuardarValidacion(origen.path(), val));
    fvalInversa* v = AbrirInversa();
    QPointer<fvalInversa> viva = v;
    Hijo<QLineEdit>(v, "tOrigen")->setText(origen.path());
    Hijo<QLineEdit>(v, "tDestino")->setText(destino.path());
    // The run pauses a moment before its first file, letting events run; the
    // technician presses Validate again and tries to close the window meanwhile.
    bool intentado = false, cerrada = true, validarActivo = true;
    QTimer::singleShot(20, [&] {
        intentado = true;
        validarActivo = Hijo<QPushButton>(v, "bValidar")->isEnabled();
        Pulsar(v, "bValidar");
        Pulsar(v, "bVolver");
        cerrada = v->close();
    });
    Pulsar(v, "bValidar");
    ASSERT_TRUE(intentado);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(viva.isNull()) << "the window went away under its run";
    EXPECT_FALSE(validarActivo);
    EXPECT_FALSE(cerrada);
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(v->EnCurso());
    EXPECT_TRUE(Hijo<QPushButton>(v, "bValidar")->isEnabled());
    const QString salida = QDir(destino.path()).filePath(
        QStringLiteral("AI") + QDate::currentDate().toString(QStringLiteral("ddMMyy")) + QStringLiteral(".des"));
    EXPECT_EQ(Lineas(salida).size(), 5) << "header, two empty lines, the record: written once";
}

TEST_F(Inversa, RunThatStopsOnAFaultSaysSo)
{
    QTemporaryDir origen;
    ValoresInstalacion val;
    CompletarValores(val);
    ASSERT_TRUE(GuardarValidacion(origen.path(), val));
    fvalInversa* v = AbrirInversa();
    Hijo<QLineEdit>(v, "tOrigen")->setText(origen.path());
    Hijo<QLineEdit>(v, "tDestino")->setText(origen.filePath(QStringLiteral("no/existe")));
    Pulsar(v, "bValidar");
    EXPECT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_TRUE(Hijo<QPushButton>(v, "bValidar")->isEnabled());
    EXPECT_TRUE(Hijo<QPushButton>(v, "bVolver")->isEnabled());
}

} // namespace
