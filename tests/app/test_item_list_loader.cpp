#include "fakes/grid_rows.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "items/item_list_loader.h"
#include "platform/text_encoding.h"

#include <QDir>
#include <QTest>

using namespace etq;
using etq::test::ScriptedMessageBox;
using etq::test::TempFolders;

namespace {

// The grid as start-up leaves it before loading: six columns, headers, one empty data row.
void prepare(FlexGrid& grid) {
    grid.setCols(6);
    const QStringList headers = {QStringLiteral("Qte"),    QStringLiteral("Referência"),
                                 QStringLiteral("Cor"),    QStringLiteral("Tamanho"),
                                 QStringLiteral("Pedido"), QStringLiteral("Exclui")};
    for (int col = 0; col < 6; ++col) {
        grid.setTextMatrix(0, col, headers[col]);
    }
}

QByteArray cp1252(const QString& text) {
    return encodeWindows1252(text);
}

}  // namespace

class TestItemListLoader : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void loadsLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        const QString h = QStringLiteral("Referencia,Cor,Tamanho,Qte,Pedido\r\n");
        const QString empty = QStringLiteral("|||||");
        auto row = [](const char* cells) { return QString::fromUtf8(cells); };

        QTest::newRow("header only") << cp1252(h) << QStringList{empty};
        QTest::newRow("one CR LF is the header") << QByteArray("\r\n") << QStringList{empty};
        QTest::newRow("LF only: one header line")
            << QByteArray("h\nA1,AZUL,38,2,10\nB2,PRETO,39,1,11\n") << QStringList{empty};
        QTest::newRow("three items in order")
            << cp1252(h + QStringLiteral("A1,AZUL,38,2,10\r\nB2,PRETO,39,1,11\r\nC3,BEGE,P,7,12"))
            << QStringList{row("2|A1|AZUL|38|10|N"), row("1|B2|PRETO|39|11|N"),
                           row("7|C3|BEGE|P|12|N"), empty};
        QTest::newRow("lone CR ends a line, lone LF stays")
            << QByteArray("h\rA1,AZ\nUL,38,2,10\r")
            << QStringList{row("2|A1|AZ\nUL|38|10|N"), empty};
        QTest::newRow("extra fields ignored") << QByteArray("h\r\nA1,AZUL,38,2,10,x,y\r\n")
                                              << QStringList{row("2|A1|AZUL|38|10|N"), empty};
        QTest::newRow("no trimming, quotes kept")
            << QByteArray("h\r\n A1 , AZUL ,38,2,10\r\n\"A,2\",X,1,1,1\r\n")
            << QStringList{row("2| A1 | AZUL |38|10|N"), row("1|\"A|2\"|X|1|N"), empty};
        QTest::newRow("blank first field ends the list")
            << QByteArray("h\r\nA1,AZUL,38,2,10\r\n  ,AZUL,38,2,10\r\nB2,PRETO,39,1,11\r\n")
            << QStringList{row("2|A1|AZUL|38|10|N"), empty};
        QTest::newRow("empty line ends the list")
            << QByteArray("h\r\nA1,AZUL,38,2,10\r\n\r\nB2,PRETO,39,1,11\r\n")
            << QStringList{row("2|A1|AZUL|38|10|N"), empty};
        // Short lines no longer end the list: missing fields read as empty texts.
        QTest::newRow("four fields: row completed, loading goes on")
            << QByteArray("h\r\nA1,AZUL,38,2\r\nB2,PRETO,39,1,11\r\n")
            << QStringList{row("2|A1|AZUL|38||N"), row("1|B2|PRETO|39|11|N"), empty};
        QTest::newRow("one field")
            << QByteArray("h\r\nA1\r\n") << QStringList{row("|A1||||N"), empty};
        QTest::newRow("non-numeric quantity kept")
            << QByteArray("h\r\nA1,AZUL,38,dois,10\r\n")
            << QStringList{row("dois|A1|AZUL|38|10|N"), empty};
        QTest::newRow("same reference twice")
            << QByteArray("h\r\nA1,AZUL,38,1,10\r\nA1,AZUL,38,1,10\r\n")
            << QStringList{row("1|A1|AZUL|38|10|N"), row("1|A1|AZUL|38|10|N"), empty};
        QTest::newRow("Windows-1252 accents")
            << QByteArray(
                   "h\r\nB2210,A\xC7"
                   "AFR\xC3"
                   "O,P,5,4502\r\nX,\x80\x8D,1,1,1\r\n")
            << QStringList{row("5|B2210|AÇAFRÃO|P|4502|N"), QStringLiteral("1|X|€\u008D|1|1|N"),
                           empty};
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBFh\r\nB2210,VERDE LIM\xC3\x83O,M,4,4502\r\n")
            << QStringList{row("4|B2210|VERDE LIMÃO|M|4502|N"), empty};
        QTest::newRow("UTF-8 without mark") << QByteArray("h\r\nH8150,CAF\xC3\x89,44,3,4508\r\n")
                                            << QStringList{row("3|H8150|CAFÉ|44|4508|N"), empty};
        QTest::newRow("marked UTF-8 with a broken sequence")
            << QByteArray("\xEF\xBB\xBFh\r\n\xED\r\nX,\xC3,1,1,1")
            << QStringList{QStringLiteral("|\uFFFD||||N"), QStringLiteral("1|X|\uFFFD|1|1|N"),
                           empty};
        QTest::newRow("UTF-8 mark inside the file stays")
            << QByteArray("h\r\n\xEF\xBB\xBF,CAF\xC3\x89,44,3,4508\r\n")
            << QStringList{QStringLiteral("3|\uFEFF|CAFÉ|44|4508|N"), empty};
        QTest::newRow("broken UTF-8 read as Windows-1252")
            << QByteArray("h\r\nH8150,CAF\xC3\x89,44,3,4508\r\nX,\xC3,1,1,1\r\n")
            << QStringList{row("3|H8150|CAFÃ\u2030|44|4508|N"), row("1|X|Ã|1|1|N"), empty};
    }
    void loadsLines() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        TempFolders dirs;
        dirs.writeAppFile(QStringLiteral("etiquetas.csv"), file);
        FlexGrid grid;
        prepare(grid);
        ScriptedMessageBox messages;
        Carrega_etiquetas(grid, messages, dirs.folders().application);
        QCOMPARE(test::gridRows(grid), rows);
        QVERIFY(messages.shown.isEmpty());
    }

    void reportsMissingAndEmptyFiles_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("absent") << 0 << QStringLiteral("O arquivo não existe!");
        QTest::newRow("a folder") << 1 << QStringLiteral("O arquivo não existe!");
        QTest::newRow("0 bytes") << 2 << QStringLiteral("O arquivo está em branco!");
    }
    void reportsMissingAndEmptyFiles() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        TempFolders dirs;
        if (kind == 1) {
            QDir(dirs.folders().application).mkdir(QStringLiteral("etiquetas.csv"));
        } else if (kind == 2) {
            dirs.writeAppFile(QStringLiteral("etiquetas.csv"), {});
        }
        FlexGrid grid;
        prepare(grid);
        ScriptedMessageBox messages;
        Carrega_etiquetas(grid, messages, dirs.folders().application);
        QCOMPARE(grid.Rows(), 2);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, message);
        QCOMPARE(messages.shown[0].title, QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(messages.shown[0].icon, MessageBox::Icon::Exclamation);
        QCOMPARE(messages.shown[0].buttons, MessageBox::Buttons::Ok);
    }

    void findsTheFileInAnotherLetterCase() {
        TempFolders dirs;
        dirs.writeAppFile(QStringLiteral("ETIQUETAS.CSV"), "h\r\nA1,AZUL,38,2,10\r\n");
        FlexGrid grid;
        prepare(grid);
        ScriptedMessageBox messages;
        Carrega_etiquetas(grid, messages, dirs.folders().application);
        QCOMPARE(grid.Rows(), 3);
    }

    // 16-bit row numbers address rows up to 32767: 32766 items and the empty last row.
    void stopsAtTheLastAddressableRow() {
        QByteArray file = "h\r\n";
        const int items = 32766 + 5;
        for (int i = 0; i < items; ++i) {
            file += "R" + QByteArray::number(i) + ",AZUL,38,1,10\r\n";
        }
        file += ",end\r\nZ,AZUL,38,1,10\r\n";  // after the end of the list: not counted
        TempFolders dirs;
        dirs.writeAppFile(QStringLiteral("etiquetas.csv"), file);
        FlexGrid grid;
        prepare(grid);
        ScriptedMessageBox messages;
        Carrega_etiquetas(grid, messages, dirs.folders().application);
        QCOMPARE(grid.Rows(), 32768);
        QCOMPARE(grid.TextMatrix(32766, 1), QStringLiteral("R32765"));
        QVERIFY(grid.TextMatrix(32767, 1).isEmpty());
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains(QStringLiteral(" 5 linha")));
        QCOMPARE(messages.shown[0].title, QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(messages.shown[0].icon, MessageBox::Icon::Exclamation);
    }
};

QTEST_GUILESS_MAIN(TestItemListLoader)
#include "test_item_list_loader.moc"
