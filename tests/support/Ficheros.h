#pragma once
// Files for tests: whole files read and written as bytes, golden files of the
// source tree, and a readable form of texts with line ends; with Qt's classes of
// files and folders, temporary ones too.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace tesedra::prueba {

// The bytes of a file; "<cannot read PATH>" when it cannot be read.
std::string LeerFichero(const QString& ruta);
// Replaces a file with `contenido`; false when it cannot be written.
bool EscribirFichero(const QString& ruta, const std::string& contenido);
// A file of the source tree, e.g. Golden("tests/checks/golden/812_sync.txt").
std::string Golden(const std::string& rutaRelativa);
// The same, for comparing with `actual`. A golden file is never written by a test:
// with TESEDRA_GOLDEN_NUEVOS set, `actual` is written to build/golden-nuevos/<ruta>
// instead, for a person to look at and copy over the golden file by hand.
std::string Golden(const std::string& rutaRelativa, const std::string& actual);
// A name that lists as a file of its folder but cannot be read, while the object
// lives: on Linux a link to nothing; on Windows a file this process holds open
// without sharing it.
class FicheroIlegible {
public:
    explicit FicheroIlegible(const QString& ruta);
    ~FicheroIlegible();
    FicheroIlegible(const FicheroIlegible&) = delete;
    FicheroIlegible& operator=(const FicheroIlegible&) = delete;

private:
    void* abierto_ = nullptr;
};

// CR, LF and TAB shown as <CR>, <LF> and <TAB>, so a failed comparison reads well.
std::string Visible(const std::string& s);

} // namespace tesedra::prueba
