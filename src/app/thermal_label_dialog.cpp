#include "app/thermal_label_dialog.h"

#include "app/field_style.h"
#include "app/main_window.h"
#include "app/window_operations.h"
#include "jobs/thermal_settings.h"
#include "platform/batch_line.h"
#include "platform/text_encoding.h"
#include "print/sheet_printing.h"
#include "routines/settings_files.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace etq {

namespace {

// Captions of the settings fields, in the order of ThermalSettings::Keys; the last setting,
// the destination, has a list of its own.
constexpr const char16_t* kCaptions[] = {
    u"&Densidade:", u"&Velocidade:",         u"&Margem (pontos):", u"Código do &fornecedor:",
    u"D&escrição:", u"Código de te&rceiro:", u"Código de &barras:"};

}  // namespace

ThermalLabelDialog::ThermalLabelDialog(MainWindow& window, Platform& platform,
                                       WindowOperations& operations)
    : WorkDialog(platform.messages, QStringLiteral("Etiquetas térmicas (ZPL)"), &window),
      platform_(platform),
      operations_(operations) {
    ThermalSettings settings;
    settings.load(settingsFilePath(platform.folders));
    auto* form = new QFormLayout(this);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLineEdit(settings.fields[i].text());
        fields_[i]->setObjectName(ThermalSettings::Keys[i]);
        // Darkness and speed are whole numbers.
        FieldStyle::apply(fields_[i], i < 2 ? FieldStyle::Keys::Digits : FieldStyle::Keys::Any);
        form->addRow(QString::fromUtf16(kCaptions[i]), fields_[i]);
    }
    destino_ = new QComboBox;
    destino_->setObjectName(QStringLiteral("destino"));
    destino_->setEditable(true);
    destino_->addItems(platform.printer.printerNames());
    destino_->setCurrentText(settings.fields[ThermalSettings::Count - 1].text());
    form->addRow(QStringLiteral("Des&tino:"), destino_);

    auto* layouts = new QHBoxLayout;
    auto* layoutA = new QRadioButton(QStringLiteral("Layout &A"));
    layoutA->setChecked(true);
    layoutB_ = new QRadioButton(QStringLiteral("La&yout B"));
    layoutB_->setObjectName(QStringLiteral("layoutB"));
    layouts->addWidget(layoutA);
    layouts->addWidget(layoutB_);
    form->addRow(QStringLiteral("Modelo:"), layouts);

    // The rows default to the grid's selection; the header row is no item.
    const FlexGrid& grid = window.grid();
    const PrintRange selected = selectedRows(grid);
    const int lastRow = std::max(1, grid.Rows() - 1);
    first_ = new QSpinBox;
    last_ = new QSpinBox;
    first_->setObjectName(QStringLiteral("first"));
    last_->setObjectName(QStringLiteral("last"));
    first_->setRange(1, lastRow);
    last_->setRange(1, lastRow);
    first_->setValue(std::max<int>(1, selected.first));
    last_->setValue(std::max<int>(first_->value(), selected.last));
    form->addRow(QStringLiteral("Da &linha:"), first_);
    form->addRow(QStringLiteral("Até a lin&ha:"), last_);
    form->addRow(buttons(QStringLiteral("&Imprimir"), [this] { run(); }));
}

void ThermalLabelDialog::run() {
    ThermalSettings settings;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        settings.fields[i].setText(fields_[i]->text());
    }
    const QString destino = destino_->currentText();
    settings.fields[ThermalSettings::Count - 1].setText(destino);
    const QString path = settingsFilePath(platform_.folders);
    // A text the code page cannot hold is neither stored nor printed; the job's refusal names it.
    const bool printable = std::none_of(
        settings.fields.cbegin(), settings.fields.cend(),
        [](const PlainTextField& field) { return !outsideWindows1252(field.text()).isEmpty(); });
    if (!settings.save(path) && printable) {
        warn(QStringLiteral("As configurações não puderam ser gravadas em %1.")
                 .arg(QDir::toNativeSeparators(path)));
    }
    offerNewDestination(destino);
    for (std::size_t i = 0; i < settings.fields.size(); ++i) {
        operations_.marketplaceFields[i].setText(settings.fields[i].text());
    }
    const auto first = static_cast<qint16>(first_->value());
    const auto last = static_cast<qint16>(last_->value());
    runWork([&] {
        if (layoutB_->isChecked()) {
            operations_.imprime_wms_2(first, last);
        } else {
            operations_.imprime_wms_1(first, last);
        }
    });
    accept();
}

// The print batch keeps the destination it was first written with; a different destination
// only takes effect when the batch is written anew, so the operator is asked first.
void ThermalLabelDialog::offerNewDestination(const QString& destino) {
    const QString batchPath =
        fileInFolder(platform_.folders.application, QStringLiteral("printmorv.bat"));
    QFile batch(batchPath);
    if (destino.trimmed().isEmpty() || !batch.open(QIODevice::ReadOnly)) {
        return;
    }
    const auto copy = parseBatchCopy(decodeWindows1252(batch.readAll()));
    batch.close();
    if (!copy || copy->destination == destino.trimmed()) {
        return;
    }
    const auto answer =
        messages_.show(QStringLiteral("O arquivo printmorv.bat envia as etiquetas para \"%1\".\n"
                                      "Passar a enviar para \"%2\"?")
                           .arg(copy->destination, destino),
                       MessageBox::Buttons::YesNo, MessageBox::Icon::Question);
    if (answer == MessageBox::Answer::Yes && !batch.remove()) {
        warn(QStringLiteral("O arquivo %1 não pôde ser apagado: %2")
                 .arg(QDir::toNativeSeparators(batchPath), batch.errorString()));
    }
}

}  // namespace etq
