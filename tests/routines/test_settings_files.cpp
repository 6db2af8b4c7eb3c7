#include "fakes/temp_folders.h"
#include "platform/private_profile.h"
#include "routines/settings_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace etq;
using etq::test::TempFolders;

namespace {

const QString kNone = QStringLiteral("Nenhum valor lido");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void reads_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QByteArray plain("[Geral]\r\nNome=Ana\r\n");
        QTest::newRow("value") << plain << "Geral"
                               << "Nome"
                               << "Ana";
        QTest::newRow("names in other case") << plain << "GERAL"
                                             << "nome"
                                             << "Ana";
        QTest::newRow("blanks around names and value")
            << QByteArray("  [ Geral ] \r\n\t Nome \t=  Ana Paula  \r\n") << "Geral"
            << "Nome"
            << "Ana Paula";
        QTest::newRow("blanks around the names asked for") << plain << " Geral\t"
                                                           << "  Nome "
                                                           << "Ana";
        QTest::newRow("missing section") << plain << "Outra"
                                         << "Nome" << kNone;
        QTest::newRow("missing key") << plain << "Geral"
                                     << "Idade" << kNone;
        QTest::newRow("key of a section of another name")
            << QByteArray("[Geral]\r\nNome=Ana\r\n[Outra]\r\nIdade=3\r\n") << "Geral"
            << "Idade" << kNone;
        QTest::newRow("key before any section") << QByteArray("Nome=Ana\r\n[Geral]\r\n") << "Geral"
                                                << "Nome" << kNone;
        QTest::newRow("empty value is a value") << QByteArray("[G]\r\nK=\r\n") << "G"
                                                << "K"
                                                << "";
        QTest::newRow("stored default reads alike")
            << QByteArray("[G]\r\nK=Nenhum valor lido\r\n") << "G"
            << "K" << kNone;
        QTest::newRow("equals sign inside the value") << QByteArray("[G]\r\nK=a=b\r\n") << "G"
                                                      << "K"
                                                      << "a=b";
        QTest::newRow("first of two keys") << QByteArray("[G]\r\nK=1\r\nk=2\r\n") << "G"
                                           << "K"
                                           << "1";
        QTest::newRow("LF and CR line ends") << QByteArray("[G]\nA=1\rK=2") << "G"
                                             << "K"
                                             << "2";
        QTest::newRow("Windows-1252 value")
            << QByteArray("[Seção]\r\nK=A\xe7\xe3o\r\n").replace("Seção", "Se\xe7\xe3o")
            << QString::fromUtf8("SEÇÃO") << "K" << QString::fromUtf8("Ação");
        QTest::newRow("200 characters read as 127") << "[G]\r\nK=" + QByteArray(200, 'v') << "G"
                                                    << "K" << QString(127, 'v');
        QTest::newRow("127 characters whole") << "[G]\r\nK=" + QByteArray(127, 'v') << "G"
                                              << "K" << QString(127, 'v');
        QTest::newRow("malformed lines change nothing")
            << QByteArray("[G]\r\nno equals sign\r\n[no closing\r\n;K=comment\r\n") +
                   QByteArray("\x00\x01\xff=\xfe\r\n", 7) + QByteArray(100000, 'x') + "\r\nK=V\r\n"
            << "G"
            << "K"
            << "V";
    }

    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempFolders temp;
        temp.writeAppFile(QStringLiteral("vorenta.ini"), file);
        QCOMPARE(Carrega_ini(temp.folders(), section, key), value);
    }

    void readsWithoutFile() {
        TempFolders temp;
        QCOMPARE(Carrega_ini(temp.folders(), QStringLiteral("G"), QStringLiteral("K")), kNone);
        QDir(temp.folders().application).mkdir(QStringLiteral("vorenta.ini"));
        QCOMPARE(Carrega_ini(temp.folders(), QStringLiteral("G"), QStringLiteral("K")), kNone);
    }

    void readsFileNamedInOtherCase() {
        TempFolders temp;
        temp.writeAppFile(QStringLiteral("VORENTA.INI"), "[G]\r\nK=V\r\n");
        QCOMPARE(Carrega_ini(temp.folders(), QStringLiteral("G"), QStringLiteral("K")),
                 QStringLiteral("V"));
    }

    void writes_data() {
        QTest::addColumn<QByteArray>("before");  // a null array: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new file") << QByteArray() << "S"
                                  << "K"
                                  << "V" << QByteArray("[S]\r\nK=V\r\n");
        QTest::newRow("new section at the end")
            << QByteArray("; c\r\n[A]\r\nx=1\r\n") << "S"
            << "K"
            << "V" << QByteArray("; c\r\n[A]\r\nx=1\r\n[S]\r\nK=V\r\n");
        QTest::newRow("last line without line end")
            << QByteArray("[A]\r\nx=1") << "S"
            << "K"
            << "V" << QByteArray("[A]\r\nx=1\r\n[S]\r\nK=V\r\n");
        QTest::newRow("new key after the section's last filled line")
            << QByteArray("[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n") << "s"
            << "K"
            << "V" << QByteArray("[S]\r\na=1\r\nK=V\r\n\r\n[T]\r\nb=2\r\n");
        QTest::newRow("new key in an empty last section")
            << QByteArray("[T]\r\nb=2\r\n[S]") << "S"
            << "K"
            << "V" << QByteArray("[T]\r\nb=2\r\n[S]\r\nK=V\r\n");
        QTest::newRow("value replaced in place, names as they were")
            << QByteArray("; c\r\n[s]\r\n  k = old \r\nz=9\r\n[S]\r\nk=other\r\n") << "S"
            << "K"
            << "new" << QByteArray("; c\r\n[s]\r\n  k = new\r\nz=9\r\n[S]\r\nk=other\r\n");
        QTest::newRow("LF file keeps its line ends") << QByteArray("[S]\nK=old\nx=1\n") << "S"
                                                     << "K"
                                                     << "V" << QByteArray("[S]\nK=V\nx=1\n");
        QTest::newRow("malformed lines kept")
            << QByteArray("[S]\r\nno equals\r\n[broken\r\n\x01\xff\r\n") << "S"
            << "K"
            << "V" << QByteArray("[S]\r\nno equals\r\n[broken\r\n\x01\xff\r\nK=V\r\n");
        QTest::newRow("Windows-1252 value")
            << QByteArray() << "S"
            << "K" << QString::fromUtf8("Ação") << QByteArray("[S]\r\nK=A\xe7\xe3o\r\n");
        const QByteArray kept("[S]\r\nK=old\r\n");
        QTest::newRow("refused: line break in the value") << kept << "S"
                                                          << "K"
                                                          << "a\r\n[X]" << kept;
        QTest::newRow("refused: character outside the code page")
            << kept << "S"
            << "K" << QString::fromUtf8("✓") << kept;
        QTest::newRow("refused: equals sign in the key") << kept << "S"
                                                         << "K=1"
                                                         << "V" << kept;
        QTest::newRow("refused: bracket in the section") << kept << "S]"
                                                         << "K"
                                                         << "V" << kept;
        QTest::newRow("refused: blank key") << kept << "S"
                                            << "  "
                                            << "V" << kept;
    }

    void writes() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TempFolders temp;
        const QString path = QDir(temp.folders().driveC).filePath(QStringLiteral("sbs.ini"));
        if (!before.isNull()) {
            writeFile(path, before);
        }
        QCOMPARE(GravaNomeUsuario_ini(temp.folders(), section, key, value), QString());
        QCOMPARE(TempFolders::readFile(path), after);
        QCOMPARE(QFileInfo::exists(path), !after.isNull());
    }

    void roundTrips_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("read");
        QTest::newRow("text") << QString::fromUtf8("Ação €") << QString::fromUtf8("Ação €");
        QTest::newRow("blanks around are not kept") << "  a b  "
                                                    << "a b";
        QTest::newRow("200 characters") << QString(200, 'z') << QString(127, 'z');
        QTest::newRow("empty") << ""
                               << "";
    }

    // What GravaNomeUsuario_ini wrote reads back from the same file, in other letter case too;
    // Carrega_ini reads another file and does not see it.
    void roundTrips() {
        QFETCH(QString, value);
        QFETCH(QString, read);
        TempFolders temp;
        writeFile(QDir(temp.folders().driveC).filePath(QStringLiteral("SBS.INI")), "[x]\r\n");
        GravaNomeUsuario_ini(temp.folders(), QStringLiteral("Usuario"), QStringLiteral("Nome"),
                             value);
        const QString path = QDir(temp.folders().driveC).filePath(QStringLiteral("SBS.INI"));
        QCOMPARE(QDir(temp.folders().driveC).entryList(QDir::Files), QStringList{"SBS.INI"});
        QCOMPARE(readProfileString(path, "USUARIO", "nome", kNone, 128), read);
        QCOMPARE(Carrega_ini(temp.folders(), "Usuario", "Nome"), kNone);
    }

    // A write that cannot be made returns normally and leaves the old file whole.
    void failedWriteKeepsTheFile() {
        TempFolders temp;
        // No folder at all where drive C should be.
        Folders missing = temp.folders();
        missing.driveC = QDir(missing.driveC).filePath(QStringLiteral("absent"));
        QCOMPARE(GravaNomeUsuario_ini(missing, "S", "K", "V"), QString());
        QVERIFY(!QFileInfo::exists(missing.driveC));

        // A name so long that no file can be written beside it: the old content stays.
        const QString path = QDir(temp.folders().driveC).filePath(QString(255, 'n'));
        writeFile(path, "[S]\r\nK=old\r\n");
        QVERIFY(!writeProfileString(path, "S", "K", "new"));
        QCOMPARE(TempFolders::readFile(path), QByteArray("[S]\r\nK=old\r\n"));
        QCOMPARE(QDir(temp.folders().driveC).entryList(QDir::Files).size(), 1);
    }

    void readOnlyFolderReturnsNormally() {
        if (geteuid() == 0) {
            QSKIP("file permissions do not bind root");
        }
        TempFolders temp;
        const QString c = temp.folders().driveC;
        writeFile(QDir(c).filePath("sbs.ini"), "[S]\r\nK=old\r\n");
        QFile::setPermissions(c, QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(GravaNomeUsuario_ini(temp.folders(), "S", "K", "new"), QString());
        QFile::setPermissions(c, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(TempFolders::readFile(QDir(c).filePath("sbs.ini")),
                 QByteArray("[S]\r\nK=old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settings_files.moc"
