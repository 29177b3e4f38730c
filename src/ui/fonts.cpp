#include "ui/fonts.h"

#include <QStringList>

namespace velmora::ui {

QFont dialogFont() {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("Noto Sans CJK SC")
                                   << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("sans-serif"));
    font.setPixelSize(12);
    return font;
}

QFont gridFont() {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("Noto Sans Mono CJK SC") << QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    // A pixel under the 12-pixel line pitch, so that lines of CJK text do
    // not touch.
    font.setPixelSize(11);
    return font;
}

} // namespace velmora::ui
