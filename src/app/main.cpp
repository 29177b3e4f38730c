#include "model/form.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.velmora.Velmora"));

    velmora::ui::MessageBoxWarnings warnings;
    velmora::Form form(warnings);
    velmora::ui::MainWindow window(form);
    warnings.setParent(&window);
    window.show();
    window.widget(velmora::id("Text1"))->setFocus();
    // The program ends when its last window closes: an open help window
    // keeps it running after the main window is closed.
    return QApplication::exec();
}
