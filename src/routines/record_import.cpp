#include "routines/record_import.h"

#include "platform/blanks.h"
#include "platform/error.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <utility>

namespace etq {

namespace {

const QString kSource = QStringLiteral("importa_arquivo");
const QString kWorkFile = QStringLiteral("c:\\SBTMP.TXT");
const QString kMorvalFile = QStringLiteral("c:\\sbmorval.TXT");
const QString kEndMarker = QStringLiteral("FIM DO ARQUIVO");

// Characters 62 to 106 of a record: the key field.
constexpr qsizetype kKeyStart = 61;
constexpr qsizetype kKeyLength = 45;

[[noreturn]] void fileError(const QFileDevice& file, const QString& path) {
    throw Error(Error::FileAccessError, kSource,
                QStringLiteral("%1: %2").arg(path, file.errorString()));
}

QByteArray readAll(QFile& file) {
    if (!file.open(QIODevice::ReadOnly)) {
        fileError(file, file.fileName());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fileError(file, file.fileName());
    }
    return bytes;
}

bool isEndMarker(QStringView record) {
    return record.size() == kEndMarker.size() && record.toString().toUpper() == kEndMarker;
}

bool isSeparator(QChar c) {
    return c.unicode() == 0x8D || c.unicode() == '\n' || c.unicode() == '\r';
}

// Counts records from 1 and keeps those past the two headers that are not end markers.
class RecordKeeper {
  public:
    explicit RecordKeeper(QStringList& records) : records_(records) {}
    void take(QStringView record) {
        if (++counter_ > 3 && !isEndMarker(record)) {
            records_.append(record.toString());
        }
    }

  private:
    QStringList& records_;
    qint64 counter_ = 1;
};

}  // namespace

RecordImport::RecordImport(MessageBox& messages, Folders folders)
    : messages_(messages), folders_(std::move(folders)) {}

void RecordImport::warn(const QString& text) {
    messages_.show(text, MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                   MessageBox::warningTitle());
}

QString RecordImport::inputPath(const QString& typed) const {
    const QString name = trimBlanks(typed).toString();
    const bool inFolder = typed.contains(QLatin1Char('\\'));
    if (name.right(3).toUpper() != QLatin1String("TXT")) {
        const QString withExtension = name + QLatin1String(".txt");
        return inFolder ? localPath(folders_, withExtension, folders_.application)
                        : fileInFolder(folders_.application, withExtension);
    }
    return inFolder ? localPath(folders_, typed, folders_.application)
                    : fileInFolder(folders_.application, name);
}

void RecordImport::importa_arquivo(const ImportControls& controls) {
    import(controls, nullptr);
}

void RecordImport::importFile(const QString& path, const ImportControls& controls) {
    import(controls, &path);
}

// `exactPath` names the input file as it is; without it the path comes from txtarquivo.
void RecordImport::import(const ImportControls& controls, const QString* exactPath) {
    controls.lstregistros.clear();
    controls.lstlinhas.clear();
    controls.lstchaves.clear();

    sbmorval_ = kMorvalFile;
    const QString morval = localPath(folders_, sbmorval_, folders_.driveC);
    if (isOrdinaryFile(morval)) {
        QFile file(morval);
        if (!file.remove()) {
            fileError(file, morval);
        }
    }

    const QString path = exactPath ? *exactPath : inputPath(controls.txtarquivo.text());
    if (!isOrdinaryFile(path)) {
        warn(QStringLiteral("O arquivo não existe!"));
        return;
    }
    QFile input(path);
    const QByteArray bytes = readAll(input);
    if (bytes.isEmpty()) {
        warn(QStringLiteral("O arquivo está em branco!"));
        return;
    }

    QStringList& records = controls.lstregistros;
    records.clear();
    RecordKeeper keeper(records);
    const bool lineMode = controls.optlinha != 0;
    const QString text = decodeWindows1252(bytes);
    for (LineReader lines(text); !lines.atEnd();) {
        const QStringView line = lines.next();
        if (lineMode) {
            keeper.take(line);
            continue;
        }
        // What follows the last separator of a line belongs to no record.
        qsizetype start = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (isSeparator(line[i])) {
                keeper.take(line.sliced(start, i - start));
                start = i + 1;
            }
        }
    }

    // The work file is written and read back under one resolved name, so that "SBTMP.TXT" and
    // "sbtmp.txt" are always the same file, even where the folder holds both spellings.
    const QString workPath = localPath(folders_, kWorkFile, folders_.driveC);
    QSaveFile work(workPath);
    work.setDirectWriteFallback(true);  // a read-only folder may hold a writable work file
    if (!work.open(QIODevice::WriteOnly)) {
        fileError(work, workPath);
    }
    work.write(encodeWindows1252(joinLinesCrLf(records)));
    if (!work.commit()) {
        fileError(work, workPath);
    }

    QFile readBack(workPath);
    const QString written = decodeWindows1252(readAll(readBack));
    controls.lstlinhas.clear();
    QSet<QString> keys;
    for (LineReader lines(written); !lines.atEnd();) {
        const QStringView line = lines.next();
        QString key = line.mid(kKeyStart, kKeyLength).toString();
        if (!keys.contains(key)) {
            keys.insert(key);
            controls.lstchaves.append(std::move(key));
        }
        controls.lstlinhas.append(line.toString());
    }
}

}  // namespace etq
