#include "shell/fPerfil.h"

#include "ui_fPerfil.h"

#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "base/Sesion.h"
#include "shell/fClaveGestionProvision.h"
#include "shell/fMain.h"
#include "validation/ValoresInstalacion.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPixmap>

namespace tesedra {

const char* const kClaveInstalador = "Qarmvbx+LPW7?";

fPerfil::fPerfil(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::fPerfil>())
{
    InicializarRecursos();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);

    // Key preview: the window sees every key before its controls do.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    CargarTextosControles(kIdiomaEspanol);
    CargarMensajes(kIdiomaEspanol);

    ui->cPerfil->addItem(Caption(1));
    ui->cPerfil->addItem(Caption(2));

    ui->lClave->setText(Caption(5));
    ui->lPerfil->setText(Caption(6));
    ui->Frame1->setTitle(Caption(4));
    setWindowTitle(Caption(7));
    ui->cEntrar->setText(Caption(8));
    ui->cSalir->setText(Caption(9));
    ui->imgLogo->setPixmap(QPixmap(QStringLiteral(":/tesedra/logo.png")));
    ui->imgLogo->setAccessibleName(QStringLiteral("Tesedra"));
    setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));

    ui->cPerfil->setCurrentIndex(0);
    cPerfil_Click();
    connect(ui->cPerfil, &QComboBox::currentIndexChanged, this, [this] { cPerfil_Click(); });
    connect(ui->cEntrar, &QPushButton::clicked, this, &fPerfil::cEntrar_Click);
    connect(ui->cSalir, &QPushButton::clicked, this, &fPerfil::cSalir_Click);
    // Enter in the password field enters, as the default button would in a dialog.
    connect(ui->tClave, &QLineEdit::returnPressed, this, &fPerfil::cEntrar_Click);

    OlvidarFallosLinea();
    ui->cPerfil->setFocus();
}

fPerfil::~fPerfil() = default;

void fPerfil::cPerfil_Click()
{
    sesion().Perfil = static_cast<int16_t>(ui->cPerfil->currentIndex());
    const bool conClave = sesion().Perfil != kPerfilUsuario;
    ui->tClave->setEnabled(conClave);
    // Enabled it takes the window's background, disabled the inactive title bar's.
    CampoClave(ui->tClave, conClave ? palette().color(QPalette::Active, QPalette::Window) : ColorTituloInactivo());
}

bool fPerfil::ComprobarClavePerfil(int16_t perfil) const
{
    if (perfil == kPerfilInstalador)
        return ui->tClave->text() == QLatin1String(kClaveInstalador);
    return true;
}

void fPerfil::cEntrar_Click()
{
    if (ComprobarClavePerfil(sesion().Perfil)) {
        Entrar();
        return;
    }
    MostrarError(mensajes().msgClaveNoValida, "");
    ui->tClave->clear();
    ui->tClave->setFocus();
}

void fPerfil::Entrar()
{
    principal_ = new fMain();
    principal_->show();
    hide();
    close();
}

void fPerfil::cSalir_Click()
{
    close();
}

void fPerfil::AbrirClaveGestion()
{
    fClaveGestionProvision d(this);
    if (d.exec() == QDialog::Accepted)
        Entrar();
}

bool fPerfil::Form_KeyDown(int tecla, Qt::KeyboardModifiers mayus)
{
    if (tecla == Qt::Key_T && (mayus & Qt::ControlModifier) && (mayus & Qt::AltModifier)) {
        AbrirClaveGestion();
        return true;
    }
    return false;
}

bool fPerfil::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (Form_KeyDown(k->key(), k->modifiers()))
            return true;
    }
    return QWidget::eventFilter(o, e);
}

void fPerfil::keyPressEvent(QKeyEvent* e)
{
    if (!Form_KeyDown(e->key(), e->modifiers()))
        QWidget::keyPressEvent(e);
}

void fPerfil::closeEvent(QCloseEvent* e)
{
    e->accept();
    // Giving up before logging on ends the program.
    if (!principal_)
        TerminarPrograma();
}

} // namespace tesedra
