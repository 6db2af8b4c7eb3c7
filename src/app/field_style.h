#pragma once

#include <QObject>

class QLineEdit;

namespace etq {

// Styling and key filtering of the dialogs' text fields through the window's field routines: a
// field that gains the focus turns pale yellow and has its text selected (entra1), turns white
// again when it loses it (sai1); a numeric field takes only digits among the typed characters
// (NUMERO), while editing keys and shortcuts pass.
class FieldStyle : public QObject {
    Q_OBJECT

  public:
    enum class Keys { Any, Digits };
    static void apply(QLineEdit* field, Keys keys = Keys::Any);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FieldStyle(QLineEdit* field, Keys keys);
    Keys keys_;
};

}  // namespace etq
