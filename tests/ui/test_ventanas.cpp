// The processing dialog, the folder chooser and the widget form of the dialog seam.
#include "Ventanas.h"

#include "ui/DialogosWidgets.h"
#include "ui/fdirectorio.h"

#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>

using namespace tesedra;
using namespace tesedra::prueba;

TEXTOS_DE_VENTANAS(Ui, VentanaConTextos{"ui", "fProcesando", [] { return new fProcesando(); }},
                   VentanaConTextos{"ui", "fdirectorio", [] { return new fdirectorio(nullptr, "/"); }, {"dUnidad"}});

namespace {

using VentanasUi = PruebaConVentanas;

QString Limpia(const QString& p) { return QDir::cleanPath(QDir(p).absolutePath()); }

// A window manager may place a window after the program has shown it: the
// processing dialog follows its window while shown, wide enough for its title.
TEST_F(VentanasUi, ProcessingDialogStaysCentredOverItsWindowWhileShown)
{
    QWidget ventana;
    ventana.resize(640, 460);
    ventana.show();
    fProcesando p(&ventana);
    EXPECT_GT(p.minimumWidth(), p.fontMetrics().horizontalAdvance(p.windowTitle()));
    p.Mostrar();
    for (const QPoint donde : {QPoint(0, 0), QPoint(300, 250)}) {
        ventana.move(donde);
        EXPECT_LE((p.geometry().center() - ventana.frameGeometry().center()).manhattanLength(), 4);
    }
    p.Ocultar();
    const QPoint antes = p.pos();
    ventana.move(10, 10);
    EXPECT_EQ(p.pos(), antes);
}

TEST_F(VentanasUi, ChooserOpensOnlyAnActivatedFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath("a/interior") && QDir(tmp.path()).mkpath("b"));
    fdirectorio d(nullptr, tmp.path());
    auto* lista = Hijo<QListWidget>(&d, "ddirectorio");
    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->item(0)->text() + lista->item(1)->text() + lista->item(2)->text(), "..ab");
    lista->setCurrentRow(2); // highlighted only
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    for (const auto& [fila, carpeta] : {std::pair{1, tmp.filePath("a")}, {0, tmp.path()}}) {
        lista->setCurrentRow(fila);
        emit lista->itemActivated(lista->currentItem());
        EXPECT_EQ(d.CarpetaActual(), Limpia(carpeta));
        EXPECT_EQ(Hijo<QLineEdit>(&d, "tCarpetaActual")->text(), QDir::toNativeSeparators(d.CarpetaActual()));
    }
}

TEST_F(VentanasUi, ChoosingAFolderFillsTheChosenSessionFolderOnlyAndGoingBackNothing)
{
    DialogosWidgets widgets;
    InstalarDialogos(&widgets);
    for (const auto& [seleccion, boton] : {std::pair{int16_t(1), "bAceptar"}, {int16_t(0), "bcancelar"}}) {
        sesion().DirectorioOrigen = sesion().DirectorioDestino = "/previa";
        bool elegida = seleccion == 0;
        ConModal<fdirectorio>([b = boton](fdirectorio* d) { Pulsar(d, b); }, [&, s = seleccion] { elegida = ElegirDirectorio(s); });
        EXPECT_EQ(elegida, seleccion == 1);
        EXPECT_EQ(sesion().SeleccionDirectorio, seleccion);
        EXPECT_EQ(sesion().DirectorioOrigen, "/previa");
        EXPECT_EQ(QString::fromStdString(sesion().DirectorioDestino), elegida ? Limpia(qApp->applicationDirPath()) : "/previa");
    }
    InstalarDialogos(&dialogos_);
}

TEST_F(VentanasUi, MessageBoxesShowLatin1TextsWithButtonsInTheLanguageOfTheTexts)
{
    const std::tuple<int16_t, QMessageBox::StandardButton, QString> casos[] = {
        {kIdiomaEspanol, QMessageBox::No, "&No|&S\u00ed|Aviso|\u00bfSeguro?"},
        {kIdiomaEspanol, QMessageBox::Yes, "&No|&S\u00ed|Aviso|\u00bfSeguro?"},
        {kIdiomaEspanol, QMessageBox::Ok, "Aceptar|Error|Error configurando m\u00f3dem"},
        {kIdiomaIngles, QMessageBox::Yes, "&No|&Yes|Aviso|\u00bfSeguro?"},
        {kIdiomaIngles, QMessageBox::Ok, "OK|Error|Error configurando m\u00f3dem"}};
    for (const auto& [idioma, pulsar, esperado] : casos) {
        CargarTextosControles(idioma);
        QStringList vistos;
        bool si = false;
        ConModal<QMessageBox>(
            [&, p = pulsar](QMessageBox* box) {
                for (QAbstractButton* b : box->buttons())
                    vistos << b->text();
                vistos.sort();
                vistos << box->windowTitle() << box->text();
                box->button(p)->click();
            },
            [&, p = pulsar] {
                if (p == QMessageBox::Ok)
                    DialogosWidgets().Mensaje(IconoMensaje::Aviso, "Error", "Error configurando m\xF3" "dem");
                else
                    si = DialogosWidgets().PreguntaSiNo("Aviso", "\xBF" "Seguro?");
            });
        EXPECT_EQ(vistos.join('|'), esperado);
        EXPECT_EQ(si, pulsar == QMessageBox::Yes);
    }
}

TEST_F(VentanasUi, SaveDialogIsInSpanishWithTheTextFilterAndCancelChoosesNothing)
{
    QTemporaryDir tmp;
    QStringList vistos;
    std::optional<QString> elegido = "x";
    ConModal<QFileDialog>(
        [&](QFileDialog* d) {
            vistos << d->labelText(QFileDialog::Accept) << d->labelText(QFileDialog::Reject) << d->selectedNameFilter()
                   << d->directory().absolutePath();
            d->reject();
        },
        [&] { elegido = DialogosWidgets().GuardarComo(tmp.path(), "Documento de texto (*.txt)|*.txt", "txt"); });
    EXPECT_EQ(vistos.join('|'), "&Guardar|Cancelar|Documento de texto (*.txt)|" + QDir(tmp.path()).absolutePath());
    EXPECT_FALSE(elegido.has_value());
}

} // namespace
