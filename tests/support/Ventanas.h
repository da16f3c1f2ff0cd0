#pragma once
// The window-test fixture over the router simulator in-process on a pseudo-terminal
// (Linux): the helpers of TextosVentanas.h with a router to talk to.

#include "Router.h"
#include "TextosVentanas.h"

namespace tesedra::prueba {

using PruebaConVentanas = ConVentanas<PruebaConRouter>;

} // namespace tesedra::prueba
