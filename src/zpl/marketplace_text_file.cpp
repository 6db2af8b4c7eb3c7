#include "zpl/marketplace_text_file.h"

#include "platform/error.h"
#include "platform/text_encoding.h"

#include <QDir>

namespace etq {

AppendedTextFile::AppendedTextFile(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        fail();
    }
}

void AppendedTextFile::writeLine(const QString& line) {
    const QByteArray bytes = encodeWindows1252(line) + "\r\n";
    if (file_.write(bytes) != bytes.size()) {
        fail();
    }
}

void AppendedTextFile::close() {
    if (!file_.flush()) {
        fail();
    }
    file_.close();
}

void AppendedTextFile::fail() {
    throw Error(
        Error::FileAccessError, QStringLiteral("AppendedTextFile"),
        QDir::toNativeSeparators(file_.fileName()) + QStringLiteral(": ") + file_.errorString());
}

}  // namespace etq
