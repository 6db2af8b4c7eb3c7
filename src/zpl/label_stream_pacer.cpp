#include "zpl/label_stream_pacer.h"

#include <QList>
#include <QMetaObject>

namespace etq {

namespace {

// Notes whether the grid's content changes while it is alive.
class GridChangeWatch {
  public:
    explicit GridChangeWatch(FlexGrid& grid) {
        auto note = [this] { changed = true; };
        connections_ << QObject::connect(&grid, &FlexGrid::cellChanged, note)
                     << QObject::connect(&grid, &FlexGrid::rowsAppended, note)
                     << QObject::connect(&grid, &FlexGrid::rowsRemoved, note)
                     << QObject::connect(&grid, &FlexGrid::columnsChanged, note)
                     << QObject::connect(&grid, &FlexGrid::contentReset, note);
    }
    ~GridChangeWatch() {
        for (const auto& connection : connections_) {
            QObject::disconnect(connection);
        }
    }
    GridChangeWatch(const GridChangeWatch&) = delete;
    GridChangeWatch& operator=(const GridChangeWatch&) = delete;

    bool changed = false;

  private:
    QList<QMetaObject::Connection> connections_;
};

}  // namespace

LabelStreamPacer::LabelStreamPacer(FlexGrid& grid, PendingEvents& events)
    : grid_(grid), events_(events) {
    timer_.start();
    batch_.emplace(grid_);
}

bool LabelStreamPacer::pump() {
    batch_.reset();
    bool changed = false;
    {
        GridChangeWatch watch(grid_);
        events_.process();
        changed = watch.changed;
    }
    batch_.emplace(grid_);
    timer_.restart();
    return changed;
}

}  // namespace etq
