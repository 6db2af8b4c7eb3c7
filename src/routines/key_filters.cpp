#include "routines/key_filters.h"

#include "platform/text_encoding.h"

#include <QString>

namespace etq {

namespace {

constexpr std::int16_t kBackspace = 8;

}  // namespace

std::int16_t NUMERO(std::int16_t tecla) {
    const bool digit = tecla >= '0' && tecla <= '9';
    return (tecla == kBackspace || digit) ? tecla : 0;
}

std::int16_t Mais(std::int16_t tecla) {
    if (tecla < 0 || tecla > 0xFF) {
        return tecla;
    }
    const char byte = static_cast<char>(tecla);
    const QString upper = decodeWindows1252(QByteArrayView(&byte, 1)).toUpper();
    if (upper.size() != 1 || !fitsWindows1252(upper)) {
        return tecla;  // ß and µ have no upper-case letter in the code page
    }
    return static_cast<unsigned char>(encodeWindows1252(upper).at(0));
}

}  // namespace etq
