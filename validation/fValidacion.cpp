#include "validation/fValidacion.h"

#include "ui_fValidacion.h"

#include "base/Carpetas.h"
#include "base/Dialogos.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "ui/IndicadorJuicio.h"
#include "ui/fProcesando.h"
#include "ui/TranscripcionVentana.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/JuicioLinea.h"
#include "validation/TextosValidacion.h"

#include <QCloseEvent>

#include <utility>
#include <vector>

namespace tesedra {

namespace {

// The two labels of a shown field: its caption and its value. Caption and group come
// from the field table.
struct Par {
    std::string ValoresInstalacion::*campo;
    QLabel* Ui::fValidacion::*titulo;
    QLabel* Ui::fValidacion::*valor;
};

const std::vector<Par>& Pares()
{
    using U = Ui::fValidacion;
    using V = ValoresInstalacion;
    static const std::vector<Par> pares = {
        {&V::telefono, &U::lTelefono, &U::lvTelefono},
        {&V::tipoModem, &U::ltipoModem, &U::lvTipoModem},
        {&V::versionSW, &U::lversionSW, &U::lvVersionSw},
        {&V::mac, &U::lMAC, &U::lvMac},
        {&V::ipLan, &U::lIPLan, &U::lvIPLAN},
        {&V::mascaraLan, &U::lmaLan, &U::lvmaLAN},
        {&V::ipWan, &U::lIPWan, &U::lvIPWAN},
        {&V::ipRemota, &U::lIPremota, &U::lvIPRemota},
        {&V::usuarioARC, &U::lUserARC, &U::lvUserARC},
        {&V::downStream, &U::lDownStream, &U::lvDownStream},
        {&V::dhcpInicio, &U::ldhcpInicio, &U::lvdhcpInicio},
        {&V::dhcpFin, &U::ldhcpfin, &U::lvDhcpFin},
        {&V::atenuacionSubida, &U::latenuacionSubida, &U::lvAtenuacionSubida},
        {&V::atenuacionBajada, &U::latenuacionBajada, &U::lvAtenuacionBajada},
        {&V::margenRuidoSubida, &U::lmargenRuidoSubida, &U::lvMargenRuidoSubida},
        {&V::margenRuidoBajada, &U::lmargenRuidoBajada, &U::lvMargenRuidoBajada},
    };
    return pares;
}

} // namespace

fValidacion::fValidacion(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::fValidacion>()), principal_(principal),
      codigoModelo_(std::move(codigoModelo)), procesando_(std::make_unique<fProcesando>(this))
{
    InicializarRecursos();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));
    // The console transcript of the last run, saved from the window's context menu.
    transcripcion_ = new TranscripcionVentana(this);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(transcripcion_->Accion());

    setWindowTitle(Caption(51));
    ui->bAceptar->setText(Caption(52));
    ui->bVolver->setText(Caption(53));
    ui->frValidacion->setTitle(Caption(54));
    ui->frmModalidadServicio->setTitle(Caption(73));
    ui->chkModServicio->setText(Caption(74));
    ui->lModServicio->setText(Caption(75));
    ui->Ejecutar->setText(Caption(76));

    ui->cModServicio->addItem(QStringLiteral("Estandar"), int(kModalidadEstandar));
    ui->cModServicio->addItem(QStringLiteral("Class"), int(kModalidadClass));
    ui->cModServicio->addItem(QStringLiteral("Premium"), int(kModalidadPremium));
    ui->cModServicio->setCurrentIndex(0);
    ui->cModServicio->setEnabled(false);
    estadoLinea().ModalidadServicio = kModalidadEstandar;
    estadoLinea().ComprobarLinea = false;
    ui->bAceptar->setEnabled(false);
    for (const Par& p : Pares())
        (ui.get()->*p.valor)->setAccessibleName(Caption(Campo(p.campo).caption));
    MostrarPares(false, false);
    // Each judged value's indicator goes in the column after its value, on its row.
    for (size_t i = 0; i < kValoresJuzgados.size(); ++i) {
        for (const Par& p : Pares()) {
            if (p.campo != CampoJuzgado(kValoresJuzgados[i]))
                continue;
            QLabel* valor = ui.get()->*p.valor;
            int fila = 0, columna = 0, filas = 0, columnas = 0;
            ui->lyValores->getItemPosition(ui->lyValores->indexOf(valor), &fila, &columna, &filas, &columnas);
            indicadores_[i] = new IndicadorJuicio(this);
            indicadores_[i]->setObjectName(QStringLiteral("ij") + valor->objectName().mid(2));
            ui->lyValores->addWidget(indicadores_[i], fila, columna + 1);
        }
    }

    connect(ui->chkModServicio, &QCheckBox::clicked, this, &fValidacion::chkModServicio_Click);
    connect(ui->cModServicio, &QComboBox::activated, this, &fValidacion::cModServicio_Click);
    connect(ui->Ejecutar, &QPushButton::clicked, this, &fValidacion::Ejecutar_Click);
    connect(ui->bAceptar, &QPushButton::clicked, this, &fValidacion::bAceptar_Click);
    connect(ui->bVolver, &QPushButton::clicked, this, &fValidacion::bVolver_Click);
}

fValidacion::~fValidacion() = default;

void fValidacion::MostrarPares(bool generales, bool linea)
{
    for (const Par& p : Pares()) {
        const bool ver = Campo(p.campo).grupo == GrupoCampo::Linea ? linea : generales;
        (ui.get()->*p.titulo)->setVisible(ver);
        (ui.get()->*p.valor)->setVisible(ver);
    }
}

void fValidacion::MostrarJuicios(int16_t modelo)
{
    for (size_t i = 0; i < kValoresJuzgados.size(); ++i) {
        const ValorJuzgado que = kValoresJuzgados[i];
        const std::string& texto = valores_.*CampoJuzgado(que);
        const JuicioValor juicio = JuzgarValor(modelo, estadoLinea().ModalidadServicio, que, texto);
        if (!juicio.juzgado)
            continue;
        using E = IndicadorJuicio::Estado;
        const E estado = !juicio.leido ? E::SinLectura : juicio.correcto ? E::Correcto : E::Incorrecto;
        const TextosJuicio t = DescribirJuicio(que, juicio, texto);
        indicadores_[i]->Mostrar(estado, L1(t.limite), L1(t.accesible), L1(Traducir(kTxtNoLeido)));
    }
}

void fValidacion::chkModServicio_Click()
{
    estadoLinea().ComprobarLinea = ui->chkModServicio->isChecked();
    ui->cModServicio->setEnabled(estadoLinea().ComprobarLinea);
}

void fValidacion::cModServicio_Click()
{
    estadoLinea().ModalidadServicio = static_cast<int16_t>(ui->cModServicio->currentData().toInt());
}

void fValidacion::Ejecutar_Click()
{
    if (enCurso_ || Intercambio::EnCurso() > 0)
        return;
    for (const Par& p : Pares())
        (ui.get()->*p.titulo)->setText(Caption(Campo(p.campo).caption));
    for (IndicadorJuicio* indicador : indicadores_)
        indicador->Limpiar();

    const int16_t modelo = codigoModelo_ ? codigoModelo_() : int16_t(0);
    bool ok = false;
    {
        Intercambio intercambio;
        enCurso_ = true;
        procesando_->Mostrar();
        setEnabled(false);
        transcripcion_->AntesDeEjecutar();
        ok = EjecutarValidacion(modelo, valores_);
        transcripcion_->TrasEjecutar();
        procesando_->Ocultar();
        setEnabled(true);
        enCurso_ = false;
    }
    if (Terminando())
        return;
    show();
    if (!ok) {
        MostrarPares(false, false);
        ui->bAceptar->setEnabled(false);
        return;
    }
    for (const Par& p : Pares()) {
        QLabel* valor = ui.get()->*p.valor;
        valor->setText(L1(valores_.*p.campo));
        // A screen reader reads the caption with its value ("Tel\u00E9fono: 914567890").
        valor->setAccessibleName(Caption(Campo(p.campo).caption) + QLatin1Char(' ') + valor->text());
    }
    MostrarPares(true, estadoLinea().ComprobarLinea);
    if (estadoLinea().ComprobarLinea) {
        MostrarJuicios(modelo);
        const std::string fallos = MensajeFallosLinea();
        if (!fallos.empty())
            MostrarError(fallos, "");
    }
    ui->bAceptar->setEnabled(true);
}

void fValidacion::bAceptar_Click()
{
    if (enCurso_)
        return;
    if (!ElegirDirectorio(0))
        return;
    if (!GuardarValidacion(DirectorioSesion(0), valores_))
        return;
    AvisarTrasGuardar();
    close();
}

void fValidacion::bVolver_Click()
{
    close();
}

void fValidacion::closeEvent(QCloseEvent* e)
{
    CerrarVolviendo(e, enCurso_, principal_);
    if (!e->isAccepted())
        return;
    OlvidarFallosLinea();
}

} // namespace tesedra
