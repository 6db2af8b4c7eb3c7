#include "fakes/temp_folders.h"
#include "platform/folders.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

#include <QDir>
#include <QTest>

using namespace etq;

class TestTextFiles : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void windows1252RoundTripsEveryByte() {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b) {
            all[b] = static_cast<char>(b);
        }
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x8D], QChar(0x8D));
        QCOMPARE(text[0xC7], QChar(u'Ç'));
        QCOMPARE(encodeWindows1252(text), all);
        QVERIFY(fitsWindows1252(text));
    }

    void charactersWithoutAByteBecomeSubstitutes() {
        const QString text = QStringLiteral("a\u4E2Dç\U0001F600");
        QCOMPARE(encodeWindows1252(text), QByteArray("a\x1A\xE7\x1A\x1A"));
        QVERIFY(!fitsWindows1252(text));
    }

    void utf8Detection_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ascii only") << QByteArray("abc,def") << false;
        QTest::newRow("two-byte") << QByteArray("CAF\xC3\x89") << true;
        QTest::newRow("three-byte") << QByteArray("\xE2\x82\xAC") << true;
        QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x98\x80") << true;
        QTest::newRow("lone continuation") << QByteArray("CAF\x89") << false;
        QTest::newRow("truncated at end") << QByteArray("ok \xC3") << false;
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three-byte") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("cp1252 accents") << QByteArray(
                                               "A\xC7"
                                               "AFR\xC3"
                                               "O")
                                        << false;
    }
    void utf8Detection() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(isMultibyteUtf8(bytes), utf8);
    }

    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("CR LF only") << QStringLiteral("\r\n") << QStringList{QString()};
        QTest::newRow("last line unterminated")
            << QStringLiteral("a\r\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("lone CR") << QStringLiteral("a\rb\r")
                                 << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("lone LF stays")
            << QStringLiteral("a\nb\r\nc\n")
            << QStringList{QStringLiteral("a\nb"), QStringLiteral("c\n")};
        QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\n")
                                  << QStringList{QStringLiteral("a"), QString()};
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(splitLines(text), lines);
    }

    void windowsPathsMapOntoDriveC() {
        test::TempFolders dirs;
        const Folders folders = dirs.folders();
        QDir(folders.driveC).mkpath(QStringLiteral("Dados/Sub"));
        QFile(QDir(folders.driveC).filePath(QStringLiteral("SBTMP.TXT")))
            .open(QIODevice::WriteOnly);
        const QString c = QDir(folders.driveC).absolutePath();
        QCOMPARE(localPath(folders, QStringLiteral("c:\\sbtmp.txt"), QString()),
                 c + QStringLiteral("/SBTMP.TXT"));
        QCOMPARE(localPath(folders, QStringLiteral("C:\\dados\\sub\\pedidos.txt"), QString()),
                 c + QStringLiteral("/Dados/Sub/pedidos.txt"));
        QCOMPARE(localPath(folders, QStringLiteral("x\\y.txt"), folders.application),
                 QDir(folders.application).absolutePath() + QStringLiteral("/x/y.txt"));
        QCOMPARE(fileInFolder(folders.driveC, QStringLiteral("sbtmp.TXT")),
                 QDir(folders.driveC).filePath(QStringLiteral("SBTMP.TXT")));
        QCOMPARE(fileInFolder(folders.driveC, QStringLiteral("novo.txt")),
                 QDir(folders.driveC).filePath(QStringLiteral("novo.txt")));
        QVERIFY(isOrdinaryFile(fileInFolder(folders.driveC, QStringLiteral("sbtmp.txt"))));
        QVERIFY(!isOrdinaryFile(QDir(folders.driveC).filePath(QStringLiteral("Dados"))));
        QVERIFY(existsVisible(QDir(folders.driveC).filePath(QStringLiteral("Dados"))));
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "test_text_files.moc"
