#include "routines/settings_files.h"

#include "platform/private_profile.h"

namespace etq {

namespace {

constexpr int kReadBuffer = 128;

}  // namespace

QString settingsFilePath(const Folders& folders) {
    return fileInFolder(folders.application, QStringLiteral("vorenta.ini"));
}

QString Carrega_ini(const Folders& folders, const QString& Titulo, const QString& Campo) {
    return readSettingsValue(settingsFilePath(folders), Titulo, Campo);
}

QString readSettingsValue(const QString& path, const QString& Titulo, const QString& Campo) {
    return readProfileString(path, Titulo, Campo, noValueRead(), kReadBuffer);
}

QString noValueRead() {
    return QStringLiteral("Nenhum valor lido");
}

QString GravaNomeUsuario_ini(const Folders& folders, const QString& Titulo, const QString& Campo,
                             const QString& Valor) {
    writeProfileString(localPath(folders, QStringLiteral("C:\\sbs.ini"), folders.driveC), Titulo,
                       Campo, Valor);
    return QString();
}

}  // namespace etq
