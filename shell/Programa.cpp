#include "shell/Programa.h"

#include "console/ComSerie.h"
#include "shell/Idiomas.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

static void iniciarRecursosTesedra()
{
    Q_INIT_RESOURCE(tesedra);
}

namespace tesedra {

namespace {

int enCurso = 0;
bool terminando = false;
bool salidaPendiente = false;

std::function<void()>& salida()
{
    static std::function<void()> f = [] { QCoreApplication::quit(); };
    return f;
}

void Salir()
{
    salidaPendiente = false;
    if (salida())
        salida()();
}

} // namespace

Intercambio::Intercambio()
{
    ++enCurso;
}

Intercambio::~Intercambio()
{
    --enCurso;
    if (enCurso == 0 && salidaPendiente)
        Salir();
}

int Intercambio::EnCurso()
{
    return enCurso;
}

void TerminarPrograma()
{
    if (terminando)
        return;
    terminando = true;
    // Closing the port makes the exchange under way fail at its next access and
    // ends every wait at once; the windows go out of sight at once too.
    CerrarPuerto();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    if (enCurso > 0)
        salidaPendiente = true;
    else
        Salir();
}

bool Terminando()
{
    return terminando;
}

void FijarSalida(std::function<void()> f)
{
    salida() = std::move(f);
}

void ReiniciarPrograma()
{
    terminando = false;
    salidaPendiente = false;
}

QString CarpetaPrograma()
{
    return QCoreApplication::applicationDirPath();
}

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

void InicializarRecursos()
{
    static bool hecho = false;
    if (!hecho) {
        iniciarRecursosTesedra();
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

} // namespace tesedra
