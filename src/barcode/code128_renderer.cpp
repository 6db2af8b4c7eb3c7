#include "barcode/code128_renderer.h"

#include "barcode/barcode_error.h"
#include "barcode/code128.h"

namespace etq {

const std::array<std::string_view, 106> kCode128Patterns = {
    "11011001100", "11001101100", "11001100110", "10010011000",
    "10010001100", "10001001100",  // 0-5
    "10011001000", "10011000100", "10001100100", "11001001000",
    "11001000100", "11000100100",  // 6-11
    "10110011100", "10011011100", "10011001110", "10111001100",
    "10011101100", "10011100110",  // 12-17
    "11001110010", "11001011100", "11001001110", "11011100100",
    "11001110100", "11101101110",  // 18-23
    "11101001100", "11100101100", "11100100110", "11101100100",
    "11100110100", "11100110010",  // 24-29
    "11011011000", "11011000110", "11000110110", "10100011000",
    "10001011000", "10001000110",  // 30-35
    "10110001000", "10001101000", "10001100010", "11010001000",
    "11000101000", "11000100010",  // 36-41
    "10110111000", "10110001110", "10001101110", "10111011000",
    "10111000110", "10001110110",  // 42-47
    "11101110110", "11010001110", "11000101110", "11011101000",
    "11011100010", "11011101110",  // 48-53
    "11101011000", "11101000110", "11100010110", "11101101000",
    "11101100010", "11100011010",  // 54-59
    "11101111010", "11001000010", "11110001010", "10100110000",
    "10100001100", "10010110000",  // 60-65
    "10010000110", "10000101100", "10000100110", "10110010000",
    "10110000100", "10011010000",  // 66-71
    "10011000010", "10000110100", "10000110010", "11000010010",
    "11001010000", "11110111010",  // 72-77
    "11000010100", "10001111010", "10100111100", "10010111100",
    "10010011110", "10111100100",  // 78-83
    "10011110100", "10011110010", "11110100100", "11110010100",
    "11110010010", "11011011110",  // 84-89
    "11011110110", "11110110110", "10101111000", "10100011110",
    "10001011110", "10111101000",  // 90-95
    "10111100010", "11110101000", "11110100010", "10111011110",
    "10111101110", "11101011110",                                // 96-101
    "11110101110", "11010000100", "11010010000", "11010011100",  // 102-105
};

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Position in the character set, -1 outside it.
int valueOf(QChar c) {
    const char16_t code = c.unicode();
    return code >= kCode128FirstChar && code <= kCode128LastChar ? code - kCode128FirstChar : -1;
}

// Code set A reads the grave accent, lower case and "{" to "~" as control characters.
bool needsSetB(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= u'`' && c.unicode() <= kCode128LastChar) {
            return true;
        }
    }
    return false;
}

}  // namespace

const QString& Code128Renderer::source() const {
    static const QString module = QStringLiteral("Code128");
    static const QString instance = QStringLiteral("Bar128");
    return form_ == RendererForm::Module ? module : instance;
}

void Code128Renderer::draw(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                           bool HasCaption) {
    const bool isModule = form_ == RendererForm::Module;
    bars_.m_Obj = &zObj;
    m_Text = BarText;
    if (isModule) {
        zObj.setPicture(nullptr);
    } else {
        zObj.Cls();
    }
    m_Caption = isModule ? HasCaption : true;
    bars_.m_Top = 10;
    bars_.m_BarH = barHeightOf(zBarH, source());
    prepareWhitePixelSurface(zObj);
    zObj.setHeight(surfaceHeightTwips(zObj, m_Text, bars_.m_BarH, m_Caption));
    // Start, data, check and stop characters plus the 10-pixel margins.
    const std::int32_t characters = Code128::CountSymbols(m_Text) + 3;
    if (isModule) {
        zObj.setWidth((characters * 11 + 25) * zObj.TwipsPerPixelX());
    } else {
        zObj.setWidth(characters * 11 * 20);
    }
    startSet_ = isModule || needsSetB(m_Text) ? kCode128StartB : kCode128StartA;
    DrawBarcode(m_Text);
    if (isModule) {
        zObj.setPicture(zObj.Image());
    }
}

void Code128Renderer::DrawBarcode(const QString& text) {
    m_Total = 0;
    bars_.m_X = 1;
    m_Set = 0;
    m_Weight = 0;
    std::int16_t run = 0;
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (isDigit(view[i])) {
            run = add16(run, 1, source());
            continue;
        }
        // Digits inside the text stay in code set B, one symbol each.
        for (const QChar c : view.sliced(i - run, run + 1)) {
            EncodeSetB(c);
        }
        run = 0;
    }
    QStringView digits = view.last(run);
    if (run >= 4) {
        if (run % 2 != 0) {
            EncodeSetB(digits.front());
            digits = digits.sliced(1);
        }
        EncodeSetC(digits);
    } else {
        for (const QChar c : digits) {
            EncodeSetB(c);
        }
    }
    m_Check = m_Total % 103;
    DrawPattern(kCode128Patterns[m_Check]);
    DrawPattern(kCode128Stop);
    if (m_Caption) {
        printCentredCaption(*bars_.m_Obj, bars_.m_X, bars_.m_BarH, text);
    }
}

void Code128Renderer::EncodeSetB(QChar c) {
    m_Weight = add16(m_Weight, 1, source());
    const int value = valueOf(c);
    m_Total = add32(m_Total, multiply32(m_Weight, value, source()), source());
    if (m_Set == 0) {
        m_Total = add32(m_Total, startSet_, source());
        m_Set = startSet_;
        DrawPattern(kCode128Patterns[startSet_]);
    }
    if (value < 0) {
        throw Error(Error::SubscriptOutOfRange, source(),
                    QStringLiteral("Subscript out of range: character U+%1 has no Code 128 value")
                        .arg(c.unicode(), 4, 16, QLatin1Char('0')));
    }
    DrawPattern(kCode128Patterns[value]);
}

// An even run of at least four digits, two to a symbol character. Weight products here are
// 16-bit: a symbol long enough to exceed 32767 fails with an overflow error.
void Code128Renderer::EncodeSetC(QStringView digits) {
    if (m_Set == 0) {
        m_Set = kCode128StartC;
        m_Total = add32(m_Total, kCode128StartC, source());
        DrawPattern(kCode128Patterns[kCode128StartC]);
    } else {
        m_Set = kCode128SwitchToC;
        DrawPattern(kCode128Patterns[kCode128SwitchToC]);
        m_Weight = add16(m_Weight, 1, source());
        m_Total = add32(m_Total, multiply16(m_Weight, kCode128SwitchToC, source()), source());
    }
    DrawPairs(digits);
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        m_Weight = add16(m_Weight, 1, source());
        const int pair = digits.sliced(i, 2).toInt();
        m_Total = add32(m_Total, multiply16(pair, m_Weight, source()), source());
    }
}

void Code128Renderer::DrawPairs(QStringView digits) {
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        DrawPattern(kCode128Patterns[digits.sliced(i, 2).toInt()]);
    }
}

void Code128Renderer::DrawPattern(std::string_view pattern) {
    bars_.drawModules(pattern);
}

}  // namespace etq
