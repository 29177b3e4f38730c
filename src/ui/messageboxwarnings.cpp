#include "ui/messageboxwarnings.h"

#include "ui/plaintext.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace velmora::ui {

void MessageBoxWarnings::warn(std::string_view prompt, std::string_view title) {
    QMessageBox box(QMessageBox::Warning, qText(title), qText(prompt), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    // 确定 even where Qt's translations are not installed.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    if (auto* sign = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        sign->setAccessibleName(QStringLiteral("警告"));
    }
    box.exec();
}

} // namespace velmora::ui
