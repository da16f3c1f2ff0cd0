// The processing dialog, the folder chooser and the widget form of the dialog seam.
#include "Ventanas.h"

#include "ui/DialogosWidgets.h"
#include "ui/Presentacion.h"
#include "ui/fdirectorio.h"

#include <QFileDialog>
#include <QTreeView>
#include <QListWidget>
#include <QMessageBox>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

using VentanasUi = PruebaConVentanas;

QString Limpia(const QString& p)
{
    return QDir::cleanPath(QDir(p).absolutePath());
}

// A window manager may place a window after the program has shown it: the
// processing dialog follows its window.
TEST_F(VentanasUi, ProcessingDialogStaysCentredOverItsWindow)
{
    QWidget ventana;
    ventana.show();
    fProcesando p(&ventana);
    p.Mostrar();
    ventana.move(300, 250);
    EXPECT_LE((p.geometry().center() - ventana.frameGeometry().center()).manhattanLength(), 4);
}

TEST_F(VentanasUi, ChooserOpensOnlyAnActivatedFolderAndGivesItThroughTheSeam)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath("a/interior") && QDir(tmp.path()).mkpath("b"));
    fdirectorio d(nullptr, tmp.path());
    auto* lista = Hijo<QListWidget>(&d, "ddirectorio");
    EXPECT_EQ(lista->count() == 3 ? lista->item(0)->text() + lista->item(1)->text() + lista->item(2)->text() : "",
              "..ab");
    lista->setCurrentRow(2); // highlighted only
    EXPECT_EQ(d.CarpetaActual(), Limpia(tmp.path()));
    for (const auto& [fila, carpeta] : {std::pair{1, tmp.filePath("a")}, {0, tmp.path()}}) {
        lista->setCurrentRow(fila);
        emit lista->itemActivated(lista->currentItem());
        EXPECT_EQ(d.CarpetaActual(), Limpia(carpeta));
        EXPECT_EQ(Hijo<QLineEdit>(&d, "tCarpetaActual")->text(), QDir::toNativeSeparators(d.CarpetaActual()));
    }
    // Through the seam: the folder it was opened on when accepted, nothing when left.
    std::optional<QString> elegidas[2];
    for (int i : {0, 1})
        ConModal<fdirectorio>([i](fdirectorio* e) { Pulsar(e, i ? "bcancelar" : "bAceptar"); },
                              [&] { elegidas[i] = DialogosWidgets().ElegirCarpeta(tmp.filePath("b")); });
    EXPECT_TRUE(elegidas[0] == Limpia(tmp.filePath("b")) && !elegidas[1]);
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
                    DialogosWidgets().Mensaje(IconoMensaje::Aviso, "Error",
                                              "Error configurando m\xF3"
                                              "dem");
                else
                    si = DialogosWidgets().PreguntaSiNo("Aviso", "\xBF"
                                                                 "Seguro?");
            });
        EXPECT_EQ(vistos.join('|'), esperado);
        EXPECT_EQ(si, pulsar == QMessageBox::Yes);
    }
}

// Qt's own texts too (the file list's columns), and no "&" that is shown as such.
TEST_F(VentanasUi, SaveDialogIsInSpanishWithTheTextFilterAndCancelChoosesNothing)
{
    ASSERT_TRUE(InstalarTraduccionQt()) << "Qt's Spanish translation is not installed";
    QTemporaryDir tmp;
    QStringList vistos;
    std::optional<QString> elegido = "x";
    ConModal<QFileDialog>(
        [&](QFileDialog* d) {
            vistos << d->labelText(QFileDialog::Accept) << d->labelText(QFileDialog::Reject) << d->selectedNameFilter()
                   << d->directory().absolutePath();
            const auto* lista = d->findChild<QTreeView*>(QStringLiteral("treeView"));
            vistos << (lista ? lista->model()->headerData(0, Qt::Horizontal).toString() : QStringLiteral("no list"));
            for (const QLabel* l : d->findChildren<QLabel*>())
                EXPECT_TRUE(!l->text().contains(QLatin1Char('&')) || l->buddy()) << l->text().toStdString();
            d->reject();
        },
        [&] { elegido = DialogosWidgets().GuardarComo(tmp.path(), "Documento de texto (*.txt)|*.txt", "txt"); });
    EXPECT_EQ(vistos.join('|'),
              "&Guardar|Cancelar|Documento de texto (*.txt)|" + QDir(tmp.path()).absolutePath() + "|Nombre");
    EXPECT_FALSE(elegido.has_value());
}

} // namespace
