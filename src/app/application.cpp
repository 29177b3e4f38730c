#include "app/application.h"

#include "ui/chinese.h"

#include <QApplication>

namespace velmora::app {

void configure(QApplication& qtApp) {
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setDesktopFileName(QStringLiteral("io.velmora.Velmora"));
    ui::installQtChineseTranslations(qtApp);
}

Application::Application() {
    m_warnings.attach(m_form, &m_window);
}

void Application::show() {
    m_window.show();
    m_window.focusFirstBox();
}

} // namespace velmora::app
