#pragma once

#include "model/warnings.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QMessageBox;

namespace velmora::ui {

// A warning box as the program shows it: the title, the prompt as plain
// text, a named warning sign and a 确定 button.
std::unique_ptr<QMessageBox> createWarningBox(std::string_view prompt, std::string_view title,
                                              QWidget* parent);

// Shows the core's warnings as modal warning boxes with a 确定 button; the
// handler goes on once the box is dismissed.
class MessageBoxWarnings : public WarningSink {
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    void warn(std::string_view prompt, std::string_view title) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace velmora::ui
