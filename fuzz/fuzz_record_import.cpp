// The record import over arbitrary file bytes, both modes and typed names. After a run without
// error the kept records and the lines read back from the work file are the same, and the keys
// are the distinct 45-character fields of those records, in order of first appearance.
#include "routines/record_import.h"

#include "platform/error.h"
#include "platform/text_encoding.h"

#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    if (size < 2) {
        return 0;
    }
    const etq::Folders folders{QDir(dir.path()).filePath(QStringLiteral("app")),
                               QDir(dir.path()).filePath(QStringLiteral("c"))};
    QDir().mkpath(folders.application);
    QDir().mkpath(folders.driveC);

    // One switch byte, then the typed name up to the first NUL, then the file's bytes. The
    // typed name stays inside the sandbox: ".." cannot climb out of it.
    const int optlinha = data[0] & 1;
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1,
                              static_cast<qsizetype>(size - 1));
    const qsizetype cut = rest.indexOf('\0');
    QString typed = cut < 0 ? QStringLiteral("pedidos") : etq::decodeWindows1252(rest.first(cut));
    typed.replace(QLatin1String(".."), QLatin1String("_"))
        .replace(QLatin1Char('/'), QLatin1Char('_'));
    const QByteArrayView bytes = cut < 0 ? rest : rest.sliced(cut + 1);

    QFile input(QDir(folders.application).filePath(QStringLiteral("pedidos.txt")));
    require(input.open(QIODevice::WriteOnly | QIODevice::Truncate), "input file");
    input.write(bytes.data(), bytes.size());
    input.close();

    etq::PlainTextField txtarquivo(typed);
    QStringList registros;
    QStringList linhas;
    QStringList chaves;
    etq::fuzz::CountingMessages messages;
    etq::RecordImport import(messages, folders);
    try {
        import.importa_arquivo({txtarquivo, optlinha, registros, linhas, chaves});
    } catch (const etq::Error&) {
        return 0;  // an ordinary error passed to the caller
    }
    if (messages.shown > 0) {
        require(registros.isEmpty() && linhas.isEmpty() && chaves.isEmpty(),
                "a reported file leaves the lists empty");
        return 0;
    }
    require(registros == linhas, "the work file reads back as written");
    QStringList expectedKeys;
    QSet<QString> seen;
    for (const QString& record : registros) {
        require(record.compare(QLatin1String("FIM DO ARQUIVO"), Qt::CaseInsensitive) != 0 ||
                    record.toUpper() != QLatin1String("FIM DO ARQUIVO"),
                "end markers are dropped");
        const QString key = record.mid(61, 45);
        if (!seen.contains(key)) {
            seen.insert(key);
            expectedKeys.append(key);
        }
    }
    require(chaves == expectedKeys, "distinct keys in order of first appearance");
    return 0;
}
