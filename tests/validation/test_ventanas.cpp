// The validation window against the simulated router, and the reverse validation
// window on real folders.
#include "Ventanas.h"

#include "ui/IndicadorJuicio.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QAccessible>
#include <QDate>
#include <QProgressBar>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// Against an 812 whose line is out of its attenuation and noise limits, with the
// line checked (true) or not: the values shown, and the record saved once a
// folder takes it, the window staying with its values until then.
class Validaciones : public PruebaConVentanas, public ::testing::WithParamInterface<bool> {};

TEST_P(Validaciones, RunShowsTheValuesAndSaveAppendsTheirRecord)
{
    std::string linea = Golden("sim/data/812/show_adsl_transceiver_status.txt");
    for (const auto& [bueno, malo] : {std::pair{"28.0 dB", "99.0 dB"}, {"11.5 dB", " 1.5 dB"}})
        linea.replace(linea.find(bueno), 7, malo);
    Router(kOfficeRemote812).FijarRespuesta("show adsl transceiver_status", linea);
    CargarTextosControles(kIdiomaEspanol);
    estadoLinea().ComprobarLinea = true; // the window starts with it off
    QWidget* principal = new QWidget();
    auto* v = new fValidacion(principal, [] { return kOfficeRemote812; });
    v->show();
    auto* guardar = Hijo(v, "bAceptar");
    auto Visibles = [v](bool deLinea) { // how many values of the line, or general ones, are on show
        int n = 0;
        for (QLabel* l : v->findChildren<QLabel*>(
                 QRegularExpression(deLinea ? "^lv(Atenuacion|Margen)" : "^lv(?!ersion|Atenuacion|Margen)")))
            n += l->isVisible();
        return n;
    };
    const auto indicadores = v->findChildren<IndicadorJuicio*>();
    ASSERT_EQ(indicadores.size(), 4);
    EXPECT_FALSE(guardar->isEnabled() || Visibles(false) || Visibles(true)
                 || std::any_of(indicadores.begin(), indicadores.end(), [](QWidget* i) { return i->isVisible(); }))
        << "nothing to save or show before a run";
    if (GetParam())
        QTest::mouseClick(Hijo(v, "chkModServicio"), Qt::LeftButton);
    EXPECT_EQ(Hijo(v, "cModServicio")->isEnabled(), GetParam());
    // The processing dialog over the window, pictured while the run waits on the router.
    Cuando([&] { return v->Procesando()->isVisible(); },
           [&] { Captura(v, "fValidacion_procesando.es", v->Procesando()); });
    Pulsar(v, "Ejecutar");
    EXPECT_EQ(Visibles(false), 12);
    EXPECT_EQ(Visibles(true), GetParam() ? 4 : 0);
    EXPECT_EQ(Hijo<QLabel>(v, "lvTelefono")->text(), L1(v->Valores().telefono));
    ASSERT_EQ(dialogos_.mensajes.size(), GetParam() ? 1u : 0u);
    EXPECT_TRUE(!GetParam() || dialogos_.mensajes[0].texto == MensajeFallosLinea()) << MensajeFallosLinea();
    // Beside each judged value, its limit and a tick or a cross, and in words for a
    // screen reader (below); none when the line is not checked.
    using E = IndicadorJuicio::Estado;
    const std::tuple<const char*, E, const char*> esperados[] = {
        {"ijAtenuacionSubida", E::Incorrecto, "Atenuaci\xF3n en subida 99.0 dB, m\xE1ximo 59 dB: incorrecta"},
        {"ijAtenuacionBajada", E::Correcto, "Atenuaci\xF3n en bajada 45.5 dB, m\xE1ximo 61 dB: correcta"},
        {"ijMargenRuidoSubida", E::Correcto, "Margen de ruido en subida 14.0 dB, m\xEDnimo 8 dB: correcto"},
        {"ijMargenRuidoBajada", E::Incorrecto, "Margen de ruido en bajada 1.5 dB, m\xEDnimo 8 dB: incorrecto"},
    };
    // What a screen reader reads, in the accessibility tree walked down from the window
    // as it does (under the screenshot run, on a real X display).
    QStringList arbol;
    std::function<void(QAccessibleInterface*)> Recorrer = [&](QAccessibleInterface* a) {
        arbol << a->text(QAccessible::Name);
        for (int k = 0; k < a->childCount(); ++k)
            if (QAccessibleInterface* hijo = a->child(k))
                Recorrer(hijo);
    };
    Recorrer(QAccessible::queryAccessibleInterface(v));
    for (const auto& [nombre, estado, leido] : esperados) {
        auto* i = Hijo<IndicadorJuicio>(v, nombre);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->EstadoMostrado(), GetParam() ? estado : E::Vacio) << nombre;
        EXPECT_EQ(i->isVisible(), GetParam()) << nombre;
        EXPECT_TRUE(!GetParam() || i->text().endsWith(estado == E::Correcto ? QChar(u'\u2713') : QChar(u'\u2717')))
            << i->text().toStdString();
        EXPECT_EQ(arbol.contains(L1(leido)), GetParam()) << leido;
    }
    // What a screen reader reads of each value shown: its caption and its value.
    for (QLabel* l : v->findChildren<QLabel*>(QRegularExpression("^lv(?!ersion)"))) {
        const QString nombre = l->accessibleName();
        EXPECT_TRUE(!l->isVisible()
                    || (!l->text().isEmpty() && arbol.contains(nombre) && nombre.endsWith(QLatin1Char(' ') + l->text())
                        && nombre.size() > l->text().size() + 2))
            << l->objectName().toStdString() << ": " << nombre.toStdString();
    }
    Captura(v, GetParam() ? QStringLiteral("fValidacion_fallos.es") : QStringLiteral("fValidacion_valores.es"));
    QTemporaryDir tmp;
    dialogos_.respuestasCarpeta = {std::nullopt, tmp.filePath("no/existe"), tmp.path()};
    dialogos_.mensajes.clear();
    for (int i = 0; i < 2; ++i) {
        Pulsar(v, "bAceptar");
        ASSERT_EQ(Ventana<fValidacion>(), v);
        EXPECT_TRUE(guardar->isEnabled() && Visibles(false) == 12 && !principal->isVisible());
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrGrabarValidacion + ": ", 0), 0u);
    Pulsar(v, "bAceptar");
    EXPECT_TRUE(principal->isVisible());
    EXPECT_EQ(Ventana<fValidacion>(), nullptr);
    const std::string registro = LeerFichero(RutaFicheroDia(tmp.path(), QDate::currentDate()));
    EXPECT_EQ(registro.find("\r\n"), registro.size() - 2) << "one record";
    // Line faults ask, once saved, for the order to be returned.
    EXPECT_EQ(dialogos_.mensajes.size(), GetParam() ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Validation, Validaciones, ::testing::Bool());

using Indicadores = PruebaConVentanas;

// A new run judges afresh: a fault of the last run goes, and a value the router did
// not give says so instead of passing in silence.
TEST_F(Indicadores, ANewRunJudgesAfreshAndSaysWhatCouldNotBeRead)
{
    const std::string bueno = Golden("sim/data/812/show_adsl_transceiver_status.txt");
    std::string malo = bueno;
    malo.replace(malo.find("45.5 dB"), 7, "70.0 dB");
    std::string sinBajada;
    for (const QString& l : QString::fromLatin1(bueno).split(QLatin1Char('\n')))
        if (!l.contains(QLatin1String("Downstream  ")))
            sinBajada += l.toStdString() + "\n";
    CargarTextosControles(kIdiomaEspanol);
    auto* v = new fValidacion(nullptr, [] { return kOfficeRemote812; });
    v->show();
    QTest::mouseClick(Hijo(v, "chkModServicio"), Qt::LeftButton);
    auto* bajada = Hijo<IndicadorJuicio>(v, "ijAtenuacionBajada");
    auto* subida = Hijo<IndicadorJuicio>(v, "ijAtenuacionSubida");
    ASSERT_TRUE(bajada && subida);
    using E = IndicadorJuicio::Estado;
    Router(kOfficeRemote812).FijarRespuesta("show adsl transceiver_status", malo);
    Pulsar(v, "Ejecutar");
    EXPECT_EQ(bajada->EstadoMostrado(), E::Incorrecto);
    Router(kOfficeRemote812).FijarRespuesta("show adsl transceiver_status", sinBajada);
    Pulsar(v, "Ejecutar");
    EXPECT_EQ(subida->EstadoMostrado(), E::Correcto);
    EXPECT_EQ(bajada->EstadoMostrado(), E::SinLectura);
    EXPECT_TRUE(bajada->isVisible() && bajada->text().endsWith(QStringLiteral("no se pudo leer")))
        << bajada->text().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bajada)->text(QAccessible::Name),
              L1("Atenuaci\xF3n en bajada, m\xE1ximo 61 dB: no se pudo leer"));
    Captura(v, QStringLiteral("fValidacion_sin_lectura.es"));
    // A run without the line judged leaves no verdict of the last one on show.
    QTest::mouseClick(Hijo(v, "chkModServicio"), Qt::LeftButton);
    Pulsar(v, "Ejecutar");
    for (IndicadorJuicio* i : v->findChildren<IndicadorJuicio*>())
        EXPECT_TRUE(!i->isVisible() && i->EstadoMostrado() == E::Vacio) << i->objectName().toStdString();
}

using Inversa = PruebaConVentanas;

// The folders come from the session, or from the chooser, which refuses a source
// folder as destination; the run writes one output per record file, with nothing
// cutting in meanwhile.
TEST_F(Inversa, ChoosesTwoFoldersAndWritesOneOutputPerRecordFile)
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
    QPointer<fvalInversa> v = new fvalInversa(nullptr);
    v->show();
    EXPECT_EQ(Hijo<QLineEdit>(v, "tOrigen")->text(), origen.path());
    dialogos_.respuestasCarpeta = {std::nullopt, origen.path(), destino.path()};
    for (const QString& esperado : {QString(), QString(), destino.path()}) {
        EXPECT_EQ(Hijo(v, "bValidar")->isEnabled(), !Hijo<QLineEdit>(v, "tDestino")->text().isEmpty());
        Pulsar(v, "bBuscarDestino");
        EXPECT_EQ(Hijo<QLineEdit>(v, "tDestino")->text(), esperado);
    }
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto, mensajes().msgDirectoriosIguales);
    EXPECT_EQ(dialogos_.mensajes[0].titulo, "Tesedra");
    EXPECT_EQ(dialogos_.mensajes[0].icono, IconoMensaje::Informacion);
    dialogos_.mensajes.clear();
    bool cortada = true;
    Cuando([&] { return !Hijo(v, "bVolver")->isEnabled(); },
           [&] {
               v->bValidar_Click();
               cortada = v->close();
           });
    Pulsar(v, "bValidar");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(v.isNull() || cortada) << "the window went away under its run";
    EXPECT_TRUE(dialogos_.mensajes.empty());
    EXPECT_TRUE(Hijo<QProgressBar>(v, "ProgressBar1")->value() == 2 && Hijo(v, "bValidar")->isEnabled());
    for (const char* nombre : {"AI051201.des", "AI061201.des"}) {
        const QStringList l = QString::fromLatin1(LeerFichero(destino.filePath(nombre))).split("\r\n");
        ASSERT_EQ(l.size(), 7) << nombre;
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(l[3 + i].startsWith(QString("91%1;").arg(i)) && l[3 + i].endsWith(";OK"))
                << l[3 + i].toStdString();
    }
}

} // namespace
