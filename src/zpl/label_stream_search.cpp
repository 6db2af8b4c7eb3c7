#include "zpl/label_stream_search.h"

namespace etq {

qsizetype LabelStreamSearch::next(qsizetype from) {
    const bool known =
        searchedFrom_ >= 0 && from >= searchedFrom_ && (found_ < 0 || from <= found_);
    if (!known) {
        searchedFrom_ = from;
        found_ = from >= text_.size() ? -1 : find(from);
    }
    return found_;
}

qsizetype LabelStreamSearch::find(qsizetype from) const {
    const QChar first = marker_.front();
    if (cs_ == Qt::CaseSensitive || first.toLower() != first || first.toUpper() != first) {
        return text_.indexOf(marker_, from, cs_);
    }
    // A marker that starts with a character without letter case (the caret of a command) is
    // found by that character and then compared in full: much faster than folding every
    // character of the text.
    for (qsizetype at = text_.indexOf(first, from); at >= 0; at = text_.indexOf(first, at + 1)) {
        if (text_.mid(at, marker_.size()).compare(marker_, Qt::CaseInsensitive) == 0) {
            return at;
        }
    }
    return -1;
}

}  // namespace etq
