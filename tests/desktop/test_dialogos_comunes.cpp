// The folder chooser and the processing dialog.
#include "EntornoVentanas.h"

#include "ui/DialogosWidgets.h"
#include "ui/fProcesando.h"
#include "ui/fdirectorio.h"
#include "base/Carpetas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Directorio : public EntornoVentanas {
protected:
    static QString Limpia(const QString& p) { return QDir::cleanPath(QDir(p).absolutePath()); }

    // Runs ElegirDirectorio through the widget dialogs, answering the chooser with `accion`.
    bool ElegirConVentana(int16_t seleccion, std::function<void(fdirectorio*)> accion)
    {
        DialogosWidgets widgets;
        InstalarDialogos(&widgets);
        QTimer::singleShot(0, [accion] {
            auto* d = qobject_cast<fdirectorio*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            accion(d);
        });
        const bool r = ElegirDirectorio(seleccion);
        InstalarDialogos(&dialogos);
        return r;
    }
};

TEST_F(Directorio, OpensOnTheProgramFolderWithVolumesAboveFolders)
{
    fdirectorio d;
    EXPECT_EQ(d.CarpetaActual(), Limpia(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Seleccione el directorio"));
    EXPECT_EQ(Hijo<QGroupBox>(&d, "Frame1")->title(), QStringLiteral("Seleccione el directorio"));
    EXPECT_EQ(Hijo<QPushButton>(&d, "bAceptar")->text(), QStringLiteral("&Aceptar"));
    EXPECT_EQ(Hijo<QPushButton>(&d, "bcancelar")->text(), QStringLiteral("&Volver"));
    auto* unidad = Hijo<QComboBox>(&d, "dUnidad");
    ASSERT_GT(unidad->count(), 0);
    EXPECT_TRUE(d.CarpetaActual().startsWith(unidad->currentData().toString()));
    EXPECT_FALSE(unidad->accessibleName().isEmpty());
    EXPECT_FALSE(Hijo<QListWidget>(&d, "ddirectorio")->accessibleName().isEmpty());
}

TEST_F(Directorio, OnlyAnOpenedFolderIsCurrent)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("a/interior")));
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("b")));
    fdirectorio d(nullptr, tmp.path());
    auto* lista = Hijo<QListWidget>(&d, "ddirectorio");
    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->item(0)->text(), QStringLiteral(".."));
    EXPECT_EQ(lista->item(1)->text(), QStringLiteral("a"));
    EXPECT_EQ(lista->item(2)->text(), QStringLiteral("b"));

    lista->setCurrentRow(2); // highlighted only
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));

    lista->setCurrentRow(1);
    emit lista->itemActivated(lista->currentItem());
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path() + QStringLiteral("/a")));
    EXPECT_EQ(Hijo<QLineEdit>(&d, "tCarpetaActual")->text(), QDir::toNativeSeparators(d.CarpetaActual()));
    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(1)->text(), QStringLiteral("interior"));

    lista->setCurrentRow(0); // ".." goes up
    emit lista->itemActivated(lista->currentItem());
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    EXPECT_TRUE(dialogos.mensajes.empty());
}

TEST_F(Directorio, UnreadableVolumeShowsTheReasonAndKeepsTheFolder)
{
    QTemporaryDir tmp;
    fdirectorio d(nullptr, tmp.path());
    auto* unidad = Hijo<QComboBox>(&d, "dUnidad");
    const int antes = unidad->currentIndex();
    unidad->addItem(QStringLiteral("X:"), QStringLiteral("/no/existe/tesedra-unidad"));
    d.dUnidad_Change(unidad->count() - 1);
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
    EXPECT_NE(dialogos.mensajes[0].texto.find("tesedra-unidad"), std::string::npos);
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    EXPECT_EQ(unidad->currentIndex(), antes);

    // A readable volume opens on its root.
    d.dUnidad_Change(antes);
    EXPECT_EQ(d.CarpetaActual(), Limpia(unidad->itemData(antes).toString()));
}

TEST_F(Directorio, AcceptFillsTheChosenSessionFolderOnly)
{
    sesion().DirectorioOrigen = "/origen/previo";
    EXPECT_TRUE(ElegirConVentana(1, [](fdirectorio* d) { d->bAceptar_Click(); }));
    EXPECT_EQ(QString::fromStdString(sesion().DirectorioDestino), Limpia(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(sesion().DirectorioOrigen, "/origen/previo");
    EXPECT_EQ(sesion().SeleccionDirectorio, 1);

    EXPECT_TRUE(ElegirConVentana(0, [](fdirectorio* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("bAceptar")), Qt::LeftButton);
    }));
    EXPECT_EQ(QString::fromStdString(sesion().DirectorioOrigen), Limpia(QCoreApplication::applicationDirPath()));
}

TEST_F(Directorio, CancelChangesNothingEvenWhenEmpty)
{
    EXPECT_FALSE(ElegirConVentana(0, [](fdirectorio* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("bcancelar")), Qt::LeftButton);
    }));
    EXPECT_EQ(sesion().DirectorioOrigen, "");
    sesion().DirectorioDestino = "/destino";
    EXPECT_FALSE(ElegirConVentana(1, [](fdirectorio* d) { d->reject(); }));
    EXPECT_EQ(sesion().DirectorioDestino, "/destino");
}

TEST_F(Directorio, ThroughTheTestSeamTheChooserOpensOnTheProgramFolder)
{
    dialogos.respuestasCarpeta = {QStringLiteral("/elegida")};
    EXPECT_TRUE(ElegirDirectorio(0));
    EXPECT_EQ(sesion().DirectorioOrigen, "/elegida");
    ASSERT_EQ(dialogos.carpetasIniciales.size(), 1u);
    EXPECT_EQ(dialogos.carpetasIniciales[0], QCoreApplication::applicationDirPath());
}

class Procesando : public EntornoVentanas {};

TEST_F(Procesando, FixedTextsAndCancelAsksBeforeClosingThePort)
{
    IniciarRouter(2);
    fProcesando p;
    EXPECT_EQ(p.windowTitle(), QString::fromLatin1("Obteniendo informaci\xF3n "));
    auto* cancelar = Hijo<QPushButton>(&p, "Command1");
    EXPECT_EQ(cancelar->text(), QStringLiteral("Cancelar"));
    EXPECT_FALSE(p.isModal());
    p.Mostrar();
    EXPECT_TRUE(p.isVisible());

    ASSERT_TRUE(AbrirPuerto(1, 9600, "N", 8, 1));
    dialogos.respuestasSiNo = {false};
    QTest::mouseClick(cancelar, Qt::LeftButton);
    ASSERT_EQ(dialogos.preguntas.size(), 1u);
    EXPECT_EQ(dialogos.preguntas[0].titulo, "Advertencia");
    EXPECT_EQ(dialogos.preguntas[0].texto, mensajes().msgCancelarConsulta);
    EXPECT_TRUE(PuertoAbierto()) << "No leaves the exchange alone";
    EXPECT_TRUE(p.isVisible());

    dialogos.respuestasSiNo = {true};
    QTest::mouseClick(cancelar, Qt::LeftButton);
    EXPECT_EQ(dialogos.preguntas.size(), 2u);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(p.isVisible()) << "the caller hides it";

    // The close box asks the same question instead of closing.
    ASSERT_TRUE(AbrirPuerto(1, 9600, "N", 8, 1));
    dialogos.respuestasSiNo = {true};
    p.close();
    EXPECT_EQ(dialogos.preguntas.size(), 3u);
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(p.isVisible());
    p.Ocultar();
    EXPECT_FALSE(p.isVisible());
}

} // namespace

// The real message boxes and the save dialog speak the language of the texts,
// whatever translations of Qt are installed.
class DialogosDeVentana : public EntornoVentanas {
protected:
    DialogosWidgets widgets;

    // Runs `abrir` with `responder` called on the modal dialog it opens.
    template <class D>
    void ConDialogo(std::function<void(D*)> responder, std::function<void()> abrir)
    {
        bool visto = false;
        QTimer::singleShot(0, [&visto, responder] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            visto = true;
            responder(d);
        });
        abrir();
        EXPECT_TRUE(visto);
    }

    static QStringList TextosBotones(QMessageBox* box)
    {
        QStringList t;
        for (QAbstractButton* b : box->buttons())
            t << b->text();
        t.sort();
        return t;
    }
};

TEST_F(DialogosDeVentana, TheQuestionIsAnsweredInSpanishAndNoMeansNo)
{
    QStringList botones;
    bool respuesta = true;
    ConDialogo<QMessageBox>(
        [&botones](QMessageBox* box) {
            botones = TextosBotones(box);
            box->button(QMessageBox::No)->click();
        },
        [&] { respuesta = widgets.PreguntaSiNo("Advertencia", "\xBF" "Desea continuar?"); });
    EXPECT_EQ(botones, (QStringList{QStringLiteral("&No"), QStringLiteral("&S\u00ed")}));
    EXPECT_FALSE(respuesta);

    ConDialogo<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); },
                            [&] { respuesta = widgets.PreguntaSiNo("Advertencia", "Seguro?"); });
    EXPECT_TRUE(respuesta);
}

TEST_F(DialogosDeVentana, MessagesAreClosedWithAceptarAndShowTheLatin1Text)
{
    QString texto;
    QStringList botones;
    ConDialogo<QMessageBox>(
        [&](QMessageBox* box) {
            texto = box->text();
            botones = TextosBotones(box);
            box->button(QMessageBox::Ok)->click();
        },
        [&] { widgets.Mensaje(IconoMensaje::Aviso, "Error", "Error configurando m\xF3" "dem"); });
    EXPECT_EQ(texto, QStringLiteral("Error configurando m\u00f3dem"));
    EXPECT_EQ(botones, QStringList{QStringLiteral("Aceptar")});
}

TEST_F(DialogosDeVentana, TheSaveDialogIsInSpanishAndOffersTheTextFilter)
{
    QTemporaryDir tmp;
    QString aceptar, cancelar, filtro;
    std::optional<QString> elegido = QStringLiteral("x");
    ConDialogo<QFileDialog>(
        [&](QFileDialog* d) {
            aceptar = d->labelText(QFileDialog::Accept);
            cancelar = d->labelText(QFileDialog::Reject);
            filtro = d->selectedNameFilter();
            d->reject();
        },
        [&] { elegido = widgets.GuardarComo(tmp.path(), "Documento de texto (*.txt)|*.txt", "txt"); });
    EXPECT_EQ(aceptar, QStringLiteral("&Guardar"));
    EXPECT_EQ(cancelar, QStringLiteral("Cancelar"));
    EXPECT_EQ(filtro, QStringLiteral("Documento de texto (*.txt)"));
    EXPECT_FALSE(elegido.has_value());
}

TEST_F(DialogosDeVentana, InEnglishQtKeepsItsOwnButtons)
{
    CargarTextosControles(kIdiomaIngles);
    QStringList botones;
    ConDialogo<QMessageBox>(
        [&botones](QMessageBox* box) {
            botones = TextosBotones(box);
            box->button(QMessageBox::No)->click();
        },
        [&] { widgets.PreguntaSiNo("Warning", "Continue?"); });
    CargarTextosControles(kIdiomaEspanol);
    EXPECT_FALSE(botones.contains(QStringLiteral("&S\u00ed")));
    EXPECT_EQ(botones.size(), 2);
}

namespace {

QPoint CentroDe(const QRect& r)
{
    return r.center();
}

// A window manager places a new window after the program has shown it; the
// processing dialog must end up over its window, not where the window first was.
TEST_F(Procesando, StaysCentredOverItsWindowWhenTheWindowIsPlacedOrMoved)
{
    QWidget ventana;
    ventana.resize(640, 460);
    ventana.move(0, 0);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    fProcesando p(&ventana);
    p.Mostrar();
    ASSERT_TRUE(p.isVisible());
    auto cerca = [](QPoint a, QPoint b) { return (a - b).manhattanLength() <= 4; };
    EXPECT_TRUE(cerca(CentroDe(p.geometry()), CentroDe(ventana.frameGeometry())))
        << p.geometry().x() << "," << p.geometry().y();

    ventana.move(300, 250);
    QCoreApplication::processEvents();
    EXPECT_TRUE(cerca(CentroDe(p.geometry()), CentroDe(ventana.frameGeometry())))
        << p.geometry().x() << "," << p.geometry().y() << " window " << ventana.frameGeometry().x() << ","
        << ventana.frameGeometry().y();

    // Hidden, it no longer follows.
    p.Ocultar();
    const QPoint antes = p.pos();
    ventana.move(10, 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.pos(), antes);
}

TEST_F(Procesando, IsWideEnoughForItsWholeTitle)
{
    fProcesando p;
    EXPECT_GT(p.minimumWidth(), p.fontMetrics().horizontalAdvance(p.windowTitle()));
    p.Mostrar();
    EXPECT_GE(p.width(), p.minimumWidth());
    p.Ocultar();
}

} // namespace
