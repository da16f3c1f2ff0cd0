// Gathering and judging the installation values of both router models, against the
// router simulator over a pseudo-terminal.
#include "validation/DatosValidacion.h"
#include "validation/ValoresInstalacion.h"

#include "tests/checks/RouterPrueba.h"

#include <QDate>

#include <map>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// Well-formed replies of the 5660, one per command of the gathering.
std::map<std::string, std::string> Base5660()
{
    return {
        {"show", "Host Name           - 912345678\n"
                 "Software Version    - 5.3.3\n"
                 "Factory MAC Address - 00-C0-49-7A-12-5E\n"
                 "Ethernet Interface  - 192.168.1.1/255.255.255.0\n"
                 "DSL Interface       - 80.58.1.2/255.255.255.255\n"
                 "DSL Interface State - Up\n"
                 "IP Gateway          - 80.58.0.1\n"},
        {"show pppauth", "Username            - arc@corp (VC 8/32)\n"},
        {"show dhcpcfg", "Start IP Range      - 192.168.1.33\nEnd IP Range        - 192.168.1.64\n"},
        {"show dslstatus", "DSL State               - Showtime\n"
                           "Current TX Rate         - 320 Kbps\n"
                           "Current Attainable Rate - 2816 Kbps\n"
                           "Current SNR Margin      - 11.5\n"
                           "Current Attenuation     - 45.5\n"},
    };
}

// Well-formed replies of the 812.
std::map<std::string, std::string> Base812()
{
    return {
        {"show system", "System Name: 912345678\nSystem Version: 4.2.7\n"},
        {"show ethernet settings", "Physical Address : 00:A0:24:5C:1E:3B\n"},
        {"show ip network LAN settings", "Network Address : 192.168.1.254 *\nSubnet Mask : 255.255.255.0\n"},
        {"show vc WAN", "Send Name : arc@corp\n"},
        {"show adsl transceiver_status", "Actual Negotiated Downstream Baud Rate : 2016 Kbps (Interleaved)\n"
                                         "Actual Negotiated Upstream Baud Rate : 320 Kbps (Interleaved)\n"
                                         "Attenuation Upstream : 28.0 dB\n"
                                         "Attenuation Downstream : 45.5 dB\n"
                                         "Noise Margin Upstream : 14.0 dB\n"
                                         "Noise Margin Downstream : 11.5 dB\n"},
        {"show dhcp server settings", "Start IP Address : 192.168.1.33\nEnd IP Address : 192.168.1.64\n"},
        {"list ip addresses", "192.168.1.254    eth:LAN    255.255.255.0\n80.58.1.2        atm:WAN    255.255.255.255\n"},
        {"list ip routes", "000.000.000.000  000.000.000.000  80.58.0.1  atm:WAN  1\n"},
    };
}

std::string LineaAtenuacion812(const std::string& sub, const std::string& baj, const std::string& rsub,
                               const std::string& rbaj)
{
    return "Actual Negotiated Downstream Baud Rate : 2016 Kbps\n"
           "Actual Negotiated Upstream Baud Rate : 320 Kbps\n"
           "Attenuation Upstream : " + sub + "\nAttenuation Downstream : " + baj +
           "\nNoise Margin Upstream : " + rsub + "\nNoise Margin Downstream : " + rbaj + "\n";
}

class Validacion : public PruebaConRouter {
protected:
    void SetUp() override
    {
        PruebaConRouter::SetUp();
        estadoLinea() = EstadoLinea{};
    }
    void TearDown() override
    {
        estadoLinea() = EstadoLinea{};
        PruebaConRouter::TearDown();
    }

    // Starts the router with the given replies and runs one validation.
    bool Ejecutar(int16_t modelo, const std::map<std::string, std::string>& respuestas, bool comprobar,
                  int16_t modalidad = kModalidadEstandar)
    {
        auto& r = Router(modelo);
        for (const auto& [c, t] : respuestas)
            r.fijarRespuesta(c, t);
        estadoLinea().ComprobarLinea = comprobar;
        estadoLinea().ModalidadServicio = modalidad;
        return EjecutarValidacion(modelo, v);
    }

    ValoresInstalacion v;
};

// The simulator's standard replies: what a router of each model prints.
TEST_F(Validacion, Efficient5660ConLasRespuestasDelSimulador)
{
    ASSERT_TRUE(Ejecutar(kEfficient5660, {}, true, kModalidadPremium));
    const ValoresInstalacion esperado = [] {
        ValoresInstalacion e;
        e.telefono = "913456789";
        e.tipoModem = "Efficient Speed Stream 5660";
        e.versionSW = "5.3.3";
        e.mac = "00-C0-49-7A-12-5E";
        e.ipLan = "192.168.254.254";
        e.mascaraLan = "255.255.255.0";
        e.ipWan = "80.58.12.34";
        e.ipRemota = "80.58.0.1";
        e.usuarioARC = "arc0001@corporacion";
        e.downStream = "2816 Kbps";
        e.upStream = "320 Kbps";
        e.dhcpInicio = "192.168.254.33";
        e.dhcpFin = "192.168.254.64";
        e.atenuacionSubida = "No disponible";
        e.atenuacionBajada = "45.5";
        e.margenRuidoSubida = "No disponible";
        e.margenRuidoBajada = "11.5";
        e.modalidadServicio = "PREMIUM";
        e.veredictoVelocidad = e.veredictoRuido = e.veredictoAtenuacion = "OK";
        return e;
    }();
    for (const auto& c : kCamposValores) {
        if (std::string(c.nombre) != "fecha") {
            EXPECT_EQ(v.*c.miembro, esperado.*c.miembro) << c.nombre;
        }
    }
    EXPECT_EQ(v.fecha.substr(0, 11), QDate::currentDate().toString("dd/MM/yyyy ").toStdString());
    EXPECT_GT(v.fecha.size(), 11u);
    EXPECT_EQ(Ordenes(), (std::vector<std::string>{"show", "show pppauth", "show dhcpcfg", "show dslstatus"}));
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Validacion, OfficeRemote812ConLasRespuestasDelSimulador)
{
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, {}, true, kModalidadPremium));
    const ValoresInstalacion esperado = [] {
        ValoresInstalacion e;
        e.telefono = "913456789";
        e.tipoModem = "3Com OfficeConnect Remote 812";
        e.versionSW = "4.2.7 (Build 1307)";
        e.mac = "00:A0:24:5C:1E:3B";
        e.ipLan = "192.168.1.254";
        e.mascaraLan = "255.255.255.0";
        e.ipWan = "80.58.12.34";
        e.ipRemota = "80.58.0.1";
        e.usuarioARC = "arc0001@corporacion";
        e.downStream = "2016 Kbps (Interleaved)";
        e.upStream = "320 Kbps";
        e.dhcpInicio = "192.168.1.33";
        e.dhcpFin = "192.168.1.64";
        e.atenuacionSubida = "28.0";
        e.atenuacionBajada = "45.5";
        e.margenRuidoSubida = "14.0";
        e.margenRuidoBajada = "11.5";
        e.modalidadServicio = "PREMIUM";
        e.veredictoVelocidad = e.veredictoRuido = e.veredictoAtenuacion = "OK";
        return e;
    }();
    for (const auto& c : kCamposValores) {
        if (std::string(c.nombre) != "fecha") {
            EXPECT_EQ(v.*c.miembro, esperado.*c.miembro) << c.nombre;
        }
    }
    EXPECT_EQ(Ordenes(), (std::vector<std::string>{"show system", "show ethernet settings",
                                                   "show ip network LAN settings", "show vc WAN",
                                                   "show adsl transceiver_status", "show dhcp server settings",
                                                   "list ip addresses", "list ip routes",
                                                   "show adsl transceiver_status"}));
    EXPECT_FALSE(PuertoAbierto());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

// Paged replies (the console stops every few lines) give the same values.
TEST_F(Validacion, RespuestasPaginadasDanLosMismosValores)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        ASSERT_TRUE(Ejecutar(modelo, {}, true)) << modelo;
        const ValoresInstalacion sinPaginar = v;
        Router(modelo, [](sim::OpcionesSimulador& o) { o.paginado = 3; });
        ASSERT_TRUE(EjecutarValidacion(modelo, v)) << modelo;
        for (const auto& c : kCamposValores) {
            if (std::string(c.nombre) != "fecha") {
                EXPECT_EQ(v.*c.miembro, sinPaginar.*c.miembro) << modelo << " " << c.nombre;
            }
        }
    }
}

TEST_F(Validacion, Efficient5660SinComprobarLinea)
{
    auto r = Base5660();
    r["show dslstatus"] += "Current Attenuation - 70.0\n"; // would fail every modality
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, false));
    EXPECT_EQ(v.upStream, "No configurado");
    EXPECT_EQ(v.atenuacionBajada, "No disponible");
    EXPECT_EQ(v.margenRuidoBajada, "No disponible");
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
    EXPECT_EQ(v.modalidadServicio, "No disponible");
    EXPECT_EQ(v.veredictoAtenuacion, "NOK");
    EXPECT_EQ(v.veredictoRuido, "NOK");
    EXPECT_EQ(v.veredictoVelocidad, "NOK");
    EXPECT_EQ(MensajeFallosLinea(), "");
}

struct CasoLimite {
    int16_t modalidad;
    const char* atenuacion;
    const char* margen;
    bool fallaAtenuacion;
    bool fallaRuido;
};

void PrintTo(const CasoLimite& c, std::ostream* os)
{
    *os << "modalidad " << c.modalidad << ", atenuacion \"" << c.atenuacion << "\", margen \"" << c.margen << "\"";
}

class Limites5660 : public Validacion, public testing::WithParamInterface<CasoLimite> {};

TEST_P(Limites5660, JuicioDeLaLinea)
{
    const auto& c = GetParam();
    auto r = Base5660();
    r["show dslstatus"] = std::string("Current SNR Margin - ") + c.margen + "\nCurrent Attenuation - " + c.atenuacion + "\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true, c.modalidad));
    EXPECT_EQ(estadoLinea().AtenuacionIncorrecta, c.fallaAtenuacion);
    EXPECT_EQ(estadoLinea().RuidoIncorrecto, c.fallaRuido);
    EXPECT_EQ(v.veredictoAtenuacion, c.fallaAtenuacion ? "NOK" : "OK");
    EXPECT_EQ(v.veredictoRuido, c.fallaRuido ? "NOK" : "OK");
    // The reading is kept as the router wrote it.
    EXPECT_EQ(v.atenuacionBajada, c.atenuacion);
    EXPECT_EQ(v.margenRuidoBajada, c.margen);
}

INSTANTIATE_TEST_SUITE_P(
    Modalidades, Limites5660,
    testing::Values(CasoLimite{kModalidadEstandar, "61", "8", false, false},
                    CasoLimite{kModalidadEstandar, "61.0", "8.0", false, false},
                    CasoLimite{kModalidadEstandar, "60.9", "8.1", false, false},
                    CasoLimite{kModalidadEstandar, "61.1", "7.9", true, true},
                    CasoLimite{kModalidadEstandar, "61.5", "45.5", true, false},
                    CasoLimite{kModalidadClass, "59", "8", false, false},
                    CasoLimite{kModalidadClass, "59.1", "8", true, false},
                    CasoLimite{kModalidadClass, "58.9", "7.9", false, true},
                    CasoLimite{kModalidadPremium, "49", "8", false, false},
                    CasoLimite{kModalidadPremium, "49.1", "12", true, false},
                    CasoLimite{kModalidadPremium, "48.9 dB", "7.5 dB", false, true},
                    CasoLimite{kModalidadEstandar, "n/a", "n/a", false, false}));

TEST_F(Validacion, Efficient5660LecturasCeroYConGuionNoSeJuzgan)
{
    auto r = Base5660();
    r["show dslstatus"] = "Current SNR Margin - 0\nCurrent Attenuation - -3.5\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true, kModalidadPremium));
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
    EXPECT_EQ(v.atenuacionBajada, "No disponible");
    EXPECT_EQ(v.margenRuidoBajada, "No disponible");

    r["show dslstatus"] = "Current SNR Margin - 12.0 - 3.0\nCurrent Attenuation - 75.0\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true, kModalidadPremium));
    EXPECT_EQ(v.margenRuidoBajada, "No disponible");
    EXPECT_EQ(v.atenuacionBajada, "75.0");
    EXPECT_TRUE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
}

TEST_F(Validacion, Efficient5660Version220_57Recorta)
{
    auto r = Base5660();
    r["show"] = "Software Version - 2.2.0(57) build 3\n";
    r["show dslstatus"] = "Current Attainable Rate - 2816 Kbps (fast) - x\n"
                          "Current SNR Margin - 11.5 dB (min 6.0)\n"
                          "Current Attenuation - 62.5 dB measured\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true));
    EXPECT_EQ(v.versionSW, "2.2.0(57) build 3");
    EXPECT_EQ(v.downStream, "2816 Kbps (fast)"); // first 16 characters
    EXPECT_EQ(v.margenRuidoBajada, "11.5 dB ");
    EXPECT_EQ(v.atenuacionBajada, "62.5 dB ");
    EXPECT_TRUE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
}

TEST_F(Validacion, Efficient5660CortesSinSeparador)
{
    auto r = Base5660();
    r["show"] = "Ethernet Interface - 192.168.1.1\nDSL Interface - 80.58.1.2\n";
    r["show pppauth"] = "Username - arc@corp\n";
    r["show dslstatus"] = "Current Attainable Rate - 2816 Kbps - 3000\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, false));
    EXPECT_EQ(v.ipLan, "192.168.1.1");
    EXPECT_EQ(v.mascaraLan, "No configurado");
    EXPECT_EQ(v.ipWan, "80.58.1.2");
    EXPECT_EQ(v.usuarioARC, "arc@corp");
    EXPECT_EQ(v.downStream, "2816 Kbps");
}

TEST_F(Validacion, Efficient5660EtiquetasAusentesDanValoresPorDefecto)
{
    std::map<std::string, std::string> r = {
        {"show", "nothing\n"}, {"show pppauth", ""}, {"show dhcpcfg", ""}, {"show dslstatus", ""}};
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true));
    for (auto* campo : {&v.telefono, &v.versionSW, &v.mac, &v.ipLan, &v.mascaraLan, &v.usuarioARC, &v.downStream,
                        &v.upStream, &v.dhcpInicio, &v.dhcpFin})
        EXPECT_EQ(*campo, "No configurado");
    for (auto* campo : {&v.ipWan, &v.ipRemota, &v.atenuacionSubida, &v.atenuacionBajada, &v.margenRuidoSubida,
                        &v.margenRuidoBajada})
        EXPECT_EQ(*campo, "No disponible");
    EXPECT_EQ(v.veredictoAtenuacion, "OK");
    EXPECT_EQ(v.veredictoRuido, "OK");
}

TEST_F(Validacion, OfficeRemote812SinComprobarLineaNoRepiteLaOrden)
{
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, Base812(), false));
    EXPECT_EQ(Ordenes().size(), 8u);
    EXPECT_EQ(v.upStream, "No configurado");
    EXPECT_EQ(v.atenuacionSubida, "No disponible");
    EXPECT_EQ(v.atenuacionBajada, "No disponible");
    EXPECT_EQ(v.margenRuidoSubida, "No disponible");
    EXPECT_EQ(v.margenRuidoBajada, "No disponible");
    EXPECT_EQ(v.veredictoRuido, "NOK");
}

struct CasoLimite812 {
    int16_t modalidad;
    const char* sub;
    const char* baj;
    const char* rsub;
    const char* rbaj;
    bool fallaAtenuacion;
    bool fallaRuido;
};

void PrintTo(const CasoLimite812& c, std::ostream* os)
{
    *os << "modalidad " << c.modalidad << ", atenuacion " << c.sub << " / " << c.baj << ", margen " << c.rsub
        << " / " << c.rbaj;
}

class Limites812 : public Validacion, public testing::WithParamInterface<CasoLimite812> {};

TEST_P(Limites812, JuicioDeAmbosSentidos)
{
    const auto& c = GetParam();
    auto r = Base812();
    r["show adsl transceiver_status"] = LineaAtenuacion812(c.sub, c.baj, c.rsub, c.rbaj);
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, true, c.modalidad));
    EXPECT_EQ(estadoLinea().AtenuacionIncorrecta, c.fallaAtenuacion);
    EXPECT_EQ(estadoLinea().RuidoIncorrecto, c.fallaRuido);
    EXPECT_EQ(v.veredictoAtenuacion, c.fallaAtenuacion ? "NOK" : "OK");
    EXPECT_EQ(v.veredictoRuido, c.fallaRuido ? "NOK" : "OK");
}

INSTANTIATE_TEST_SUITE_P(
    Modalidades, Limites812,
    testing::Values(
        CasoLimite812{kModalidadEstandar, "59.0 dB", "61.0 dB", "8.0 dB", "8.0 dB", false, false},
        CasoLimite812{kModalidadEstandar, "59.1 dB", "40.0 dB", "8.0 dB", "8.0 dB", true, false},
        CasoLimite812{kModalidadEstandar, "20.0 dB", "61.5 dB", "8.0 dB", "8.0 dB", true, false},
        CasoLimite812{kModalidadEstandar, "58.9 dB", "60.9 dB", "7.9 dB", "8.1 dB", false, true},
        CasoLimite812{kModalidadEstandar, "20.0 dB", "20.0 dB", "9.0 dB", "7.9 dB", false, true},
        CasoLimite812{kModalidadClass, "56.0 dB", "59.0 dB", "8.0 dB", "8.0 dB", false, false},
        CasoLimite812{kModalidadClass, "56.1 dB", "59.0 dB", "8.0 dB", "8.0 dB", true, false},
        CasoLimite812{kModalidadClass, "55.0 dB", "59.1 dB", "8.0 dB", "8.0 dB", true, false},
        CasoLimite812{kModalidadPremium, "45.0 dB", "49.0 dB", "8.0 dB", "8.0 dB", false, false},
        CasoLimite812{kModalidadPremium, "45.5 dB", "30.0 dB", "8.0 dB", "8.0 dB", true, false},
        CasoLimite812{kModalidadPremium, "44.9 dB", "49.1 dB", "-3.5 dB", "9.0 dB", true, true},
        // "0" in one direction is no reading; the other direction is still judged
        CasoLimite812{kModalidadPremium, "0", "49.0 dB", "0", "7.0 dB", false, true},
        // a value without a number is no reading, and does not end the gathering
        CasoLimite812{kModalidadPremium, "- dB", "n/a", "--", "9.0 dB", false, false}));

TEST_F(Validacion, OfficeRemote812CeroSeVaciaYOtrosSeConservan)
{
    auto r = Base812();
    r["show adsl transceiver_status"] = LineaAtenuacion812("0", "22.5 dB", "0 dB", "n/a");
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, true));
    EXPECT_EQ(v.atenuacionSubida, "No disponible");
    EXPECT_EQ(v.atenuacionBajada, "22.5");
    EXPECT_EQ(v.margenRuidoSubida, "No disponible"); // "0 dB" loses " dB" and is then "0"
    EXPECT_EQ(v.margenRuidoBajada, "n/a");
}

TEST_F(Validacion, OfficeRemote812VelocidadDeSubidaHastaLaS)
{
    auto r = Base812();
    r["show adsl transceiver_status"] = "Actual Negotiated Upstream Baud Rate : 640 Kbps and more words\n";
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, true));
    EXPECT_EQ(v.upStream, "640 Kbps");
    r["show adsl transceiver_status"] = "Actual Negotiated Upstream Baud Rate : 640 K\n";
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, true));
    EXPECT_EQ(v.upStream, "No configurado");
}

TEST_F(Validacion, OfficeRemote812RespuestaCLISeSalta)
{
    auto r = Base812();
    r["show vc WAN"] = "CLI - Invalid command: \"show vc WAN\"\nSend Name : ignored\n";
    r["show system"] = "System Name: 1\nCLI - error\n";
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, false));
    EXPECT_EQ(v.usuarioARC, "No configurado");
    EXPECT_EQ(v.telefono, "No configurado");
    EXPECT_EQ(v.mac, "00:A0:24:5C:1E:3B");
}

TEST_F(Validacion, OfficeRemote812CortesCortos)
{
    auto r = Base812();
    r["show ip network LAN settings"] = "Network Address : 1\nMask : 255.0.0.0\n";
    r["list ip addresses"] = "atm:WAN\n";
    r["list ip routes"] = "000.000.000.000\n";
    ASSERT_TRUE(Ejecutar(kOfficeRemote812, r, false));
    EXPECT_EQ(v.ipLan, "No configurado");
    EXPECT_EQ(v.mascaraLan, "255.0.0.0");
    EXPECT_EQ(v.ipWan, "atm:WAN");
    EXPECT_EQ(v.ipRemota, "000.000.000.000");
}

TEST_F(Validacion, LosFallosDeUnaEjecucionNoPasanALaSiguiente)
{
    auto r = Base5660();
    r["show dslstatus"] = "Current SNR Margin - 5.0\nCurrent Attenuation - 65.0\n";
    ASSERT_TRUE(Ejecutar(kEfficient5660, r, true));
    EXPECT_EQ(MensajeFallosLinea(),
              "Proceso de validaci\xF3n err\xF3neo debido a niveles de atenuaci\xF3n y m\xE1rgenes de ruido incorrectos");
    ASSERT_TRUE(Ejecutar(kEfficient5660, Base5660(), true));
    EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
    EXPECT_EQ(v.veredictoAtenuacion, "OK");
    EXPECT_EQ(v.veredictoRuido, "OK");
    EXPECT_EQ(MensajeFallosLinea(), "");
}

TEST_F(Validacion, MensajeSegunLosIndicadores)
{
    estadoLinea().AtenuacionIncorrecta = true;
    EXPECT_EQ(MensajeFallosLinea(), "Proceso de validaci\xF3n err\xF3neo debido a niveles de atenuaci\xF3n incorrectos");
    estadoLinea().AtenuacionIncorrecta = false;
    estadoLinea().RuidoIncorrecto = true;
    EXPECT_EQ(MensajeFallosLinea(), "Proceso de validaci\xF3n err\xF3neo debido a m\xE1rgenes de ruido incorrectos");
}

// After a save: the warning only for a line that failed, and the flags cleared.
TEST_F(Validacion, AvisoTrasGuardarSoloConLaLineaFueraDeLimites)
{
    const struct {
        bool atenuacion, ruido;
    } casos[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& c : casos) {
        auto& d = dialogos_;
        d.mensajes.clear();
        estadoLinea().AtenuacionIncorrecta = c.atenuacion;
        estadoLinea().RuidoIncorrecto = c.ruido;
        AvisarTrasGuardar();
        if (c.atenuacion || c.ruido) {
            ASSERT_EQ(d.mensajes.size(), 1u) << c.atenuacion << c.ruido;
            EXPECT_EQ(d.mensajes[0].texto, "Debe devolver la orden o solicitar un cambio de par");
            EXPECT_EQ(d.mensajes[0].titulo, "Error");
            EXPECT_EQ(d.mensajes[0].icono, IconoMensaje::Aviso);
        } else {
            EXPECT_TRUE(d.mensajes.empty());
        }
        EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
        EXPECT_FALSE(estadoLinea().RuidoIncorrecto);
    }
}

TEST_F(Validacion, CancelarDuranteLaRecogidaEsUnFalloSinValores)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        Router(modelo);
        estadoLinea().ComprobarLinea = true;
        estadoLinea().AtenuacionIncorrecta = true; // left over from an earlier run
        CancelarAlRecibir(modelo == kEfficient5660 ? "show dhcpcfg" : "show vc WAN");
        QElapsedTimer reloj;
        reloj.start();
        EXPECT_FALSE(EjecutarValidacion(modelo, v)) << modelo;
        EXPECT_LT(reloj.elapsed(), 4000) << modelo;
        EXPECT_FALSE(PuertoAbierto());
        for (const auto& campo : kCamposValores) {
            if (std::string(campo.nombre) != "numeroRegistro") {
                EXPECT_EQ(v.*campo.miembro, "") << campo.nombre;
            }
        }
        EXPECT_FALSE(estadoLinea().AtenuacionIncorrecta);
    }
}

TEST_F(Validacion, AccesoFallidoEsUnFallo)
{
    tiempos().limiteAccesoS = 1;
    Router(kEfficient5660, [](sim::OpcionesSimulador& o) { o.password = "otra"; });
    v.numeroRegistro = " 4";
    EXPECT_FALSE(EjecutarValidacion(kEfficient5660, v));
    EXPECT_EQ(v.tipoModem, "");
    EXPECT_EQ(v.numeroRegistro, " 4");
    EXPECT_FALSE(PuertoAbierto());
}

} // namespace
