#include "ui/messageboxwarnings.h"

#include <QMessageBox>

namespace velmora::ui {

void MessageBoxWarnings::warn(std::string_view prompt, std::string_view title) {
    const auto toQString = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    QMessageBox::warning(m_parent, toQString(title), toQString(prompt), QMessageBox::Ok);
}

} // namespace velmora::ui
