// The settings file reader and writer over arbitrary file bytes, names and values. A read never
// gives more than the buffer holds; a write that succeeds can be read back and changes no other
// value; a write that fails leaves the file's bytes as they were.
#include "platform/private_profile.h"
#include "platform/text_encoding.h"

#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString unblanked(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [&](qsizetype i) {
        return text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t');
    };
    while (start < end && blank(start)) {
        ++start;
    }
    while (end > start && blank(end - 1)) {
        --end;
    }
    return text.mid(start, end - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    // File bytes, then section, key, value, other section, other key, separated by NUL bytes.
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = input.indexOf('\0');
    const QByteArrayView fileBytes = cut < 0 ? input : input.first(cut);
    const QStringList texts =
        cut < 0 ? QStringList() : etq::decodeWindows1252(input.sliced(cut + 1)).split(QChar(0));
    auto text = [&texts](int i) { return i < texts.size() ? texts[i] : QStringLiteral("k"); };
    const QString section = text(0);
    const QString key = text(1);
    const QString value = text(2);
    const QString otherSection = text(3);
    const QString otherKey = text(4);

    const QString path = QDir(dir.path()).filePath(QStringLiteral("fuzz.ini"));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "temporary file");
    file.write(fileBytes.data(), fileBytes.size());
    file.close();

    const QString fallback = QStringLiteral("Nenhum valor lido");
    const QString before = etq::readProfileString(path, section, key, fallback, 128);
    require(before.size() <= 127, "a read fits its buffer");
    require(etq::readProfileString(path, section, key, fallback, 128) == before,
            "reading changes nothing");
    const QString otherBefore =
        etq::readProfileString(path, otherSection, otherKey, fallback, 4096);

    if (!etq::writeProfileString(path, section, key, value)) {
        require(contents(path) == fileBytes, "a refused write leaves the file alone");
        return 0;
    }
    require(etq::readProfileString(path, section, key, fallback, 1 << 20) == unblanked(value),
            "a written value reads back");
    const bool samePlace =
        otherSection.trimmed().compare(section.trimmed(), Qt::CaseInsensitive) == 0 &&
        otherKey.trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
    if (!samePlace) {
        require(etq::readProfileString(path, otherSection, otherKey, fallback, 4096) == otherBefore,
                "a write changes no other value");
    }
    return 0;
}
