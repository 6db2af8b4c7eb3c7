#pragma once

#include "platform/message_box.h"

#include <QDialog>

#include <functional>

class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;

namespace etq {

// A modal dialog of the window whose action may take a while and let pending events run
// meanwhile: while it works the dialog is disabled and does not close, and an error the action
// raises is shown to the operator instead of ending the program.
class WorkDialog : public QDialog {
    Q_OBJECT

  public:
    WorkDialog(MessageBox& messages, const QString& title, QWidget* parent);
    void reject() override;

  protected:
    // Runs `work`; false when it raised an error, which has been shown.
    bool runWork(const std::function<void()>& work);
    void warn(const QString& text);
    // The buttons row: the action's button (Enter presses it), connected to `action`, and a
    // closing button (Escape presses it too).
    QDialogButtonBox* buttons(const QString& actionCaption, std::function<void()> action,
                              const QString& closeCaption = QStringLiteral("Cancelar"));
    // A file name field (styled, named `name`) with a "Procurar…" button that fills it from an
    // open-file dialog of that title and filter.
    QLineEdit* fileField(QHBoxLayout* row, const char* name, const QString& title,
                         const QString& filter);

    MessageBox& messages_;

  private:
    bool working_ = false;
};

}  // namespace etq
