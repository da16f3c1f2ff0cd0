#include "ipconn/fconIP.h"

#include "ui_fconIP.h"

#include "base/Codigos.h"
#include "base/Dialogos.h"
#include "base/GuardarResultado.h"
#include "base/Idiomas.h"
#include "base/Latin1.h"
#include "ipconn/ConexionIP.h"
#include "ipconn/clsExecCmd.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "ui/fProcesando.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QFont>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace tesedra {

namespace {

// The digits of an octet.
constexpr qsizetype kDigitosOcteto = 3;

// A focus change that is the user's own move to another control (not a box
// popping up or another window taking over).
bool SalidaDelUsuario(const QEvent* e)
{
    const auto r = static_cast<const QFocusEvent*>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

} // namespace

fconIP::fconIP(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::fconIP>()), principal_(principal), codigoModelo_(std::move(codigoModelo))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    octetos_ = {ui->tuIP1, ui->tuIP2, ui->tuIP3, ui->tuIP4};

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    procesando_ = std::make_unique<fProcesando>(this);

    ui->tInfoEstado->setFont(FuenteResultado());

    for (QLineEdit* campo : octetos_) {
        campo->installEventFilter(this);
        connect(campo, &QLineEdit::textChanged, this, [this, campo] { tuIP_Change(campo); });
    }
    ui->tretardo->installEventFilter(this);
    connect(ui->tretardo, &QLineEdit::textChanged, this, &fconIP::tretardo_Change);
    connect(ui->comboComando, &QComboBox::currentIndexChanged, this, &fconIP::comboComando_Click);
    connect(ui->btnEjecutarPC, &QPushButton::clicked, this, &fconIP::btnEjecutarPC_Click);
    connect(ui->btnEjecutarRouter, &QPushButton::clicked, this, &fconIP::btnEjecutarRouter_Click);
    connect(ui->bSalvar, &QPushButton::clicked, this, &fconIP::bSalvar_Click);
    connect(ui->bVolver, &QPushButton::clicked, this, &fconIP::bVolver_Click);

    Form_Load();
}

fconIP::~fconIP() = default;

void fconIP::Form_Load()
{
    setWindowTitle(Caption(39));
    ui->fdirip->setTitle(Caption(40));
    ui->fResultado->setTitle(Caption(41));
    ui->fTiempo->setTitle(Caption(42));
    ui->ldirIP->setText(Caption(43));
    ui->Lsegundos->setText(Caption(44));
    ui->lTespera->setText(Caption(45));
    ui->btnEjecutarPC->setText(Caption(46));
    ui->btnEjecutarRouter->setText(Caption(47));
    ui->bSalvar->setText(Caption(48));
    ui->bVolver->setText(Caption(49));
    ui->labelComando->setText(Caption(50));
    for (size_t i = 0; i < octetos_.size(); ++i)
        octetos_[i]->setAccessibleName(Caption(43) + QStringLiteral(" %1").arg(i + 1));
    ui->tInfoEstado->setAccessibleName(Caption(41));

    ui->comboComando->clear();
    ui->comboComando->addItem(QString::fromLatin1(kComandoTracert));
    ui->comboComando->addItem(QString::fromLatin1(kComandoPing));
    ui->comboComando->setCurrentIndex(0);
    comboComando_Click();
}

bool fconIP::EsTracert() const
{
    return ui->comboComando->currentText() == QLatin1String(kComandoTracert);
}

void fconIP::comboComando_Click()
{
    // Route traces from the router are offered on the Efficient 5660 only.
    const bool sinTraza = EsTracert() && codigoModelo_ && codigoModelo_() == kOfficeRemote812;
    ui->btnEjecutarRouter->setEnabled(!sinTraza);
}

// ---- Field rules -----------------------------------------------------------

bool fconIP::eventFilter(QObject* objeto, QEvent* evento)
{
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    const bool esOcteto = campo && std::find(octetos_.begin(), octetos_.end(), campo) != octetos_.end();
    const bool esRetardo = campo == ui->tretardo;
    if (!esOcteto && !esRetardo)
        return QWidget::eventFilter(objeto, evento);

    if (evento->type() == QEvent::FocusIn) {
        if (!campo->text().isEmpty())
            SeleccionarTodo(campo);
    } else if (evento->type() == QEvent::FocusOut && SalidaDelUsuario(evento) && !ocupado_ && !devolviendoFoco_) {
        // Checked once the focus has settled on the new control, so that a
        // message box or a return of the focus does not run inside the change.
        QPointer<QLineEdit> p = campo;
        QTimer::singleShot(0, this, [this, p, esOcteto] {
            if (!p || ocupado_)
                return;
            if (esOcteto)
                tuIP_LostFocus(p);
            else
                tretardo_LostFocus();
        });
    }
    return QWidget::eventFilter(objeto, evento);
}

void fconIP::SeleccionarTodo(QLineEdit* campo)
{
    // After the click that gave the focus has placed the caret.
    QPointer<QLineEdit> p = campo;
    QTimer::singleShot(0, this, [p] {
        if (p && p->hasFocus())
            p->setSelection(0, static_cast<int>(p->text().size()));
    });
}

void fconIP::DevolverFoco(QLineEdit* campo)
{
    // The control that has the focus now loses it without its own check: the
    // focus is coming back here, not moving on.
    devolviendoFoco_ = true;
    campo->setFocus(Qt::OtherFocusReason);
    devolviendoFoco_ = false;
    campo->setSelection(0, static_cast<int>(campo->text().size()));
}

void fconIP::tuIP_Change(QLineEdit* campo)
{
    const QString texto = campo->text();
    // A dot typed moves on to the next box, as people type an address; a whole
    // address pasted ("127.0.0.1") fills this box and the ones after it.
    if (texto.contains(QLatin1Char('.'))) {
        if (RepartirDireccion(campo, texto))
            return;
        // No address (too many parts, a part too long or not a number): the dot is
        // refused as any character that is no digit is, and what stood before it stays.
        ComprobarDigito(QStringLiteral("."));
        campo->setText(texto.left(texto.indexOf(QLatin1Char('.'))));
        return;
    }
    if (!ComprobarDigito(texto)) {
        campo->setText(texto.chopped(1));
        campo->setCursorPosition(static_cast<int>(campo->text().size()));
    } else if (texto.size() > kDigitosOcteto) {
        // A box holds an octet's three digits at most (the widget lets a whole
        // address in, so that it can be pasted).
        campo->setText(texto.left(kDigitosOcteto));
    }
}

bool fconIP::RepartirDireccion(QLineEdit* campo, const QString& texto)
{
    const QStringList partes = texto.split(QLatin1Char('.'));
    const auto desde = static_cast<size_t>(std::find(octetos_.begin(), octetos_.end(), campo) - octetos_.begin());
    if (partes.size() > static_cast<qsizetype>(octetos_.size() - desde))
        return false;
    for (const QString& parte : partes) {
        if (parte.size() > kDigitosOcteto || !std::all_of(parte.begin(), parte.end(), EsDigito))
            return false;
    }
    // The boxes after this one keep what they hold where the text has nothing for them.
    size_t ultima = desde;
    for (qsizetype i = 0; i < partes.size(); ++i) {
        const size_t caja = desde + static_cast<size_t>(i);
        if (i == 0 || !partes[i].isEmpty())
            octetos_[caja]->setText(partes[i]);
        ultima = caja;
    }
    if (ultima != desde) {
        // Selected at once, so that the next digit typed replaces what the box held.
        octetos_[ultima]->setFocus(Qt::TabFocusReason);
        octetos_[ultima]->selectAll();
    }
    return true;
}

void fconIP::tuIP_LostFocus(QLineEdit* campo)
{
    if (!ComprobarOcteto(campo->text())) {
        DevolverFoco(campo);
        return;
    }
    campo->setText(QString::number(*ValorOcteto(campo->text())));
}

void fconIP::tretardo_Change()
{
    QLineEdit* campo = ui->tretardo;
    const QString texto = campo->text();
    if (texto.isEmpty())
        return;
    const char16_t c = texto.back().unicode();
    if (c < u'0' || c > u'9') {
        MensajeRetardo();
        campo->setText(texto.chopped(1));
        campo->setCursorPosition(static_cast<int>(campo->text().size()));
    }
}

void fconIP::tretardo_LostFocus()
{
    QLineEdit* campo = ui->tretardo;
    // Empty, or not a number (pasted text gets past the check of the last
    // character): refused alike.
    const auto v = ValorRetardo(campo->text());
    if (!v) {
        MensajeRetardo();
        DevolverFoco(campo);
        return;
    }
    campo->setText(QString::number(*v));
}

bool fconIP::PrepararEjecucion(std::string& direccion, int& retardo)
{
    if (ocupado_)
        return false;
    for (QLineEdit* campo : octetos_) {
        if (!ComprobarOcteto(campo->text())) {
            DevolverFoco(campo);
            return false;
        }
    }
    const auto v = ValorRetardo(ui->tretardo->text());
    if (!v) {
        MensajeRetardo();
        DevolverFoco(ui->tretardo);
        return false;
    }
    // Only octets that pass the rule make up the address, each written as its value.
    const auto d = DireccionIP({ui->tuIP1->text(), ui->tuIP2->text(), ui->tuIP3->text(), ui->tuIP4->text()});
    if (!d)
        return false;
    for (QLineEdit* campo : octetos_)
        campo->setText(QString::number(*ValorOcteto(campo->text())));
    ui->tretardo->setText(QString::number(*v));
    direccion = *d;
    retardo = *v;
    PonerResultado({});
    return true;
}

// ---- Runs ------------------------------------------------------------------

void fconIP::EmpezarEjecucion()
{
    ocupado_ = true;
    focoAntes_ = focusWidget();
    procesando_->Mostrar();
    setEnabled(false);
}

void fconIP::AcabarEjecucion()
{
    procesando_->FijarCancelacion({});
    procesando_->Ocultar();
    setEnabled(true);
    ocupado_ = false;
    if (Terminando())
        return;
    show();
    if (focoAntes_ && focoAntes_->isEnabled())
        focoAntes_->setFocus(Qt::OtherFocusReason);
}

void fconIP::btnEjecutarPC_Click()
{
    std::string direccion;
    int retardo = 0;
    if (!PrepararEjecucion(direccion, retardo))
        return;

    // A new runner for each run; releasing the previous one disables Timer1
    // until the new one enables it.
    proceso_.reset();
    proceso_ = std::make_unique<clsExecCmd>();
    proceso_->setControlTimer(timer1_);
    const QString programa = PrepararComandoPC(*proceso_, EsTracert(), direccion);
    proceso_->setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    proceso_->setControlTimer(timer1_);
    proceso_->setShowWindow(0);
    connect(proceso_.get(), &clsExecCmd::EjecucionFinalizada, this, &fconIP::proceso_EjecucionFinalizada);
    proceso_->Ejecutar();
    if (proceso_->HuboError()) {
        // Nothing runs, so nothing would ever end the wait: say why and stay usable.
        MostrarError(ToL1(programa + QStringLiteral(": ") + proceso_->DescripcionError()));
        return;
    }

    EmpezarEjecucion();
    // The processing dialog's cancel ends the command as the wait time would: its
    // end is reported by the next poll and the window shows what it had written.
    procesando_->FijarCancelacion([this] {
        if (proceso_ && proceso_->Ejecutando())
            proceso_->CancelarProceso();
    });
    // Wait for the end (its handler runs inside this loop) or for the wait time.
    EsperarFin(std::max(retardo * 1000, clsExecCmd::kIntervaloSondeoMs));
    if (proceso_->Ejecutando()) {
        // Out of time: end it. Its end is reported by the next poll, and the
        // window then shows what the output file holds at that moment. That
        // end is awaited here, so that it cannot arrive in the middle of a
        // later run and take the window out of its busy state.
        proceso_->CancelarProceso();
        EsperarFin(kEsperaFinCancelacionMs);
        if (proceso_->Ejecutando()) {
            // Not even a kill ended it (a process stuck in the system): let it go.
            proceso_.reset();
            AcabarEjecucion();
        }
    }
}

void fconIP::EsperarFin(int ms)
{
    if (!proceso_->Ejecutando())
        return;
    QEventLoop bucle;
    QTimer limite;
    limite.setSingleShot(true);
    limite.setTimerType(Qt::PreciseTimer);
    connect(&limite, &QTimer::timeout, &bucle, &QEventLoop::quit);
    connect(proceso_.get(), &clsExecCmd::EjecucionFinalizada, &bucle, &QEventLoop::quit);
    limite.start(ms);
    bucle.exec();
}

void fconIP::proceso_EjecucionFinalizada()
{
    AcabarEjecucion();
    std::string texto = Resultado();
    CargarFichero(FicheroSalidaPC(), texto);
    PonerResultado(texto);
}

void fconIP::btnEjecutarRouter_Click()
{
    std::string direccion;
    int retardo = 0;
    if (!PrepararEjecucion(direccion, retardo))
        return;
    const bool tracert = EsTracert();
    const int16_t modelo = codigoModelo_ ? codigoModelo_() : 0;

    EmpezarEjecucion();
    {
        Intercambio intercambio;
        PonerResultado(EjecutarRouter(modelo, tracert, direccion, retardo));
    }
    AcabarEjecucion();
}

// ---- Result, saving, closing -----------------------------------------------

void fconIP::PonerResultado(const std::string& texto)
{
    ui->tInfoEstado->setPlainText(TextoParaCaja(texto));
}

std::string fconIP::Resultado() const
{
    QString t = ui->tInfoEstado->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToL1(t);
}

void fconIP::bSalvar_Click()
{
    if (ocupado_)
        return;
    SalvarResultado(Resultado());
}

void fconIP::bVolver_Click()
{
    close();
}

void fconIP::closeEvent(QCloseEvent* e)
{
    // A run in progress is inside this window's handlers: it must end first.
    CerrarVolviendo(e, ocupado_, principal_);
}

} // namespace tesedra
