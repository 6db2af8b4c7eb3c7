// The menus, opened by their access keys, and their dialogs, checked against the library's own
// results; prints through a CUPS scheduler of the test's own to a queue whose PDF keeps words.
#include "app/item_grid.h"
#include "app/window_menus.h"
#include "app/window_operations.h"
#include "fakes/recording_command_runner.h"
#include "fakes/window_session.h"
#include "jobs/label_stream_file.h"
#include "jobs/thermal_settings.h"
#include "pdf_words.h"
#include "platform/qt/qt_mouse_pointer.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_calibration.h"
#include "private_cups.h"
#include "routines/settings_files.h"
#include "zpl/marketplace_job.h"

#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

using namespace etq;
using namespace etq::test;

namespace {

const QByteArray kItems =
    "h\r\nC3,AZUL,38,3,4501\r\nA1,PRETO,40,0,4502\r\nB2,ROSA,42,2,4503\r\nD4,VERDE,36,14,\r\n";
const QString kQueue = QStringLiteral("TXTPDF");

// The window with its menus on the items above, shown.
template <typename Printer = RecordingPrinter>
struct Session : WindowSession<Printer> {
    RecordingCommandRunner commands;
    QtMousePointer pointer;
    std::unique_ptr<WindowOperations> operations;

    Session() {
        this->temp.writeAppFile(QStringLiteral("etiquetas.csv"), kItems);
        this->start();
        operations =
            std::make_unique<WindowOperations>(*this->window, *this->platform, commands, pointer);
        new WindowMenus(*this->window, *this->platform, *operations, pointer);
        this->window->show();
        if (!QTest::qWaitForWindowActive(this->window.get())) {
            qFatal("the window did not become active");
        }
    }
    QString appFile(const QString& name) const {
        return QDir(this->temp.folders().application).filePath(name);
    }
    // Alt + the menu's letter, then the item's letter: the dialog the item opened, if any.
    template <typename Dialog = QDialog>
    Dialog* open(Qt::Key menu, Qt::Key item) {
        QTest::keyClick(QApplication::focusWidget(), menu, Qt::AltModifier);
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            QTest::keyClick(popup, item);
        }
        return qobject_cast<Dialog*>(QApplication::activeModalWidget());
    }
};

template <typename T>
T* child(QObject* dialog, const char* name) {
    return dialog->findChild<T*>(QLatin1String(name));
}

QString columnText(const FlexGrid& grid, int col) {
    QStringList texts;
    for (int row = 0; row < grid.Rows(); ++row) {
        texts << grid.TextMatrix(row, col);
    }
    return texts.join(QLatin1Char('|'));
}

// The same word at the same place moved by (x, y) millimetres, to 0.1 mm.
bool movedBy(const PdfWord& a, const PdfWord& b, double x, double y) {
    return a.text == b.text && a.page == b.page && qAbs(a.left - b.left - x) <= 0.05 &&
           qAbs(a.top - b.top - y) <= 0.05;
}

// Labels that both kinds of reader find their fields in, `references` distinct references.
QString labelStream(int labels, int references) {
    QString stream;
    for (int i = 0; i < labels; ++i) {
        stream += QString::asprintf(
            "^XA^PQ%d,0,1,Y^FT3,113^A0N,28,28^FH\\^FDR%d^FS^FD>;%d^FS^FO8182,"
            "63^FWN^A0,N37,35^FDR%d^FS^XZ\r\n",
            i % 3 + 1, i % references, 1000 + i, i % references);
    }
    return stream;
}

}  // namespace

Q_DECLARE_METATYPE(StreamReader)

class TestWindowMenus : public QObject {
    Q_OBJECT
    std::unique_ptr<PrivateCups> cups_;

  private Q_SLOTS:
    void initTestCase() {
        cups_ = std::make_unique<PrivateCups>();
        QString error = cups_->start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        error = cups_->addFileQueue(kQueue, "job.pdf",
                                    "lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void menuBarLeavesTheClientAreaAsItWas() {
        WindowSession<> plain;
        plain.start();
        Session s;
        MainWindow& w = *s.window;
        const int bar = w.findChild<QMenuBar*>()->height();
        QCOMPARE(w.client->geometry(), QRect(QPoint(0, bar), plain.window->size()));
        QCOMPARE(w.size(), QSize(w.client->width(), w.client->y() + w.client->height()));
        const auto controls = plain.window->client->findChildren<QWidget*>(
            QRegularExpression(QStringLiteral("^[A-Za-z]+[0-9]*$")));
        QVERIFY(controls.size() >= 24);
        for (const QWidget* control : controls) {
            const auto* same = w.findChild<QWidget*>(control->objectName());
            QCOMPARE(same->geometry(), control->geometry());
            QCOMPARE(same->parentWidget()->objectName(), control->parentWidget()->objectName());
        }
        QStringList tabs;
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            tabs << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(tabs.join(' '),
                 QStringLiteral("txtreduzido txtdescricao2 txtnumero txtQte txtpedido "
                                "combolinha combocoluna CMBPRINTER command1 Command2 FLEX1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(!s.printer.calls.isEmpty());  // printed
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
    }

    void thermalLabelsRunTheJobAndKeepTheSettings() {
        Session<QtPrinterService> s;
        s.temp.writeAppFile("vorenta.ini",
                            "[etiqueta_termica]\r\ndensidade=15\r\n"
                            "velocidade=4\r\ncod_fornecedor=F-77\r\ndescricao=CAMISA"
                            "\r\ncod_barras=789\r\ndestino=zebra\r\n");
        s.window->grid().select(3, 1, 2, 1);
        QDialog* d = s.open(Qt::Key_P, Qt::Key_T);
        QVERIFY(d);
        QCOMPARE(child<QLineEdit>(d, "descricao")->text(), QStringLiteral("CAMISA"));
        QCOMPARE(child<QComboBox>(d, "destino")->currentText(), QStringLiteral("zebra"));
        QCOMPARE(child<QComboBox>(d, "destino")->itemText(0), kQueue);
        QCOMPARE(QPoint(child<QSpinBox>(d, "first")->value(), child<QSpinBox>(d, "last")->value()),
                 QPoint(2, 3));
        child<QLineEdit>(d, "descricao")->setText(QStringLiteral("CALÇA"));
        QTest::keyClicks(child<QLineEdit>(d, "cod_terceiro"), QStringLiteral("T-9"));
        QTest::keyClicks(child<QLineEdit>(d, "velocidade"), QStringLiteral("x5"));  // digits only
        child<QRadioButton>(d, "layoutB")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);

        ThermalSettings saved;
        saved.load(s.appFile("vorenta.ini"));
        QStringList values;
        for (const PlainTextField& field : saved.fields) {
            values << field.text();
        }
        QCOMPARE(values.join('|'), QStringLiteral("15|45||F-77|CALÇA|T-9|789|zebra"));
        QCOMPARE(columnText(s.window->grid(), 8), QStringLiteral("||S|S||"));
        QCOMPARE(s.commands.started.size(), 1);
        QVERIFY(s.messages.shown.isEmpty());
        Session other;
        imprime_wms_2(2, 3,
                      {other.window->grid(), other.window->panel(), saved.settings, s.messages,
                       other.temp.folders().application, s.commands});
        const QByteArray expected = TempFolders::readFile(other.appFile("epltemp.prn"));
        QCOMPARE(TempFolders::readFile(s.appFile("epltemp.prn")), expected);
    }

    // A text the printer's code page lacks: one message, the job's, naming it; the other texts
    // are kept all the same.
    void thermalLabelsRefuseWhatThePrinterCannotPrint() {
        Session s;
        s.temp.writeAppFile("vorenta.ini", "[etiqueta_termica]\r\ndescricao=CAL\xC7\x41\r\n");
        QDialog* d = s.open(Qt::Key_P, Qt::Key_T);
        QVERIFY(d);
        child<QLineEdit>(d, "descricao")->setText(QStringLiteral("Łódź"));
        child<QLineEdit>(d, "cod_barras")->setText(QStringLiteral("789"));
        QTest::keyClick(d, Qt::Key_Return);
        QCOMPARE(s.messages.shown.size(), 1);
        QVERIFY2(s.messages.shown.front().text.contains(
                     QStringLiteral("Descrição contém o caractere \"Ł\"")),
                 qPrintable(s.messages.shown.front().text));
        ThermalSettings saved;
        saved.load(s.appFile("vorenta.ini"));
        QCOMPARE(saved.fields[4].text() + '|' + saved.fields[6].text(),
                 QStringLiteral("CALÇA|789"));
        QVERIFY(s.commands.started.isEmpty());
    }

    void labelStreamsFillTheGrid_data() {
        QTest::addColumn<StreamReader>("reader");
        QTest::addColumn<int>("labels");
        QTest::addColumn<int>("references");
        QTest::newRow("items") << StreamReader::Pega_Itens << 5 << 2;
        QTest::newRow("separate, from a file") << StreamReader::SEPARA_1 << 5 << 2;
        QTest::newRow("separate in any case") << StreamReader::SEPARA_2 << 5 << 2;
        QTest::newRow("20000 items of 500 references") << StreamReader::Pega_Itens << 20000 << 500;
        QTest::newRow("20000 labels, from a file") << StreamReader::SEPARA_1 << 20000 << 7;
    }
    // The pointer is busy while a reader runs, and the window never waits long for it.
    void labelStreamsFillTheGrid() {
        QFETCH(StreamReader, reader);
        QFETCH(int, labels);
        QFETCH(int, references);
        Session s;
        const QString stream = labelStream(labels, references);
        QDialog* d = s.open(Qt::Key_A, Qt::Key_Z);
        QVERIFY(d);
        if (reader == StreamReader::SEPARA_1) {
            child<QLineEdit>(d, "file")->setText(s.temp.writeAppFile("x.zpl", stream.toUtf8()));
        } else {
            child<QPlainTextEdit>(d, "pasted")->setPlainText(stream);
        }
        child<QRadioButton>(d, "separa1")->setChecked(reader == StreamReader::SEPARA_1);
        child<QRadioButton>(d, "separa2")->setChecked(reader == StreamReader::SEPARA_2);
        // The longest time between two moments the reader lets events run: the window's freeze.
        bool busy = true;
        QElapsedTimer frozen;
        qint64 longest = 0;
        s.events.onProcess = [&] {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            busy = busy && pointer && pointer->shape() == Qt::WaitCursor;
            longest = std::max(longest, frozen.restart());
            QCoreApplication::processEvents();
        };
        frozen.start();
        QTest::keyClick(d, Qt::Key_Return);
        longest = std::max(longest, frozen.elapsed());
        qInfo("%d labels: the window frozen %lld ms at most", labels, longest);
        QVERIFY(longest < 500);
        QVERIFY(busy && s.events.count > 0 && !QGuiApplication::overrideCursor());

        Session other;
        FlexGrid& expected = other.window->grid();
        readLabelStream(reader, stream, expected, s.events, s.pointer);
        QCOMPARE(expected.Rows(), 6 + (reader == StreamReader::Pega_Itens ? references : labels));
        for (int col = 0; col < expected.Cols(); ++col) {
            QCOMPARE(columnText(s.window->grid(), col), columnText(expected, col));
        }
    }

    void importListsTheRecords_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("lineMode");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("name alone, line mode") << "pedidos" << true << "L1 L2" << QString();
        QTest::newRow("separator mode") << "pedidos.txt" << false << "S1 S2" << QString();
        QTest::newRow("missing file") << "nada" << true << ""
                                      << "O arquivo não existe!";
    }
    void importListsTheRecords() {
        QFETCH(QString, typed);
        QFETCH(bool, lineMode);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Session s;
        // Two headers either way; the keys stand at character 62.
        const QByteArray k(61, '.');
        s.temp.writeAppFile("pedidos.txt", "H1\r\nH2\x8DH3\x8D" + k + "S1\x8D" + k + "S2\x8D\r\n" +
                                               k + "L1\r\n" + k + "L2\r\n");
        QDialog* d = s.open(Qt::Key_A, Qt::Key_M);
        QVERIFY(d);
        QTest::keyClicks(child<QLineEdit>(d, "txtarquivo"), typed);
        child<QRadioButton>(d, lineMode ? "optlinha" : "separador")->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);
        QCOMPARE(s.messages.shown.isEmpty() ? QString() : s.messages.shown[0].text, message);

        // Records and lines read back hold the dots and the key, the keys list the key alone.
        for (const char* name : {"lstregistros", "lstlinhas", "lstchaves"}) {
            const auto* list = child<QListWidget>(d, name);
            QStringList shown;
            for (int row = 0; row < list->count(); ++row) {
                shown << list->item(row)->text().remove(QString::fromLatin1(k));
            }
            QCOMPARE(shown, keys.split(' ', Qt::SkipEmptyParts));
            QVERIFY(child<QLabel>(d, name)->text().endsWith(QString::number(shown.size())));
        }
    }

    void totalAndSort() {
        Session s;
        FlexGrid& grid = s.window->grid();
        QVERIFY(!s.open(Qt::Key_G, Qt::Key_T));
        QCOMPARE(s.window->Label5->text(), QStringLiteral("Total: 19"));
        grid.setCol(1);
        s.open(Qt::Key_G, Qt::Key_O);
        // The empty last row stays last, where the next rows read in are written.
        QCOMPARE(columnText(grid, 1), QStringLiteral("> Referência|A1|B2|C3|D4|"));
        QHeaderView* header = s.window->FLEX1->horizontalHeader();
        Q_EMIT header->customContextMenuRequested({header->sectionViewportPosition(0) + 3, 3});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->actions().first()->trigger();
        QCOMPARE(columnText(grid, 0), QStringLiteral("> Qte|0|2|3|14|"));
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("Referência"));
    }

    void previewDrawsThePagesOfAPrint() {
        Session<QtPrinterService> s;
        writeCalibration(settingsFilePath(s.temp.folders()), kQueue, {1.5, -0.7});
        s.window->grid().select(4, 1, 1, 1);
        s.window->combolinha->setCurrentIndex(6);
        s.printer.setOutputFileName(s.appFile("print.pdf"));
        QTest::mouseClick(s.window->command1, Qt::LeftButton);
        auto* d = s.open<QPrintPreviewDialog>(Qt::Key_P, Qt::Key_V);
        QVERIFY(d);
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFileName(s.appFile("preview.pdf"));
        Q_EMIT d->paintRequested(&pdf);
        QString error;
        const PdfText print = readPdfWords(s.appFile("print.pdf"), &error);
        const PdfText preview = readPdfWords(pdf.outputFileName(), &error);
        // 19 labels from slot (7, 1), of 7 words, 6 for the 14 without an order number.
        QVERIFY(print.pages == 3 && preview.pages == 3 && print.words.size() == 5 * 7 + 14 * 6);
        QCOMPARE(d->findChild<QPrintPreviewWidget*>()->pageCount(), 3);
        QCOMPARE(preview.words.size(), print.words.size());
        for (qsizetype i = 0; i < print.words.size(); ++i) {
            QVERIFY(movedBy(preview.words[i], print.words[i], 0, 0));
        }
    }

    // Every word of a print moves by exactly the offsets kept for the printer, and back when
    // they are 0 again; the calibration sheet moves by the offsets shown, saved or not.
    void calibrationMovesEveryPrintedWord_data() {
        QTest::addColumn<bool>("sheet");
        QTest::newRow("sheet labels") << false;
        QTest::newRow("calibration sheet") << true;
    }
    void calibrationMovesEveryPrintedWord() {
        QFETCH(bool, sheet);
        Session<QtPrinterService> s;
        s.window->CMBPRINTER->setCurrentText(kQueue);
        s.window->grid().select(1, 1, 3, 1);
        const QString output = QDir(cups_->outputFolder()).filePath(QStringLiteral("job.pdf"));
        auto print = [&](double x, double y) {
            QFile::remove(output);
            QDialog* d = s.open(Qt::Key_P, Qt::Key_C);
            child<QDoubleSpinBox>(d, "horizontal")->setValue(x);
            child<QDoubleSpinBox>(d, "vertical")->setValue(y);
            if (sheet) {
                QTest::mouseClick(child<QPushButton>(d, "sheet"), Qt::LeftButton);
            }
            QTest::keyClick(d, sheet ? Qt::Key_Escape : Qt::Key_Return);
            if (!sheet) {
                QTest::mouseClick(s.window->command1, Qt::LeftButton);
            }
            QString error = cups_->waitForOutput(output, 60000);
            return error.isEmpty() ? readPdfWords(output, &error).words : QList<PdfWord>();
        };
        const QList<PdfWord> plain = print(0, 0);
        const QList<PdfWord> moved = print(1.5, -0.7);
        QCOMPARE(readCalibration(s.appFile("vorenta.ini"), kQueue).y, sheet ? 0 : -0.7);
        const QList<PdfWord> back = print(0, 0);
        QCOMPARE(plain.size(), sheet ? 14 * 6 : 5 * 7);  // words of 14 slots, of 3 + 2 labels
        // The slots are numbered along the rows, 33.9 mm apart: "Etiqueta 4" is row 2, column 2.
        for (qsizetype i = 0; sheet && i + 1 < plain.size(); ++i) {
            if (plain[i].text == QLatin1String("Etiqueta")) {
                const int row = qRound((plain[i].top - plain[0].top) / 33.9) + 1;
                const int column = plain[i].left < 100 ? 1 : 2;
                QCOMPARE(plain[i + 1].text.toInt(), (row - 1) * 2 + column);
            }
        }
        QVERIFY(moved.size() == plain.size() && back.size() == plain.size());
        for (qsizetype i = 0; i < plain.size(); ++i) {
            QVERIFY(movedBy(moved[i], plain[i], 1.5, -0.7) && movedBy(back[i], plain[i], 0, 0));
        }
    }
};

QTEST_MAIN(TestWindowMenus)
#include "test_window_menus.moc"
