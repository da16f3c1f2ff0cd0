// The Windows numbering of the ports: "Com n" is COMn, opened as \\.\COMn, and is
// described from the registry's serial-port map. Pure functions, run on every platform.
#include "console/PuertosSerie.h"
#include "console/TextosPuertos.h"

#include "base/Idiomas.h"

#include <gtest/gtest.h>

using namespace tesedra;

namespace {

// The map as the registry gives it: device names with backslashes, port names as
// data; values that are not port names are left out.
TEST(PuertosCom, MapOfTheRegistryNamesEachPortAndItsDevice)
{
    const auto puertos = PuertosDelMapa({{"\\Device\\Serial0", "COM1"},
                                         {"\\Device\\USBSER000", "COM12"},
                                         {"\\Device\\Extra", ""},
                                         {"\\Device\\Otro", "LPT1"},
                                         {"\\Device\\Serial1", " com3 "}});
    ASSERT_EQ(puertos.size(), 3u);
    EXPECT_EQ(puertos[0].nombre, "COM1");
    EXPECT_EQ(puertos[0].ubicacion, "\\\\.\\COM1");
    EXPECT_EQ(puertos[0].descripcion, "\\Device\\Serial0");
    EXPECT_EQ(puertos[1].nombre, "COM12");
    EXPECT_EQ(puertos[1].ubicacion, "\\\\.\\COM12");
    EXPECT_EQ(puertos[1].descripcion, "\\Device\\USBSER000");
    EXPECT_EQ(puertos[2].nombre, "COM3");
}

// The lists offer Com 1..Com 6 and then every mapped port above them, once each and
// in order (a USB adapter usually gets COM7 or above). Port n opens \\.\COMn whether
// or not the map lists it (a port a driver made without registering it still
// opens); the entry names the device when the map has it.
TEST(PuertosCom, ListsOfferComOneToSixAndEveryMappedPortAboveThem)
{
    CargarTextosControles(kIdiomaIngles);
    const auto mapa = PuertosDelMapa({{"\\Device\\USBSER001", "COM12"},
                                      {"\\Device\\Serial0", "COM1"},
                                      {"\\Device\\USBSER000", "COM7"},
                                      {"\\Device\\Otro", "com12"}});
    std::string lista;
    for (const PuertoOfrecido& p : PuertosOfrecidosCom(6, mapa))
        lista += EtiquetaPuerto(p.numero, p.destino) + "|" + p.destino.ruta + "\n";
    EXPECT_EQ(lista, "Com 1 - COM1, \\Device\\Serial0|\\\\.\\COM1\n"
                     "Com 2 - COM2 (no device detected)|\\\\.\\COM2\n"
                     "Com 3 - COM3 (no device detected)|\\\\.\\COM3\n"
                     "Com 4 - COM4 (no device detected)|\\\\.\\COM4\n"
                     "Com 5 - COM5 (no device detected)|\\\\.\\COM5\n"
                     "Com 6 - COM6 (no device detected)|\\\\.\\COM6\n"
                     "Com 7 - COM7, \\Device\\USBSER000|\\\\.\\COM7\n"
                     "Com 12 - COM12, \\Device\\USBSER001|\\\\.\\COM12\n");
}

} // namespace
