#include "shell/fMain.h"

#include "ui_fMain.h"

#include "checks/fConectividadATM.h"
#include "checks/fConfiguracion.h"
#include "checks/fGenerico.h"
#include "ipconn/fconIP.h"
#include "ui/Presentacion.h"
#include "ui/Programa.h"
#include "base/Latin1.h"
#include "base/Sesion.h"
#include "console/PuertosSerie.h"
#include "validation/fValidacion.h"
#include "validation/fvalInversa.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QPixmap>

#include <QSignalBlocker>

#include <algorithm>
#include <exception>

namespace tesedra {

fMain::fMain(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::fMain>())
{
    InicializarRecursos();
    ui->setupUi(this);
    ui->imgLogo->setPixmap(QPixmap(QStringLiteral(":/tesedra/logo.png")));
    ui->imgLogo->setAccessibleName(QStringLiteral("Tesedra"));
    setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));

    // 1. Models, with their codes as item data; the 812 is the default.
    ui->cModem->addItem(QStringLiteral("3Com OfficeConnectRemote 812"), int(kOfficeRemote812));
    ui->cModem->addItem(QStringLiteral("Efficient SS5660"), int(kEfficient5660));
    ui->cModem->setCurrentIndex(0);

    // 2. Ports "Com 1" .. "Com 6" (on Windows also every detected port above them),
    // each with the device it opens and its number as item data; the choice runs
    // at once, so Puerto becomes 1.
    ActualizarPuertos();
    ui->cPuerto->setCurrentIndex(0);
    cPuerto_Click();
    // The devices are looked at again whenever the list is about to open, so an
    // adapter plugged in meanwhile shows up.
    ui->cPuerto->installEventFilter(this);

    // 3. Texts.
    setWindowTitle(Caption(10));
    ui->fesp->setTitle(Caption(11));
    ui->fmodem->setTitle(Caption(12));
    ui->fpru->setTitle(Caption(13));
    ui->lClave->setText(Caption(14));
    ui->lmodem->setText(Caption(15));
    ui->lpserie->setText(Caption(16));
    ui->bATM->setText(Caption(17));
    ui->bConfiguracion->setText(Caption(18));
    ui->bIP->setText(Caption(19));
    ui->bPPP->setText(Caption(20));
    ui->bSincro->setText(Caption(21));
    ui->bSalir->setText(Caption(22));
    ui->bValidacion->setText(Caption(23));
    ui->bvalInv->setText(Caption(24));

    // 4. What the profile may see.
    switch (sesion().Perfil) {
    case kPerfilUsuario:
        ui->fesp->setVisible(false);
        ui->bValidacion->setVisible(false);
        ui->bvalInv->setVisible(false);
        break;
    case kPerfilInstalador: ui->bvalInv->setVisible(false); break;
    default: break;
    }

    connect(ui->cPuerto, &QComboBox::currentIndexChanged, this, [this] { cPuerto_Click(); });
    CampoClave(ui->tClave);
    ui->tClave->installEventFilter(this);
    connect(ui->bSincro, &QPushButton::clicked, this, &fMain::bSincro_Click);
    connect(ui->bATM, &QPushButton::clicked, this, &fMain::bATM_Click);
    connect(ui->bPPP, &QPushButton::clicked, this, &fMain::bPPP_Click);
    connect(ui->bIP, &QPushButton::clicked, this, &fMain::bIP_Click);
    connect(ui->bConfiguracion, &QPushButton::clicked, this, &fMain::bConfiguracion_Click);
    connect(ui->bValidacion, &QPushButton::clicked, this, &fMain::bValidacion_Click);
    connect(ui->bvalInv, &QPushButton::clicked, this, &fMain::bvalInv_Click);
    connect(ui->bSalir, &QPushButton::clicked, this, &fMain::bSalir_Click);
}

fMain::~fMain() = default;

int16_t fMain::CodigoModelo() const
{
    return static_cast<int16_t>(ui->cModem->currentData().toInt());
}

void fMain::ActualizarPuertos()
{
    std::vector<PuertoOfrecido> ofrecidos = DestinosPuertos(kPuertos);
    // The chosen port stays offered (and chosen) when its adapter is unplugged.
    const int elegido = ui->cPuerto->currentData().toInt();
    if (elegido > 0 && std::none_of(ofrecidos.begin(), ofrecidos.end(), [&](const PuertoOfrecido& p) {
            return p.numero == elegido;
        })) {
        ofrecidos.push_back({static_cast<int16_t>(elegido), DestinoDePuerto(static_cast<int16_t>(elegido))});
        std::sort(ofrecidos.begin(), ofrecidos.end(),
                  [](const PuertoOfrecido& a, const PuertoOfrecido& b) { return a.numero < b.numero; });
    }
    const QSignalBlocker bloqueo(ui->cPuerto);
    for (size_t i = 0; i < ofrecidos.size(); ++i) {
        const int indice = static_cast<int>(i);
        const QString texto = L1(EtiquetaPuerto(ofrecidos[i].numero, ofrecidos[i].destino));
        if (indice < ui->cPuerto->count()) {
            ui->cPuerto->setItemText(indice, texto);
            ui->cPuerto->setItemData(indice, int(ofrecidos[i].numero));
        } else {
            ui->cPuerto->addItem(texto, int(ofrecidos[i].numero));
        }
    }
    while (ui->cPuerto->count() > static_cast<int>(ofrecidos.size()))
        ui->cPuerto->removeItem(ui->cPuerto->count() - 1);
    if (elegido > 0)
        ui->cPuerto->setCurrentIndex(ui->cPuerto->findData(elegido));
}

void fMain::cPuerto_Click()
{
    sesion().Puerto = static_cast<int16_t>(ui->cPuerto->currentData().toInt());
}

void fMain::tClave_LostFocus()
{
    sesion().ClaveModem = ToL1(ui->tClave->text());
}

bool fMain::eventFilter(QObject* o, QEvent* e)
{
    if (o == ui->tClave && e->type() == QEvent::FocusOut)
        tClave_LostFocus();
    // A click or a key opens the list: refreshed just before it shows.
    if (o == ui->cPuerto && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress))
        ActualizarPuertos();
    return QWidget::eventFilter(o, e);
}

void fMain::Abrir(QWidget* ventana)
{
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

void fMain::bSincro_Click()
{
    hide();
    sesion().TipoPrueba = kPruebaSincronizacion;
    auto* v = new fGenerico(this, [this] { return CodigoModelo(); });
    Abrir(v);
    v->Ejecutar();
}

void fMain::bATM_Click()
{
    hide();
    sesion().TipoPrueba = kPruebaATM;
    Abrir(new fConectividadATM(this, [this] { return CodigoModelo(); }));
}

void fMain::bPPP_Click()
{
    hide();
    sesion().TipoPrueba = kPruebaPPP;
    auto* v = new fGenerico(this, [this] { return CodigoModelo(); });
    Abrir(v);
    v->Ejecutar();
}

void fMain::bIP_Click()
{
    hide();
    sesion().TipoPrueba = kPruebaIP;
    Abrir(new fconIP(this, [this] { return CodigoModelo(); }));
}

void fMain::bConfiguracion_Click()
{
    hide();
    sesion().TipoPrueba = kPruebaConfiguracion;
    Abrir(new fConfiguracion(this, [this] { return CodigoModelo(); }));
}

void fMain::bValidacion_Click()
{
    hide();
    try {
        Abrir(new fValidacion(this, [this] { return CodigoModelo(); }));
    } catch (const std::exception&) {
        show();
    }
}

void fMain::bvalInv_Click()
{
    hide();
    Abrir(new fvalInversa(this));
}

void fMain::bSalir_Click()
{
    close();
}

void fMain::closeEvent(QCloseEvent* e)
{
    e->accept();
    TerminarPrograma();
}

} // namespace tesedra
