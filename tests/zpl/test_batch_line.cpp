#include "platform/batch_line.h"

#include <QTest>

using namespace etq;

class TestBatchLine : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void copies_data() {
        QTest::addColumn<QString>("batch");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::newRow("as the job writes it")
            << QStringLiteral("type epltemp.prn > out.prn\r\n") << QStringLiteral("epltemp.prn")
            << QStringLiteral("out.prn");
        QTest::newRow("device, no blank after >, upper-case verb")
            << QStringLiteral("TYPE epltemp.prn >/dev/usb/lp0") << QStringLiteral("epltemp.prn")
            << QStringLiteral("/dev/usb/lp0");
        QTest::newRow("blanks, tabs and blank lines around")
            << QStringLiteral("\r\n  type\tepltemp.prn   >   Zebra  \r\n\r\n")
            << QStringLiteral("epltemp.prn") << QStringLiteral("Zebra");
        QTest::newRow("LF line ends") << QStringLiteral("type a.prn > b\n\n")
                                      << QStringLiteral("a.prn") << QStringLiteral("b");
        QTest::newRow("destination with blanks")
            << QStringLiteral("type epltemp.prn > my labels.prn") << QStringLiteral("epltemp.prn")
            << QStringLiteral("my labels.prn");
        QTest::newRow("quoted names") << QStringLiteral("type \"job file.prn\" > \"a b\"")
                                      << QStringLiteral("job file.prn") << QStringLiteral("a b");
        QTest::newRow("a semicolon is part of the name, no shell runs it")
            << QStringLiteral("type epltemp.prn > out.prn; touch pwned")
            << QStringLiteral("epltemp.prn") << QStringLiteral("out.prn; touch pwned");
    }
    void copies() {
        QFETCH(QString, batch);
        QFETCH(QString, source);
        QFETCH(QString, destination);
        const std::optional<BatchCopy> copy = parseBatchCopy(batch);
        QVERIFY(copy.has_value());
        QCOMPARE(copy->source, source);
        QCOMPARE(copy->destination, destination);
    }

    void otherForms_data() {
        QTest::addColumn<QString>("batch");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank lines only") << QStringLiteral("\r\n  \r\n");
        QTest::newRow("another command") << QStringLiteral("copy /b epltemp.prn lpt1");
        QTest::newRow("no redirection") << QStringLiteral("type epltemp.prn");
        QTest::newRow("no destination") << QStringLiteral("type epltemp.prn > \r\n");
        QTest::newRow("no source") << QStringLiteral("type > out.prn");
        QTest::newRow("appending") << QStringLiteral("type epltemp.prn >> out.prn");
        QTest::newRow("second redirection") << QStringLiteral("type epltemp.prn > a > b");
        QTest::newRow("pipe") << QStringLiteral("type epltemp.prn > a | del x");
        QTest::newRow("command separator") << QStringLiteral("type epltemp.prn > a & touch p");
        QTest::newRow("input redirection") << QStringLiteral("type x < y > z");
        QTest::newRow("two sources") << QStringLiteral("type a.prn b.prn > c");
        QTest::newRow("verb glued to name") << QStringLiteral("typeepltemp.prn > c");
        QTest::newRow("lone quote") << QStringLiteral("type epltemp.prn > \"");
        QTest::newRow("quote inside a name") << QStringLiteral("type epltemp.prn > a\"b");
        QTest::newRow("a second command line")
            << QStringLiteral("type epltemp.prn > out.prn\r\ndel epltemp.prn\r\n");
        QTest::newRow("echo off first") << QStringLiteral("@echo off\r\ntype a > b\r\n");
    }
    void otherForms() {
        QFETCH(QString, batch);
        QVERIFY(!parseBatchCopy(batch).has_value());
    }
};

QTEST_GUILESS_MAIN(TestBatchLine)
#include "test_batch_line.moc"
