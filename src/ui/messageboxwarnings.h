#pragma once

#include "form/form.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QMessageBox;

namespace velmora::ui {

// A warning box as the program shows it: the title, the prompt as plain
// text, a named warning sign and a 确定 button.
std::unique_ptr<QMessageBox> createWarningBox(std::string_view prompt, std::string_view title,
                                              QWidget* parent);

// Shows the box the core says is up as a modal warning box with a 确定
// button, over the window, and tells the core when it is dismissed.
class MessageBoxWarnings : public WarningSink {
public:
    void attach(Form& form, QWidget* window) {
        m_form = &form;
        m_parent = window;
    }
    void warn(std::string_view prompt, std::string_view title) override;

private:
    Form* m_form = nullptr;
    QPointer<QWidget> m_parent;
};

} // namespace velmora::ui
