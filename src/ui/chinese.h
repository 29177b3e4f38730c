// Qt's own texts (the text boxes' context menu, standard buttons) in
// simplified Chinese.
#pragma once

class QCoreApplication;
class QLineEdit;
class QMenu;

namespace velmora::ui {

// Loads Qt's simplified-Chinese translations where they are installed; the
// program's own texts need none.
void installQtChineseTranslations(QCoreApplication& app);

// A text box's context menu in the words a Chinese desktop uses (Qt's own
// translation writes the older 撤消 for 撤销). The caller owns the menu.
QMenu* chineseContextMenu(QLineEdit* box);

} // namespace velmora::ui
