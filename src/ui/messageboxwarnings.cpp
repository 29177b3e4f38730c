#include "ui/messageboxwarnings.h"

#include "ui/plaintext.h"
#include "view/viewrules.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace velmora::ui {

std::unique_ptr<QMessageBox> createWarningBox(std::string_view prompt, std::string_view title,
                                              QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, qText(title), qText(prompt),
                                             QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    // 确定 even where Qt's translations are not installed.
    box->button(QMessageBox::Ok)->setText(qText(kWarningBoxButton));
    if (auto* sign = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        sign->setAccessibleName(qText(kWarningSignName));
    }
    return box;
}

void MessageBoxWarnings::warn(std::string_view prompt, std::string_view title) {
    createWarningBox(prompt, title, m_parent)->exec();
    if (m_form != nullptr) {
        m_form->dismissBox();
    }
}

} // namespace velmora::ui
