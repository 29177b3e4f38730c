// Captions are data: whatever the user typed is shown character for
// character, never read as markup, entities or mnemonics.
#pragma once

#include <QString>

#include <string_view>

namespace velmora::ui {

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Buttons and frame titles take "&" as a mnemonic marker; "&&" draws one "&".
inline QString withoutMnemonics(QString caption) {
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace velmora::ui
