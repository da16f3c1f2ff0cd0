// The field rules, the output-file loading and the command building of the IP
// connectivity window, without the window.
#include "ipconn/ConexionIP.h"

#include "DialogosPrueba.h"
#include "base/Idiomas.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tesedra;

namespace {

class ConexionIPTest : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        opcionesPC() = {};
    }
    void TearDown() override { opcionesPC() = {}; }
    DialogosPrueba dlg;
};

void escribir(const QString& ruta, const QByteArray& bytes)
{
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

TEST_F(ConexionIPTest, DigitRuleLooksAtTheLastCharacterOnly)
{
    struct Caso {
        QString texto;
        bool bien;
    };
    const Caso casos[] = {
        {QString(), true},
        {QStringLiteral("1"), true},
        {QStringLiteral("255"), true},
        {QStringLiteral("a1"), true}, // pasted text: only the last character counts
        {QStringLiteral("a"), false},
        {QStringLiteral("1."), false},
        {QStringLiteral("1 "), false},
        {QStringLiteral("/"), false},   // just below "0"
        {QStringLiteral(":"), false},   // just above "9"
        {QString(QChar(0x0663)), false}, // a digit of another script
    };
    size_t esperados = 0;
    for (const auto& c : casos) {
        EXPECT_EQ(ComprobarDigito(c.texto), c.bien) << c.texto.toStdString();
        if (!c.bien)
            ++esperados;
    }
    ASSERT_EQ(dlg.mensajes.size(), esperados);
    for (const auto& m : dlg.mensajes) {
        EXPECT_EQ(m.icono, IconoMensaje::Aviso);
        EXPECT_EQ(m.titulo, mensajes().msgFormatoNoValido);
        EXPECT_EQ(m.texto, mensajes().msgRango9);
    }
}

TEST_F(ConexionIPTest, OctetRule)
{
    struct Caso {
        QString texto;
        int valor; // -1: refused
    };
    const Caso casos[] = {
        {QStringLiteral("0"), 0},      {QStringLiteral("7"), 7},     {QStringLiteral("007"), 7},
        {QStringLiteral("255"), 255},  {QStringLiteral("256"), -1},  {QStringLiteral("999"), -1},
        {QString(), -1},               {QStringLiteral("abc"), -1},  {QStringLiteral("1a2"), -1},
        {QStringLiteral("-1"), -1},    {QStringLiteral("+1"), -1},   {QStringLiteral(" 1"), -1},
        {QStringLiteral("1 "), -1},    {QStringLiteral("1000"), -1}, {QStringLiteral("0x1"), -1},
        {QStringLiteral("1e2"), -1},
    };
    size_t rechazos = 0;
    for (const auto& c : casos) {
        const auto v = ValorOcteto(c.texto);
        EXPECT_EQ(v.value_or(-1), c.valor) << c.texto.toStdString();
        EXPECT_EQ(ComprobarOcteto(c.texto), c.valor >= 0) << c.texto.toStdString();
        if (c.valor < 0)
            ++rechazos;
    }
    ASSERT_EQ(dlg.mensajes.size(), rechazos);
    for (const auto& m : dlg.mensajes) {
        EXPECT_EQ(m.titulo, "Error");
        EXPECT_EQ(m.texto, mensajes().msgRango255 + " " + mensajes().msgFormatoNoValido);
    }
}

TEST_F(ConexionIPTest, WaitTimeValue)
{
    EXPECT_EQ(ValorRetardo(QStringLiteral("0")).value_or(-1), 0);
    EXPECT_EQ(ValorRetardo(QStringLiteral("999")).value_or(-1), 999);
    EXPECT_EQ(ValorRetardo(QStringLiteral("025")).value_or(-1), 25);
    for (const char* malo : {"", "a12", "1a2", "-5", " 5", "1000", "5.0"})
        EXPECT_FALSE(ValorRetardo(QString::fromLatin1(malo))) << malo;
    MensajeRetardo();
    ASSERT_EQ(dlg.mensajes.size(), 1u);
    EXPECT_EQ(dlg.mensajes[0].icono, IconoMensaje::Aviso);
    EXPECT_EQ(dlg.mensajes[0].titulo, mensajes().msgFormatoNoValido);
    EXPECT_EQ(dlg.mensajes[0].texto, mensajes().msgRango999);
}

TEST_F(ConexionIPTest, AddressOnlyFromValidOctets)
{
    using A = std::array<QString, 4>;
    EXPECT_EQ(DireccionIP(A{"192", "168", "001", "1"}).value_or("-"), "192.168.1.1");
    EXPECT_EQ(DireccionIP(A{"0", "0", "0", "0"}).value_or("-"), "0.0.0.0");
    EXPECT_FALSE(DireccionIP(A{"1", "2", "3", "256"}));
    EXPECT_FALSE(DireccionIP(A{"1", "2", "", "4"}));
    EXPECT_FALSE(DireccionIP(A{"1", "2", "3", "4;"}));
    EXPECT_FALSE(DireccionIP(A{"-v", "2", "3", "4"}));
    EXPECT_TRUE(dlg.mensajes.empty()) << "building the address shows nothing";
}

TEST_F(ConexionIPTest, LoadingTheOutputFileDropsLineEndsOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ruta = dir.filePath(QStringLiteral("tracert.tmp"));
    struct Caso {
        QByteArray fichero;
        std::string texto;
    };
    const Caso casos[] = {
        // Linux: LF line ends; the last character of each line is kept.
        {"PING 127.0.0.1\n\n64 bytes: icmp_seq=1\n", "PING 127.0.0.1\r\n64 bytes: icmp_seq=1\r\n"},
        // CR LF and the CR CR LF of redirected console output.
        {"uno\r\n\r\ndos\r\r\n\r\r\ntres\r\n", "uno\r\ndos\r\ntres\r\n"},
        // A last line without its line end is kept whole.
        {"a\nb", "a\r\nb\r\n"},
        // The commands' UTF-8 becomes single-byte text; what has no such form, or
        // is not UTF-8 at all, becomes "?".
        {"r\xC3\xA1pido \xE2\x82\xAC\n", "r\xE1pido ?\r\n"},
        {"x\xE1y\n", "x?y\r\n"},
        {"", ""},
        {"\n\n\r\n", ""},
    };
    for (const auto& c : casos) {
        escribir(ruta, c.fichero);
        std::string texto = "previous";
        EXPECT_TRUE(CargarFichero(ruta, texto));
        EXPECT_EQ(texto, c.texto) << c.fichero.toStdString();
    }
    std::string texto = "kept";
    EXPECT_FALSE(CargarFichero(dir.filePath(QStringLiteral("missing.tmp")), texto));
    EXPECT_EQ(texto, "kept");
    EXPECT_FALSE(CargarFichero(dir.path(), texto)) << "a folder cannot be read as a file";
    EXPECT_TRUE(dlg.mensajes.empty()) << "no message on failure";
}

TEST_F(ConexionIPTest, WindowsCommandLine)
{
    const QString cmd = QStringLiteral("C:\\WINDOWS\\system32\\cmd.exe");
    EXPECT_EQ(LineaComandoPC(cmd, true, "10.0.0.1", QStringLiteral("C:/Archivos de programa/Tesedra")),
              QStringLiteral("C:\\WINDOWS\\system32\\cmd.exe /c tracert -d -h 5 10.0.0.1 > "
                             "\"C:\\Archivos de programa\\Tesedra\\tracert.tmp\""));
    EXPECT_EQ(LineaComandoPC(cmd, false, "127.0.0.1", QStringLiteral("D:\\T")),
              QStringLiteral("C:\\WINDOWS\\system32\\cmd.exe /c ping 127.0.0.1 > \"D:\\T\\tracert.tmp\""));
    EXPECT_EQ(LineaComandoPC(cmd, false, "1.2.3.4", QStringLiteral("E:/")),
              QStringLiteral("C:\\WINDOWS\\system32\\cmd.exe /c ping 1.2.3.4 > \"E:\\tracert.tmp\""));
}

TEST_F(ConexionIPTest, ProgramsWithoutCommandInterpreter)
{
    const ProgramaPC ping = ProgramaPCPara(false, "127.0.0.1");
    EXPECT_TRUE(ping.programa.endsWith(QStringLiteral("/ping"))) << ping.programa.toStdString();
    EXPECT_TRUE(QFile::exists(ping.programa));
    EXPECT_EQ(ping.argumentos, (QStringList{"-c", "4", "127.0.0.1"}));

    const ProgramaPC traza = ProgramaPCPara(true, "10.1.2.3");
    EXPECT_TRUE(traza.programa.endsWith(QStringLiteral("/traceroute"))) << traza.programa.toStdString();
    EXPECT_EQ(traza.argumentos, (QStringList{"-n", "-m", "5", "10.1.2.3"}));

    opcionesPC().ping = QStringLiteral("/opt/x/ping");
    opcionesPC().traceroute = QStringLiteral("/opt/x/tr");
    EXPECT_EQ(ProgramaPCPara(false, "1.1.1.1").programa, QStringLiteral("/opt/x/ping"));
    EXPECT_EQ(ProgramaPCPara(true, "1.1.1.1").programa, QStringLiteral("/opt/x/tr"));
}

TEST_F(ConexionIPTest, Efficient5660ReplyLosesItsPromptLines)
{
    const std::string prompt = "Command->";
    // The bare prompt at the end adds nothing; other lines keep their CR LF, empty ones too.
    EXPECT_EQ(ResultadoRouter5660("ping 10.0.0.1\r\nreply a\r\n\r\nreply b\r\nCommand->", prompt),
              "ping 10.0.0.1\r\nreply a\r\n\r\nreply b\r\n");
    // A line that starts with the prompt is shown without it, whatever the letter case.
    EXPECT_EQ(ResultadoRouter5660("Command->ping 1.2.3.4\r\ncommand->x\r\nlast\r\n", prompt),
              "ping 1.2.3.4\r\nx\r\nlast\r\n");
    // Without a prompt line everything stays.
    EXPECT_EQ(ResultadoRouter5660("a\r\nb", prompt), "a\r\nb");
    EXPECT_EQ(ResultadoRouter5660("", prompt), "");
}
