#include "fakes/temp_folders.h"

#include <QDir>
#include <QFile>

namespace etq::test {

TempFolders::TempFolders() {
    QDir(root_.path()).mkpath(QStringLiteral("app"));
    QDir(root_.path()).mkpath(QStringLiteral("c"));
}

Folders TempFolders::folders() const {
    return {root_.filePath(QStringLiteral("app")), root_.filePath(QStringLiteral("c"))};
}

QString TempFolders::writeAppFile(const QString& name, const QByteArray& bytes) const {
    const QString path = QDir(folders().application).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray TempFolders::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace etq::test
