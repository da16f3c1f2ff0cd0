// Letters above 0x7F (Latin-1) in the router's replies go through unchanged: into a
// check result, into the gathered values, into the sealed record line and back out of
// the reverse validation, byte for byte.
#include "checks/Pruebas.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "validation/ValoresInstalacion.h"

#include "tests/checks/RouterPrueba.h"

#include <QDate>
#include <QTemporaryDir>

#include <map>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const std::string kNombre = "Espa\xF1" "a 912 \xE1\xE9\xED\xF3\xFA";
const std::string kUsuario = "ni\xF1" "o\xBF" "@corp";

struct CasoLatin1 {
    int16_t modelo;
    std::map<std::string, std::string> respuestas;
};

void PrintTo(const CasoLatin1& c, std::ostream* os)
{
    *os << "modelo " << c.modelo;
}

class Latin1 : public PruebaConRouter, public testing::WithParamInterface<CasoLatin1> {
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
};

TEST_P(Latin1, ValoresGuardadosYValidadosVuelvenIguales)
{
    const auto& c = GetParam();
    auto& r = Router(c.modelo);
    for (const auto& [orden, texto] : c.respuestas)
        r.fijarRespuesta(orden, texto);
    estadoLinea().ComprobarLinea = true;
    estadoLinea().ModalidadServicio = kModalidadEstandar;

    ValoresInstalacion v;
    ASSERT_TRUE(EjecutarValidacion(c.modelo, v));
    EXPECT_EQ(v.telefono, kNombre);
    EXPECT_EQ(v.usuarioARC, kUsuario);

    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    QString ruta;
    ASSERT_TRUE(GuardarValidacion(carpeta.path(), v, &ruta));
    const std::string registro = LeerFichero(ruta);
    const std::string salida = ValidarContenido(registro);

    // Header, two empty lines, then the record: its values without the number.
    const std::string completo = TextoCompleto(v);
    const std::string valores = completo.substr(completo.find(';') + 1);
    const std::string inicio = CabeceraSalida() + "\r\n\r\n\r\n";
    ASSERT_EQ(salida.compare(0, inicio.size(), inicio), 0);
    const std::string linea = salida.substr(inicio.size());
    EXPECT_EQ(linea.substr(0, valores.size()), valores);
    EXPECT_EQ(linea.substr(linea.size() - 5), ";OK\r\n");
    EXPECT_EQ(linea.substr(0, kNombre.size() + 1), kNombre + ";");
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modelos, Latin1,
    testing::Values(
        CasoLatin1{kEfficient5660,
                   {{"show", "Host Name           - " + kNombre + "\nSoftware Version    - 5.3.3\n"},
                    {"show pppauth", "Username            - " + kUsuario + " (VC 8/32)\n"}}},
        CasoLatin1{kOfficeRemote812,
                   {{"show system", "System Name: " + kNombre + "\nSystem Version: 4.2.7\n"},
                    {"show vc WAN", "Send Name : " + kUsuario + "\n"}}}));

TEST_F(Latin1, ResultadoDeUnChequeoConservaLosBytes)
{
    auto& r = Router(kEfficient5660);
    r.fijarRespuesta("show cfg", "system name " + kNombre + "\nvc 1 ppp username " + kUsuario + "\n");
    const std::string resultado = EjecutarPrueba(kEfficient5660, kPruebaConfiguracion, ParametrosPrueba{});
    EXPECT_EQ(resultado, "system name " + kNombre + "\r\nvc 1 ppp username " + kUsuario + "\r\n");
}

} // namespace
