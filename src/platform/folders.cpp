#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace etq {

Folders Folders::standard() {
    return {
        applicationFolderFor(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)),
        QDir::homePath()};
}

QString applicationFolderFor(const QString& executableFolder, const QString& dataHome) {
    const QString folder = QDir::cleanPath(executableFolder);
    const bool systemFolder = folder == QLatin1String("/bin") || folder == QLatin1String("/sbin") ||
                              folder.startsWith(QLatin1String("/usr/")) ||
                              folder.startsWith(QLatin1String("/opt/"));
    if (!systemFolder && QFileInfo(folder).isWritable()) {
        return folder;
    }
    const QString data = QDir(dataHome).filePath(QStringLiteral("etiquetas"));
    QDir().mkpath(data);
    return data;
}

QString fileInFolder(const QString& folder, const QString& name) {
    QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (name.isEmpty() || QFileInfo::exists(exact)) {
        return exact;
    }
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return exact;
}

QString localPath(const Folders& folders, const QString& windowsPath, const QString& base) {
    QString rest = windowsPath;
    QString path = base;
    if (rest.size() >= 2 && rest[1] == QLatin1Char(':') && rest[0].toUpper() == QLatin1Char('C')) {
        path = folders.driveC;
        rest = rest.mid(2);
    } else if (rest.startsWith(QLatin1Char('\\'))) {
        path = folders.driveC;  // the root of the current drive, which is always C here
    }
    // Windows separates folders with either slash.
    QStringList parts = rest.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    // Windows drops trailing blanks and dots from a path's last name: "pedidos.txt " opens
    // "pedidos.txt".
    QString& last = parts.last();
    if (last != QLatin1String(".") && last != QLatin1String("..")) {
        while (last.endsWith(QLatin1Char(' ')) || last.endsWith(QLatin1Char('.'))) {
            last.chop(1);
        }
    }
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".")) {
            continue;
        }
        path = part == QLatin1String("..") ? QDir(path).filePath(part) : fileInFolder(path, part);
    }
    return QDir::cleanPath(path);
}

bool isOrdinaryFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

bool existsVisible(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isHidden();
}

}  // namespace etq
