// Log-on to both router models over a pseudo-terminal.
#include "ConsolaPrueba.h"

#include <QFile>
#include <QTemporaryDir>

#include <regex>

namespace tesedra {
namespace {

class Acceso : public ConsolaPrueba {
protected:
    // The lines the console received, one letter each: E an empty line, A the
    // password "admin", N the answer "n", X anything else; for matching against
    // the shape of a dialogue (a slow line may add wake-up rounds).
    std::string Forma() const
    {
        std::string f;
        for (const auto& l : router_->lineasRecibidas())
            f += l.empty() ? 'E' : l == "admin" ? 'A' : l == "n" ? 'N' : 'X';
        return f;
    }
    bool FormaEs(const char* patron) const { return std::regex_match(Forma(), std::regex(patron)); }
};

TEST_F(Acceso, El812EntraConLaClaveBuenaEnTresDialogos)
{
    auto& r = Router812();
    ASSERT_TRUE(IniciarOfficeRemote812());
    EXPECT_TRUE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
    // The wake-up line, the password once, then an empty line for the second round
    // of the first dialogue and at least one for each of the two that follow.
    EXPECT_TRUE(FormaEs("EAEEE+")) << Forma();
    EXPECT_EQ(Contar("admin"), 1);
    (void)r;
}

TEST_F(Acceso, El5660EntraYNoRepiteLaClaveTrasElPrompt)
{
    auto& r = Router5660();
    ASSERT_TRUE(IniciarEfficient5660());
    EXPECT_TRUE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
    EXPECT_EQ(Contar("admin"), 1);
    EXPECT_TRUE(FormaEs("EAE+")) << Forma();
    (void)r;

    // The first command's reply holds no echo of a password typed at the prompt.
    std::string respuesta;
    ASSERT_TRUE(EnviarComando("show dslstatus", respuesta, kEfficient5660, 0));
    EXPECT_EQ(respuesta.find("admin"), std::string::npos);
    EXPECT_EQ(respuesta.find("Unknown command"), std::string::npos);
    EXPECT_NE(respuesta.find("DSL State"), std::string::npos);
}

// Over a slow line the log-on sees its prompt while the console is still sending (the
// rest of the banner, prompts for the empty lines sent meanwhile, the answer to a
// password sent again): the log-on ends only once the console is quiet, and the first
// command's reply is that command's alone.
struct CasoLento {
    int16_t modelo;
    bool setup;
    const char* orden;
};

class AccesoLento : public Acceso, public testing::WithParamInterface<CasoLento> {};

TEST_P(AccesoLento, LaConsolaQuedaCalladaYLaPrimeraRespuestaEsSuya)
{
    const auto& c = GetParam();
    sim::OpcionesSimulador o;
    o.modelo = c.modelo;
    o.baudios = 19200;
    o.preguntaSetup = c.setup;
    Router(o);
    tiempos().pausaLecturaMs = 20;
    ASSERT_TRUE(IniciarModelo(c.modelo));
    EXPECT_EQ(LeerPuerto(0), "");

    std::string respuesta;
    ASSERT_TRUE(EnviarComando(c.orden, respuesta, c.modelo, 0));
    EXPECT_EQ(respuesta.rfind(std::string(c.orden) + "\r\n", 0), 0u) << respuesta;
    // One prompt only, its own, at the end.
    const std::string& prompt = PromptModelo(c.modelo);
    EXPECT_EQ(respuesta.find(prompt), respuesta.rfind(prompt)) << respuesta;
    EXPECT_GE(respuesta.find(prompt), respuesta.size() - prompt.size() - 2) << respuesta;
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(Modelos, AccesoLento,
                         testing::Values(CasoLento{kEfficient5660, false, "show pppstatus"},
                                         CasoLento{kOfficeRemote812, false, "show atm status"},
                                         CasoLento{kOfficeRemote812, true, "show atm status"}));

TEST_F(Acceso, ClaveVaciaResponde5660ConUnRetornoSolo)
{
    sim::OpcionesSimulador o;
    o.password = "";
    auto& r = Router5660(o);
    sesion().ClaveModem = "";
    ASSERT_TRUE(IniciarEfficient5660()); // only an empty line logs this console on
    EXPECT_TRUE(FormaEs("EEE+")) << Forma();
    (void)r;
}

TEST_F(Acceso, SinPeticionDeClaveNoSeEnviaLaClave)
{
    sim::OpcionesSimulador o;
    o.pedirPassword = false;
    Router812(o);
    ASSERT_TRUE(IniciarOfficeRemote812());
    EXPECT_EQ(Contar("admin"), 0);
    CerrarPuerto();

    Router5660(o);
    ASSERT_TRUE(IniciarEfficient5660());
    EXPECT_EQ(Contar("admin"), 0);
}

TEST_F(Acceso, SetupSeContestaUnaVezTrasElPrompt)
{
    sim::OpcionesSimulador o;
    o.preguntaSetup = true;
    auto& r = Router812(o);
    ASSERT_TRUE(IniciarOfficeRemote812());
    // Answered once, after the first dialogue has seen the prompt.
    EXPECT_TRUE(FormaEs("EAE+NEE+")) << Forma();
    (void)r;

    // The console is at its prompt, without a question pending: a command works.
    std::string respuesta;
    ASSERT_TRUE(EnviarComando("show system", respuesta, kOfficeRemote812, 0));
    EXPECT_NE(respuesta.find("System Name: 913456789"), std::string::npos);
    EXPECT_EQ(respuesta.find("Setup?"), std::string::npos);
}

TEST_F(Acceso, ClaveMalaAcabaEnTiempoExcedido)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        SCOPED_TRACE(modelo);
        dialogos_.mensajes.clear();
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.password = "otra";
        auto& r = Router(o);
        QElapsedTimer reloj;
        reloj.start();
        EXPECT_FALSE(IniciarModelo(modelo));
        const auto ms = reloj.elapsed();
        EXPECT_GE(ms, 2000);
        EXPECT_LT(ms, 4500);
        EXPECT_FALSE(PuertoAbierto());
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        EXPECT_EQ(dialogos_.mensajes[0].texto, mensajes().msgTiempoModem);
        EXPECT_EQ(dialogos_.mensajes[0].titulo, "Error");
        EXPECT_GE(Contar("admin"), 2); // asked again and again
        EXPECT_EQ(Contar("otra"), 0);
        (void)r;
    }
}

TEST_F(Acceso, Clave812SoloCuandoElTextoAcabaEnPassword)
{
    // A greeting that mentions "Password:" in the middle of a line, then the prompt:
    // the 812 dialogue answers the password prompt only at the end of what came.
    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    for (const char* f : {"comandos.txt", "desconocido.txt", "show_system.txt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(":/sim/data/812/") + QLatin1String(f), carpeta.filePath(QLatin1String(f))));
    QFile b(carpeta.filePath(QStringLiteral("bienvenida.txt")));
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("Password: expires in 10 days, change it soon\n");
    b.close();

    sim::OpcionesSimulador o;
    o.pedirPassword = false;
    o.carpetaDatos = carpeta.path();
    auto& r = Router812(o);
    ASSERT_TRUE(IniciarOfficeRemote812());
    EXPECT_TRUE(FormaEs("EEE+")) << Forma();
    (void)r;
}

TEST_F(Acceso, ConsolaMudaAcabaEnTiempoExcedido)
{
    sim::OpcionesSimulador o;
    o.silencioso = true;
    Router812(o);
    QElapsedTimer reloj;
    reloj.start();
    const double cpu0 = SegundosCpu();
    EXPECT_FALSE(IniciarOfficeRemote812());
    const double cpu = SegundosCpu() - cpu0;
    const double pared = static_cast<double>(reloj.elapsed()) / 1000.0;
    EXPECT_GE(pared, 2.0);
    EXPECT_LT(pared, 4.5);
    // The waits sleep in the event loop: almost no processor time.
    EXPECT_LT(cpu, pared * 0.05);
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto, mensajes().msgTiempoModem);
}

TEST_F(Acceso, CerrarDuranteElAccesoFallaEnSeguidaSinMensaje)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        SCOPED_TRACE(modelo);
        sim::OpcionesSimulador o;
        o.modelo = modelo;
        o.silencioso = true;
        Router(o);
        tiempos().limiteAccesoS = 30;
        tiempos().esperaLecturaS = 5;
        QElapsedTimer reloj;
        reloj.start();
        QTimer::singleShot(300, [] { CerrarPuerto(); });
        EXPECT_FALSE(IniciarModelo(modelo));
        EXPECT_LT(reloj.elapsed(), 1000);
        EXPECT_FALSE(PuertoAbierto());
        EXPECT_TRUE(dialogos_.mensajes.empty());
    }
}

TEST_F(Acceso, CerrarDuranteLaPausaTambienCorta)
{
    // A long pause before each read: the cancel lands inside the pause itself.
    Router812();
    tiempos().pausaLecturaMs = 5000;
    QElapsedTimer reloj;
    reloj.start();
    QTimer::singleShot(200, [] { CerrarPuerto(); });
    EXPECT_FALSE(IniciarOfficeRemote812());
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Acceso, DesapareceDuranteElAcceso)
{
    sim::OpcionesSimulador o;
    o.desaparecerTrasBytes = 4; // part of the password prompt, then gone
    Router812(o);
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_FALSE(IniciarOfficeRemote812());
    EXPECT_LT(reloj.elapsed(), 1500);
    EXPECT_FALSE(PuertoAbierto());
    // One message for the lost device, none for the timeout.
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_NE(dialogos_.mensajes[0].texto, mensajes().msgTiempoModem);
}

TEST_F(Acceso, PuertoInexistente)
{
    FijarRutaDispositivo("/dev/no-existe-este-puerto");
    EXPECT_FALSE(IniciarEfficient5660());
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].titulo, "Error");
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrConfModem + ": ", 0), 0u);
    EXPECT_GT(dialogos_.mensajes[0].texto.size(), mensajes().msgErrConfModem.size() + 2);
    // The message names the device that could not be opened, then the reason.
    EXPECT_NE(dialogos_.mensajes[0].texto.find(": /dev/no-existe-este-puerto: "), std::string::npos)
        << dialogos_.mensajes[0].texto;
    EXPECT_FALSE(PuertoAbierto());
}

TEST_F(Acceso, PuertoSinDispositivoNombraElDispositivoDelNumero)
{
    FijarRutaDispositivo({});
    sesion().Puerto = 7;
    qputenv("TESEDRA_COM7", "/dev/no-existe-el-com7");
    EXPECT_FALSE(IniciarOfficeRemote812());
    qunsetenv("TESEDRA_COM7");
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    EXPECT_EQ(dialogos_.mensajes[0].texto.rfind(mensajes().msgErrConfModem + ": /dev/no-existe-el-com7: ", 0), 0u)
        << dialogos_.mensajes[0].texto;
}

TEST_F(Acceso, PorNumeroDePuertoConVariableDeEntorno)
{
    auto& r = Router812();
    FijarRutaDispositivo({});
    sesion().Puerto = 6;
    qputenv("TESEDRA_COM6", r.rutaDispositivo().toLocal8Bit());
    EXPECT_TRUE(IniciarOfficeRemote812());
    qunsetenv("TESEDRA_COM6");
    EXPECT_EQ(Contar("admin"), 1);
}

TEST_F(Acceso, ModeloDesconocido)
{
    Router812();
    EXPECT_FALSE(IniciarModelo(3));
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(router_->lineasRecibidas().empty());
}

} // namespace
} // namespace tesedra
