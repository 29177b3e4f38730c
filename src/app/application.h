// The running program: its core, the warning boxes and the main window.
#pragma once

#include "form/form.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

class QApplication;

namespace velmora::app {

// The program's names and Qt's Chinese texts. No display name is set: Qt
// would append it to every window title.
void configure(QApplication& qtApp);

class Application {
public:
    Application();

    // Shows the main window with the focus in the first panel box.
    void show();
    ui::MainWindow& window() { return m_window; }

private:
    ui::MessageBoxWarnings m_warnings;
    Form m_form{m_warnings};
    ui::MainWindow m_window{m_form};
};

} // namespace velmora::app
