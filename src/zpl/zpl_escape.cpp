#include "zpl/zpl_escape.h"

namespace etq {

QString zplHexEscaped(QStringView data) {
    QString out;
    out.reserve(data.size());
    for (const QChar c : data) {
        switch (c.unicode()) {
            case u'^':
                out += QLatin1String("\\5E");
                break;
            case u'~':
                out += QLatin1String("\\7E");
                break;
            case u'\\':
                out += QLatin1String("\\5C");
                break;
            case u'\r':
                out += QLatin1String("\\0D");
                break;
            case u'\n':
                out += QLatin1String("\\0A");
                break;
            default:
                out += c;
        }
    }
    return out;
}

QString code128Escaped(QStringView data) {
    QString out;
    out.reserve(data.size());
    for (const QChar c : data) {
        switch (c.unicode()) {
            case u'>':
                out += QLatin1String(">0");
                break;
            case u'^':
                out += QLatin1String("><");
                break;
            case u'~':
                out += QLatin1String(">=");
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace etq
