#include "zpl/accent_folding.h"

namespace etq {

namespace {

char16_t folded(char16_t c) {
    switch (c) {
        case u'Á':
        case u'À':
        case u'Ã':
        case u'Â':
        case u'Ä':
            return u'A';
        case u'á':
        case u'à':
        case u'ã':
        case u'â':
        case u'ä':
            return u'a';
        case u'É':
        case u'È':
        case u'Ê':
        case u'Ë':
            return u'E';
        case u'é':
        case u'è':
        case u'ê':
        case u'ë':
            return u'e';
        case u'Í':
        case u'Ì':
        case u'Î':
        case u'Ï':
            return u'I';
        case u'í':
        case u'ì':
        case u'î':
        case u'ï':
            return u'i';
        case u'Ó':
        case u'Ò':
        case u'Õ':
        case u'Ô':
        case u'Ö':
            return u'O';
        case u'ó':
        case u'ò':
        case u'õ':
        case u'ô':
        case u'ö':
            return u'o';
        case u'Ú':
        case u'Ù':
        case u'Û':
        case u'Ü':
            return u'U';
        case u'ú':
        case u'ù':
        case u'û':
        case u'ü':
            return u'u';
        case u'Ç':
            return u'C';
        case u'ç':
            return u'c';
        case u'\'':
            return u' ';
        default:
            return c;
    }
}

}  // namespace

QString tira_acento(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        c = QChar(folded(c.unicode()));
    }
    return result;
}

}  // namespace etq
