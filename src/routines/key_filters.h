#pragma once

#include <cstdint>

namespace etq {

// Key codes are the bytes of the typed characters in the Windows-1252 code page (0 to 255),
// plus 8 for Backspace.

// The key itself for Backspace and the digits 0 to 9; 0, which swallows the key, for any other.
std::int16_t NUMERO(std::int16_t tecla);

// The code of the upper-case form of the key's character in the code page ("ç" gives "Ç",
// "ÿ" gives "Ÿ"); keys without a single upper-case form in the code page, and codes that are
// no character of it, come back unchanged.
std::int16_t Mais(std::int16_t tecla);

}  // namespace etq
