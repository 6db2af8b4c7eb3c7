#pragma once

#include <QString>

namespace etq {

// The folders the program's files live in. The application folder is the folder of the
// executable; drive C is the folder that stands for the root of drive C in the Windows paths
// the program names ("c:\SBTMP.TXT"). Tests point both at temporary folders.
struct Folders {
    QString application;
    QString driveC;

    // The application folder as applicationFolderFor() chooses it, and the user's home folder.
    static Folders standard();
};

// The folder of the executable, where the program keeps etiquetas.csv, vorenta.ini and its job
// files, when this user may write there (a build folder, a copy in the user's own folders).
// A program installed in the system's folders (under /usr, /opt, or wherever the user cannot
// write) keeps them in `dataHome`/etiquetas instead ($XDG_DATA_HOME, by default
// ~/.local/share), created when missing.
QString applicationFolderFor(const QString& executableFolder, const QString& dataHome);

// The path of `name` inside `folder`, naming the entry that already exists there in another
// letter case if there is one ("printmorv.BAT" finds "printmorv.bat"), else `name` as given.
QString fileInFolder(const QString& folder, const QString& name);

// Maps a Windows path ("c:\dados\pedidos.txt", or a relative "dados\x.txt") onto this system:
// a drive letter C maps to the drive-C folder, backslashes and slashes separate folders, and
// every part is found without regard to letter case. A path that starts with a backslash
// starts at the drive-C folder; other paths without a drive letter are relative to `base`. Trailing
// blanks and dots of the last name are dropped, as Windows does.
QString localPath(const Folders& folders, const QString& windowsPath, const QString& base);

// True when the path names an existing ordinary file (not a folder, not a hidden entry).
bool isOrdinaryFile(const QString& path);
// True when the path names an existing file or folder that is not hidden.
bool existsVisible(const QString& path);

}  // namespace etq
