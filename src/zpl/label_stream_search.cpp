#include "zpl/label_stream_search.h"

namespace etq {

qsizetype LabelStreamSearch::next(qsizetype from) {
    const bool known =
        searchedFrom_ >= 0 && from >= searchedFrom_ && (found_ < 0 || from <= found_);
    if (!known) {
        searchedFrom_ = from;
        found_ = from >= text_.size() ? -1 : text_.indexOf(marker_, from, cs_);
    }
    return found_;
}

}  // namespace etq
