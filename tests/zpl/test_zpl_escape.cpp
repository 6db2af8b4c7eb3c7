#include "zpl/zpl_escape.h"

#include <QTest>

using namespace etq;

class TestZplEscape : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void hexEscapes_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain text stands")
            << QStringLiteral("A1020 AZUL-38/x") << QStringLiteral("A1020 AZUL-38/x");
        QTest::newRow("caret") << QStringLiteral("A^XZ") << QStringLiteral("A\\5EXZ");
        QTest::newRow("tilde") << QStringLiteral("~JR") << QStringLiteral("\\7EJR");
        QTest::newRow("backslash") << QStringLiteral("P\\M") << QStringLiteral("P\\5CM");
        QTest::newRow("CR and LF")
            << QStringLiteral("a\r\nb\nc") << QStringLiteral("a\\0D\\0Ab\\0Ac");
        QTest::newRow("tab and accents stand")
            << QStringLiteral("São\tJoão") << QStringLiteral("São\tJoão");
        QTest::newRow("code 128 invocations are not special here")
            << QStringLiteral(">:>0") << QStringLiteral(">:>0");
        QTest::newRow("empty") << QString() << QString();
    }
    void hexEscapes() {
        QFETCH(QString, data);
        QFETCH(QString, field);
        QCOMPARE(zplHexEscaped(data), field);
    }

    void code128_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("field");
        QTest::newRow("digits stand")
            << QStringLiteral("7891234567890") << QStringLiteral("7891234567890");
        QTest::newRow("greater-than") << QStringLiteral("A>B") << QStringLiteral("A>0B");
        QTest::newRow("caret") << QStringLiteral("1^XZ") << QStringLiteral("1><XZ");
        QTest::newRow("tilde") << QStringLiteral("~JR") << QStringLiteral(">=JR");
        QTest::newRow("backslash stands, no ^FH here")
            << QStringLiteral("a\\b") << QStringLiteral("a\\b");
        QTest::newRow("all three in a row") << QStringLiteral(">^~") << QStringLiteral(">0><>=");
    }
    void code128() {
        QFETCH(QString, data);
        QFETCH(QString, field);
        QCOMPARE(code128Escaped(data), field);
    }
};

QTEST_GUILESS_MAIN(TestZplEscape)
#include "test_zpl_escape.moc"
