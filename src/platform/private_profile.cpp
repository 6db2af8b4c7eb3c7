#include "platform/private_profile.h"
#include "platform/blanks.h"

#include "platform/text_encoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <vector>

namespace etq {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// One line of the file as it stands, with its own line end (empty for a last line without one),
// so that a write gives back every line it does not change byte for byte.
struct Line {
    QByteArray content;
    QByteArray end;
};

std::vector<Line> splitLines(const QByteArray& bytes) {
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        const qsizetype endLength =
            (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        lines.push_back({bytes.mid(start, i - start), bytes.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < bytes.size()) {
        lines.push_back({bytes.mid(start), QByteArray()});
    }
    return lines;
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What a line means: a section header, a key with its value, or anything else.
struct Meaning {
    enum Kind { Other, Section, Value } kind = Other;
    QString name;
    QString value;
};

Meaning meaningOf(const QByteArray& content) {
    const QString text = decodeWindows1252(content);
    const QStringView line = trimBlanksAndTabs(text);
    if (line.isEmpty() || line.front() == QLatin1Char(';')) {
        return {};
    }
    if (line.front() == QLatin1Char('[')) {
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return {};
        }
        return {Meaning::Section, trimBlanksAndTabs(line.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return {};
    }
    return {Meaning::Value, trimBlanksAndTabs(line.first(equals)).toString(),
            trimBlanksAndTabs(line.sliced(equals + 1)).toString()};
}

// Where a key stands in the file: the line of the first section of that name, the line of the
// key inside it, and the section's last line that is not blank (new keys go after it).
struct Location {
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype lastFilled = -1;
    QString value;
};

// Blanks around the names asked for count as little as blanks around the names in the file.
Location locate(const std::vector<Line>& lines, QStringView section, QStringView key) {
    section = trimBlanksAndTabs(section);
    key = trimBlanksAndTabs(key);
    Location found;
    for (qsizetype i = 0; i < static_cast<qsizetype>(lines.size()); ++i) {
        const Meaning meaning = meaningOf(lines[i].content);
        if (meaning.kind == Meaning::Section) {
            if (found.section >= 0) {
                break;
            }
            if (sameName(meaning.name, section)) {
                found.section = found.lastFilled = i;
            }
            continue;
        }
        if (found.section < 0) {
            continue;
        }
        if (!trimBlanksAndTabs(decodeWindows1252(lines[i].content)).isEmpty()) {
            found.lastFilled = i;
        }
        if (meaning.kind == Meaning::Value && found.key < 0 && sameName(meaning.name, key)) {
            found.key = i;
            found.value = meaning.value;
        }
    }
    return found;
}

// A value between a pair of double or single quotes is read without them; a lone or unmatched
// quote is part of the value.
QString unquoted(const QString& value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''));
    return quoted ? value.sliced(1, value.size() - 2) : value;
}

bool readable(const QString& text) {
    return fitsWindows1252(text) && !text.contains(QLatin1Char('\r')) &&
           !text.contains(QLatin1Char('\n'));
}

bool storable(const QString& section, const QString& key, const QString& value) {
    const QStringView keyName = trimBlanksAndTabs(key);
    return readable(section) && readable(key) && readable(value) &&
           !section.contains(QLatin1Char(']')) && !key.contains(QLatin1Char('=')) &&
           !keyName.isEmpty() && !keyName.startsWith(QLatin1Char('[')) &&
           !keyName.startsWith(QLatin1Char(';'));
}

}  // namespace

QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue, int bufferSize) {
    const int room = std::max(bufferSize - 1, 0);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return defaultValue.left(room);
    }
    const Location found = locate(splitLines(file.readAll()), section, key);
    return (found.key >= 0 ? unquoted(found.value) : defaultValue).left(room);
}

bool writeProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    if (!storable(section, key, value)) {
        return false;
    }
    std::vector<Line> lines;
    const QFileInfo info(path);
    if (info.exists()) {
        QFile file(path);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
            return false;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return false;
        }
        lines = splitLines(bytes);
    }

    const Location found = locate(lines, section, key);
    const QByteArray encodedValue = encodeWindows1252(value);
    if (found.key >= 0) {
        // Only the value changes; the key as spelt and the blanks after "=" stay.
        QByteArray& content = lines[found.key].content;
        qsizetype start = content.indexOf('=') + 1;
        while (start < content.size() && (content[start] == ' ' || content[start] == '\t')) {
            ++start;
        }
        content = content.left(start) + encodedValue;
    } else {
        const QByteArray entry = encodeWindows1252(trimBlanksAndTabs(key)) + '=' + encodedValue;
        std::vector<Line> added;
        qsizetype at = found.lastFilled + 1;
        if (found.section < 0) {
            added.push_back({'[' + encodeWindows1252(trimBlanksAndTabs(section)) + ']', kCrLf});
            at = static_cast<qsizetype>(lines.size());
        }
        added.push_back({entry, kCrLf});
        if (at > 0 && lines[at - 1].end.isEmpty()) {
            lines[at - 1].end = kCrLf;
        }
        lines.insert(lines.begin() + at, added.begin(), added.end());
    }

    QSaveFile file(path);
    // A folder that refuses the temporary file may still hold a file this user can write.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (const Line& line : lines) {
        file.write(line.content);
        file.write(line.end);
    }
    return file.commit();
}

}  // namespace etq
