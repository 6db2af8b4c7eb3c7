#include "barcode/ean13and8.h"

#include "barcode/bar_columns.h"
#include "barcode/barcode_error.h"

namespace etq {

const std::array<std::string_view, 10> kEanOdd = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};
const std::array<std::string_view, 10> kEanEven = {
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111",
};
const std::array<std::string_view, 10> kEanRight = {
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100",
};
const std::array<std::string_view, 10> kEanParity = {
    "OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
    "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO",
};

}  // namespace etq

namespace etq::EAN13and8 {

namespace {

constexpr std::string_view kGuard = "101";
constexpr std::string_view kCentreGuard = "01010";
constexpr bool kLong = true;
constexpr bool kShort = false;

// What tells the two symbologies apart outside their drawing routines.
struct Symbology {
    int digits;
    QString source;
    QString lengthMessage;
};

int digitAt(const QString& text, qsizetype i) {
    return text[i].unicode() - u'0';
}

// The working state of one rendering, shared by both symbologies.
class EanRenderer {
  public:
    void DrawEAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                   bool HasCaption);
    void DrawEAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                  bool HasCaption);

  private:
    void begin(DrawingSurface& zObj, const QString& BarText, bool HasCaption);
    void prepare(const Symbology& symbology, std::int16_t zBarH);
    bool CheckEAN(const Symbology& symbology) const;
    void DrawBarcode13(const QString& text);
    void DrawBarcode8(const QString& text);
    void addWeighted(const QString& text, qsizetype i);
    void drawCheckAndEndGuard();
    void DrawPattern(std::string_view pattern, bool LongBars);
    void printAt(double x, const QString& text);

    BarColumns bars_;
    QString m_Text;
    bool m_Caption = false;
    std::int32_t m_Total = 0;
    std::int32_t m_Check = 0;
};

const Symbology kEan13{12, QStringLiteral("EAN-13"), QStringLiteral("Should be 12 Digit Numbers")};
const Symbology kEan8{7, QStringLiteral("EAN-8"), QStringLiteral("Should be 7 Digit Numbers")};

void EanRenderer::DrawEAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                            bool HasCaption) {
    begin(zObj, BarText, HasCaption);
    // A provisional size, set before the text is known to be valid.
    zObj.setWidth(5655);
    zObj.setHeight(2340);
    prepare(kEan13, zBarH);
    zObj.setHeight(zObj.TwipsPerPixelY() * (bars_.m_BarH + 20) * 1.1);
    zObj.setWidth(m_Text.size() * 8 * 20 * 1.1);
    DrawBarcode13(m_Text);
    zObj.setPicture(zObj.Image());
}

void EanRenderer::DrawEAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                           bool HasCaption) {
    begin(zObj, BarText, HasCaption);
    prepare(kEan8, zBarH);
    zObj.setHeight(surfaceHeightTwips(zObj, m_Text, bars_.m_BarH, HasCaption));
    zObj.setWidth((m_Text.size() * 8 + 20) * 20);
    DrawBarcode8(m_Text);
    zObj.setPicture(zObj.Image());
}

void EanRenderer::begin(DrawingSurface& zObj, const QString& BarText, bool HasCaption) {
    bars_.m_Obj = &zObj;
    m_Text = BarText;
    m_Caption = HasCaption;
    zObj.setPicture(nullptr);
}

// Validation, bar height and the white pixel surface, in that order.
void EanRenderer::prepare(const Symbology& symbology, std::int16_t zBarH) {
    CheckEAN(symbology);
    bars_.m_Top = 10;
    bars_.m_BarH = barHeightOf(zBarH, symbology.source);
    prepareWhitePixelSurface(*bars_.m_Obj);
}

// The text is taken exactly as given: nothing is trimmed or converted.
bool EanRenderer::CheckEAN(const Symbology& symbology) const {
    if (m_Text.size() != symbology.digits) {
        raiseBarcodeError(symbology.source, symbology.lengthMessage);
    }
    for (const QChar c : m_Text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            raiseBarcodeError(symbology.source,
                              QStringLiteral("An Invalid Character Found in Bar Text"));
        }
    }
    return true;
}

void EanRenderer::DrawBarcode13(const QString& text) {
    bars_.m_X = 5;
    m_Total = 0;
    // The first digit stands left of the symbol, caption or not: only the parity carries it.
    printAt(5, text.left(1));
    DrawPattern(kGuard, kLong);
    const std::string_view parity = kEanParity[digitAt(text, 0)];
    for (qsizetype i = 0; i < 12; ++i) {
        addWeighted(text, i);
        const int d = digitAt(text, i);
        if (i == 7) {
            DrawPattern(kCentreGuard, kLong);
        }
        if (i >= 1 && i <= 6) {
            DrawPattern(parity[i - 1] == 'E' ? kEanEven[d] : kEanOdd[d], kShort);
        } else if (i >= 7) {
            DrawPattern(kEanRight[d], kShort);
        }
    }
    drawCheckAndEndGuard();
    if (m_Caption) {
        printAt(23, text.mid(1, 6));
        printAt(68, text.mid(7, 5) + QString::number(m_Check));
    }
}

void EanRenderer::DrawBarcode8(const QString& text) {
    m_Total = 0;
    bars_.m_X = 5;
    DrawPattern(kGuard, kLong);
    for (qsizetype i = 0; i < 7; ++i) {
        addWeighted(text, i);
        const int d = digitAt(text, i);
        if (i == 4) {
            DrawPattern(kCentreGuard, kLong);
        }
        DrawPattern(i < 4 ? kEanOdd[d] : kEanRight[d], kShort);
    }
    drawCheckAndEndGuard();
    if (m_Caption) {
        printAt(23, text.left(4));
        printAt(53, text.mid(4, 3) + QString::number(m_Check));
    }
}

// Counted from the right, the last given digit weighs 3, the one before it 1, and so on.
void EanRenderer::addWeighted(const QString& text, qsizetype i) {
    const qsizetype fromRight = text.size() - i;
    m_Total += digitAt(text, i) * (fromRight % 2 != 0 ? 3 : 1);
}

void EanRenderer::drawCheckAndEndGuard() {
    m_Check = m_Total % 10 == 0 ? 0 : 10 - m_Total % 10;
    DrawPattern(kEanRight[m_Check], kShort);
    DrawPattern(kGuard, kLong);
}

void EanRenderer::DrawPattern(std::string_view pattern, bool LongBars) {
    bars_.drawModules(pattern, LongBars ? 5 : 0);
}

// Caption texts sit level with the lower end of the data bars.
void EanRenderer::printAt(double x, const QString& text) {
    bars_.m_Obj->setCurrentX(x);
    bars_.m_Obj->setCurrentY(bars_.m_BarH + 10);
    bars_.m_Obj->Print(text);
}

EanRenderer& module() {
    static EanRenderer renderer;
    return renderer;
}

}  // namespace

void DrawEAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption) {
    module().DrawEAN13(zObj, zBarH, BarText, HasCaption);
}

void DrawEAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption) {
    module().DrawEAN8(zObj, zBarH, BarText, HasCaption);
}

}  // namespace etq::EAN13and8
