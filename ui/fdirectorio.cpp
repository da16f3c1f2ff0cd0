#include "ui/fdirectorio.h"

#include "ui_fdirectorio.h"

#include "base/Dialogos.h"
#include "ui/Presentacion.h"
#include "ui/TextosUi.h"
#include "base/Carpetas.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>

namespace tesedra {

namespace {

constexpr int kRolRuta = Qt::UserRole + 1;
const QString kArriba = QStringLiteral("..");

} // namespace

fdirectorio::fdirectorio(QWidget* parent, const QString& inicial)
    : QDialog(parent), ui(std::make_unique<Ui::fdirectorio>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(Caption(86));
    ui->Frame1->setTitle(Caption(87));
    ui->bAceptar->setText(Caption(88));
    ui->bcancelar->setText(Caption(89));

    connect(ui->bAceptar, &QPushButton::clicked, this, &fdirectorio::bAceptar_Click);
    connect(ui->bcancelar, &QPushButton::clicked, this, &fdirectorio::bcancelar_Click);
    connect(ui->ddirectorio, &QListWidget::itemActivated, this, [this] { ddirectorio_Activated(); });

    LlenarUnidades();
    const QString inicio = inicial.isEmpty() ? CarpetaPrograma() : inicial;
    if (!AbrirCarpeta(inicio)) {
        // The program's folder always exists; a folder that went away falls back to it.
        if (!AbrirCarpeta(CarpetaPrograma()))
            AbrirCarpeta(QDir::rootPath());
    }
    connect(ui->dUnidad, &QComboBox::activated, this, &fdirectorio::dUnidad_Change);
}

fdirectorio::~fdirectorio() = default;

void fdirectorio::LlenarUnidades()
{
    ui->dUnidad->clear();
    const auto volumenes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& v : volumenes) {
        if (!v.isValid())
            continue;
        const QString raiz = QDir::toNativeSeparators(v.rootPath());
        QString texto = raiz;
        const QString nombre = v.displayName();
        if (!nombre.isEmpty() && nombre != v.rootPath())
            texto += QStringLiteral("  [") + nombre + QLatin1Char(']');
        ui->dUnidad->addItem(texto, v.rootPath());
    }
}

void fdirectorio::SeleccionarUnidadDe(const QString& carpeta)
{
    const QString raiz = QStorageInfo(carpeta).rootPath();
    int i = ui->dUnidad->findData(raiz);
    if (i < 0 && !raiz.isEmpty()) {
        ui->dUnidad->addItem(QDir::toNativeSeparators(raiz), raiz);
        i = ui->dUnidad->count() - 1;
    }
    ui->dUnidad->setCurrentIndex(i);
}

bool fdirectorio::AbrirCarpeta(const QString& carpeta)
{
    QDir d(carpeta);
    const QFileInfo info(carpeta);
    if (!info.exists() || !info.isDir() || !info.isReadable()) {
        MostrarError(ToL1(QDir::toNativeSeparators(carpeta)) + ": "
                         + Traducir(info.exists() ? kTxtPermisoDenegado : kTxtNoExiste),
                     "Error");
        return false;
    }
    const QStringList hijas = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    actual_ = QDir::cleanPath(d.absolutePath());
    ui->tCarpetaActual->setText(QDir::toNativeSeparators(actual_));
    ui->ddirectorio->clear();
    const QIcon icono = style()->standardIcon(QStyle::SP_DirIcon);
    QDir padre(actual_);
    if (padre.cdUp() && QDir::cleanPath(padre.absolutePath()) != actual_) {
        auto* it = new QListWidgetItem(icono, kArriba, ui->ddirectorio);
        it->setData(kRolRuta, QDir::cleanPath(padre.absolutePath()));
    }
    for (const QString& h : hijas) {
        auto* it = new QListWidgetItem(icono, h, ui->ddirectorio);
        it->setData(kRolRuta, QDir::cleanPath(d.absoluteFilePath(h)));
    }
    if (ui->ddirectorio->count() > 0)
        ui->ddirectorio->setCurrentRow(0);
    SeleccionarUnidadDe(actual_);
    return true;
}

QString fdirectorio::CarpetaActual() const
{
    return actual_;
}

void fdirectorio::ddirectorio_Activated()
{
    if (QListWidgetItem* it = ui->ddirectorio->currentItem())
        AbrirCarpeta(it->data(kRolRuta).toString());
}

void fdirectorio::dUnidad_Change(int indice)
{
    const QString raiz = ui->dUnidad->itemData(indice).toString();
    if (raiz.isEmpty() || !AbrirCarpeta(raiz))
        SeleccionarUnidadDe(actual_);
}

void fdirectorio::bAceptar_Click()
{
    accept();
}

void fdirectorio::bcancelar_Click()
{
    reject();
}

} // namespace tesedra
