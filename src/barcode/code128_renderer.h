#pragma once

#include "barcode/bar_columns.h"
#include "barcode/drawing_surface.h"
#include "barcode/renderer_form.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>

namespace etq {

// Symbol values 0-94 are the characters from space to "~" (code minus 32).
inline constexpr char16_t kCode128FirstChar = u' ';
inline constexpr char16_t kCode128LastChar = u'~';
inline constexpr std::int16_t kCode128SwitchToC = 99;
inline constexpr std::int16_t kCode128StartA = 103;
inline constexpr std::int16_t kCode128StartB = 104;
inline constexpr std::int16_t kCode128StartC = 105;

// Module patterns by symbol value 0-105, and the stop character with its final bar.
extern const std::array<std::string_view, 106> kCode128Patterns;
inline constexpr std::string_view kCode128Stop = "1100011101011";

// Draws one Code 128 symbol: code set B (the class: A for texts that A can carry), a final
// run of four or more digits in code set C, the modulo-103 check character and the caption.
// Holds the working state of one rendering.
class Code128Renderer {
  public:
    explicit Code128Renderer(RendererForm form) : form_(form) {}

    void draw(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption);

  private:
    void DrawBarcode(const QString& text);
    void EncodeSetB(QChar c);
    void EncodeSetC(QStringView digits);
    void DrawPairs(QStringView digits);
    void DrawPattern(std::string_view pattern);
    const QString& source() const;

    RendererForm form_;
    BarColumns bars_;
    QString m_Text;
    bool m_Caption = false;
    std::int32_t m_Total = 0;
    std::int16_t m_Weight = 0;
    std::int16_t m_Set = 0;
    std::int32_t m_Check = 0;
    // The start character EncodeSetB opens the symbol with: Start B, or Start A in the class
    // form when every character of the text reads the same in code set A.
    std::int16_t startSet_ = kCode128StartB;
};

}  // namespace etq
