#pragma once

#include "platform/text_box.h"

namespace etq {

// Background of a field that has the focus: pale yellow, red 255, green 255, blue 192.
constexpr ColorBgr kFocusColor = 0xC0FFFF;
constexpr ColorBgr kPlainColor = 0xFFFFFF;

// A field gains the focus: pale yellow background, its text selected by seleciona.
void entra1(TextBox& obj);
// A field loses the focus: white background.
void sai1(ColoredControl& obj);
// Selects from position 0 as many characters as the text has without its leading and trailing
// blanks. Never fails: a step the field refuses is skipped. Does not move the focus.
void seleciona(SelectableText& OB);

}  // namespace etq
