// The validation window against the simulated router, and the reverse validation
// window on real folders.
#include "Ventanas.h"

#include "crypto/Cripto.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QDate>
#include <QProgressBar>

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Validation, VentanaConTextos{"validation", "fValidacion", [] { return new fValidacion(nullptr, {}); }},
                   VentanaConTextos{"validation", "fvalInversa", [] { return new fvalInversa(nullptr); }});

namespace {

const std::string kLinea = "show adsl transceiver_status";

// The window over a stand-in main window, against an 812 whose line is out of its
// attenuation and noise limits.
class Validacion : public PruebaConVentanas {
protected:
    fValidacion* Abrir()
    {
        std::string linea = Golden("sim/data/812/show_adsl_transceiver_status.txt");
        for (const auto& [bueno, malo] : {std::pair{"28.0 dB", "99.0 dB"}, {"45.5 dB", "99.5 dB"}, {"14.0 dB", " 1.0 dB"}, {"11.5 dB", " 1.5 dB"}})
            linea.replace(linea.find(bueno), 7, malo);
        Router(kOfficeRemote812).fijarRespuesta(kLinea, linea);
        principal_ = new QWidget();
        auto* v = new fValidacion(principal_, [] { return kOfficeRemote812; });
        v->show();
        return v;
    }
    // How many values of the line (or the general ones) are on show.
    static int Visibles(QWidget* v, bool deLinea)
    {
        int n = 0;
        for (QLabel* l : v->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lv(?!ersion)"))))
            n += l->isVisible() && (l->objectName().contains(QStringLiteral("Atenuacion")) || l->objectName().contains(QStringLiteral("MargenRuido"))) == deLinea;
        return n;
    }
    QWidget* principal_ = nullptr;
};

class Validaciones : public Validacion, public ::testing::WithParamInterface<bool> {};

TEST_P(Validaciones, RunShowsTheValuesAndSaveAppendsTheirRecordOnceAFolderTakesIt)
{
    const bool conLinea = GetParam();
    estadoLinea().ComprobarLinea = true;
    estadoLinea().ModalidadServicio = kModalidadPremium;
    fValidacion* v = Abrir();
    auto* lista = Hijo<QComboBox>(v, "cModServicio");
    auto* guardar = Hijo<QPushButton>(v, "bAceptar");
    EXPECT_FALSE(estadoLinea().ComprobarLinea || lista->isEnabled() || guardar->isEnabled());
    EXPECT_EQ(estadoLinea().ModalidadServicio, kModalidadEstandar);
    EXPECT_EQ(Visibles(v, false) + Visibles(v, true), 0);
    if (conLinea) {
        QTest::mouseClick(Hijo(v, "chkModServicio"), Qt::LeftButton);
        EXPECT_TRUE(estadoLinea().ComprobarLinea && lista->isEnabled());
        lista->setCurrentIndex(2);
        emit lista->activated(2);
        EXPECT_EQ(estadoLinea().ModalidadServicio, kModalidadPremium);
    }
    Pulsar(v, "Ejecutar");
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_EQ(Visibles(v, false), 12);
    EXPECT_EQ(Visibles(v, true), conLinea ? 4 : 0);
    EXPECT_EQ(Hijo<QLabel>(v, "lvTelefono")->text(), L1(v->Valores().telefono));
    EXPECT_EQ(Hijo<QLabel>(v, "lvAtenuacionBajada")->text(), L1(v->Valores().atenuacionBajada));
    ASSERT_EQ(dialogos_.mensajes.size(), conLinea ? 1u : 0u);
    if (conLinea) {
        EXPECT_EQ(dialogos_.mensajes[0].texto, MensajeFallosLinea());
    }
    ASSERT_TRUE(guardar->isEnabled());

    // A cancelled chooser, or a folder that cannot take the record, keeps the
    // window with its values to save elsewhere.
    QTemporaryDir tmp;
    dialogos_.respuestasCarpeta = {std::nullopt, tmp.filePath(QStringLiteral("no/existe")), tmp.path()};
    dialogos_.mensajes.clear();
    for (int i = 0; i < 2; ++i) {
        Pulsar(v, "bAceptar");
        ASSERT_EQ(Ventana<fValidacion>(), v);
        EXPECT_TRUE(guardar->isEnabled() && Visibles(v, false) == 12 && !principal_->isVisible());
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrGrabarValidacion + ": ", 0), 0u);
    const std::string telefono = v->Valores().telefono;
    Pulsar(v, "bAceptar");
    EXPECT_TRUE(principal_->isVisible());
    EXPECT_EQ(Ventana<fValidacion>(), nullptr);
    EXPECT_EQ(QString::fromStdString(sesion().DirectorioOrigen), tmp.path());
    const std::string registro = LeerFichero(RutaFicheroDia(tmp.path(), QDate::currentDate()));
    ASSERT_EQ(registro.find("\r\n"), registro.size() - 2) << "one record";
    std::string abierto;
    bool intacto = false;
    DescifrarRegistro(registro.substr(0, registro.find('#') + 65), abierto, intacto); // its first sealed part
    EXPECT_TRUE(intacto);
    EXPECT_NE(abierto.find(";" + telefono + ";"), std::string::npos) << abierto;
    // Line faults ask, once saved, for the order to be returned.
    EXPECT_EQ(dialogos_.mensajes.size(), conLinea ? 2u : 1u);
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta || estadoLinea().RuidoIncorrecto);
}

INSTANTIATE_TEST_SUITE_P(Validation, Validaciones, ::testing::Bool());

// A second run that fails, the router gone or cancelled midway.
class Fallos : public Validacion, public ::testing::WithParamInterface<bool> {};

TEST_P(Fallos, AFailedRunWithdrawsTheValuesAndSaveAndLeavesTheWindowUsable)
{
    const bool cancelada = GetParam();
    fValidacion* v = Abrir();
    Pulsar(v, "Ejecutar");
    ASSERT_EQ(Visibles(v, false), 12);
    bool cerrada = false;
    if (cancelada) {
        router_->fijarRespuesta(kLinea, "@pausa 60000\n");
        dialogos_.respuestasSiNo = {true};
        const std::size_t antes = router_->lineasRecibidas().size();
        Cuando([&] { return Ventana<fProcesando>() && router_->lineasRecibidas().size() > antes + 4; },
               [&] {
                   v->close();
                   cerrada = !v->isVisible();
                   Pulsar(Ventana<fProcesando>(), "Command1");
               });
    } else {
        router_->desaparecer();
    }
    Pulsar(v, "Ejecutar");
    EXPECT_FALSE(cerrada);
    EXPECT_EQ(dialogos_.preguntas.size(), cancelada ? 1u : 0u);
    EXPECT_FALSE(Hijo(v, "bAceptar")->isEnabled());
    EXPECT_EQ(Visibles(v, false), 0);
    EXPECT_TRUE(v->isEnabled() && v->isVisible());
    EXPECT_FALSE(PuertoAbierto());
}

INSTANTIATE_TEST_SUITE_P(Validation, Fallos, ::testing::Bool());

using Inversa = PruebaConVentanas;

TEST_F(Inversa, FoldersComeFromTheSessionAndTheChooserRefusesEqualOnes)
{
    sesion().DirectorioOrigen = "/datos/a";
    auto* v = new fvalInversa(nullptr);
    auto* destino = Hijo<QLineEdit>(v, "tDestino");
    auto* validar = Hijo(v, "bValidar");
    EXPECT_EQ(Hijo<QLineEdit>(v, "tOrigen")->text(), QStringLiteral("/datos/a"));
    dialogos_.respuestasCarpeta = {std::nullopt, QStringLiteral("/datos/a"), QStringLiteral("/datos/b")};
    for (const char* esperado : {"", "", "/datos/b"}) {
        EXPECT_EQ(validar->isEnabled(), !destino->text().isEmpty());
        Pulsar(v, "bBuscarDestino");
        EXPECT_EQ(destino->text(), QLatin1String(esperado));
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto, mensajes().msgDirectoriosIguales);
    EXPECT_EQ(dialogos_.mensajes[0].titulo, "Tesedra");
    EXPECT_EQ(dialogos_.mensajes[0].icono, IconoMensaje::Informacion);
    EXPECT_TRUE(validar->isEnabled());
    Hijo<QLineEdit>(v, "tOrigen")->clear();
    EXPECT_FALSE(validar->isEnabled());
}

TEST_F(Inversa, RunWritesOneOutputPerRecordFileWithNothingCuttingIn)
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
    sesion().DirectorioOrigen = origen.path().toStdString();
    sesion().DirectorioDestino = destino.path().toStdString();
    QPointer<fvalInversa> v = new fvalInversa(nullptr);
    v->show();
    bool cortada = true;
    Cuando([&] { return !Hijo(v, "bVolver")->isEnabled(); },
           [&] {
               v->bValidar_Click();
               cortada = v->close();
           });
    Pulsar(v, "bValidar");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(v.isNull());
    EXPECT_FALSE(cortada);
    EXPECT_TRUE(dialogos_.mensajes.empty());
    EXPECT_EQ(Hijo<QProgressBar>(v, "ProgressBar1")->value(), 2);
    for (const char* b : {"bValidar", "bVolver", "bBuscarOrigen", "bBuscarDestino"})
        EXPECT_TRUE(Hijo(v, b)->isEnabled()) << b;
    for (const char* nombre : {"AI051201.des", "AI061201.des"}) {
        const QStringList l = QString::fromLatin1(LeerFichero(destino.filePath(QLatin1String(nombre)))).split(QStringLiteral("\r\n"));
        ASSERT_EQ(l.size(), 7) << nombre;
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(l[3 + i].startsWith(QStringLiteral("91%1;").arg(i)) && l[3 + i].endsWith(QStringLiteral(";OK"))) << l[3 + i].toStdString();
    }
    // A fault stops the run, which says so.
    Hijo<QLineEdit>(v, "tDestino")->setText(destino.filePath(QStringLiteral("no/existe")));
    Pulsar(v, "bValidar");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_TRUE(Hijo(v, "bVolver")->isEnabled());
}

} // namespace
