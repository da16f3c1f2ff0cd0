#pragma once
// Shared pieces of the record file tests: known installation values, the expected
// texts built field by field, and small file helpers.

#include "crypto/Cripto.h"
#include "validation/ValoresInstalacion.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tesedra::prueba {

// Values with a distinct text in every field, Spanish letters among them. `i` varies
// the telephone so records of one file differ.
inline ValoresInstalacion ValoresConocidos(int i = 0)
{
    ValoresInstalacion v;
    v.telefono = "91555" + std::to_string(1000 + i);
    v.tipoModem = "Efficient Speed Stream 5660";
    v.versionSW = "5.3.1 versi\xF3" "n espa\xF1" "ola";
    v.mac = "00:20:6F:0A:0B:0C";
    v.ipLan = "192.168.1.1";
    v.mascaraLan = "255.255.255.0";
    v.ipWan = "80.58.0.33";
    v.ipRemota = "80.58.0.1";
    v.usuarioARC = "adslppp@telef\xF3" "nicanet";
    v.downStream = "2048";
    v.upStream = "320";
    v.dhcpInicio = "192.168.1.33";
    v.dhcpFin = "192.168.1.62";
    v.fecha = "05/12/2001 10:2" + std::to_string(i % 10) + ":00";
    v.atenuacionSubida = "23";
    v.atenuacionBajada = "41";
    v.margenRuidoSubida = "12";
    v.margenRuidoBajada = "9";
    v.modalidadServicio = "ESTANDAR";
    v.veredictoVelocidad = "OK";
    v.veredictoRuido = "OK";
    v.veredictoAtenuacion = "NOK";
    v.numeroRegistro = "";
    return v;
}

// The full record text without its number, written out field by field in record order.
inline std::string ValoresEnOrden(const ValoresInstalacion& v)
{
    const std::vector<const std::string*> orden = {
        &v.telefono,          &v.tipoModem,        &v.versionSW,          &v.mac,
        &v.ipLan,             &v.mascaraLan,       &v.ipWan,              &v.ipRemota,
        &v.usuarioARC,        &v.downStream,       &v.dhcpInicio,         &v.dhcpFin,
        &v.fecha,             &v.modalidadServicio, &v.upStream,          &v.margenRuidoBajada,
        &v.margenRuidoSubida, &v.atenuacionBajada, &v.atenuacionSubida,   &v.veredictoVelocidad,
        &v.veredictoRuido,    &v.veredictoAtenuacion,
    };
    std::string s;
    for (size_t i = 0; i < orden.size(); ++i) {
        if (i)
            s += ';';
        s += *orden[i];
    }
    return s;
}

// The digest the record cipher appends to a text (taken from a digested line).
inline std::string Resumen(const std::string& texto)
{
    std::string linea;
    EXPECT_TRUE(AnadirResumen(texto, linea));
    return linea.substr(texto.size() + 1);
}

// The full text S2 of `v` numbered `numero` (" 1"), built here from its parts.
inline std::string S2(const ValoresInstalacion& v, const std::string& numero)
{
    return numero + ";" + ValoresEnOrden(v);
}

inline std::string S1(const ValoresInstalacion& v, const std::string& numero)
{
    return numero + ";" + v.telefono;
}

// The output line of a sound record in its place.
inline std::string SalidaEnSitio(const ValoresInstalacion& v, const std::string& numero)
{
    return ValoresEnOrden(v) + ";" + Resumen(S2(v, numero)) + ";OK";
}

// The output line of a sound record found at another line number.
inline std::string SalidaMovida(const ValoresInstalacion& v, const std::string& numero)
{
    return "\xBF\xBF\xBF" + S2(v, numero) + ";" + Resumen(S2(v, numero)) + ";OK???;NOK";
}

// The record line built from the cipher's operations, independently of the writer.
struct LineaRegistro {
    std::string e1, e2, linea;
};
inline LineaRegistro SellarRegistro(const ValoresInstalacion& v, const std::string& numero)
{
    LineaRegistro r;
    EXPECT_TRUE(CifrarRegistro(S1(v, numero), r.e1));
    EXPECT_TRUE(CifrarRegistro(S2(v, numero), r.e2));
    EXPECT_TRUE(AnadirResumen(r.e1 + r.e2, r.linea));
    return r;
}

// Changes the hexadecimal digit at `pos` to another hexadecimal digit.
inline void CambiarCifra(std::string& s, size_t pos)
{
    ASSERT_LT(pos, s.size());
    s[pos] = s[pos] == 'A' ? 'B' : 'A';
}

inline const std::string kFin = "\r\n";

inline const std::string& CabeceraEsperada()
{
    static const std::string c =
        "Tfno;Tipo ATUR;Vers. Sw;MAC;IP Eth;Mask Eth;IP IPCP;IP Remota;Usuario;Downstream;DHCP Start;"
        "DHCP End;Fecha;Servicio;VIs;Mb;Ms;ATb;ATs;Estado_Velocidad;Estado_Ruido;Estado_Atenuaci\xF3"
        "n;C\xF3" "digo";
    return c;
}

// A whole output file: header, two empty lines, the given lines, all ended by CR LF.
inline std::string SalidaCompleta(const std::vector<std::string>& lineas)
{
    std::string s = CabeceraEsperada() + kFin + kFin + kFin;
    for (const auto& l : lineas)
        s += l + kFin;
    return s;
}

// Equal byte strings; on a difference shows where, without printing megabytes.
inline ::testing::AssertionResult MismoContenido(const std::string& obtenido, const std::string& esperado)
{
    if (obtenido == esperado)
        return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < obtenido.size() && i < esperado.size() && obtenido[i] == esperado[i])
        ++i;
    const size_t desde = i < 80 ? 0 : i - 80;
    return ::testing::AssertionFailure()
           << "sizes " << obtenido.size() << " and " << esperado.size() << ", first difference at byte " << i
           << "\n  got:      ..." << ::testing::PrintToString(obtenido.substr(desde, 200))
           << "\n  expected: ..." << ::testing::PrintToString(esperado.substr(desde, 200));
}

inline std::string Leer(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable " + ruta.toStdString() + ">";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

inline void Escribir(const QString& ruta, const std::string& contenido)
{
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << ruta.toStdString();
    ASSERT_EQ(f.write(contenido.data(), static_cast<qint64>(contenido.size())),
              static_cast<qint64>(contenido.size()));
}

} // namespace tesedra::prueba
