#include "app/label_stream_dialog.h"

#include "app/main_window.h"
#include "jobs/label_stream_file.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace etq {

LabelStreamDialog::LabelStreamDialog(MainWindow& window, Platform& platform, MousePointer& pointer)
    : WorkDialog(platform.messages, QStringLiteral("Abrir etiquetas ZPL"), &window),
      window_(window),
      platform_(platform),
      pointer_(pointer) {
    auto* form = new QFormLayout(this);
    auto* fileRow = new QHBoxLayout;
    file_ = fileField(fileRow, "file", QStringLiteral("Arquivo de etiquetas ZPL"),
                      QStringLiteral("Etiquetas ZPL (*.zpl *.prn *.txt);;Todos os arquivos (*)"));
    auto* fileCaption = new QLabel(QStringLiteral("&Arquivo:"));
    fileCaption->setBuddy(file_);
    form->addRow(fileCaption, fileRow);
    pasted_ = new QPlainTextEdit;
    pasted_->setObjectName(QStringLiteral("pasted"));
    pasted_->setTabChangesFocus(true);
    pasted_->setLineWrapMode(QPlainTextEdit::NoWrap);
    form->addRow(QStringLiteral("ou &cole as etiquetas:"), pasted_);

    auto* readers = new QVBoxLayout;
    auto* itens = new QRadioButton(QStringLiteral("&Itens por referência"));
    itens->setChecked(true);
    separa1_ = new QRadioButton(QStringLiteral("&Separar etiquetas"));
    separa1_->setObjectName(QStringLiteral("separa1"));
    separa2_ = new QRadioButton(QStringLiteral("Separar etiquetas, &marcadores em qualquer caixa"));
    separa2_->setObjectName(QStringLiteral("separa2"));
    readers->addWidget(itens);
    readers->addWidget(separa1_);
    readers->addWidget(separa2_);
    form->addRow(QStringLiteral("Ler:"), readers);
    form->addRow(buttons(QStringLiteral("&Ler"), [this] { run(); }));
}

void LabelStreamDialog::run() {
    QString stream = pasted_->toPlainText();
    const QString fileName = file_->text().trimmed();
    if (!fileName.isEmpty()) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            warn(QStringLiteral("O arquivo %1 não pôde ser lido: %2")
                     .arg(QDir::toNativeSeparators(fileName), file.errorString()));
            return;
        }
        stream = labelStreamText(file.readAll());
    }
    if (stream.trimmed().isEmpty()) {
        warn(QStringLiteral("Escolha um arquivo de etiquetas ZPL ou cole as etiquetas."));
        return;
    }
    const StreamReader reader = separa1_->isChecked()   ? StreamReader::SEPARA_1
                                : separa2_->isChecked() ? StreamReader::SEPARA_2
                                                        : StreamReader::Pega_Itens;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    runWork([&] { readLabelStream(reader, stream, window_.grid(), platform_.events, pointer_); });
    accept();
}

}  // namespace etq
