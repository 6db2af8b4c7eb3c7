#include "app/record_import_dialog.h"

#include "app/window_operations.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace etq {

namespace {

constexpr const char16_t* kListCaptions[] = {
    u"&Registros mantidos: %1", u"&Linhas lidas de volta: %1", u"C&haves distintas: %1"};

}  // namespace

RecordImportDialog::RecordImportDialog(QWidget* window, MessageBox& messages,
                                       WindowOperations& operations)
    : WorkDialog(messages, QStringLiteral("Importar registros"), window), operations_(operations) {
    auto* layout = new QVBoxLayout(this);
    auto* fileRow = new QHBoxLayout;
    auto* fileCaption = new QLabel(QStringLiteral("&Arquivo:"));
    fileRow->addWidget(fileCaption);
    txtarquivo_ = fileField(fileRow, "txtarquivo", QStringLiteral("Arquivo de registros"),
                            QStringLiteral("Arquivos de texto (*.txt *.TXT)"));
    fileCaption->setBuddy(txtarquivo_);
    layout->addLayout(fileRow);

    optlinha_ = new QRadioButton(QStringLiteral("&Um registro por linha"));
    optlinha_->setObjectName(QStringLiteral("optlinha"));
    optlinha_->setChecked(true);
    auto* modes = new QHBoxLayout;
    modes->addWidget(optlinha_);
    auto* separator = new QRadioButton(QStringLiteral("Registros com &separador"));
    separator->setObjectName(QStringLiteral("separador"));
    modes->addWidget(separator);
    layout->addLayout(modes);

    // Fixed-width records read best in a fixed-width font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* lists = new QGridLayout;
    const char* names[] = {"lstregistros", "lstlinhas", "lstchaves"};
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        lists_[i] = new QListWidget;
        lists_[i]->setFont(fixed);
        captions_[i] = new QLabel(QString::fromUtf16(kListCaptions[i]).arg(0));
        captions_[i]->setBuddy(lists_[i]);
        // A list and its caption go by the list's name.
        lists_[i]->setObjectName(QLatin1String(names[i]));
        captions_[i]->setObjectName(QLatin1String(names[i]));
        lists->addWidget(captions_[i], 0, static_cast<int>(i));
        lists->addWidget(lists_[i], 1, static_cast<int>(i));
    }
    layout->addLayout(lists);
    layout->addWidget(buttons(
        QStringLiteral("&Importar"), [this] { run(); }, QStringLiteral("&Fechar")));
    resize(760, 420);
}

void RecordImportDialog::run() {
    operations_.txtarquivo.setText(txtarquivo_->text());
    operations_.optlinha = optlinha_->isChecked() ? 1 : 0;
    runWork([this] { operations_.importa_arquivo(); });
    // What the import kept before a failure shows too.
    const QStringList* filled[] = {&operations_.lstregistros, &operations_.lstlinhas,
                                   &operations_.lstchaves};
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        lists_[i]->clear();
        lists_[i]->addItems(*filled[i]);
        captions_[i]->setText(QString::fromUtf16(kListCaptions[i]).arg(filled[i]->size()));
    }
}

}  // namespace etq
