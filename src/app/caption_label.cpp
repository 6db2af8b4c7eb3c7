#include "app/caption_label.h"

#include <QFontMetricsF>
#include <QPainter>

namespace etq {

QStringList CaptionLabel::shownLines() const {
    const QFontMetricsF metrics(font());
    const QRectF box = contentsRect();
    const auto room = static_cast<qsizetype>(box.height() / metrics.lineSpacing());
    QStringList lines;
    QString line;
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > box.width()) {
            continue;
        }
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer) <= box.width()) {
            line = longer;
            continue;
        }
        lines.append(line);
        line = word;
    }
    if (!line.isEmpty()) {
        lines.append(line);
    }
    return lines.mid(0, room);
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetricsF metrics(font());
    QPointF at = contentsRect().topLeft();
    at.ry() += metrics.ascent();
    for (const QString& line : shownLines()) {
        painter.drawText(at, line);
        at.ry() += metrics.lineSpacing();
    }
}

}  // namespace etq
