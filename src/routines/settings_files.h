#pragma once

#include "platform/folders.h"

#include <QString>

namespace etq {

// vorenta.ini in the application folder: the settings file the program reads.
QString settingsFilePath(const Folders& folders);

// The value of key `Campo` in section `Titulo` of vorenta.ini in the application folder, at most
// 127 characters of it; "Nenhum valor lido" when the file, the section or the key is missing.
QString Carrega_ini(const Folders& folders, const QString& Titulo, const QString& Campo);
// The same read from the settings file at `path`.
QString readSettingsValue(const QString& path, const QString& Titulo, const QString& Campo);
// What Carrega_ini returns for a missing file, section or key.
QString noValueRead();

// Stores `Valor` under key `Campo` in section `Titulo` of "C:\sbs.ini" (drive C being
// Folders::driveC). Returns the empty text whether or not the file could be written; a failed
// write leaves the file as it was.
QString GravaNomeUsuario_ini(const Folders& folders, const QString& Titulo, const QString& Campo,
                             const QString& Valor);

}  // namespace etq
