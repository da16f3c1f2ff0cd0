// The IP connectivity pieces without the window: the field values, the commands
// and the output file of a run from the PC, and the shaping of a router's reply.
// The runs themselves are in the window's tests, which show their results.
#include "ipconn/ConexionIP.h"

#include "Ficheros.h"
#include "Router.h"

#include <QCoreApplication>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// The messages of the refusals are looked at by the window's tests.
TEST(FieldValues, TypedCharacterOctetWaitTimeAndAddress)
{
    DialogosPrueba dialogos;
    const std::pair<const char16_t*, bool> tecleados[] = {{u"", true},   {u"255", true},    {u"a1", true},
                                                          {u"a", false}, {u"1.", false},    {u"/", false},
                                                          {u":", false}, {u"\u0663", false}}; // another script's digit
    for (const auto& [texto, bien] : tecleados)
        EXPECT_EQ(ComprobarDigito(QString::fromUtf16(texto)), bien) << QString::fromUtf16(texto).toStdString();

    const std::tuple<const char*, int, int> casos[] = {
        // text, octet, wait time (-1: refused)
        {"0", 0, 0},    {"007", 7, 7},    {"255", 255, 255}, {"256", -1, 256}, {"999", -1, 999},
        {"", -1, -1},   {"1000", -1, -1}, {"1a2", -1, -1},   {"-1", -1, -1},   {"+1", -1, -1},
        {" 1", -1, -1}, {"1 ", -1, -1},   {"0x1", -1, -1},   {"5.0", -1, -1}};
    for (const auto& [texto, octeto, retardo] : casos) {
        const QString t = QString::fromLatin1(texto);
        EXPECT_EQ(ValorOcteto(t).value_or(-1), octeto) << texto;
        EXPECT_EQ(ComprobarOcteto(t), octeto >= 0) << texto;
        EXPECT_EQ(ValorRetardo(t).value_or(-1), retardo) << texto;
    }

    using A = std::array<QString, 4>;
    const std::pair<A, const char*> direcciones[] = {{A{"192", "168", "001", "1"}, "192.168.1.1"},
                                                     {A{"1", "2", "3", "256"}, "-"},
                                                     {A{"1", "2", "", "4"}, "-"},
                                                     {A{"-v", "2", "3", "4"}, "-"}};
    const size_t mostrados = dialogos.mensajes.size();
    for (const auto& [octetos, direccion] : direcciones)
        EXPECT_EQ(DireccionIP(octetos).value_or("-"), direccion);
    EXPECT_EQ(dialogos.mensajes.size(), mostrados) << "building the address shows nothing";
}

TEST(PcRun, LoadingTheOutputFileKeepsNonEmptyLinesWithoutTheirEnds)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("tracert.tmp"));
    const std::pair<const char*, const char*> casos[] = {
        {"PING 127.0.0.1\n\n64 bytes: icmp_seq=1\n", "PING 127.0.0.1\r\n64 bytes: icmp_seq=1\r\n"},
        {"uno\r\n\r\ndos\r\r\n\r\r\ntres\r\n", "uno\r\ndos\r\ntres\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"\n\n\r\n", ""},
        // The commands' UTF-8 becomes single-byte text; what has no such form, or is not UTF-8, "?".
        {"r\xC3\xA1pido \xE2\x82\xAC\n", "r\xE1pido ?\r\n"},
        {"x\xE1y\n", "x?y\r\n"}};
    for (const auto& [fichero, texto] : casos) {
        ASSERT_TRUE(EscribirFichero(ruta, fichero));
        std::string leido = "previous";
        EXPECT_TRUE(CargarFichero(ruta, leido));
        EXPECT_EQ(leido, texto) << Visible(fichero);
    }
    std::string leido = "kept";
    EXPECT_FALSE(CargarFichero(dir.filePath(QStringLiteral("missing.tmp")), leido));
    EXPECT_FALSE(CargarFichero(dir.path(), leido)) << "a folder is not a file";
    EXPECT_EQ(leido, "kept");
}

TEST(PcRun, CommandLinesProgramsAndTheOutputFilesPlace)
{
    const QString cmd = QStringLiteral("C:\\WINDOWS\\cmd.exe");
    const std::tuple<bool, const char*, const char*> lineas[] = {
        {true, "C:/Programas/T", " /c tracert -d -h 5 10.0.0.1 > \"C:\\Programas\\T\\tracert.tmp\""},
        {false, "D:\\T\\", " /c ping 10.0.0.1 > \"D:\\T\\tracert.tmp\""},
        {false, "E:/", " /c ping 10.0.0.1 > \"E:\\tracert.tmp\""}};
    for (const auto& [tracert, carpeta, linea] : lineas)
        EXPECT_EQ(LineaComandoPC(cmd, tracert, "10.0.0.1", carpeta), cmd + QString::fromLatin1(linea));
    // An interpreter in a folder with spaces goes quoted.
    EXPECT_EQ(LineaComandoPC(QStringLiteral("C:\\Mis cosas\\cmd.exe"), false, "1.2.3.4", QStringLiteral("C:/T")),
              QStringLiteral("\"C:\\Mis cosas\\cmd.exe\" /c ping 1.2.3.4 > \"C:\\T\\tracert.tmp\""));

    opcionesPC() = {};
    EXPECT_EQ(FicheroSalidaPC(), QCoreApplication::applicationDirPath() + QStringLiteral("/tracert.tmp"));
    for (const char* nombre : {"ping", "traceroute"}) {
        const QString hallado = ProgramaPCPara(*nombre == 't', "1.1.1.1").programa;
        EXPECT_TRUE(hallado.endsWith(QLatin1Char('/') + QLatin1String(nombre)) && QFile::exists(hallado))
            << "looked up in the system: " << hallado.toStdString();
    }
}

TEST(RouterRun, A5660ReplyLosesThePromptsLengthFromEachLineHoldingIt)
{
    const std::pair<const char*, const char*> casos[] = {
        {"ping 10.0.0.1\r\nreply a\r\n\r\nreply b\r\nCommand->", "ping 10.0.0.1\r\nreply a\r\n\r\nreply b\r\n"},
        {"Command->ping 1.2.3.4\r\ncommand->x\r\nlast\r\n", "ping 1.2.3.4\r\nx\r\nlast\r\n"},
        {"a\r\nb", "a\r\nb"}};
    for (const auto& [respuesta, resultado] : casos)
        EXPECT_EQ(ResultadoRouter5660(respuesta, "Command->"), resultado) << Visible(respuesta);
}

using RouterRunWithoutRouter = PruebaConRouter;

TEST_F(RouterRunWithoutRouter, APortThatCannotOpenIsReportedAndGivesNoResult)
{
    FijarRutaDispositivo("/nonexistent/tty-ipconn");
    EXPECT_EQ(EjecutarRouter(0, false, "10.0.0.5", 1), "") << "an unknown model code does not even open the port";
    EXPECT_TRUE(dialogos_.mensajes.empty());
    EXPECT_EQ(EjecutarRouter(kEfficient5660, false, "10.0.0.5", 1), "");
    EXPECT_TRUE(dialogos_.mensajes.size() == 1 && dialogos_.mensajes[0].texto.find(mensajes().msgErrConfModem) == 0);
}

} // namespace
