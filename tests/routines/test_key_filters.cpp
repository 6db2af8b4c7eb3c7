#include "routines/key_filters.h"

#include <QTest>

using namespace etq;

namespace {

// Upper case in Windows-1252 as its code chart lists it: a-z, the accented small letters
// 0xE0-0xFE but the division sign 0xF7, and the four small letters of 0x80-0x9F whose capitals
// are in the chart too (š, œ, ž, ÿ). Every other code has no capital in the chart.
int capitalInChart(int code) {
    if (code >= 'a' && code <= 'z') {
        return code - 0x20;
    }
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) {
        return code - 0x20;
    }
    switch (code) {
        case 0x9A:
            return 0x8A;
        case 0x9C:
            return 0x8C;
        case 0x9E:
            return 0x8E;
        case 0xFF:
            return 0x9F;
        default:
            return code;
    }
}

}  // namespace

class TestKeyFilters : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void numero_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("result");
        QTest::newRow("digit 5") << int('5') << int('5');
        QTest::newRow("Backspace") << 8 << 8;
        QTest::newRow("letter a") << int('a') << 0;
        QTest::newRow("minus") << int('-') << 0;
        QTest::newRow("comma") << int(',') << 0;
        QTest::newRow("superscript two") << 0xB2 << 0;
        QTest::newRow("one half") << 0xBD << 0;
        QTest::newRow("outside the code page") << 0x135 << 0;
        QTest::newRow("negative") << -8 << 0;
    }

    void numero() {
        QFETCH(int, tecla);
        QFETCH(int, result);
        QCOMPARE(NUMERO(static_cast<std::int16_t>(tecla)), result);
    }

    void numeroOverAllCodes() {
        for (int code = 0; code < 256; ++code) {
            const bool passes = code == 8 || (code >= '0' && code <= '9');
            QCOMPARE(NUMERO(static_cast<std::int16_t>(code)), passes ? code : 0);
        }
    }

    void mais_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("result");
        QTest::newRow("a") << int('a') << int('A');
        QTest::newRow("capital stays") << int('Q') << int('Q');
        QTest::newRow("digit 1") << int('1') << int('1');
        QTest::newRow("ç gives Ç") << 0xE7 << 0xC7;
        QTest::newRow("ÿ gives Ÿ") << 0xFF << 0x9F;
        QTest::newRow("œ gives Œ") << 0x9C << 0x8C;
        QTest::newRow("ß has no capital") << 0xDF << 0xDF;
        QTest::newRow("µ has no capital in the chart") << 0xB5 << 0xB5;
        QTest::newRow("ƒ has no capital in the chart") << 0x83 << 0x83;
        QTest::newRow("outside the code page") << 0x101 << 0x101;
        QTest::newRow("negative") << -1 << -1;
    }

    void mais() {
        QFETCH(int, tecla);
        QFETCH(int, result);
        QCOMPARE(Mais(static_cast<std::int16_t>(tecla)), result);
    }

    void maisOverAllCodes() {
        for (int code = 0; code < 256; ++code) {
            QCOMPARE(Mais(static_cast<std::int16_t>(code)), capitalInChart(code));
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "test_key_filters.moc"
