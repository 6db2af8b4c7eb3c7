#pragma once

#include <QLabel>
#include <QStringList>

namespace etq {

// A label that shows its caption the way the window's labels do: broken into lines at blanks,
// each line as many whole words as fit the label's width, as many lines as fit its height whole.
// A word wider than the label is not shown, nor is a line that would be cut at the bottom:
// nothing is ever shown cut in the middle of a word.
class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    // The lines the label shows, top to bottom.
    QStringList shownLines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace etq
