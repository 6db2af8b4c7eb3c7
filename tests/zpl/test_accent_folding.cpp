#include "zpl/accent_folding.h"

#include <QTest>

using namespace etq;

class TestAccentFolding : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void folds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        auto row = [](const char* name, const char* text, const char* folded) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(folded);
        };
        row("A", "ÁÀÃÂÄ", "AAAAA");
        row("a", "áàãâä", "aaaaa");
        row("E", "ÉÈÊË", "EEEE");
        row("e", "éèêë", "eeee");
        row("I", "ÍÌÎÏ", "IIII");
        row("i", "íìîï", "iiii");
        row("O", "ÓÒÕÔÖ", "OOOOO");
        row("o", "óòõôö", "ooooo");
        row("U", "ÚÙÛÜ", "UUUU");
        row("u", "úùûü", "uuuu");
        row("cedilla", "Çç", "Cc");
        row("apostrophe becomes a blank", "D'ÁGUA", "D AGUA");
        row("word", "Ação", "Acao");
        row("empty", "", "");
        row("letters outside the table stay", "ñÑýÝÿÅåøØæ", "ñÑýÝÿÅåøØæ");
        row("decomposed accents stay", "a\xcc\x81", "a\xcc\x81");
        row("other quotes stay", "\xe2\x80\x99`\"", "\xe2\x80\x99`\"");
        row("plain text and digits stay", "REF A1020, 38 ^FS\r\n", "REF A1020, 38 ^FS\r\n");
    }

    void folds() {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(tira_acento(text), folded);
    }
};

QTEST_GUILESS_MAIN(TestAccentFolding)
#include "test_accent_folding.moc"
