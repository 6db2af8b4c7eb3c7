#include "app/work_dialog.h"

#include "app/field_style.h"
#include "platform/error.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
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

QLineEdit* WorkDialog::fileField(QHBoxLayout* row, const char* name, const QString& title,
                                 const QString& filter) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    FieldStyle::apply(field);
    auto* browse = new QPushButton(QStringLiteral("&Procurar…"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, field, title, filter] {
        const QString chosen = QFileDialog::getOpenFileName(this, title, field->text(), filter);
        if (!chosen.isEmpty()) {
            field->setText(QDir::toNativeSeparators(chosen));
        }
    });
    row->addWidget(field);
    row->addWidget(browse);
    return field;
}

}  // namespace etq
