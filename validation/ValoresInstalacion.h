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

// Where a field is shown: the general values and the line readings in the validation
// window and in the labelled output of `tesedra-cli validate` (the line readings only
// with the line check), the judgement after them in that output only, and the rest in
// the record alone.
enum class GrupoCampo { General, Linea, Juicio, SoloRegistro };

// One field of the installation values: every front end and the record writer take
// names, labels and places from the one table below.
struct CampoValores {
    const char* nombre; // name in the --raw output
    std::string ValoresInstalacion::*miembro;
    int posicion;         // place in the record line; 0 is the number
    int caption;          // caption of its label; 0 when it has none
    const char* etiqueta; // Latin-1 label of a field without a caption
    GrupoCampo grupo;
};
// In the order of the struct, which is the order of the --raw output.
extern const std::array<CampoValores, kNumCampos> kCamposValores;
// The entry of a member.
const CampoValores& Campo(std::string ValoresInstalacion::*miembro);

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
// Clears the three fault flags: a new run, a closed window or a new session judges afresh.
void OlvidarFallosLinea();

// Every field empty except numeroRegistro.
void LimpiarValores(ValoresInstalacion& v);
// Default texts for empty fields, modality and verdicts.
void CompletarValores(ValoresInstalacion& v);

} // namespace tesedra
