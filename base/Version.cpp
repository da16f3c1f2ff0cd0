#include "base/Version.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tesedra {

namespace {

#ifdef _WIN32
// A windowed program (the desktop one) has a standard output only when its caller
// gave it one (a redirection, a pipe): the text goes there; else to the console
// of the program that started it (a command prompt), else into a message box.
void Escribir(const char* programa, const std::string& texto)
{
    DWORD escritos = 0;
    HANDLE salida = GetStdHandle(STD_OUTPUT_HANDLE);
    if (salida && salida != INVALID_HANDLE_VALUE && GetFileType(salida) != FILE_TYPE_UNKNOWN) {
        WriteFile(salida, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE consola = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        const bool escrito = consola != INVALID_HANDLE_VALUE
                             && WriteConsoleA(consola, texto.data(), static_cast<DWORD>(texto.size()), &escritos,
                                              nullptr);
        if (consola != INVALID_HANDLE_VALUE)
            CloseHandle(consola);
        FreeConsole();
        if (escrito)
            return;
    }
    // Started from the desktop: no console to write to. No application object
    // exists yet, so the system's own box shows it.
    MessageBoxA(nullptr, texto.c_str(), programa, MB_OK | MB_ICONINFORMATION);
}
#else
void Escribir(const char*, const std::string& texto)
{
    std::fputs(texto.c_str(), stdout);
}
#endif

} // namespace

bool AtenderVersion(const char* programa, int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    Escribir(programa, std::string(programa) + " " + kVersion + "\n");
    return true;
}

QString TextoAyuda(const QCommandLineParser& p, const QString& uso)
{
    QStringList lineas = p.helpText().split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas[0].startsWith(QLatin1String("Usage: "))) {
        const qsizetype fin = lineas[0].indexOf(QLatin1String(" [options]"));
        if (fin > 0)
            lineas[0].replace(7, fin - 7, uso);
    }
    lineas.removeIf([](const QString& l) { return l.trimmed().startsWith(QLatin1String("--help-all")); });
    return lineas.join(QLatin1Char('\n'));
}

} // namespace tesedra
