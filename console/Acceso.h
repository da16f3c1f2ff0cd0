#pragma once
// Log-on to the router console, one entry operation and one dialogue per model.
// They read Puerto and ClaveModem from the session (or the device path set with
// FijarRutaDispositivo, which takes precedence over the port number when not empty).

#include <cstdint>
#include <string>

namespace tesedra {

// When not empty, the entry operations open this device instead of port Puerto.
void FijarRutaDispositivo(const std::string& ruta);

bool IniciarEfficient5660();
bool AccederEfficient5660();
bool IniciarOfficeRemote812();
bool AccederOfficeRemote812();

// Log-on for a model code (1 or 2); false for any other code.
bool IniciarModelo(int16_t modelo);

} // namespace tesedra
