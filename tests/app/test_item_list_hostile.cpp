#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "fakes/unprivileged_child.h"
#include "items/item_list_loader.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace etq;
using namespace etq::test;

namespace {

const QString kFile = QStringLiteral("etiquetas.csv");
const QStringList kHeaders = {QStringLiteral("Qte"),    QStringLiteral("Referência"),
                              QStringLiteral("Cor"),    QStringLiteral("Tamanho"),
                              QStringLiteral("Pedido"), QStringLiteral("Exclui")};
// What the operator had in the grid before the list was read (again).
const QStringList kRowsBefore = {QStringLiteral("5|OLD1|AZUL|38|9001|N"),
                                 QStringLiteral("7|OLD2|PRETO|40|9002|N")};
const QString kEmptyRow = QStringLiteral("|||||");
constexpr qint64 kMiB = 1024 * 1024;

enum class Hostile { Unreadable, NamedPipe, Bytes };

// The outcome of one load, carried out of the child process.
struct Outcome {
    QStringList texts;
    QStringList titles;
    QStringList rows;  // rows 1.. as "c0|c1|c2|c3|c4|c5"
    qint64 anonymousGrowth = 0;
};

// Anonymous resident memory of this process (heap and copies, not mapped files), in bytes.
qint64 anonymousMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:")) {
            return line.mid(8).trimmed().split(' ').front().toLongLong() * 1024;
        }
    }
    return 0;
}

// The grid as the operator had it: headers, two items, the empty last row.
void prepare(FlexGrid& grid) {
    grid.setCols(6);
    for (int col = 0; col < 6; ++col) {
        grid.setTextMatrix(0, col, kHeaders[col]);
    }
    for (const QString& row : kRowsBefore) {
        const QStringList cells = row.split(QLatin1Char('|'));
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(grid.Rows() - 1, col, cells[col]);
        }
        grid.setRows(grid.Rows() + 1);
    }
}

// Loads the list of `folder` in a child process that cannot read what its permissions forbid
// (and that is ended should the load hang), and brings back what the operator would see.
Outcome loadInChild(const QString& folder) {
    QString problem;
    const std::optional<QByteArray> bytes = runUnprivileged(
        [&folder] {
            FlexGrid grid;
            prepare(grid);
            ScriptedMessageBox messages;
            const qint64 before = anonymousMemory();
            Carrega_etiquetas(grid, messages, folder);
            const qint64 growth = anonymousMemory() - before;
            QStringList texts;
            QStringList titles;
            for (const ScriptedMessageBox::Shown& shown : messages.shown) {
                texts << shown.text;
                titles << shown.title;
            }
            QStringList rows;
            for (int row = 1; row < grid.Rows(); ++row) {
                QStringList cells;
                for (int col = 0; col < grid.Cols(); ++col) {
                    cells << grid.TextMatrix(row, col);
                }
                rows << cells.join(QLatin1Char('|'));
            }
            QByteArray out;
            QDataStream stream(&out, QIODevice::WriteOnly);
            stream << texts << titles << rows << growth;
            return out;
        },
        problem);
    Outcome outcome;
    if (!bytes) {
        qWarning("%s", qPrintable(problem));
        outcome.texts << QStringLiteral("no outcome: ") + problem;
        return outcome;
    }
    QDataStream stream(*bytes);
    stream >> outcome.texts >> outcome.titles >> outcome.rows >> outcome.anonymousGrowth;
    return outcome;
}

// A temporary application folder that the unprivileged child can enter and read.
struct OpenFolders {
    TempFolders temp;
    QString app = temp.folders().application;
    OpenFolders() {
        QVERIFY(setMode(QFileInfo(app).absolutePath(), 0755));
        QVERIFY(setMode(app, 0755));
    }
    QString path() const { return QDir(app).filePath(kFile); }
};

// Bytes of a literal that may hold NUL characters.
template <qsizetype N>
QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

QString item(const char* cells) {
    return QString::fromUtf8(cells);
}

}  // namespace

class TestItemListHostile : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Files that cannot be read, or that read strangely: the operator is told what happened
    // (or, where the list format gives no cause to, nothing is said) and every row that was in
    // the grid stays as it was. "message" is the start of the one box expected, if any.
    void hostileFiles_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("added");  // rows after the two already there

        const QByteArray items = "h\r\nA1,AZUL,38,2,10\r\n";
        const QByteArray mega(kMiB, 'R');
        const QString megaRef = QString(kMiB, QLatin1Char('R'));
        QTest::newRow("mode 000") << int(Hostile::Unreadable) << items
                                  << QStringLiteral("Não foi possível ler o arquivo ")
                                  << QStringList{kEmptyRow};
        QTest::newRow("named pipe")
            << int(Hostile::NamedPipe) << QByteArray() << QStringLiteral("O arquivo não existe!")
            << QStringList{kEmptyRow};
        QTest::newRow("NUL bytes are characters of their fields")
            << int(Hostile::Bytes) << bytes("h\r\nA\0B,AZ\0UL,38,2,10\r\n\0\0\0,X,1,1,1\r\n")
            << QString()
            << QStringList{item("2|A") + QChar(0) + item("B|AZ") + QChar(0) + item("UL|38|10|N"),
                           item("1|") + QString(3, QChar(0)) + item("|X|1|1|N"), kEmptyRow};
        QTest::newRow("zero-filled file is one header line")
            << int(Hostile::Bytes) << QByteArray(4096, '\0') << QString() << QStringList{kEmptyRow};
        QTest::newRow("1 MB reference")
            << int(Hostile::Bytes) << QByteArray("h\r\n" + mega + ",AZUL,38,2,10\r\nB2,X,1,1,1\r\n")
            << QString()
            << QStringList{item("2|") + megaRef + item("|AZUL|38|10|N"), item("1|B2|X|1|1|N"),
                           kEmptyRow};
        QTest::newRow("1 MB header")
            << int(Hostile::Bytes) << QByteArray(mega + "\r\nA1,AZUL,38,2,10\r\n") << QString()
            << QStringList{item("2|A1|AZUL|38|10|N"), kEmptyRow};
        QTest::newRow("1 MB line of commas")
            << int(Hostile::Bytes) << QByteArray("h\r\nA1" + QByteArray(kMiB, ',') + "\r\n")
            << QString() << QStringList{item("|A1||||N"), kEmptyRow};
        QTest::newRow("1 MB line without an end")
            << int(Hostile::Bytes) << QByteArray("h\r\nA1,AZUL,38,2," + mega) << QString()
            << QStringList{item("2|A1|AZUL|38|") + megaRef + item("|N"), kEmptyRow};
    }
    void hostileFiles() {
        QFETCH(int, kind);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(QStringList, added);
        OpenFolders dirs;
        if (Hostile(kind) == Hostile::NamedPipe) {
            QCOMPARE(mkfifo(QFile::encodeName(dirs.path()).constData(), 0666), 0);
        } else {
            dirs.temp.writeAppFile(kFile, file);
        }
        if (Hostile(kind) == Hostile::Unreadable) {
            QVERIFY(setMode(dirs.path(), 0));
        }

        const Outcome outcome = loadInChild(dirs.app);
        if (message.isEmpty()) {
            QCOMPARE(outcome.texts, QStringList());
        } else {
            QCOMPARE(outcome.texts.size(), 1);
            QVERIFY2(outcome.texts[0].startsWith(message), qPrintable(outcome.texts[0]));
            QCOMPARE(outcome.titles[0], QStringLiteral("ATENÇÃO!!!"));
        }
        if (Hostile(kind) == Hostile::Unreadable) {
            // The operator learns which file to look at.
            QVERIFY(outcome.texts[0].contains(QDir::toNativeSeparators(dirs.path())));
        }
        QCOMPARE(outcome.rows, kRowsBefore + added);
    }

    // 200 MB of items: the list fills every row number there is, the operator learns how many
    // lines were left out, and the file is not copied into memory on the way.
    void hugeFile() {
        const QByteArray header = "Referencia,Cor,Tamanho,Qte,Pedido\r\n";
        const QByteArray line = "R,AZUL,38,1,4501\r\n";
        const qint64 perChunk = kMiB / line.size();
        const QByteArray chunk = line.repeated(perChunk);
        constexpr int kChunks = 200;
        OpenFolders dirs;
        {
            QFile file(dirs.path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(header), header.size());
            for (int i = 0; i < kChunks; ++i) {
                QCOMPARE(file.write(chunk), chunk.size());
            }
        }
        // The same rows from a file of one chunk: what loading the rows alone costs.
        OpenFolders small;
        small.temp.writeAppFile(kFile, header + chunk);
        const qint64 lines = perChunk * kChunks;
        // Rows 1 and 2 were taken already; row numbers end at 32767, the last row stays empty.
        const qint64 loaded = MaxRowNumber - 1 - kRowsBefore.size();

        const Outcome outcome = loadInChild(dirs.app);
        QCOMPARE(outcome.texts.size(), 1);
        QVERIFY2(outcome.texts[0].contains(QStringLiteral(" %1 linha").arg(lines - loaded)),
                 qPrintable(outcome.texts[0]));
        QCOMPARE(outcome.titles[0], QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(outcome.rows.size(), MaxRowNumber);
        QCOMPARE(outcome.rows.mid(0, 2), kRowsBefore);
        QCOMPARE(outcome.rows[2], item("1|R|AZUL|38|4501|N"));
        QCOMPARE(outcome.rows[MaxRowNumber - 2], item("1|R|AZUL|38|4501|N"));
        QCOMPARE(outcome.rows.back(), kEmptyRow);
        // The 199 MB more cost next to nothing (the address sanitizer keeps an eighth of the
        // mapping as its shadow); a copy of them alone would take 199 MB.
        const Outcome baseline = loadInChild(small.app);
        QCOMPARE(baseline.rows, outcome.rows);
        const qint64 extra = outcome.anonymousGrowth - baseline.anonymousGrowth;
        QVERIFY2(extra < 50 * kMiB, qPrintable(QString::number(extra / kMiB) + " MB"));
    }
};

QTEST_GUILESS_MAIN(TestItemListHostile)
#include "test_item_list_hostile.moc"
