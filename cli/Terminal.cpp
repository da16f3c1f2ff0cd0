#include "cli/Terminal.h"

#ifdef _WIN32
#include <cstdio>
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace tesedra::cli {

#ifdef _WIN32

namespace {
DWORD modoAntes = 0;
}

bool EntradaEsTerminal()
{
    return _isatty(_fileno(stdin)) != 0;
}

bool ErrorEsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

bool ApagarEco()
{
    // A console input handle has a mode; a redirected one has none.
    const HANDLE entrada = GetStdHandle(STD_INPUT_HANDLE);
    if (entrada == INVALID_HANDLE_VALUE || !GetConsoleMode(entrada, &modoAntes))
        return false;
    return SetConsoleMode(entrada, modoAntes & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0;
}

void RestaurarEco()
{
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modoAntes);
}

#else

namespace {
termios antes{};
}

bool EntradaEsTerminal()
{
    return isatty(STDIN_FILENO) == 1;
}

bool ErrorEsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

bool ApagarEco()
{
    if (tcgetattr(STDIN_FILENO, &antes) != 0)
        return false;
    termios t = antes;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    return tcsetattr(STDIN_FILENO, TCSAFLUSH, &t) == 0;
}

void RestaurarEco()
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes);
}

#endif

} // namespace tesedra::cli
