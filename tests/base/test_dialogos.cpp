// The dialog seam's terminal form: nobody can answer on a terminal, so a question
// is shown and answered No and a file dialog is cancelled.
#include "base/Dialogos.h"

#include <gtest/gtest.h>

using namespace tesedra;

TEST(TerminalDialogs, QuestionsAreShownAndAnsweredNoAndDialogsCancelled)
{
    DialogosTerminal d("tesedra-cli");
    int avisos = 0;
    d.antesDeEscribir = [&] { ++avisos; };
    testing::internal::CaptureStderr();
    const bool si = d.PreguntaSiNo("Aviso", "\xBF"
                                            "Desea cancelar?");
    d.Mensaje(IconoMensaje::Aviso, "Error", "No se pudo abrir\nni leer");
    const std::string escrito = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(si);
    EXPECT_FALSE(d.GuardarComo(QStringLiteral("/tmp"), "Texto (*.txt)|*.txt", "txt").has_value());
    EXPECT_FALSE(d.ElegirCarpeta(QStringLiteral("/tmp")).has_value());
    EXPECT_EQ(avisos, 2);
    // Latin-1 texts reach the terminal in its own encoding.
    // Each line with the program's name, as a command-line tool's errors are: a box's
    // title says nothing there.
    EXPECT_EQ(escrito, ParaTerminal("tesedra-cli: \xBF"
                                    "Desea cancelar?\n"
                                    "tesedra-cli: No se pudo abrir\n"
                                    "tesedra-cli: ni leer\n")
                           .toStdString());
}
