#include "platform/text_lines.h"

namespace etq {

QStringView LineReader::next() {
    const qsizetype start = pos_;
    const qsizetype cr = text_.indexOf(QLatin1Char('\r'), start);
    if (cr < 0) {
        pos_ = text_.size();
        return text_.mid(start);
    }
    pos_ = cr + 1;
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n')) {
        ++pos_;
    }
    return text_.mid(start, cr - start);
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    for (LineReader reader(text); !reader.atEnd();) {
        lines.append(reader.next().toString());
    }
    return lines;
}

QString joinLinesCrLf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

}  // namespace etq
