#include "fakes/temp_folders.h"
#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace etq;
using etq::test::TempFolders;

class TestLocalPath : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Existing entries: c/Dados/sbtmp.txt and app/Lista/x.txt. Paths relative to the folders.
    void maps_data() {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("local");
        QTest::newRow("drive C, a name not there is kept") << "c:\\SBTMP.TXT"
                                                           << "c/SBTMP.TXT";
        QTest::newRow("drive C folder and file in other case") << "C:\\DADOS\\SBTMP.TXT"
                                                               << "c/Dados/sbtmp.txt";
        QTest::newRow("backslash first: drive C") << "\\dados\\sbtmp.txt"
                                                  << "c/Dados/sbtmp.txt";
        QTest::newRow("relative to the base") << "lista\\X.TXT"
                                              << "app/Lista/x.txt";
        QTest::newRow("trailing blanks and dots of the last name") << "c:\\dados\\sbtmp.txt . "
                                                                   << "c/Dados/sbtmp.txt";
        QTest::newRow("parent folder") << "c:\\dados\\..\\novo.txt"
                                       << "c/novo.txt";
    }

    void maps() {
        QFETCH(QString, windows);
        QFETCH(QString, local);
        TempFolders temp;
        const Folders folders = temp.folders();
        const QDir root = QFileInfo(folders.application).dir();
        QVERIFY(root.mkpath("c/Dados") && root.mkpath("app/Lista"));
        QFile(root.filePath("c/Dados/sbtmp.txt")).open(QIODevice::WriteOnly);
        QFile(root.filePath("app/Lista/x.txt")).open(QIODevice::WriteOnly);
        QCOMPARE(localPath(folders, windows, folders.application), root.filePath(local));
    }
};

QTEST_GUILESS_MAIN(TestLocalPath)
#include "test_local_path.moc"
