#pragma once

#include "barcode/bar_columns.h"
#include "barcode/drawing_surface.h"
#include "barcode/renderer_form.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace etq {

// Code 39 values are positions in this set; "*" (43) is the start and stop character.
inline constexpr std::u16string_view kCode39CharSet =
    u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
inline constexpr int kCode39StartStop = 43;

// Module patterns by value, wide elements written as two modules.
extern const std::array<std::string_view, 44> kCode39Patterns;

// Draws one Code 39 symbol (optional modulo-43 check character, optional caption) and keeps
// the working state of that drawing. One instance serves one rendering at a time.
class Code39Renderer {
  public:
    explicit Code39Renderer(RendererForm form) : form_(form) {}

    void draw(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool zWithCheckSum,
              bool HasCaption);

    // Normalises m_Text (asterisks removed; upper case in the module form) and fails with the
    // "Bar 39" error at its first character outside the set.
    bool CheckCode();

  private:
    void DrawBarcode(const QString& text);
    void DrawPattern(std::string_view pattern);

    RendererForm form_;
    BarColumns bars_;
    QString m_Text;
    bool m_CheckSum = false;
    bool m_Caption = false;
    std::int32_t m_Total = 0;
    std::int16_t m_Value = 0;
    std::int32_t m_Check = 0;
};

}  // namespace etq
