#include "app/work_dialog.h"

#include "platform/error.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace etq {

WorkDialog::WorkDialog(MessageBox& messages, const QString& title, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(title);
}

void WorkDialog::reject() {
    if (!working_) {
        QDialog::reject();
    }
}

bool WorkDialog::runWork(const std::function<void()>& work) {
    working_ = true;
    setEnabled(false);
    bool done = false;
    try {
        work();
        done = true;
    } catch (const Error& error) {
        messages_.show(error.description(), MessageBox::Buttons::Ok, MessageBox::Icon::Critical,
                       MessageBox::warningTitle());
    }
    setEnabled(true);
    working_ = false;
    return done;
}

void WorkDialog::warn(const QString& text) {
    messages_.show(text, MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                   MessageBox::warningTitle());
}

QDialogButtonBox* WorkDialog::buttons(const QString& actionCaption, std::function<void()> action,
                                      const QString& closeCaption) {
    auto* box = new QDialogButtonBox(this);
    QPushButton* run = box->addButton(actionCaption, QDialogButtonBox::AcceptRole);
    run->setObjectName(QStringLiteral("run"));
    run->setDefault(true);
    box->addButton(closeCaption, QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::accepted, this, std::move(action));
    connect(box, &QDialogButtonBox::rejected, this, &WorkDialog::reject);
    return box;
}

}  // namespace etq
