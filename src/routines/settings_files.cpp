#include "routines/settings_files.h"

#include "platform/private_profile.h"

namespace etq {

namespace {

constexpr int kReadBuffer = 128;

}  // namespace

QString Carrega_ini(const Folders& folders, const QString& Titulo, const QString& Campo) {
    const QString path = fileInFolder(folders.application, QStringLiteral("vorenta.ini"));
    return readProfileString(path, Titulo, Campo, QStringLiteral("Nenhum valor lido"), kReadBuffer);
}

QString GravaNomeUsuario_ini(const Folders& folders, const QString& Titulo, const QString& Campo,
                             const QString& Valor) {
    writeProfileString(localPath(folders, QStringLiteral("C:\\sbs.ini"), folders.driveC), Titulo,
                       Campo, Valor);
    return QString();
}

}  // namespace etq
