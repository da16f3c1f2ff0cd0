// Message and caption texts in both languages, as single-byte (Latin-1) strings.
#include "base/Idiomas.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tesedra {

namespace {

void CargarMensajesEs(Mensajes& m)
{
    m.msgErrConfModem = "Error configurando m\xF3" "dem";
    m.msgErrEscPuerto = "Error escribiendo en el puerto serie";
    m.msgErrLecPuerto = "Error leyendo del puerto serie";
    m.msgClaveNoValida = "La clave introducida no es v\xE1" "lida";
    m.msgRango999 = "El valor introducido debe estar comprendido en el rango 0 a 999";
    m.msgRango9 = "El valor introducido debe estar comprendido en el rango 0 a 9";
    m.msgRango255 = "El valor introducido debe estar comprendido en el rango 0 a 255";
    m.msgFormatoNoValido = "Formato no v\xE1" "lido...";
    m.msgErrGrabarValidacion = "Error grabando datos de validaci\xF3" "n";
    m.msgIntegridadFicheros = "Por favor, compruebe la integridad de los ficheros de origen";
    m.msgDirectoriosIguales = "Los directorios origen y destino no pueden coincidir";
    m.msgTiempoModem = "Excedido el tiempo de espera del m\xF3" "dem. Compruebe que el m\xF3" "dem est\xE1" " encendido, que est\xE1" " conectado al puerto adecuado y que la contrase\xF1" "a es la correcta.";
    m.msgErrEscFichero = "Error escribiendo en fichero";
    m.msgCancelarConsulta = "La cancelaci\xF3" "n del proceso de consulta del m\xF3" "dem puede dejar la aplicaci\xF3" "n inestable. \xBF" "Desea continuar con la cancelaci\xF3" "n?";
    m.msgAdvertencia = "Advertencia";
}

void CargarMensajesEn(Mensajes& m)
{
    m.msgErrConfModem = "Configuration modem error";
    m.msgErrEscPuerto = "Writing on serial port error";
    m.msgErrLecPuerto = "Reading from serial port error";
    m.msgClaveNoValida = "Wrong profile password";
    m.msgRango999 = "The introduced value must be between 0 and 999";
    m.msgRango9 = "The introduced value must be between 0 and 9";
    m.msgRango255 = "The introduced value must be between 0 and 255";
    m.msgFormatoNoValido = "Invalid format...";
    m.msgErrGrabarValidacion = "Error recording validation data";
    m.msgIntegridadFicheros = "Please, check integrity of source files";
    m.msgDirectoriosIguales = "Source directory and destination directory must be different";
    m.msgTiempoModem = "Modem timeout has expired. Check the modem is turned on and connected to the appropiate port, and be sure the password is correct.";
    m.msgErrEscFichero = "Write error";
    m.msgCancelarConsulta = "Cancelation of the modem query process may disturb the application. \xBF" "Do you want to continue with the cancelation?";
    m.msgAdvertencia = "Warning";
}

void CargarTextosEs(TextosControles& t)
{
    t[1] = "Usuario";
    t[2] = "Instalador";
    t[3] = "Provisi\xF3" "n/Gesti\xF3" "n";
    t[4] = "Seleccione su perfil:";
    t[5] = "Clave:";
    t[6] = "Perfil:";
    t[7] = "Tesedra v.1.0";
    t[8] = "&Entrar";
    t[9] = "Sa&lir";
    t[10] = t[7];
    t[11] = "Opciones especiales:";
    t[12] = "Opciones del m\xF3" "dem:";
    t[13] = "Protocolo de pruebas:";
    t[14] = "Clave:";
    t[15] = "M\xF3" "dem:";
    t[16] = "Puerto Serie:";
    t[17] = "Conectividad &ATM";
    t[18] = "Obtener confi&guraci\xF3" "n";
    t[19] = "&Conectividad IP";
    t[20] = "Conectividad &PPP";
    t[21] = "&Sincronizaci\xF3" "n";
    t[22] = "Sa&lir";
    t[23] = "&Validaci\xF3" "n";
    t[24] = "Validaci\xF3" "n &Inversa";
    t[25] = "Comprobaci\xF3" "n de la conectividad ATM";
    t[26] = "Estado de la conectividad ATM";
    t[27] = "Comprobaci\xF3" "n de la conectividad IP";
    t[28] = "Estado de la conectividad IP";
    t[29] = "Comprobaci\xF3" "n de la conectividad PPP";
    t[30] = "Estado de la conectividad PPP";
    t[31] = "Comprobaci\xF3" "n de la configuraci\xF3" "n del m\xF3" "dem";
    t[32] = "Configuraci\xF3" "n actual del m\xF3" "dem";
    t[33] = "Comprobaci\xF3" "n del estado de sincronizaci\xF3" "n";
    t[34] = "Estado de sincronizaci\xF3" "n";
    t[35] = "&Salvar";
    t[36] = "&Volver";
    t[37] = "&Ejecutar";
    t[38] = "Selecci\xF3" "n de par\xE1" "metros ATM";
    t[39] = "Comprobaci\xF3" "n de la conectividad IP";
    t[40] = "Servidor destino de la prueba";
    t[41] = "Resultado de la comprobaci\xF3" "n";
    t[42] = "Opciones";
    t[43] = "Direcci\xF3" "n IP";
    t[44] = "Segundos";
    t[45] = "Tiempo de espera";
    t[46] = "&Ejecutar desde PC";
    t[47] = "Ejecutar desde &Router";
    t[48] = "&Salvar";
    t[49] = "&Volver";
    t[50] = "Comando";
    t[51] = "Validaci\xF3" "n de la instalaci\xF3" "n";
    t[52] = "&Salvar";
    t[53] = "&Volver";
    t[54] = "Valores de la instalaci\xF3" "n: ";
    t[55] = "Direcci\xF3" "n IP DHCP Fin:";
    t[56] = "Direcci\xF3" "n IP DHCP Inicio:";
    t[57] = "Velocidad \"Downstream\" en la l\xED" "nea ADSL:";
    t[58] = "Direcci\xF3" "n IP LAN del m\xF3" "dem:";
    t[59] = "M\xE1" "scara LAN del m\xF3" "dem:";
    t[60] = "Direcci\xF3" "n IP Remota:";
    t[61] = "Direcci\xF3" "n IP WAN del m\xF3" "dem (Obtenida por IPCP):";
    t[62] = "Direcci\xF3" "n MAC del m\xF3" "dem instalado:";
    t[63] = "Tel\xE9" "fono:";
    t[64] = "Tipo de m\xF3" "dem Instalado";
    t[65] = "Usuario de acceso remoto a la corporaci\xF3" "n:";
    t[66] = "Versi\xF3" "n del software del m\xF3" "dem:";
    t[67] = "Atenuaci\xF3" "n en subida";
    t[68] = "Atenuaci\xF3" "n en bajada";
    t[69] = "Margen de ruido en subida";
    t[70] = "Margen de ruido en bajada";
    t[71] = "Potencia transmitida en subida";
    t[72] = "Potencia transmitida en bajada";
    t[73] = "Opciones";
    t[74] = "Estado l\xED" "nea ADSL";
    t[75] = "Modalidad de servicio";
    t[76] = "&Ejecutar";
    t[77] = "Validaci\xF3" "n inversa";
    t[78] = "Examinar";
    t[79] = "Examinar";
    t[80] = "V&alidar";
    t[81] = "&Volver";
    t[82] = "Seleccione el directorio origen";
    t[83] = "Seleccione el directorio destino";
    t[84] = "Situaci\xF3" "n actual";
    t[86] = "Seleccione el directorio";
    t[87] = "Seleccione el directorio";
    t[88] = "&Aceptar";
    t[89] = "&Volver";
    t[90] = "Documento de texto (*.txt)|*.txt";
    t[91] = "Valor del circuito virtual";
}

void CargarTextosEn(TextosControles& t)
{
    t[1] = "User";
    t[2] = "Operator";
    t[3] = "Supplier/Management";
    t[4] = "Choose the desired profile:";
    t[5] = "Password:";
    t[6] = "Profile:";
    t[7] = "Tesedra v.1.0";
    t[8] = "&Continue";
    t[9] = "E&xit";
    t[10] = t[7];
    t[11] = "Special features:";
    t[12] = "Modem configuration:";
    t[13] = "Test protocol:";
    t[14] = "Password:";
    t[15] = "Modem:";
    t[16] = "Serial Port:";
    t[17] = "&ATM Connectivity";
    t[18] = "&Get configuration";
    t[19] = "IP &Connectivity";
    t[20] = "&PPP Connectivity";
    t[21] = "&Sincronization";
    t[22] = "E&xit";
    t[23] = "&Validation";
    t[24] = "&Reverse Validation";
    t[25] = "ATM connectivity check";
    t[26] = "ATM connectivity state";
    t[27] = "IP connectivity check";
    t[28] = "IP connectivity state";
    t[29] = "PPP connectivity check";
    t[30] = "PPP connectivity state";
    t[31] = "Modem configuration check";
    t[32] = "Current modem configuration";
    t[33] = "Sincronization check";
    t[34] = "Sincronization state";
    t[35] = "&Save";
    t[36] = "&Back";
    t[37] = "&Start";
    // Caption 38 has no English text: it keeps whatever it held.
    t[39] = "IP Connectivity checking";
    t[40] = "Destination server";
    t[41] = "Comprobation output";
    t[42] = "Options";
    t[43] = "IP address";
    t[44] = "Seconds";
    t[45] = "Response time";
    t[46] = "&Run from PC";
    t[47] = "Run from Rou&ter";
    t[48] = "&Save";
    t[49] = "&Back";
    t[50] = "Command";
    t[51] = "Installation validation";
    t[52] = "&Save";
    t[53] = "&Back";
    t[54] = "Installation values: ";
    t[55] = "DHCP finish IP address:";
    t[56] = "DHCP start IP address:";
    t[57] = "Downstream speed on the ADSL line:";
    t[58] = "Modem LAN IP address:";
    t[59] = "Modem LAN mask:";
    t[60] = "Remote IP address:";
    t[61] = "Modem WAN IP address (Got by IPCP):";
    t[62] = "MAC address on the modem:";
    t[63] = "Telephone:";
    t[64] = "Modem model";
    t[65] = "Remote corporation:";
    t[66] = "Modem software version:";
    t[67] = "Attenuation Upstream";
    t[68] = "Attenuation Downstream";
    t[69] = "Noise Margin Upstream";
    t[70] = "Noise Margin Downstream";
    t[71] = "Transmit Power(ATUR)";
    t[72] = "Transmit Power(ATUC)";
    t[73] = "Options";
    t[74] = "ADSL Status";
    t[75] = "Modality of service";
    t[76] = "&Ok";
    t[77] = "Reverse validation";
    t[78] = "Search";
    t[79] = "Search";
    t[80] = "&Validate";
    t[81] = "&Back";
    t[82] = "Choose the source folder";
    t[83] = "Choose the destination folder";
    t[84] = "Current situation";
    t[86] = "Folder selection";
    t[87] = "Choose a folder";
    t[88] = "&Ok";
    t[89] = "&Back";
    t[90] = "Text document (*.txt)|*.txt";
    t[91] = "Virtual circuit value";
}

} // namespace

Mensajes& mensajes()
{
    static Mensajes m;
    return m;
}

TextosControles& textosControles()
{
    static TextosControles t;
    return t;
}

void CargarMensajes(int16_t idioma)
{
    if (idioma == kIdiomaEspanol)
        CargarMensajesEs(mensajes());
    else if (idioma == kIdiomaIngles)
        CargarMensajesEn(mensajes());
}

namespace {
int16_t idiomaTextos = kIdiomaEspanol;
} // namespace

void CargarTextosControles(int16_t idioma)
{
    if (idioma == kIdiomaEspanol)
        CargarTextosEs(textosControles());
    else if (idioma == kIdiomaIngles)
        CargarTextosEn(textosControles());
    else
        return;
    idiomaTextos = idioma;
}

int16_t IdiomaTextos()
{
    return idiomaTextos;
}

const std::string& Texto(int numero)
{
    static const std::string vacio;
    auto& t = textosControles();
    if (numero < 1 || numero >= static_cast<int>(t.size()))
        return vacio;
    return t[static_cast<size_t>(numero)];
}

std::string Traducir(const TextoDoble& texto)
{
    return idiomaTextos == kIdiomaIngles ? texto.en : texto.es;
}

int16_t IdiomaSegun(const char* lcAll, const char* lcMessages, const char* lang, bool sistemaEspanol)
{
    for (const char* valor : {lcAll, lcMessages, lang}) {
        if (valor && *valor)
            return std::strncmp(valor, "es", 2) == 0 ? kIdiomaEspanol : kIdiomaIngles;
    }
    return sistemaEspanol ? kIdiomaEspanol : kIdiomaIngles;
}

int16_t IdiomaDelEntorno()
{
#ifdef _WIN32
    const bool sistemaEspanol = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_SPANISH;
#else
    const bool sistemaEspanol = false;
#endif
    return IdiomaSegun(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"), sistemaEspanol);
}

} // namespace tesedra
