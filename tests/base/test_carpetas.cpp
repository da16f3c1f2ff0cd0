// The folder the program writes in: its own when it may, else ~/Tesedra.
#include "base/Carpetas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tesedra {
namespace {

// Whether a file can really be created in `carpeta`: the judge of the choice,
// asked independently of how the program decides.
bool SePuedeEscribir(const QString& carpeta)
{
    QFile f(QDir(carpeta).filePath(QStringLiteral("sonda.tmp")));
    const bool ok = f.open(QIODevice::WriteOnly);
    if (ok)
        f.remove();
    return ok;
}

TEST(WorkFolder, ProgramFolderWhenWritableElseTheUsersOwn)
{
    QTemporaryDir raiz;
    ASSERT_TRUE(raiz.isValid());
    const QDir r(raiz.path());
    ASSERT_TRUE(r.mkpath(QStringLiteral("build/bin")));
    ASSERT_TRUE(r.mkpath(QStringLiteral("usr/bin")));
    // The installed program's folder: read-only, as /usr/bin is for a technician.
    // Root may still write there, and then it is used.
    ASSERT_TRUE(QFile::setPermissions(r.filePath(QStringLiteral("usr/bin")),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                          | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile(r.filePath(QStringLiteral("fichero"))).open(QIODevice::WriteOnly));

    int personales = 0;
    for (const char* caso : {"build/bin", "usr/bin", "no-existe", "fichero"}) {
        SCOPED_TRACE(caso);
        const QString programa = r.filePath(QString::fromLatin1(caso));
        const QString casa = r.filePath(QStringLiteral("casa"));
        const bool propia = QFileInfo(programa).isDir() && SePuedeEscribir(programa);
        const QString elegida = CarpetaPrograma(programa, casa);
        EXPECT_EQ(elegida, propia ? programa : QDir(casa).filePath(QStringLiteral("Tesedra")));
        EXPECT_TRUE(SePuedeEscribir(elegida));
        personales += propia ? 0 : 1;
    }
    // The missing folder and the file always fall back, whoever runs the test.
    EXPECT_GE(personales, 2);
    QFile::setPermissions(r.filePath(QStringLiteral("usr/bin")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
} // namespace tesedra
