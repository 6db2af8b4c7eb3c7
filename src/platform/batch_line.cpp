#include "platform/batch_line.h"
#include "platform/blanks.h"

#include <QList>

namespace etq {

namespace {

// Characters with a meaning of their own on a command line; a name holding one is not a name.
bool isOperator(QChar c) {
    return c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('|') ||
           c == QLatin1Char('&') || c == QLatin1Char('"');
}

// A name as the command line spells it: plain, or between quotes (which are dropped and let
// it hold blanks). Empty when the text is not one name.
QString nameOf(QStringView text, bool blanksAllowed) {
    if (text.size() >= 2 && text.front() == QLatin1Char('"') && text.back() == QLatin1Char('"')) {
        text = text.sliced(1, text.size() - 2);
        blanksAllowed = true;
    }
    for (const QChar c : text) {
        if (isOperator(c) || (isSpaceOrTab(c) && !blanksAllowed)) {
            return {};
        }
    }
    return text.toString();
}

// The non-blank lines of the text; CR LF, a lone CR and a lone LF all end a line.
QList<QStringView> commandLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            const QStringView line = trimBlanksAndTabs(text.sliced(start, i - start));
            if (!line.isEmpty()) {
                lines.append(line);
            }
            start = i + 1;
        }
    }
    return lines;
}

}  // namespace

std::optional<BatchCopy> parseBatchCopy(QStringView batchText) {
    const QList<QStringView> lines = commandLines(batchText);
    if (lines.size() != 1) {
        return std::nullopt;
    }
    const QStringView line = lines.front();
    const QLatin1String verb("type");
    if (line.size() <= verb.size() || !line.startsWith(verb, Qt::CaseInsensitive) ||
        !isSpaceOrTab(line[verb.size()])) {
        return std::nullopt;
    }
    const QStringView rest = line.sliced(verb.size());
    const qsizetype arrow = rest.indexOf(QLatin1Char('>'));
    if (arrow < 0) {
        return std::nullopt;
    }
    // The destination is the rest of the line: a path may hold blanks, and no shell splits it.
    BatchCopy copy{nameOf(trimBlanksAndTabs(rest.first(arrow)), false),
                   nameOf(trimBlanksAndTabs(rest.sliced(arrow + 1)), true)};
    if (copy.source.isEmpty() || copy.destination.isEmpty()) {
        return std::nullopt;
    }
    return copy;
}

}  // namespace etq
