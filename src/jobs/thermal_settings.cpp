#include "jobs/thermal_settings.h"

#include "platform/private_profile.h"
#include "routines/settings_files.h"

namespace etq {

namespace {

// A value read back loses its surrounding blanks and one pair of surrounding quotes; a value
// that would lose either is written between double quotes, which the read removes again.
QString storedForm(const QString& value) {
    const bool blanks = value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' ')) ||
                        value.startsWith(QLatin1Char('\t')) || value.endsWith(QLatin1Char('\t'));
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''));
    return blanks || quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

}  // namespace

const QString ThermalSettings::Section = QStringLiteral("etiqueta_termica");

const std::array<QString, ThermalSettings::Count> ThermalSettings::Keys = {
    QStringLiteral("densidade"),      QStringLiteral("velocidade"), QStringLiteral("margem"),
    QStringLiteral("cod_fornecedor"), QStringLiteral("descricao"),  QStringLiteral("cod_terceiro"),
    QStringLiteral("cod_barras"),     QStringLiteral("destino"),
};

void ThermalSettings::load(const QString& path) {
    for (int i = 0; i < Count; ++i) {
        const QString value = readSettingsValue(path, Section, Keys[i]);
        fields[i].setText(value == noValueRead() ? QString() : value);
    }
}

bool ThermalSettings::save(const QString& path) const {
    bool saved = true;
    for (int i = 0; i < Count; ++i) {
        saved = writeProfileString(path, Section, Keys[i], storedForm(fields[i].text())) && saved;
    }
    return saved;
}

TextField* ThermalSettings::field(const QString& key) {
    for (int i = 0; i < Count; ++i) {
        if (Keys[i] == key) {
            return &fields[i];
        }
    }
    return nullptr;
}

}  // namespace etq
