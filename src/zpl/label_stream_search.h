#pragma once

#include <QString>
#include <QStringView>

#include <utility>

namespace etq {

// Finds a marker in one long text, remembering the last answer: asked again from a position
// between where it last searched and what it found, it answers without scanning. An operation
// that walks the text forward therefore reads each stretch of it once, however often it asks.
class LabelStreamSearch {
  public:
    // `marker` is not empty.
    LabelStreamSearch(QStringView text, QString marker, Qt::CaseSensitivity cs = Qt::CaseSensitive)
        : text_(text), marker_(std::move(marker)), cs_(cs) {}

    // 0-based index of the first occurrence at or after `from`, or -1.
    qsizetype next(qsizetype from);
    qsizetype length() const { return marker_.size(); }

  private:
    qsizetype find(qsizetype from) const;

    QStringView text_;
    QString marker_;
    Qt::CaseSensitivity cs_;
    qsizetype searchedFrom_ = -1;
    qsizetype found_ = -1;
};

}  // namespace etq
