// The titles the window system receives: the program runs under a real X server (Xvfb) and the
// titles are read back with xdotool, as the operator's desktop shows them.

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a tool to its end; its standard output without the final line end (a title's own
// blanks stay).
QString run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(30000);
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    out.chop(out.endsWith('\n') ? 1 : 0);
    return out;
}

}  // namespace

class TestWindowTitles : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // What start-up shows first, then the main window once that box is answered.
    void titles_data() {
        QTest::addColumn<QString>("itemList");  // "file", "folder" or "none"
        QTest::addColumn<QString>("firstTitle");
        QTest::newRow("item list present") << "file"
                                           << "Impressão Etiquetas ";
        QTest::newRow("missing: the application's title") << "none"
                                                          << "Impressão Etiquetas";
        QTest::newRow("a folder in its place: a warning") << "folder"
                                                          << "ATENÇÃO!!!";
    }

    void titles() {
        QFETCH(QString, itemList);
        QFETCH(QString, firstTitle);
        for (const char* tool : {"Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP("Xvfb and xdotool are needed to read the titles");
            }
        }
        QTemporaryDir folder;
        const QString program = folder.filePath("etiquetas");
        QVERIFY(QFile::copy(ETQ_EXECUTABLE, program));
        if (itemList == "file") {
            QFile list(folder.filePath("etiquetas.csv"));
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write("Referencia,Cor,Tamanho,Qte,Pedido\r\nA1,AZUL,38,1,7\r\n");
        } else if (itemList == "folder") {
            QVERIFY(QDir(folder.path()).mkdir("etiquetas.csv"));
        }

        QProcess xvfb;
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        QVERIFY(xvfb.waitForReadyRead(20000));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", ":" + QString::fromLatin1(xvfb.readLine()).trimmed());
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("XDG_RUNTIME_DIR", folder.path());
        QProcess app;
        app.setProcessEnvironment(environment);
        app.start(program, {});

        const auto titleShown = [&] {
            const QString window =
                run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "."}, environment)
                    .section('\n', -1);
            return std::pair{window, run("xdotool", {"getwindowname", window}, environment)};
        };
        const auto [first, title] = titleShown();
        QCOMPARE(title, firstTitle);
        if (firstTitle != "Impressão Etiquetas ") {
            run("xdotool", {"windowfocus", "--sync", first, "key", "Return"}, environment);
            QTRY_COMPARE_WITH_TIMEOUT(titleShown().second, QString("Impressão Etiquetas "), 20000);
        }
        app.kill();
        app.waitForFinished();
        xvfb.kill();
        xvfb.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestWindowTitles)
#include "test_window_titles.moc"
