// Renders symbols into images, writes them as PNG files and reads them back with zbarimg
// (zbar-tools): what a real decoder reads must be the text that was meant.
#include "barcode/bar128.h"
#include "barcode/bar39.h"
#include "barcode/numa_barcode.h"
#include "platform/qt/image_surface.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>
#include <map>

using namespace etq;

namespace {

struct Case {
    QString name;
    QString symbology;  // zbar's name for it
    std::function<void(ImageSurface&)> draw;
    QString expected;
};

// The check digit of an EAN number, counting weights 3, 1, 3... from the right.
QString withCheckDigit(const QString& digits) {
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int weight = (digits.size() - i) % 2 != 0 ? 3 : 1;
        sum += (digits[i].unicode() - u'0') * weight;
    }
    return digits + QString::number((10 - sum % 10) % 10);
}

QString code128Value(int value) {
    return QString(QChar(u' ' + value));
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    const numaBarcode barcode;
    auto code39 = [&](const QString& name, const QString& text, bool check, bool caption,
                      const QString& expected) {
        cases.push_back({name, "code39",
                         [=](ImageSurface& s) { barcode.Code39(s, 4, text, check, caption); },
                         expected});
    };
    auto bar39 = [&](const QString& name, const QString& text, bool check,
                     const QString& expected) {
        cases.push_back({name, "code39",
                         [=](ImageSurface& s) { Bar39().Code39(s, 4, text, check); }, expected});
    };
    auto code128 = [&](const QString& name, const QString& text, bool caption) {
        cases.push_back({name, "code128",
                         [=](ImageSurface& s) { barcode.Code128(s, 4, text, caption); }, text});
    };
    auto bar128 = [&](const QString& name, const QString& text) {
        cases.push_back(
            {name, "code128", [=](ImageSurface& s) { Bar128().Code128(s, 4, text); }, text});
    };

    // Every Code 39 character, in both forms.
    const QStringList sets39 = {"0123456789A", "BCDEFGHIJKL", "MNOPQRSTUVW", "XYZ-. $/+%"};
    for (const QString& text : sets39) {
        code39("Code39 " + text, text, false, true, text);
        bar39("Bar39 " + text, text, false, text);
    }
    code39("Code39 upper-cased", "code-39", false, false, "CODE-39");
    code39("Code39 check W", "CODE39", true, true, "CODE39W");
    code39("Code39 asterisks", "*ABC*", false, true, "ABC");
    bar39("Bar39 one letter fits", "A", false, "A");
    bar39("Bar39 with check", "ABC", true, "ABCX");

    // Every code set B character, digit runs inside the text included.
    QString setB;
    for (int value = 0; value <= 94; ++value) {
        setB += code128Value(value);
    }
    for (qsizetype at = 0; at < setB.size(); at += 24) {
        code128("Code128 set B " + QString::number(at), setB.mid(at, 24), true);
    }
    const QStringList texts128 = {"ABC",
                                  "12345678",
                                  "12345",
                                  "A12345",
                                  "AB12",
                                  "123",
                                  "1234A",
                                  "A1234",
                                  "12A34B",
                                  "0000",
                                  "99999999",
                                  "9",
                                  "Etiqueta 2026/12 lote 0042"};
    for (const QString& text : texts128) {
        code128("Code128 " + text, text, false);
    }
    // A check character of every value 0-102, from two set B characters.
    for (int check = 0; check <= 102; ++check) {
        for (int second = 0; second <= 94; ++second) {
            const int first = ((check - 104 - 2 * second) % 103 + 206) % 103;
            if (first <= 94) {
                code128("Code128 check " + QString::number(check),
                        code128Value(first) + code128Value(second), false);
                break;
            }
        }
    }
    const QStringList textsBar128 = {"ABC",      "abc",     "Hello, World!", "A1234",
                                     "12345678", "{x|y}~`", "ZPL_^FD"};
    for (const QString& text : textsBar128) {
        bar128("Bar128 " + text, text);
    }

    // EAN-13 and EAN-8 with every first digit, with and without caption.
    for (int first = 0; first <= 9; ++first) {
        const QString text13 = QString::number(first) + QStringLiteral("00638133393").right(11);
        const QString text8 = QString::number(first) + QStringLiteral("638507");
        const bool caption = first % 2 == 0;
        cases.push_back({"EAN13 " + text13, "ean13",
                         [=](ImageSurface& s) { barcode.EAN13(s, 4, text13, caption); },
                         withCheckDigit(text13)});
        cases.push_back({"EAN8 " + text8, "ean8",
                         [=](ImageSurface& s) { barcode.EAN8(s, 4, text8, caption); },
                         withCheckDigit(text8)});
    }
    cases.push_back({"EAN13 worked example", "ean13",
                     [=](ImageSurface& s) { barcode.EAN13(s, 5, "400638133393", true); },
                     "4006381333931"});
    cases.push_back({"EAN8 worked example", "ean8",
                     [=](ImageSurface& s) { barcode.EAN8(s, 5, "9638507", true); }, "96385074"});
    return cases;
}

// What zbarimg read in each file, by file path, from its XML report.
std::map<QString, QString> readXml(const QByteArray& xml) {
    std::map<QString, QString> decoded;
    QXmlStreamReader reader(xml);
    QString source;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == QLatin1String("source")) {
            source = reader.attributes().value("href").toString();
        } else if (reader.name() == QLatin1String("data")) {
            decoded[source] += reader.readElementText();
        }
    }
    return decoded;
}

}  // namespace

class TestBarcodeDecoding : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // All symbols are drawn and written first, then each symbology is read in one run.
    void initTestCase() {
        QVERIFY(folder_.isValid());
        std::map<QString, QStringList> filesBySymbology;
        int number = 0;
        for (const Case& c : allCases()) {
            ImageSurface surface;
            c.draw(surface);
            const QString raw = folder_.filePath(QStringLiteral("raw%1.png").arg(number));
            const QString scaled = folder_.filePath(QStringLiteral("symbol%1.png").arg(number));
            ++number;
            QVERIFY2(surface.save(raw), qPrintable(c.name));
            // Three pixels a module inside a white border: zbar is unreliable at one.
            QImage read(raw);
            QVERIFY2(!read.isNull(), qPrintable(c.name));
            QImage framed(read.width() * 3 + 60, read.height() * 3 + 60, QImage::Format_RGB32);
            framed.fill(Qt::white);
            QPainter(&framed).drawImage(
                30, 30,
                read.scaled(read.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            QVERIFY(framed.save(scaled));
            filesBySymbology[c.symbology] << scaled;
            expected_[c.name] = {scaled, c.expected};
        }
        for (const auto& [symbology, files] : filesBySymbology) {
            QProcess zbar;
            QStringList arguments = {"--xml", "--nodbus", "-q", "-Sdisable",
                                     "-S" + symbology + ".enable"};
            zbar.start(QStringLiteral("zbarimg"), arguments + files);
            QVERIFY2(zbar.waitForStarted(),
                     "zbarimg could not be started: install zbar-tools "
                     "(scripts/install-deps.sh test)");
            QVERIFY(zbar.waitForFinished(120000));
            const auto decoded = readXml(zbar.readAllStandardOutput());
            decoded_.insert(decoded.begin(), decoded.end());
        }
    }

    void decodes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        for (const auto& [name, fileAndText] : expected_) {
            QTest::newRow(qPrintable(name)) << fileAndText.first << fileAndText.second;
        }
    }

    void decodes() {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        const auto found = decoded_.find(file);
        QVERIFY2(found != decoded_.end(), "zbarimg found no symbol");
        QCOMPARE(found->second, expected);
    }

  private:
    QTemporaryDir folder_;
    std::map<QString, std::pair<QString, QString>> expected_;
    std::map<QString, QString> decoded_;
};

QTEST_MAIN(TestBarcodeDecoding)
#include "test_barcode_decoding.moc"
