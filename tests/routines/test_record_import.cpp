#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "platform/error.h"
#include "platform/text_encoding.h"
#include "routines/record_import.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace etq;
using etq::test::ScriptedMessageBox;
using etq::test::TempFolders;

namespace {

// A record whose characters 62 to 106 are `key`, followed by `tail`.
QString record(const QString& key, const QString& tail = QString()) {
    return QString(61, QLatin1Char('x')) + key + tail;
}

QByteArray bytesOf(const QString& text) {
    return encodeWindows1252(text);
}

// Writes `bytes` to `relative` ("app/pedidos.txt", "c/dados/pedidos.txt") under the folders.
void place(const TempFolders& temp, const QString& relative, const QByteArray& bytes) {
    const Folders folders = temp.folders();
    const QString root = QFileInfo(folders.application).path();
    const QString path = QDir(root).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct Lists {
    QStringList registros{QStringLiteral("old")};
    QStringList linhas{QStringLiteral("old")};
    QStringList chaves{QStringLiteral("old")};
};

}  // namespace

class TestRecordImport : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void imports_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");  // where the input lies: app/... or c/...
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("optlinha");
        QTest::addColumn<QStringList>("registros");
        QTest::addColumn<QStringList>("chaves");

        const QByteArray lines("H1\r\nH2\r\nA\r\nB\r\n");
        const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
        const QStringList emptyKey{QString()};
        auto row = [&](const char* name, const char* typed, const char* file) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(file) << lines << 1
                                << ab << emptyKey;
        };
        // Where a typed name leads.
        row("name only: .txt in the application folder", "pedidos", "app/pedidos.txt");
        row("blanks around a name are dropped", "  pedidos  ", "app/pedidos.txt");
        row("name.TXT as typed in the application folder", "pedidos.TXT", "app/pedidos.TXT");
        row("name ending in txt without a dot", "pedidostxt", "app/pedidostxt");
        row("drive C folder gets .txt", "C:\\dados\\pedidos", "c/dados/pedidos.txt");
        row("drive C names in any case", "C:\\DADOS\\PEDIDOS.TXT", "c/dados/pedidos.txt");
        row("typed path with trailing blanks", "c:\\dados\\pedidos.txt  ", "c/dados/pedidos.txt");
        row("backslash first: root of drive C", "\\dados\\pedidos", "c/dados/pedidos.txt");
        row("relative folder: the application folder", "dados\\pedidos", "app/dados/pedidos.txt");

        // Line mode.
        QTest::newRow("two lines only: nothing kept")
            << "p"
            << "app/p.txt" << QByteArray("H1\r\nH2\r\n") << 1 << QStringList() << QStringList();
        QTest::newRow("end marker in any case dropped, reading goes on")
            << "p"
            << "app/p.txt"
            << QByteArray("H1\r\nH2\r\nA\r\nfim do arquivo\r\nB\r\nFim Do Arquivo\r\nC") << -1
            << QStringList{"A", "B", "C"} << emptyKey;
        QTest::newRow("end marker with a blank is a record")
            << "p"
            << "app/p.txt" << QByteArray("H1\r\nH2\r\nFIM DO ARQUIVO \r\n") << 1
            << QStringList{"FIM DO ARQUIVO "} << emptyKey;
        QTest::newRow("lone CR ends a line, lone LF stays in it")
            << "p"
            << "app/p.txt" << QByteArray("H1\rH2\rA\nB\r\n\r\nC") << 1
            << QStringList{"A\nB", "", "C"} << emptyKey;
        QTest::newRow("Windows-1252 text")
            << "p"
            << "app/p.txt" << QByteArray("H1\r\nH2\r\nA\xe7\xe3o\x80\r\n") << 1
            << QStringList{QStringLiteral("Ação€")} << emptyKey;

        // Separator mode.
        QTest::newRow("0x8D and LF separate, empty records count")
            << "p"
            << "app/p.txt" << QByteArray("A\x8D\nB\x8D\nC\x8D\n") << 0
            << QStringList{"B", "", "C", ""} << emptyKey;
        QTest::newRow("line without separator and tails contribute nothing")
            << "p"
            << "app/p.txt" << QByteArray("H1\x8DH2\x8D\r\nnoseparator\r\nX\x8DY\x8Dtail\r\nrest")
            << 0 << QStringList{"X", "Y"} << emptyKey;
        QTest::newRow("lone CR ends the line, its tail is dropped")
            << "p"
            << "app/p.txt"
            << QByteArray(
                   "H1\x8DH2\x8D"
                   "A\rB\x8D")
            << 0 << QStringList{"B"} << emptyKey;
        QTest::newRow("end marker dropped in separator mode")
            << "p"
            << "app/p.txt" << QByteArray("H1\nH2\nA\nfim do ARQUIVO\nB\n") << 0
            << QStringList{"A", "B"} << emptyKey;

        // Keys: characters 62 to 106, first appearance order, exact match.
        const QString k1(45, QLatin1Char('1'));
        const QString k2 = QStringLiteral("k2") + QString(43, QLatin1Char(' '));
        const QStringList keyed{record(k1, "tail a"), record(k2),
                                record(k1, "tail b"), "short",
                                record("part"),       record(k2.toUpper())};
        QTest::newRow("distinct keys")
            << "p"
            << "app/p.txt" << bytesOf("h\r\nh\r\n" + keyed.join("\r\n")) << 1 << keyed
            << QStringList{k1, k2, "", "part", k2.toUpper()};
    }

    void imports() {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, optlinha);
        QFETCH(QStringList, registros);
        QFETCH(QStringList, chaves);
        TempFolders temp;
        place(temp, file, content);
        ScriptedMessageBox messages;
        RecordImport import(messages, temp.folders());
        PlainTextField txtarquivo(typed);
        Lists lists;

        import.importa_arquivo({txtarquivo, optlinha, lists.registros, lists.linhas, lists.chaves});

        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(lists.registros, registros);
        QCOMPARE(lists.linhas, registros);
        QCOMPARE(lists.chaves, registros.isEmpty() ? QStringList() : chaves);
        QByteArray work;
        for (const QString& r : registros) {
            work += encodeWindows1252(r) + "\r\n";
        }
        QCOMPARE(TempFolders::readFile(QDir(temp.folders().driveC).filePath("SBTMP.TXT")), work);
    }

    void reportsMissingAndEmptyFiles_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << false << QStringLiteral("O arquivo não existe!");
        QTest::newRow("empty") << true << QStringLiteral("O arquivo está em branco!");
    }

    void reportsMissingAndEmptyFiles() {
        QFETCH(bool, present);
        QFETCH(QString, message);
        TempFolders temp;
        if (present) {
            place(temp, "app/p.txt", QByteArray());
        }
        place(temp, "c/sbtmp.txt", "kept\r\n");
        place(temp, "c/SbMorval.txt", "to go");
        ScriptedMessageBox messages;
        RecordImport import(messages, temp.folders());
        PlainTextField txtarquivo(QStringLiteral("p"));
        Lists lists;

        import.importa_arquivo({txtarquivo, 1, lists.registros, lists.linhas, lists.chaves});

        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, message);
        QCOMPARE(messages.shown[0].title, QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(messages.shown[0].icon, MessageBox::Icon::Exclamation);
        QCOMPARE(messages.shown[0].buttons, MessageBox::Buttons::Ok);
        QVERIFY(lists.registros.isEmpty() && lists.linhas.isEmpty() && lists.chaves.isEmpty());
        const QDir c(temp.folders().driveC);
        QCOMPARE(c.entryList(QDir::Files), QStringList{"sbtmp.txt"});
        QCOMPARE(TempFolders::readFile(c.filePath("sbtmp.txt")), QByteArray("kept\r\n"));
        QCOMPARE(import.sbmorval(), QStringLiteral("c:\\sbmorval.TXT"));
    }

    // A folder holding both spellings of the work file: what is written is what is read back.
    void readsBackTheFileItWrote() {
        TempFolders temp;
        place(temp, "app/p.txt", "h\r\nh\r\nnew\r\n");
        place(temp, "c/SBTMP.TXT", "stale\r\n");
        place(temp, "c/sbtmp.txt", "stale\r\n");
        ScriptedMessageBox messages;
        RecordImport import(messages, temp.folders());
        PlainTextField txtarquivo(QStringLiteral("p"));
        Lists lists;

        import.importa_arquivo({txtarquivo, 1, lists.registros, lists.linhas, lists.chaves});

        QCOMPARE(lists.linhas, QStringList{"new"});
    }

    // The work file cannot be written: the caller gets the error, the records read stay listed.
    void unwritableWorkFileRaises() {
        TempFolders temp;
        place(temp, "app/p.txt", "h\r\nh\r\nA\r\n");
        QVERIFY(QDir(temp.folders().driveC).mkdir("SBTMP.TXT"));
        ScriptedMessageBox messages;
        RecordImport import(messages, temp.folders());
        PlainTextField txtarquivo(QStringLiteral("p"));
        Lists lists;

        QVERIFY_THROWS_EXCEPTION(Error, import.importa_arquivo({txtarquivo, 1, lists.registros,
                                                                lists.linhas, lists.chaves}));
        QCOMPARE(lists.registros, QStringList{"A"});
        QVERIFY(lists.linhas.isEmpty());
    }

    // A read-only drive C: the old work file stays whole.
    void readOnlyFolderKeepsTheOldWorkFile() {
        if (geteuid() == 0) {
            QSKIP("file permissions do not bind root");
        }
        TempFolders temp;
        place(temp, "app/p.txt", "h\r\nh\r\nA\r\n");
        place(temp, "c/sbtmp.txt", "old\r\n");
        const QString c = temp.folders().driveC;
        QFile::setPermissions(c, QFile::ReadOwner | QFile::ExeOwner);
        ScriptedMessageBox messages;
        RecordImport import(messages, temp.folders());
        PlainTextField txtarquivo(QStringLiteral("p"));
        Lists lists;

        QVERIFY_THROWS_EXCEPTION(Error, import.importa_arquivo({txtarquivo, 1, lists.registros,
                                                                lists.linhas, lists.chaves}));
        QFile::setPermissions(c, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(TempFolders::readFile(QDir(c).filePath("sbtmp.txt")), QByteArray("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestRecordImport)
#include "test_record_import.moc"
