#pragma once

namespace etq {

// Where the two label layouts differ: the baselines of the lower caption and value lines, the
// box around them, and which of the colour and supplier-code lines comes first in the job.
struct MarketplaceLayout {
    int yFornecedor;  // "Codigo Item Fornecedor:" and its value
    int yDescricao;   // "Descricao:" and its value
    int yTerceiro;    // "Codigo Terceiro:" and its value
    int yBottom;      // "Tamanho:", "Cor:", "MORVAL/WMS", the size and the colour
    int boxY;
    int boxWidth;
    bool fornecedorBeforeCor;
};

inline constexpr MarketplaceLayout kLayoutA{282, 214, 250, 315, 176, 590, false};
inline constexpr MarketplaceLayout kLayoutB{272, 204, 240, 305, 166, 580, true};

}  // namespace etq
