#pragma once

#include <QtGlobal>

namespace velmora::ui {

// 1440 twips make an inch, and Qt's logical pixel is 1/96 inch on every
// screen; Qt scales logical pixels for high-DPI screens itself.
inline int twipsToPixels(int twips) {
    return qRound(twips / 15.0);
}

} // namespace velmora::ui
