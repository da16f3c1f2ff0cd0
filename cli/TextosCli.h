#pragma once
// The texts of tesedra-cli in both languages (Latin-1 bytes), read with Txt in the
// language the program took from the environment (IdiomaCli.h). "%1".. are the
// QString::arg places.

#include "base/Idiomas.h"
#include "base/Latin1.h"

#include <QString>

namespace tesedra::cli {

inline QString Txt(const TextoDoble& t)
{
    return L1(Traducir(t));
}

// main
inline constexpr TextoDoble kTxtResumenReverse{"verifica y descifra una carpeta de ficheros de registro",
                                               "verify and decipher a folder of record files"};
inline constexpr TextoDoble kTxtResumenCheck{"hace una prueba de l\xEDnea contra un router",
                                             "run a line check against a router"};
inline constexpr TextoDoble kTxtResumenValidate{"recoge y juzga los valores de instalaci\xF3n de un router",
                                                "gather and judge the installation values of a router"};
inline constexpr TextoDoble kTxtUso{"Uso: tesedra-cli ORDEN [OPCIONES]\n\n\xD3rdenes:\n",
                                    "Usage: tesedra-cli COMMAND [OPTIONS]\n\nCommands:\n"};
inline constexpr TextoDoble kTxtResumenPorts{"lista los puertos serie que abren Com 1..Com 6",
                                             "list the serial ports Com 1..Com 6 open"};
inline constexpr TextoDoble kTxtUsoFin{
    "\n'tesedra-cli ORDEN --help' describe una orden; 'tesedra-cli --version' muestra la versi\xF3n.\n",
    "\n'tesedra-cli COMMAND --help' describes a command; 'tesedra-cli --version' prints the version.\n"};

// --transcript (check, validate)
inline constexpr TextoDoble kTxtOpcionTranscripcion{
    "Escribe en FILE la transcripci\xF3n de la consola (cada byte en los dos sentidos, con su tiempo; "
    "la contrase\xF1"
    "a como ****).",
    "Write the console transcript of the run (every byte both ways, timed; the password as ****) to FILE."};
inline constexpr TextoDoble kTxtTranscripcionNoEscrita{"no se puede escribir la transcripci\xF3n en '%1': %2",
                                                       "cannot write the transcript to '%1': %2"};

// ports
inline constexpr TextoDoble kTxtDescripcionPorts{
    "Lista el dispositivo que abre cada puerto (Com 1..Com 6, los n\xFAmeros que toma --port):\n"
    "el valor de TESEDRA_COM<n> si est\xE1 puesto; los puertos serie detectados (primero los\n"
    "adaptadores USB y ACM) toman por orden los dem\xE1s n\xFAmeros; si no, /dev/ttyS<n-1>.\n"
    "Un puerto que su usuario no puede abrir lo dice, con qui\xE9n puede.\n"
    "Estado de salida: 0 hecho, 2 uso incorrecto.",
    "Lists the device each port opens (Com 1..Com 6, the numbers --port takes):\n"
    "the value of TESEDRA_COM<n> when set; the detected serial ports (USB and ACM\n"
    "adapters first) take the other numbers in order; else /dev/ttyS<n-1>.\n"
    "A port your user may not open says so, and who may.\n"
    "Exit status: 0 done, 2 wrong usage."};
inline constexpr TextoDoble kTxtPortsSinArgumentos{"ports no lleva argumentos", "ports takes no arguments"};
inline constexpr TextoDoble kTxtOrdenDesconocida{"orden desconocida '%1'", "unknown command '%1'"};

// Router options
inline constexpr TextoDoble kTxtPideClave{"Contrase\xF1"
                                          "a del router: ",
                                          "Router password: "};
inline constexpr TextoDoble kTxtOpcionModelo{"Modelo de router: 812 o 5660.", "Router model: 812 or 5660."};
inline constexpr TextoDoble kTxtOpcionPuerto{"N\xFAmero de puerto serie (1 es COM1).",
                                             "Serial port number (1 is COM1)."};
inline constexpr TextoDoble kTxtOpcionDispositivo{"Ruta del dispositivo serie, en lugar de --port.",
                                                  "Serial device path, instead of --port."};
inline constexpr TextoDoble kTxtOpcionClave{
    "Contrase\xF1"
    "a de la consola del router. Cualquier usuario del equipo la ve en la lista de procesos: mejor "
    "--password-file o la variable TESEDRA_PASSWORD. Sin ninguna de las tres se lee una l\xEDnea de la "
    "entrada est\xE1ndar.",
    "Router console password. Every user of the machine sees it in the process list: prefer "
    "--password-file or the TESEDRA_PASSWORD variable. Without any of the three, one line is read "
    "from standard input."};
inline constexpr TextoDoble kTxtOpcionFicheroClave{"Lee la contrase\xF1"
                                                   "a del router de la primera l\xEDnea de FILE.",
                                                   "Read the router password from the first line of FILE."};
inline constexpr TextoDoble kTxtFicheroClave{"no se puede leer la contrase\xF1"
                                             "a de '%1': %2",
                                             "cannot read the password from '%1': %2"};
inline constexpr TextoDoble kTxtOpcionSilencio{
    "Segundos que el router puede estar sin enviar nada antes de abandonar (por omisi\xF3n %1; 0 espera "
    "siempre).",
    "Seconds the router may send nothing before the run gives up (default %1; 0 waits for ever)."};
inline constexpr TextoDoble kTxtSilencioNumero{"--timeout lleva un n\xFAmero de segundos de 0 a 86400",
                                               "--timeout takes a number of seconds from 0 to 86400"};
inline constexpr TextoDoble kTxtFaltaModelo{"falta --model 812|5660", "--model 812|5660 is required"};
inline constexpr TextoDoble kTxtModeloDesconocido{"modelo desconocido '%1' (812 o 5660)",
                                                  "unknown model '%1' (812 or 5660)"};
inline constexpr TextoDoble kTxtPuertoODispositivo{"indique --port N o --device RUTA, uno de los dos",
                                                   "give either --port N or --device PATH"};
inline constexpr TextoDoble kTxtPuertoNumero{"--port lleva un n\xFAmero de puerto desde 1",
                                             "--port takes a port number from 1"};
inline constexpr TextoDoble kTxtDispositivoRuta{"--device lleva una ruta", "--device takes a path"};
inline constexpr TextoDoble kTxtSinClave{
    "no se dio la contrase\xF1"
    "a del router (--password, --password-file, TESEDRA_PASSWORD o una l\xEDnea en la entrada est\xE1ndar)",
    "no router password given (--password, --password-file, TESEDRA_PASSWORD or one line on standard input)"};
inline constexpr TextoDoble kTxtAccediendo{"Accediendo al router...", "Logging on to the router..."};

// check
inline constexpr TextoDoble kTxtDescripcionCheck{
    "Hace una prueba de l\xEDnea contra el router y escribe su resultado en la salida est\xE1ndar\n"
    "(fines de l\xEDnea CR LF y tabuladores como los muestra la ventana de la prueba).\n"
    "CHECK es sync, atm, ppp o config.\n"
    "Estado de salida: 0 hecho, 1 fall\xF3 el acceso o la prueba, 2 uso incorrecto.",
    "Runs one line check against the router and writes its result text to standard output\n"
    "(CR LF line ends and tabs as the check window shows them).\n"
    "CHECK is sync, atm, ppp or config.\n"
    "Exit status: 0 done, 1 the log-on or the check failed, 2 wrong usage."};
inline constexpr TextoDoble kTxtPruebas{"sync, atm, ppp o config", "sync, atm, ppp or config"};
inline constexpr TextoDoble kTxtOpcionVp{"VP del circuito ATM, d\xEDgitos (por omisi\xF3n 8).",
                                         "VP of the ATM circuit, digits (default 8)."};
inline constexpr TextoDoble kTxtOpcionVc{"VC del circuito ATM, d\xEDgitos (por omisi\xF3n 32).",
                                         "VC of the ATM circuit, digits (default 32)."};
inline constexpr TextoDoble kTxtOpcionCircuito{
    "Nombre del circuito virtual para la prueba de configuraci\xF3n del 812 (por omisi\xF3n WAN).",
    "Virtual circuit name for the 812 configuration check (default WAN)."};
inline constexpr TextoDoble kTxtUnaPrueba{"indique una prueba: sync, atm, ppp o config",
                                          "name one check: sync, atm, ppp or config"};
inline constexpr TextoDoble kTxtPruebaDesconocida{"prueba desconocida '%1' (sync, atm, ppp o config)",
                                                  "unknown check '%1' (sync, atm, ppp or config)"};
inline constexpr TextoDoble kTxtSoloDigitos{"--%1 solo lleva d\xEDgitos del 0 al 9", "--%1 takes digits 0 to 9 only"};
inline constexpr TextoDoble kTxtPruebaFallida{"la prueba %1 fall\xF3", "the %1 check failed"};
inline constexpr TextoDoble kTxtNoEscribeResultado{"no se puede escribir el resultado en la salida est\xE1ndar",
                                                   "cannot write the result to standard output"};

// validate
inline constexpr TextoDoble kTxtDescripcionValidate{
    "Recoge los valores de instalaci\xF3n del router, juzga la l\xEDnea si se pide\n"
    "y escribe los valores; --save a\xF1"
    "ade el registro sellado al fichero del d\xED"
    "a.\n"
    "Estado de salida: 0 hecho, 1 fall\xF3 el acceso, la recogida o el guardado, 2 uso incorrecto.",
    "Gathers the installation values of the router, judges the line when asked to\n"
    "and prints the values; --save appends the sealed record to the day's file.\n"
    "Exit status: 0 done, 1 the log-on, the gathering or the save failed, 2 wrong usage."};
inline constexpr TextoDoble kTxtOpcionLinea{"Lee y juzga los valores de la l\xEDnea ADSL.",
                                            "Read and judge the ADSL line values."};
inline constexpr TextoDoble kTxtOpcionModalidad{
    "Modalidad de servicio para la prueba de l\xEDnea: est\xE1ndar (o estandar), class o premium, en "
    "may\xFAsculas o min\xFAsculas (por omisi\xF3n est\xE1ndar).",
    "Service modality for the line check: est\xE1ndar (or estandar), class or premium, any letter case "
    "(default est\xE1ndar)."};
inline constexpr TextoDoble kTxtOpcionGuardar{"A\xF1"
                                              "ade el registro al fichero del d\xED"
                                              "a AIddmmyy.txt de DIR.",
                                              "Append the record to the day's file AIddmmyy.txt in DIR."};
inline constexpr TextoDoble kTxtOpcionCrudo{"Escribe en su lugar una l\xEDnea nombre=valor por campo del registro.",
                                            "Print one name=value line per record field instead."};
inline constexpr TextoDoble kTxtArgumentoInesperado{"argumento inesperado '%1'", "unexpected argument '%1'"};
inline constexpr TextoDoble kTxtModalidadDesconocida{"modalidad desconocida '%1' (est\xE1ndar, class o premium)",
                                                     "unknown modality '%1' (est\xE1ndar, class or premium)"};
inline constexpr TextoDoble kTxtModalidadSinLinea{"--modality necesita --line-check", "--modality needs --line-check"};
inline constexpr TextoDoble kTxtGuardarSinCarpeta{"--save: no existe la carpeta '%1'", "--save: no such folder '%1'"};
inline constexpr TextoDoble kTxtGuardarNoCarpeta{"--save: '%1' no es una carpeta", "--save: '%1' is not a folder"};
inline constexpr TextoDoble kTxtGuardarNoEscribible{"--save: no se puede escribir en la carpeta '%1': %2",
                                                    "--save: cannot write in the folder '%1': %2"};
inline constexpr TextoDoble kTxtValidacionFallida{
    "la validaci\xF3n fall\xF3: no se pudieron recoger los valores de instalaci\xF3n",
    "the validation failed: the installation values could not be gathered"};
inline constexpr TextoDoble kTxtRegistroGuardado{"Registro%1 guardado en %2", "Record%1 saved to %2"};
inline constexpr TextoDoble kTxtNoGuardada{"la validaci\xF3n no se guard\xF3", "the validation was not saved"};
// Labels of the fields the window shows no caption for.
inline constexpr TextoDoble kTxtFecha{"Fecha", "Date"};
inline constexpr TextoDoble kTxtVeredictoVelocidad{"Veredicto velocidad", "Speed verdict"};
inline constexpr TextoDoble kTxtVeredictoRuido{"Veredicto ruido", "Noise verdict"};
inline constexpr TextoDoble kTxtVeredictoAtenuacion{"Veredicto atenuaci\xF3n", "Attenuation verdict"};

// reverse
inline constexpr TextoDoble kTxtDescripcionReverse{
    "Verifica y descifra cada fichero de registro (AI*.TXT, en may\xFAsculas o min\xFAsculas) de\n"
    "SOURCE_DIR y escribe un fichero separado por punto y coma por fichero de registro\n"
    "(AI<ddmmyy>.des) en DEST_DIR. Los registros alterados, movidos o ilegibles se marcan\n"
    "en sus l\xEDneas de salida.\n"
    "Estado de salida: 0 todos los ficheros escritos, 1 no se pudo leer o escribir una carpeta\n"
    "o un fichero, 2 uso incorrecto o carpetas iguales.",
    "Verifies and deciphers every record file (AI*.TXT, any letter case) of SOURCE_DIR and\n"
    "writes one semicolon-separated file per record file (AI<ddmmyy>.des) into DEST_DIR.\n"
    "Altered, moved or unreadable records are marked in their output lines.\n"
    "Exit status: 0 all files written, 1 a folder or file could not be read or written,\n"
    "2 wrong usage or equal folders."};
inline constexpr TextoDoble kTxtOpcionSinProgreso{"No dibuja la barra de progreso en la salida de errores.",
                                                  "Do not draw the progress bar on standard error."};
inline constexpr TextoDoble kTxtCarpetaOrigen{"Carpeta de los ficheros de registro.", "Folder of the record files."};
inline constexpr TextoDoble kTxtCarpetaDestino{"Carpeta para los ficheros de salida.", "Folder for the output files."};
inline constexpr TextoDoble kTxtFaltanCarpetas{"se esperaban SOURCE_DIR y DEST_DIR",
                                               "expected SOURCE_DIR and DEST_DIR"};
inline constexpr TextoDoble kTxtBarra{"%1/%2 ficheros, %3 registros", "%1/%2 files, %3 records"};
inline constexpr TextoDoble kTxtOpcionCallado{"Escribe solo el total (los fallos siguen en la salida de errores).",
                                              "Print the total only (faults still go to standard error)."};
inline constexpr TextoDoble kTxtResumenFichero{"%1 -> %2: %3 l\xEDneas, %4 en su sitio, %5 movidos, %6 da\xF1"
                                               "ados, %7 ilegibles",
                                               "%1 -> %2: %3 lines, %4 in place, %5 moved, %6 damaged, %7 unreadable"};
inline constexpr TextoDoble kTxtSinFicheros{"No hay ficheros de registro (AI*.TXT) en %1",
                                            "No record files (AI*.TXT) in %1"};
inline constexpr TextoDoble kTxtTotal{
    "Total: %1 de %2 ficheros escritos, %3 l\xEDneas, %4 en su sitio, %5 movidos, %6 da\xF1"
    "ados, %7 ilegibles",
    "Total: %1 of %2 files written, %3 lines, %4 in place, %5 moved, %6 damaged, %7 unreadable"};

} // namespace tesedra::cli
