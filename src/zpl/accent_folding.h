#pragma once

#include <QString>

namespace etq {

// Replaces the accented Latin letters of Portuguese and its neighbours (acute, grave, tilde,
// circumflex and diaeresis on vowels, cedilla on c) by their plain letters, keeping the case,
// and every apostrophe by a blank. Other characters, other accented letters (ñ, ý) included,
// stay as they are.
QString tira_acento(const QString& text);

}  // namespace etq
