#include "shell/fClaveGestionProvision.h"

#include "ui_fClaveGestionProvision.h"

#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "base/Sesion.h"

namespace tesedra {

const char* const kClaveGestion = "Vrax-K7lm-Opdu";

fClaveGestionProvision::fClaveGestionProvision(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::fClaveGestionProvision>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // This dialog is not translated; its texts are set here as single-byte text.
    setWindowTitle(L1("Clave Gesti\xF3n/Provisi\xF3n"));
    CampoClave(ui->txtClave);
    ui->txtClave->clear();
    connect(ui->btnAceptar, &QPushButton::clicked, this, &fClaveGestionProvision::btnAceptar_Click);
    connect(ui->btnCancelar, &QPushButton::clicked, this, &fClaveGestionProvision::btnCancelar_Click);
}

fClaveGestionProvision::~fClaveGestionProvision() = default;

void fClaveGestionProvision::btnAceptar_Click()
{
    if (ui->txtClave->text() == QLatin1String(kClaveGestion)) {
        sesion().Perfil = kPerfilGestion;
        accept();
        return;
    }
    MostrarError(mensajes().msgClaveNoValida, "");
}

void fClaveGestionProvision::btnCancelar_Click()
{
    reject();
}

} // namespace tesedra
