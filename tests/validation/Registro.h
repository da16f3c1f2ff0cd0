#pragma once
// The record-file fixture: a temporary folder, Spanish messages, the dialog seam; and
// the values the golden record files were made from.
#include "validation/ValoresInstalacion.h"

#include "DialogosPrueba.h"
#include "Ficheros.h"

#include "base/Idiomas.h"

#include <QDate>

#include <gtest/gtest.h>

#include <algorithm>

namespace tesedra::prueba {

inline const QDate kDia(2001, 12, 5);

// Every field holds its own name, Spanish letters and `i`: golden/origen/AI051201.txt
// holds the records of Valores(1), (2) and (3).
inline ValoresInstalacion Valores(int i)
{
    ValoresInstalacion v;
    for (const auto& c : kCamposValores)
        v.*c.miembro = std::string(c.nombre) + " a\xF1o " + std::to_string(i);
    v.numeroRegistro.clear();
    return v;
}

inline std::string GoldenValidacion(const std::string& nombre)
{
    return Golden("tests/validation/golden/" + nombre);
}

// The lines of a golden record file, split at CR LF.
inline std::vector<std::string> LineasGolden(const std::string& nombre)
{
    const std::string texto = GoldenValidacion(nombre);
    std::vector<std::string> lineas;
    for (size_t inicio = 0; inicio <= texto.size();) {
        const size_t fin = std::min(texto.find("\r\n", inicio), texto.size());
        lineas.push_back(texto.substr(inicio, fin - inicio));
        inicio = fin + 2;
    }
    return lineas;
}

class Registro : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        ASSERT_TRUE(dir_.isValid());
    }
    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }

    QTemporaryDir dir_;
    DialogosPrueba dialogos_;
};

} // namespace tesedra::prueba
