#include "platform/error.h"
#include "platform/qt/line_edit_text_box.h"
#include "routines/field_focus.h"

#include <QLineEdit>
#include <QTest>

using namespace etq;

namespace {

// A text box that keeps the calls made on it and can refuse either selection step.
class FakeTextBox : public TextBox {
  public:
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }
    ColorBgr BackColor() const override { return color; }
    void setBackColor(ColorBgr value) override {
        calls << QStringLiteral("BackColor=%1").arg(value, 0, 16);
        color = value;
    }
    int SelStart() const override { return start; }
    void setSelStart(int value) override {
        calls << QStringLiteral("SelStart=%1").arg(value);
        refuse(refuseStart);
        start = value;
    }
    int SelLength() const override { return length; }
    void setSelLength(int value) override {
        calls << QStringLiteral("SelLength=%1").arg(value);
        refuse(refuseLength);
        length = value;
    }

    QString text_;
    ColorBgr color = 0x123456;
    int start = 7;
    int length = 7;
    bool refuseStart = false;
    bool refuseLength = false;
    QStringList calls;

  private:
    static void refuse(bool refused) {
        if (refused) {
            throw Error(Error::InvalidProcedureCall, "FakeTextBox", "refused");
        }
    }
};

QColor baseOf(const QLineEdit& edit) {
    return edit.palette().color(QPalette::Base);
}

}  // namespace

class TestFieldFocus : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void seleciona_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("blanks around: the leading blanks") << "  ab  "
                                                           << "  ";
        QTest::newRow("no blanks: everything") << "abc"
                                               << "abc";
        QTest::newRow("one leading blank") << " a"
                                           << " ";
        QTest::newRow("trailing blanks only") << "ab  "
                                              << "ab";
        QTest::newRow("blanks only: nothing") << "   "
                                              << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("tabs are not blanks") << "\tab\t"
                                             << "\tab\t";
    }

    void seleciona() {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QLineEdit edit(text);
        edit.setCursorPosition(static_cast<int>(text.size()));
        LineEditTextBox box(&edit);

        etq::seleciona(box);

        QCOMPARE(edit.selectedText(), selected);
        QCOMPARE(box.SelStart(), 0);
        QCOMPARE(box.SelLength(), selected.size());
        QVERIFY(!edit.hasFocus());
    }

    void selecionaSkipsFailingSteps_data() {
        QTest::addColumn<bool>("refuseStart");
        QTest::addColumn<bool>("refuseLength");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("start refused") << true << false << 7 << 2;
        QTest::newRow("length refused") << false << true << 0 << 7;
        QTest::newRow("both refused") << true << true << 7 << 7;
    }

    void selecionaSkipsFailingSteps() {
        QFETCH(bool, refuseStart);
        QFETCH(bool, refuseLength);
        QFETCH(int, start);
        QFETCH(int, length);
        FakeTextBox box;
        box.text_ = QStringLiteral(" ab ");
        box.refuseStart = refuseStart;
        box.refuseLength = refuseLength;

        etq::seleciona(box);

        QCOMPARE(box.calls, (QStringList{"SelStart=0", "SelLength=2"}));
        QCOMPARE(box.start, start);
        QCOMPARE(box.length, length);
    }

    void entra1ColoursAndSelects() {
        QLineEdit edit(QStringLiteral("  12  "));
        LineEditTextBox box(&edit);

        etq::entra1(box);

        QCOMPARE(baseOf(edit), QColor(255, 255, 192));
        QCOMPARE(box.BackColor(), ColorBgr(0xC0FFFF));
        QCOMPARE(edit.selectedText(), QStringLiteral("  "));
        QCOMPARE(edit.text(), QStringLiteral("  12  "));
    }

    void sai1Whitens() {
        QLineEdit edit(QStringLiteral("abc"));
        edit.setSelection(1, 1);
        LineEditTextBox box(&edit);
        etq::entra1(box);
        edit.setSelection(1, 1);

        etq::sai1(box);

        QCOMPARE(baseOf(edit), QColor(255, 255, 255));
        QCOMPARE(edit.selectedText(), QStringLiteral("b"));
    }

    void colourOrderOfTheBytes() {
        QLineEdit edit;
        LineEditTextBox box(&edit);
        box.setBackColor(0x0000FF);  // pure red: red sits in the low byte
        QCOMPARE(baseOf(edit), QColor(255, 0, 0));
        QCOMPARE(box.BackColor(), ColorBgr(0x0000FF));
    }

    void negativeSelectionRaises() {
        QLineEdit edit(QStringLiteral("abc"));
        LineEditTextBox box(&edit);
        QVERIFY_THROWS_EXCEPTION(Error, box.setSelLength(-1));
        QVERIFY_THROWS_EXCEPTION(Error, box.setSelStart(-1));
    }
};

QTEST_MAIN(TestFieldFocus)
#include "test_field_focus.moc"
