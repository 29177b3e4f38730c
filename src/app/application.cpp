#include "app/application.h"

namespace velmora::app {

Application::Application() {
    m_warnings.setParent(&m_window);
}

void Application::show() {
    m_window.show();
    m_window.widget(id("Text1"))->setFocus();
}

} // namespace velmora::app
