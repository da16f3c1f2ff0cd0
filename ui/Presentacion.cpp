#include "ui/Presentacion.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "base/Idiomas.h"
#include "ui/Programa.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

static void IniciarRecursosTesedra()
{
    Q_INIT_RESOURCE(tesedra);
}

namespace tesedra {

QString Caption(int n)
{
    return L1(Texto(n));
}

QString TextoParaCaja(const std::string& texto)
{
    QString t = L1(texto);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QFont FuenteResultado()
{
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

void CerrarVolviendo(QCloseEvent* e, bool ocupada, QWidget* principal)
{
    if (ocupada) {
        e->ignore();
        return;
    }
    e->accept();
    if (principal && !Terminando())
        principal->show();
}

void CampoClave(QLineEdit* campo, const QColor& fondo)
{
    QString estilo = QStringLiteral("QLineEdit { lineedit-password-character: 42;");
    if (fondo.isValid())
        estilo += QStringLiteral(" background-color: %1;").arg(fondo.name());
    campo->setStyleSheet(estilo + QStringLiteral(" }"));
}

QColor ColorTituloInactivo()
{
    return QColor(191, 205, 219);
}

void InicializarRecursos()
{
    static bool hecho = false;
    if (!hecho) {
        IniciarRecursosTesedra();
        hecho = true;
    }
}

void Centrar(QWidget* ventana, QWidget* sobre)
{
    ventana->adjustSize();
    QRect zona;
    if (sobre && sobre->isVisible())
        zona = sobre->frameGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen())
        zona = s->availableGeometry();
    if (zona.isValid())
        ventana->move(zona.center() - QPoint(ventana->width() / 2, ventana->height() / 2));
}

bool InstalarTraduccionQt()
{
    static QTranslator traduccion;
    if (!QCoreApplication::instance())
        return false;
    for (const QString& carpeta : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                   QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (traduccion.load(QStringLiteral("qtbase_es"), carpeta))
            return QCoreApplication::installTranslator(&traduccion);
    }
    return false;
}

} // namespace tesedra
