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
                   VentanaConTextos{"ui", "fdirectorio", [] { return new fdirectorio(nullptr, QStringLiteral("/")); },
                                    {QStringLiteral("dUnidad")}});

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

TEST_F(VentanasUi, ChooserOpensOnlyAnActivatedFolderAndRefusesAnUnreadableVolume)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("a/interior")) && QDir(tmp.path()).mkpath(QStringLiteral("b")));
    fdirectorio d(nullptr, tmp.path());
    auto* lista = Hijo<QListWidget>(&d, "ddirectorio");
    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->item(0)->text() + lista->item(1)->text() + lista->item(2)->text(), QStringLiteral("..ab"));
    lista->setCurrentRow(2); // highlighted only
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    for (const auto& [fila, carpeta] : {std::pair{1, tmp.filePath(QStringLiteral("a"))}, {0, tmp.path()}}) {
        lista->setCurrentRow(fila);
        emit lista->itemActivated(lista->currentItem());
        EXPECT_EQ(d.CarpetaActual(), Limpia(carpeta));
        EXPECT_EQ(Hijo<QLineEdit>(&d, "tCarpetaActual")->text(), QDir::toNativeSeparators(d.CarpetaActual()));
    }
    auto* unidad = Hijo<QComboBox>(&d, "dUnidad");
    const int antes = unidad->currentIndex();
    EXPECT_TRUE(d.CarpetaActual().startsWith(unidad->currentData().toString()));
    unidad->addItem(QStringLiteral("X:"), QStringLiteral("/no/existe/tesedra-unidad"));
    d.dUnidad_Change(unidad->count() - 1);
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].titulo, "Error");
    EXPECT_NE(dialogos_.mensajes[0].texto.find("/no/existe/tesedra-unidad: No existe"), std::string::npos);
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    EXPECT_EQ(unidad->currentIndex(), antes);
    d.dUnidad_Change(antes); // a readable volume opens on its root
    EXPECT_EQ(d.CarpetaActual(), Limpia(unidad->itemData(antes).toString()));
}

TEST_F(VentanasUi, ChoosingAFolderFillsTheChosenSessionFolderOnlyAndGoingBackNothing)
{
    DialogosWidgets widgets;
    InstalarDialogos(&widgets);
    for (const auto& [seleccion, boton] : {std::pair{int16_t(1), "bAceptar"}, {int16_t(0), "bcancelar"}}) {
        sesion().DirectorioOrigen = "/origen";
        sesion().DirectorioDestino = "/destino";
        bool elegida = false;
        ConModal<fdirectorio>([b = boton](fdirectorio* d) { Pulsar(d, b); },
                              [&, s = seleccion] { elegida = ElegirDirectorio(s); });
        EXPECT_EQ(elegida, seleccion == 1);
        EXPECT_EQ(sesion().SeleccionDirectorio, seleccion);
        EXPECT_EQ(sesion().DirectorioOrigen, "/origen");
        EXPECT_EQ(sesion().DirectorioDestino, elegida ? Limpia(QCoreApplication::applicationDirPath()).toStdString() : "/destino");
    }
    InstalarDialogos(&dialogos_);
}

TEST_F(VentanasUi, MessageBoxesShowLatin1TextsWithButtonsInTheLanguageOfTheTexts)
{
    const struct {
        int16_t idioma;
        QMessageBox::StandardButton pulsar; // Ok: a message; Yes or No: a question
        QString vistos;
    } casos[] = {
        {kIdiomaEspanol, QMessageBox::No, "&No|&S\u00ed|Advertencia|\u00bfDesea continuar?"},
        {kIdiomaEspanol, QMessageBox::Yes, "&No|&S\u00ed|Advertencia|\u00bfDesea continuar?"},
        {kIdiomaEspanol, QMessageBox::Ok, "Aceptar|Error|Error configurando m\u00f3dem"},
        {kIdiomaIngles, QMessageBox::Yes, "&No|&Yes|Advertencia|\u00bfDesea continuar?"},
        {kIdiomaIngles, QMessageBox::Ok, "OK|Error|Error configurando m\u00f3dem"},
    };
    DialogosWidgets widgets;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.vistos.toStdString());
        CargarTextosControles(c.idioma);
        QStringList vistos;
        bool si = false;
        ConModal<QMessageBox>(
            [&](QMessageBox* box) {
                for (QAbstractButton* b : box->buttons())
                    vistos << b->text();
                vistos.sort();
                vistos << box->windowTitle() << box->text();
                box->button(c.pulsar)->click();
            },
            [&] {
                if (c.pulsar == QMessageBox::Ok)
                    widgets.Mensaje(IconoMensaje::Aviso, "Error", "Error configurando m\xF3" "dem");
                else
                    si = widgets.PreguntaSiNo("Advertencia", "\xBF" "Desea continuar?");
            });
        EXPECT_EQ(vistos.join(QLatin1Char('|')), c.vistos);
        EXPECT_EQ(si, c.pulsar == QMessageBox::Yes);
    }
}

TEST_F(VentanasUi, SaveDialogIsInSpanishWithTheTextFilterAndCancelChoosesNothing)
{
    QTemporaryDir tmp;
    QStringList vistos;
    std::optional<QString> elegido = QStringLiteral("x");
    ConModal<QFileDialog>(
        [&](QFileDialog* d) {
            vistos << d->labelText(QFileDialog::Accept) << d->labelText(QFileDialog::Reject) << d->selectedNameFilter()
                   << d->directory().absolutePath();
            d->reject();
        },
        [&] { elegido = DialogosWidgets().GuardarComo(tmp.path(), "Documento de texto (*.txt)|*.txt", "txt"); });
    EXPECT_EQ(vistos.join(QLatin1Char('|')), QStringLiteral("&Guardar|Cancelar|Documento de texto (*.txt)|") + QDir(tmp.path()).absolutePath());
    EXPECT_FALSE(elegido.has_value());
}

} // namespace
