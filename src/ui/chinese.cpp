#include "ui/chinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

namespace velmora::ui {

void installQtChineseTranslations(QCoreApplication& app) {
    // Parented to the application, so it lives exactly as long.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

QMenu* chineseContextMenu(QLineEdit* box) {
    QMenu* menu = box->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        QString text = action->text();
        action->setText(text.replace(QStringLiteral("撤消"), QStringLiteral("撤销")));
    }
    return menu;
}

} // namespace velmora::ui
