#include "app/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("io.velmora.Velmora"));

    velmora::app::Application velmora;
    velmora.show();
    // The program ends when its last window closes: an open help window
    // keeps it running after the main window is closed.
    return QApplication::exec();
}
