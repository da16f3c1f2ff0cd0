// Gathering and judging the installation values of both router models, against the
// router simulator over a pseudo-terminal.
#include "validation/DatosValidacion.h"

#include "Ficheros.h"
#include "Router.h"
#include "Valores.h"

#include "base/Latin1.h"

#include <QDate>

#include <map>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

using V = ValoresInstalacion;
using Respuestas = std::map<std::string, std::string>;

class Recogida : public PruebaConRouter {
protected:
    void TearDown() override
    {
        estadoLinea() = EstadoLinea{};
        PruebaConRouter::TearDown();
    }

    // Starts the router with some replies replaced and runs one validation after a
    // run that left every fault flag set: each run must judge its own line.
    bool Validar(int16_t modelo, const Respuestas& respuestas, bool comprobar, int16_t modalidad = kModalidadEstandar,
                 int paginado = 0)
    {
        auto& r = Router(modelo, [&](sim::OpcionesSimulador& o) { o.paginado = paginado; });
        for (const auto& [orden, texto] : respuestas)
            r.FijarRespuesta(orden, texto);
        estadoLinea() = EstadoLinea{modalidad, comprobar, true, true, true};
        return EjecutarValidacion(modelo, v_);
    }

    ValoresInstalacion v_;
};

const std::vector<std::string> k5660 = {"show", "show pppauth", "show dhcpcfg", "show dslstatus"};
const std::vector<std::string> k812 = {"show system",
                                       "show ethernet settings",
                                       "show ip network LAN settings",
                                       "show vc WAN",
                                       "show adsl transceiver_status",
                                       "show dhcp server settings",
                                       "list ip addresses",
                                       "list ip routes"};

// The simulator's replies, paged or not, give the values of the golden files.
TEST_F(Recogida, GathersEveryFieldWithTheModelsCommands)
{
    std::vector<std::string> k812Linea = k812;
    k812Linea.push_back("show adsl transceiver_status");
    const std::tuple<int16_t, bool, int, const char*, const std::vector<std::string>&> casos[] = {
        {kEfficient5660, true, 0, "5660_linea.txt", k5660},
        {kEfficient5660, false, 0, "5660_sin_linea.txt", k5660},
        {kOfficeRemote812, true, 3, "812_linea.txt", k812Linea},
        {kOfficeRemote812, false, 0, "812_sin_linea.txt", k812},
    };
    const std::string hoy = ToL1(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy ")));
    for (const auto& [modelo, comprobar, paginado, golden, ordenes] : casos) {
        SCOPED_TRACE(std::string(golden) + (paginado ? " paged" : ""));
        ASSERT_TRUE(Validar(modelo, {}, comprobar, kModalidadPremium, paginado));
        EXPECT_EQ(CamposSinFecha(v_), Golden(std::string("tests/validation/golden/") + golden));
        EXPECT_EQ(v_.fecha.substr(0, 11), hoy);
        EXPECT_GT(v_.fecha.size(), 11u);
        EXPECT_EQ(Ordenes(), ordenes);
        EXPECT_FALSE(PuertoAbierto());
        EXPECT_TRUE(dialogos_.mensajes.empty());
    }
}

std::string Linea812(const std::string& sub, const std::string& baj, const std::string& rsub, const std::string& rbaj)
{
    return "Attenuation Upstream : " + sub + "\nAttenuation Downstream : " + baj + "\nNoise Margin Upstream : " + rsub
           + "\nNoise Margin Downstream : " + rbaj + "\n";
}

const std::string kNombre = "Espa\xF1"
                            "a 912 \xE1\xE9\xED\xF3\xFA";
const std::string kUsuario = "ni\xF1"
                             "o\xBF"
                             "@corp";

// Values cut out of unusual replies: the model and whether the line is checked, the replies
// given, and lines of the values, as CamposSinFecha writes them, that must be there.
TEST_F(Recogida, CutsTheValuesOutOfTheReplies)
{
    const std::tuple<std::pair<int16_t, bool>, Respuestas, std::string> casos[] = {
        // Latin-1 letters.
        {{kEfficient5660, false},
         {{"show", "Host Name - " + kNombre + "\n"}, {"show pppauth", "Username - " + kUsuario + " (VC 8/32)\n"}},
         "telefono=" + kNombre + "\nusuarioARC=" + kUsuario},
        {{kOfficeRemote812, false},
         {{"show system", "System Name: " + kNombre + "\n"}, {"show vc WAN", "Send Name : " + kUsuario + "\n"}},
         "telefono=" + kNombre + "\nusuarioARC=" + kUsuario},
        // 5660: zero and dash readings are none, and so is a reading with ' - '.
        {{kEfficient5660, true},
         {{"show dslstatus", "Current SNR Margin - 0\nCurrent Attenuation - -3.5\n"}},
         "margenRuidoBajada=No disponible\natenuacionBajada=No disponible\nveredictoAtenuacion=OK\nveredictoRuido=OK"},
        {{kEfficient5660, true},
         {{"show dslstatus", "Current SNR Margin - 12.0 - 3.0\nCurrent Attenuation - 75.0\n"}},
         "margenRuidoBajada=No disponible\natenuacionBajada=75.0\nveredictoAtenuacion=NOK\nveredictoRuido=OK"},
        // 5660 version 2.2.0(57) cuts rate and readings.
        {{kEfficient5660, true},
         {{"show", "Software Version - 2.2.0(57) build 3\n"},
          {"show dslstatus", "Current Attainable Rate - 2816 Kbps (fast) - x\n"
                             "Current SNR Margin - 11.5 dB (min 6.0)\nCurrent Attenuation - 62.5 dB measured\n"}},
         "versionSW=2.2.0(57) build 3\ndownStream=2816 Kbps (fast)\nmargenRuidoBajada=11.5 dB \natenuacionBajada=62.5 dB \n"
         "veredictoAtenuacion=NOK\nveredictoRuido=OK"},
        // 5660 values without their separator.
        {{kEfficient5660, false},
         {{"show", "Ethernet Interface - 192.168.1.1\nDSL Interface - 80.58.1.2\n"},
          {"show pppauth", "Username - arc@corp\n"},
          {"show dslstatus", "Current Attainable Rate - 2816 Kbps - 3000\n"}},
         "ipLan=192.168.1.1\nmascaraLan=No configurado\nipWan=80.58.1.2\nusuarioARC=arc@corp\ndownStream=2816 Kbps"},
        // 812: zero readings are emptied, others kept.
        {{kOfficeRemote812, true},
         {{"show adsl transceiver_status", Linea812("0", "22.5 dB", "0 dB", "n/a")}},
         "atenuacionSubida=No disponible\natenuacionBajada=22.5\nmargenRuidoSubida=No disponible\nmargenRuidoBajada=n/a"},
        // 812 upstream rate up to its 's', or none without one.
        {{kOfficeRemote812, true},
         {{"show adsl transceiver_status", "Actual Negotiated Upstream Baud Rate : 640 Kbps and more\n"}},
         "upStream=640 Kbps"},
        {{kOfficeRemote812, true},
         {{"show adsl transceiver_status", "Actual Negotiated Upstream Baud Rate : 640 K\n"}},
         "upStream=No configurado"},
        // 812 console error replies are skipped.
        {{kOfficeRemote812, false},
         {{"show vc WAN", "CLI - Invalid command: \"show vc WAN\"\nSend Name : ignored\n"},
          {"show system", "System Name: 1\nCLI - error\n"}},
         "usuarioARC=No configurado\ntelefono=No configurado\nmac=00:A0:24:5C:1E:3B"},
        // 812 short values.
        {{kOfficeRemote812, false},
         {{"show ip network LAN settings", "Network Address : 1\nMask : 255.0.0.0\n"},
          {"list ip addresses", "atm:WAN\n"},
          {"list ip routes", "000.000.000.000\n"}},
         "ipLan=No configurado\nmascaraLan=255.0.0.0\nipWan=atm:WAN\nipRemota=000.000.000.000"},
    };
    for (const auto& [modelo, respuestas, esperado] : casos) {
        SCOPED_TRACE(esperado);
        ASSERT_TRUE(Validar(modelo.first, respuestas, modelo.second));
        const std::string campos = "\n" + CamposSinFecha(v_);
        for (const QByteArray& l : QByteArray::fromStdString(esperado).split('\n'))
            EXPECT_NE(campos.find("\n" + l.toStdString() + "\n"), std::string::npos) << l.toStdString() << campos;
    }
}

TEST_F(Recogida, AbsentLabelsGiveTheDefaultTexts)
{
    ASSERT_TRUE(Validar(kEfficient5660,
                        {{"show", "nothing\n"}, {"show pppauth", ""}, {"show dhcpcfg", ""}, {"show dslstatus", ""}},
                        true));
    for (auto* campo : {&v_.telefono, &v_.versionSW, &v_.mac, &v_.ipLan, &v_.mascaraLan, &v_.usuarioARC, &v_.downStream,
                        &v_.upStream, &v_.dhcpInicio, &v_.dhcpFin})
        EXPECT_EQ(*campo, "No configurado");
    for (auto* campo : {&v_.ipWan, &v_.ipRemota, &v_.atenuacionSubida, &v_.atenuacionBajada, &v_.margenRuidoSubida,
                        &v_.margenRuidoBajada})
        EXPECT_EQ(*campo, "No disponible");
    EXPECT_EQ(v_.veredictoAtenuacion, "OK");
    EXPECT_EQ(v_.veredictoRuido, "OK");
}

constexpr int16_t E = kModalidadEstandar, C = kModalidadClass, P = kModalidadPremium;
constexpr int16_t M5660 = kEfficient5660, M812 = kOfficeRemote812;

// Each reading of each model reaches the judgement under the modality chosen, and
// its verdict the right flag (the limits themselves are judged in test_juicio_linea).
TEST_F(Recogida, JudgesTheLineByTheModality)
{
    // baj, rbaj, sub, rsub: attenuation and noise margin down, then up (812 only)
    const std::tuple<int16_t, int16_t, std::string, std::string, std::string, std::string, bool, bool> casos[] = {
        {M5660, E, "61.1", "7.9", "", "", true, true},
        {M5660, C, "59.1", "8", "", "", true, false},
        {M5660, P, "48.9 dB", "7.5 dB", "", "", false, true},
        {M5660, E, "n/a", "n/a", "", "", false, false},
        {M812, E, "40.0 dB", "8.0 dB", "59.1 dB", "8.0 dB", true, false},
        {M812, E, "61.5 dB", "8.0 dB", "20.0 dB", "8.0 dB", true, false},
        {M812, E, "60.9 dB", "8.1 dB", "58.9 dB", "7.9 dB", false, true},
        {M812, E, "20.0 dB", "7.9 dB", "20.0 dB", "9.0 dB", false, true},
        {M812, C, "59.0 dB", "8.0 dB", "56.1 dB", "8.0 dB", true, false},
        {M812, P, "30.0 dB", "8.0 dB", "45.5 dB", "8.0 dB", true, false},
        // "0" is no reading; the other direction is still judged; "0.0" is a reading
        {M812, P, "49.0 dB", "7.0 dB", "0", "0", false, true},
        {M812, P, "49.0 dB", "9.0 dB", "0", "0.0 dB", false, true},
        // a value without a number is no reading and does not end the gathering
        {M812, P, "n/a", "9.0 dB", "- dB", "--", false, false},
    };
    for (const auto& [modelo, modalidad, baj, rbaj, sub, rsub, fallaAtenuacion, fallaRuido] : casos) {
        SCOPED_TRACE(std::to_string(modalidad) + ": " + baj + " / " + rbaj + " / " + sub + " / " + rsub);
        const Respuestas r = modelo == M5660
                                 ? Respuestas{{"show dslstatus", "Current SNR Margin - " + rbaj
                                                                     + "\nCurrent Attenuation - " + baj + "\n"}}
                                 : Respuestas{{"show adsl transceiver_status", Linea812(sub, baj, rsub, rbaj)}};
        ASSERT_TRUE(Validar(modelo, r, true, modalidad));
        EXPECT_EQ(v_.veredictoAtenuacion, fallaAtenuacion ? "NOK" : "OK");
        EXPECT_EQ(v_.veredictoRuido, fallaRuido ? "NOK" : "OK");
        // The 5660 keeps the readings as the router wrote them.
        EXPECT_TRUE(modelo == M812 || (v_.atenuacionBajada == baj && v_.margenRuidoBajada == rbaj));
    }
}

// The fault message chosen by the flags, and the warning after a save that clears them.
TEST_F(Recogida, FaultMessageAndWarningAfterTheSave)
{
    const std::tuple<bool, bool, std::string> casos[] = {
        {false, false, ""},
        {true, false, "Proceso de validaci\xF3n err\xF3neo debido a niveles de atenuaci\xF3n incorrectos"},
        {false, true, "Proceso de validaci\xF3n err\xF3neo debido a m\xE1rgenes de ruido incorrectos"},
        {true, true,
         "Proceso de validaci\xF3n err\xF3neo debido a niveles de atenuaci\xF3n y m\xE1rgenes de ruido "
         "incorrectos"},
    };
    for (const auto& [atenuacion, ruido, mensaje] : casos) {
        SCOPED_TRACE(mensaje);
        dialogos_.mensajes.clear();
        estadoLinea().AtenuacionIncorrecta = atenuacion;
        estadoLinea().RuidoIncorrecto = ruido;
        EXPECT_EQ(MensajeFallosLinea(), mensaje);
        AvisarTrasGuardar();
        ASSERT_EQ(dialogos_.mensajes.size(), mensaje.empty() ? 0u : 1u);
        for (const auto& m : dialogos_.mensajes)
            EXPECT_EQ(m.texto, "Debe devolver la orden o solicitar un cambio de par");
        EXPECT_EQ(MensajeFallosLinea(), "");
    }
}

// A run cut short: a failure that leaves no value and no fault behind, the port closed.
TEST_F(Recogida, CancelDuringTheGatheringFailsWithoutValues)
{
    for (int16_t modelo : {kEfficient5660, kOfficeRemote812}) {
        SCOPED_TRACE(modelo);
        Router(modelo);
        estadoLinea().ComprobarLinea = true;
        estadoLinea().AtenuacionIncorrecta = true;
        v_.numeroRegistro = " 4";
        CancelarAlRecibir(modelo == kEfficient5660 ? "show dhcpcfg" : "show vc WAN");
        EXPECT_FALSE(EjecutarValidacion(modelo, v_));
        EXPECT_FALSE(PuertoAbierto());
        for (const auto& c : kCamposValores)
            EXPECT_EQ(v_.*c.miembro, c.miembro == &V::numeroRegistro ? " 4" : "") << c.nombre;
        EXPECT_EQ(MensajeFallosLinea(), "");
    }
}

} // namespace
