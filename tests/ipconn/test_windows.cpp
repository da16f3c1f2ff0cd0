// What a run from the PC does only on Windows: the command interpreter's children
// end with a cancel, and the output of ping and tracert, written in the console's
// OEM code page, reaches the result box with its accents.
#include "ipconn/ConexionIP.h"
#include "ipconn/clsExecCmd.h"

#include "base/Latin1.h"

#include "Esperar.h"
#include "Ficheros.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// The id of a process named `nombre` whose parent is `padre`; 0 when there is none.
DWORD Hijo(qint64 padre, const wchar_t* nombre)
{
    HANDLE foto = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W p = {};
    p.dwSize = sizeof p;
    DWORD hallado = 0;
    for (BOOL hay = Process32FirstW(foto, &p); hay && !hallado; hay = Process32NextW(foto, &p)) {
        if (p.th32ParentProcessID == static_cast<DWORD>(padre) && _wcsicmp(p.szExeFile, nombre) == 0)
            hallado = p.th32ProcessID;
    }
    CloseHandle(foto);
    return hallado;
}

// The command interpreter runs ping, which would go on for ten minutes: a cancel
// ends the interpreter and ping with it, and the end is reported as any other.
TEST(RunnerOnWindows, CancelEndsTheCommandInterpreterAndWhatItStarted)
{
    QTemporaryDir dir;
    const QString salida = QDir::toNativeSeparators(dir.filePath(QStringLiteral("ping.txt")));
    QTimer timer;
    clsExecCmd c;
    QSignalSpy fin(&c, &clsExecCmd::EjecucionFinalizada);
    c.setControlTimer(&timer);
    c.setModoEjecucion(clsExecCmd::kAsincronoConAviso);
    c.setShowWindow(0);
    c.setLineaComando(qEnvironmentVariable("COMSPEC") + QStringLiteral(" /c ping -n 600 127.0.0.1 > \"") + salida
                      + QLatin1Char('"'));
    c.Ejecutar();
    ASSERT_FALSE(c.HuboError()) << c.DescripcionError().toStdString();
    DWORD ping = 0;
    ASSERT_TRUE(EsperarHasta([&] { return (ping = Hijo(c.dwProcessId(), L"ping.exe")) != 0; }));
    HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ping);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(c.CancelarProceso());
    EXPECT_TRUE(EsperarHasta([&] { return fin.count() == 1; }));
    // A bound against a hang only: ping would otherwise run for ten minutes.
    const bool acabado = WaitForSingleObject(h, 60000) == WAIT_OBJECT_0;
    if (!acabado)
        TerminateProcess(h, 1);
    CloseHandle(h);
    EXPECT_TRUE(acabado) << "ping.exe still runs after the cancel";
    EXPECT_FALSE(c.Ejecutando());
}

// ping and tracert write the OEM code page (850 on a Spanish system, 437 on an
// English one: both put these letters at the same bytes).
TEST(PcRunOnWindows, OutputFileIsDecodedFromTheOemCodePage)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("tracert.tmp"));
    ASSERT_TRUE(EscribirFichero(ruta, "Estad\xA1sticas de ping: recibidos = 4, tiempo m\xA0ximo\r\n\r\n"
                                      "Traza a la direcci\xA2n 10.0.0.1, ni\xA4o, caf\x82\r\n"));
    std::string texto;
    ASSERT_TRUE(CargarFichero(ruta, texto));
    EXPECT_EQ(texto, "Estad\xEDsticas de ping: recibidos = 4, tiempo m\xE1ximo\r\n"
                     "Traza a la direcci\xF3n 10.0.0.1, ni\xF1o, caf\xE9\r\n");

    // Code page 850 both ways; what it lacks becomes '?'.
    const std::pair<const char*, const char*> casos[] = {{"\xA2\xA4\xA5\x90", "\xF3\xF1\xD1\xC9"}, {"a\xB0z", "a?z"}};
    for (const auto& [oem, latin1] : casos) {
        SCOPED_TRACE(Visible(oem));
        EXPECT_EQ(ToL1(DesdePaginaCodigos(QByteArray(oem), 850)), latin1);
    }
    EXPECT_EQ(APaginaCodigos(L1("\xF3\xF1\xD1\xC9"), 850), QByteArray("\xA2\xA4\xA5\x90"));
    EXPECT_EQ(APaginaCodigos(QStringLiteral("\u20AC"), 850), QByteArray("?"));
}

} // namespace
