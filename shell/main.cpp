// The desktop program: the log-on window first; the main window after it.
#include "base/Version.h"
#include "console/HistorialTranscripciones.h"
#include "ui/DialogosWidgets.h"
#include "ui/Presentacion.h"
#include "shell/fPerfil.h"
#include "shell/TextosShell.h"
#include "base/Dialogos.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
bool Vacia(const char* variable)
{
    const char* v = std::getenv(variable);
    return v == nullptr || *v == '\0';
}
#endif

} // namespace

int main(int argc, char** argv)
{
    if (tesedra::AtenderVersion("tesedra", argc, argv))
        return 0;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        const bool espanol = tesedra::IdiomaDelEntorno() == tesedra::kIdiomaEspanol;
        std::fputs(tesedra::ParaTerminal(espanol ? tesedra::kTxtAyudaEscritorio.es : tesedra::kTxtAyudaEscritorio.en)
                       .constData(),
                   stdout);
        return 0;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a display Qt would abort with a core dump; say so plainly instead
    // and point to the command-line tool, which needs none.
    if (Vacia("QT_QPA_PLATFORM") && Vacia("DISPLAY") && Vacia("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "tesedra: no display (DISPLAY and WAYLAND_DISPLAY are empty).\n"
                             "Start it from a desktop session, or use tesedra-cli (check, validate, reverse).\n");
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tesedra"));
    // No display name: on X11 Qt would append it to every window title, and the
    // titles are exactly the captions of the text tables.
    QApplication::setApplicationVersion(QString::fromLatin1(tesedra::kVersion));
    // The program ends when the main window closes (or the log-on is given up),
    // never merely because for a moment no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);
    tesedra::InicializarRecursos();
    // The program speaks Spanish, and so do Qt's own texts in its dialogs.
    tesedra::InstalarTraduccionQt();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));

    tesedra::DialogosWidgets dialogos;
    tesedra::InstalarDialogos(&dialogos);
    // Every router run leaves its console transcript in the user's state folder.
    tesedra::ActivarHistorialTranscripciones();

    auto* perfil = new tesedra::fPerfil();
    perfil->show();
    const int r = QApplication::exec();
    tesedra::InstalarDialogos(nullptr);
    return r;
}
