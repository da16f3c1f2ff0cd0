// The desktop program: the log-on window first; the main window after it.
#include "shell/DialogosWidgets.h"
#include "shell/Programa.h"
#include "shell/fPerfil.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tesedra"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tesedra"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // The program ends when the main window closes (or the log-on is given up),
    // never merely because for a moment no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);
    tesedra::InicializarRecursos();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tesedra/logo.png")));

    tesedra::DialogosWidgets dialogos;
    tesedra::InstalarDialogos(&dialogos);

    auto* perfil = new tesedra::fPerfil();
    perfil->show();
    const int r = QApplication::exec();
    tesedra::InstalarDialogos(nullptr);
    return r;
}
