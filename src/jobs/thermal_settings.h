#pragma once

#include "platform/text_field.h"
#include "zpl/marketplace_settings.h"

#include <QString>

#include <array>

namespace etq {

// The eight texts of the thermal label job as fields the job reads, and the settings file that
// keeps them between jobs: section "etiqueta_termica", one key per text, named as the texts
// (densidade, velocidade, margem, cod_fornecedor, descricao, cod_terceiro, cod_barras,
// destino). Both doors of the program, the window and the command line, use these names.
class ThermalSettings {
  public:
    static const QString Section;
    static constexpr int Count = 8;
    // The keys, in the order of MarketplaceSettings.
    static const std::array<QString, Count> Keys;

    ThermalSettings() = default;
    ThermalSettings(const ThermalSettings&) = delete;
    ThermalSettings& operator=(const ThermalSettings&) = delete;

    // Reads every text from the settings file at `path`; a key that is missing (or a file that
    // is) gives an empty text.
    void load(const QString& path);
    // Writes every text into the settings file at `path`, keeping its other sections and keys.
    // False when the file cannot be written or a text cannot be stored (a line break in it, a
    // character outside the code page); the texts that can be stored are written all the same.
    bool save(const QString& path) const;

    // The field of one text, by key; nullptr for an unknown key.
    TextField* field(const QString& key);

    std::array<PlainTextField, Count> fields;
    const MarketplaceSettings settings{fields[0], fields[1], fields[2], fields[3],
                                       fields[4], fields[5], fields[6], fields[7]};
};

}  // namespace etq
