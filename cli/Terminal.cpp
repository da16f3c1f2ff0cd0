#include "cli/Terminal.h"

#ifdef _WIN32
#include <cstdio>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <iterator>

#include <termios.h>
#include <unistd.h>
#endif

namespace tesedra::cli {

#ifdef _WIN32

namespace {

DWORD modoAntes = 0;

// Ctrl-C, Ctrl-Break or the console closing while the echo is off: the console is
// given back as it was, then the default handling ends the program.
BOOL WINAPI AlInterrumpir(DWORD)
{
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modoAntes);
    return FALSE;
}

} // namespace

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
    SetConsoleCtrlHandler(AlInterrumpir, TRUE);
    if (SetConsoleMode(entrada, modoAntes & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0)
        return true;
    SetConsoleCtrlHandler(AlInterrumpir, FALSE);
    return false;
}

void RestaurarEco()
{
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modoAntes);
    SetConsoleCtrlHandler(AlInterrumpir, FALSE);
}

#else

namespace {

termios antes{};

// The signals that end a program typed at or sent to a terminal, and what each did
// before the echo was turned off.
constexpr int kSenales[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction previas[sizeof kSenales / sizeof kSenales[0]];

// Ctrl-C (or any of those signals) while the echo is off: the terminal gets its echo
// back and a line end after the prompt, then the signal does what it does by default
// (the handler is reset on entry, and the signal raised again is delivered as soon as
// the handler returns). Only async-signal-safe calls here.
void AlSenal(int senal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &antes);
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, "\n", 1);
    ::raise(senal);
}

} // namespace

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
    struct sigaction sa {};
    sa.sa_handler = AlSenal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND;
    for (size_t i = 0; i < std::size(kSenales); ++i)
        sigaction(kSenales[i], &sa, &previas[i]);
    termios t = antes;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &t) == 0)
        return true;
    RestaurarEco();
    return false;
}

void RestaurarEco()
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes);
    for (size_t i = 0; i < std::size(kSenales); ++i)
        sigaction(kSenales[i], &previas[i], nullptr);
}

#endif

} // namespace tesedra::cli
