#pragma once
// Kept only for the test folders that still include it: the router fixture and the
// file helpers now live in tests/support.
#include "Ficheros.h"
#include "Router.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
