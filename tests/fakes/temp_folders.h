#pragma once

#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace etq::test {

// A temporary application folder and drive-C folder, removed with the object.
class TempFolders {
  public:
    Folders folders() const { return folders_; }
    // Writes raw bytes to a file of the application folder; returns its path.
    QString writeAppFile(const QString& name, const QByteArray& bytes) const {
        QFile file(QDir(folders_.application).filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(file.fileName()));
        }
        return file.fileName();
    }
    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    QString folder(const char* name) const {
        QDir(root_.path()).mkdir(QLatin1String(name));
        return root_.filePath(QLatin1String(name));
    }
    QTemporaryDir root_;
    Folders folders_{folder("app"), folder("c")};
};

}  // namespace etq::test
