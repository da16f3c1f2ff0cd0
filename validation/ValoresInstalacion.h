#pragma once
// The installation values of one validation: 23 text fields, in the order the
// record file relies on, and the line judgement settings and fault flags.

#include <array>
#include <cstdint>
#include <string>

namespace tesedra {

struct ValoresInstalacion {
    std::string telefono;
    std::string tipoModem;
    std::string versionSW;
    std::string mac;
    std::string ipLan;
    std::string mascaraLan;
    std::string ipWan;
    std::string ipRemota;
    std::string usuarioARC;
    std::string downStream;
    std::string upStream;
    std::string dhcpInicio;
    std::string dhcpFin;
    std::string fecha;
    std::string atenuacionSubida;
    std::string atenuacionBajada;
    std::string margenRuidoSubida;
    std::string margenRuidoBajada;
    std::string modalidadServicio;
    std::string veredictoVelocidad;
    std::string veredictoRuido;
    std::string veredictoAtenuacion;
    std::string numeroRegistro;
};

inline constexpr int kNumCampos = 23;

// Field names and members in record order, for generic walks (--raw output, tests).
struct CampoValores {
    const char* nombre;
    std::string ValoresInstalacion::*miembro;
};
extern const std::array<CampoValores, kNumCampos> kCamposValores;

// Service modality codes.
inline constexpr int16_t kModalidadEstandar = 1;
inline constexpr int16_t kModalidadClass = 2;
inline constexpr int16_t kModalidadPremium = 3;

// Line judgement settings and flags, shared by the gathering, the window and the save.
struct EstadoLinea {
    int16_t ModalidadServicio = kModalidadEstandar;
    bool ComprobarLinea = false;
    bool AtenuacionIncorrecta = false;
    bool RuidoIncorrecto = false;
    bool VelocidadIncorrecta = false;
};
EstadoLinea& estadoLinea();

// Every field empty except numeroRegistro.
void LimpiarValores(ValoresInstalacion& v);
// Default texts for empty fields, modality and verdicts.
void CompletarValores(ValoresInstalacion& v);

} // namespace tesedra
