#include "DialogosPrueba.h"

namespace tesedra {

DialogosPrueba::DialogosPrueba()
{
    InstalarDialogos(this);
}

DialogosPrueba::~DialogosPrueba()
{
    InstalarDialogos(nullptr);
}

void DialogosPrueba::Mensaje(IconoMensaje icono, const std::string& titulo, const std::string& texto)
{
    mensajes.push_back({icono, titulo, texto});
    if (alMostrar)
        alMostrar(mensajes.back());
}

// The answer at the head of `cola`, taken; `siNoHay` when there is none.
template <class T>
static T Siguiente(std::deque<T>& cola, T siNoHay)
{
    if (cola.empty())
        return siNoHay;
    T r = std::move(cola.front());
    cola.pop_front();
    return r;
}

bool DialogosPrueba::PreguntaSiNo(const std::string& titulo, const std::string& texto)
{
    preguntas.push_back({IconoMensaje::Aviso, titulo, texto});
    if (alMostrar)
        alMostrar(preguntas.back());
    return Siguiente(respuestasSiNo, false);
}

std::optional<QString> DialogosPrueba::GuardarComo(const QString& carpetaInicial, const std::string&,
                                                   const std::string&)
{
    carpetasIniciales.push_back(carpetaInicial);
    return Siguiente(respuestasGuardar, std::optional<QString>());
}

std::optional<QString> DialogosPrueba::ElegirCarpeta(const QString& carpetaInicial)
{
    carpetasIniciales.push_back(carpetaInicial);
    return Siguiente(respuestasCarpeta, std::optional<QString>());
}

} // namespace tesedra
