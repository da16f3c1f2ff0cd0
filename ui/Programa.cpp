#include "ui/Programa.h"

#include "console/ComSerie.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

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

} // namespace tesedra
