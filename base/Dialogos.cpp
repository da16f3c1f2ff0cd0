#include "base/Dialogos.h"
#include "base/Latin1.h"

#include "base/Idiomas.h"

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tesedra {

namespace {

DialogosTerminal& porDefecto()
{
    static DialogosTerminal d;
    return d;
}

Dialogos* instalado = nullptr;

} // namespace

QByteArray ParaTerminal(const std::string& latin1)
{
    return ParaTerminal(L1(latin1));
}

QByteArray ParaTerminal(const QString& texto)
{
#ifdef Q_OS_WIN
    if (const UINT pagina = GetConsoleOutputCP())
        return APaginaCodigos(texto, pagina);
#endif
    return texto.toLocal8Bit();
}

QString DesdeTerminal(const QByteArray& bytes)
{
#ifdef Q_OS_WIN
    if (const UINT pagina = GetConsoleCP())
        return DesdePaginaCodigos(bytes, pagina);
#endif
    return QString::fromLocal8Bit(bytes);
}

void DialogosTerminal::Mensaje(IconoMensaje, const std::string&, const std::string& texto)
{
    if (antesDeEscribir)
        antesDeEscribir();
    // A box's title ("Error", the program's name) says nothing on a terminal: each line
    // of the text gets the program's name instead, as a command-line tool's errors do.
    std::string salida;
    size_t inicio = 0;
    do {
        const size_t fin = std::min(texto.find('\n', inicio), texto.size());
        if (!prefijo_.empty())
            salida += prefijo_ + ": ";
        salida.append(texto, inicio, fin - inicio);
        salida += '\n';
        inicio = fin + 1;
    } while (inicio < texto.size());
    std::fputs(ParaTerminal(salida).constData(), stderr);
    std::fflush(stderr);
}

bool DialogosTerminal::PreguntaSiNo(const std::string& titulo, const std::string& texto)
{
    Mensaje(IconoMensaje::Aviso, titulo, texto);
    return false;
}

std::optional<QString> DialogosTerminal::GuardarComo(const QString&, const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<QString> DialogosTerminal::ElegirCarpeta(const QString&)
{
    return std::nullopt;
}

Dialogos& dialogos()
{
    if (instalado)
        return *instalado;
    return porDefecto();
}

void InstalarDialogos(Dialogos* d)
{
    instalado = d;
}

const std::string& TituloAplicacion()
{
    static const std::string titulo = "Tesedra";
    return titulo;
}

void MostrarError(const std::string& texto, const std::string& titulo)
{
    dialogos().Mensaje(IconoMensaje::Aviso, titulo.empty() ? std::string("Error") : titulo, texto);
}

void MostrarInformacion(const std::string& texto, const std::string& titulo)
{
    dialogos().Mensaje(IconoMensaje::Informacion, titulo.empty() ? TituloAplicacion() : titulo, texto);
}

} // namespace tesedra
