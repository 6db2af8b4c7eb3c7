#pragma once

#include "platform/folders.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace etq::test {

// A temporary application folder and drive-C folder, removed with the object.
class TempFolders {
  public:
    TempFolders();
    Folders folders() const;
    // Writes raw bytes to a file of the application folder; returns its path.
    QString writeAppFile(const QString& name, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

  private:
    QTemporaryDir root_;
};

}  // namespace etq::test
