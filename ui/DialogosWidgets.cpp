#include "ui/DialogosWidgets.h"

#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "ui/fdirectorio.h"

#include <QApplication>
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace tesedra {

namespace {

QWidget* VentanaActiva()
{
    return QApplication::activeWindow();
}

bool EnEspanol()
{
    return IdiomaTextos() == kIdiomaEspanol;
}

// The standard buttons carry Qt's own (English) texts unless a translation of
// Qt is installed; a Spanish question must not be answered with "Yes"/"No".
void TextosBotones(QMessageBox& box)
{
    if (!EnEspanol())
        return;
    if (QAbstractButton* b = box.button(QMessageBox::Ok))
        b->setText(QStringLiteral("Aceptar"));
    if (QAbstractButton* b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("&S\u00ed"));
    if (QAbstractButton* b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("&No"));
}

} // namespace

// Once the program is ending no box opens: it would hold up the end.

void DialogosWidgets::Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto)
{
    if (Terminando())
        return;
    QMessageBox::Icon i = QMessageBox::NoIcon;
    if (icono == IconoMensaje::Aviso)
        i = QMessageBox::Warning;
    else if (icono == IconoMensaje::Informacion)
        i = QMessageBox::Information;
    QMessageBox box(i, L1(titulo), L1(texto), QMessageBox::Ok, VentanaActiva());
    TextosBotones(box);
    box.exec();
}

bool DialogosWidgets::PreguntaSiNo(const std::string& titulo, const std::string& texto)
{
    if (Terminando())
        return false;
    QMessageBox box(QMessageBox::Warning, L1(titulo), L1(texto), QMessageBox::Yes | QMessageBox::No, VentanaActiva());
    TextosBotones(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogosWidgets::GuardarComo(const QString& carpetaInicial, const std::string& filtro,
                                                    const std::string& extension)
{
    if (Terminando())
        return std::nullopt;
    // The filter comes as "Description (*.txt)|*.txt"; Qt wants the description part.
    const QString f = L1(filtro).section(QLatin1Char('|'), 0, 0);
    QFileDialog dlg(VentanaActiva(), QString(), carpetaInicial, f);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(L1(extension));
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (EnEspanol()) {
        dlg.setWindowTitle(QStringLiteral("Guardar como"));
        dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Guardar en:"));
        dlg.setLabelText(QFileDialog::FileName, QStringLiteral("&Nombre:"));
        // No mnemonic: the dialog gives this label no buddy, so an "&" would show as such.
        dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
        dlg.setLabelText(QFileDialog::Accept, QStringLiteral("&Guardar"));
        dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().constFirst();
}

std::optional<QString> DialogosWidgets::ElegirCarpeta(const QString& carpetaInicial)
{
    if (Terminando())
        return std::nullopt;
    fdirectorio d(VentanaActiva(), carpetaInicial);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    return d.CarpetaActual();
}

} // namespace tesedra
