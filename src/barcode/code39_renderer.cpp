#include "barcode/code39_renderer.h"

#include "barcode/barcode_error.h"

#include <algorithm>

namespace etq {

const std::array<std::string_view, 44> kCode39Patterns = {
    "101001101101", "110100101011", "101100101011", "110110010101", "101001101011",  // 0-4
    "110100110101", "101100110101", "101001011011", "110100101101", "101100101101",  // 5-9
    "110101001011", "101101001011", "110110100101", "101011001011", "110101100101",  // A-E
    "101101100101", "101010011011", "110101001101", "101101001101", "101011001101",  // F-J
    "110101010011", "101101010011", "110110101001", "101011010011", "110101101001",  // K-O
    "101101101001", "101010110011", "110101011001", "101101011001", "101011011001",  // P-T
    "110010101011", "100110101011", "110011010101", "100101101011", "110010110101",  // U-Y
    "100110110101", "100101011011", "110010101101", "100110101101", "100100100101",  // Z - . sp $
    "100100101001", "100101001001", "101001001001", "100101101101",                  // / + % *
};

namespace {

const QString kSource = QStringLiteral("Bar 39");

int valueOf(QChar c) {
    const auto found = kCode39CharSet.find(c.unicode());
    return found == std::u16string_view::npos ? -1 : static_cast<int>(found);
}

}  // namespace

void Code39Renderer::draw(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                          bool zWithCheckSum, bool HasCaption) {
    const bool isModule = form_ == RendererForm::Module;
    bars_.m_Obj = &zObj;
    m_CheckSum = zWithCheckSum;
    m_Text = BarText;
    m_Caption = isModule ? HasCaption : true;
    if (isModule) {
        zObj.setPicture(nullptr);
    } else {
        zObj.Cls();
    }
    CheckCode();
    bars_.m_BarH = barHeightOf(zBarH, kSource);
    bars_.m_Top = 10;
    prepareWhitePixelSurface(zObj);
    zObj.setHeight(surfaceHeightTwips(zObj, m_Text, bars_.m_BarH, m_Caption));
    // Start, data, optional check and stop, 12 modules each, plus the margins; the factor 16
    // is fixed, whatever the screen's pixel size. With 13 columns a character a long text
    // outgrows that, so the surface widens to the whole symbol and its final gap.
    const std::int32_t characters = add32(m_Text.size(), zWithCheckSum ? 3 : 2, kSource);
    const double fixed = add32(multiply32(characters, 12, kSource), 20, kSource) * 16.0;
    const double whole = (13.0 * characters + 12) * zObj.TwipsPerPixelX();
    zObj.setWidth(std::max(fixed, whole));
    DrawBarcode(m_Text);
    if (isModule) {
        zObj.setPicture(zObj.Image());
    }
}

bool Code39Renderer::CheckCode() {
    m_Text.remove(QLatin1Char('*'));
    if (form_ == RendererForm::Module) {
        m_Text = m_Text.toUpper();
    }
    for (const QChar c : m_Text) {
        if (valueOf(c) < 0) {
            raiseBarcodeError(kSource, QStringLiteral("An Invalid Character Found in Bar Text"));
        }
    }
    return true;
}

void Code39Renderer::DrawBarcode(const QString& text) {
    m_Total = 0;
    bars_.m_X = 1;
    m_Value = 0;
    DrawPattern(kCode39Patterns[kCode39StartStop]);
    for (const QChar c : text) {
        m_Value = static_cast<std::int16_t>(valueOf(c));
        m_Total = add32(m_Total, m_Value, kSource);
        DrawPattern(kCode39Patterns[m_Value]);
    }
    m_Check = m_Total % 43;
    if (m_CheckSum) {
        DrawPattern(kCode39Patterns[m_Check]);
    }
    DrawPattern(kCode39Patterns[kCode39StartStop]);
    if (m_Caption) {
        printCentredCaption(*bars_.m_Obj, bars_.m_X, bars_.m_BarH, text);
    }
}

// The character's modules, then the one-module white gap that follows every character.
void Code39Renderer::DrawPattern(std::string_view pattern) {
    bars_.drawModules(pattern);
    bars_.drawModules("0");
}

}  // namespace etq
