#include "app/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    velmora::app::configure(qtApp);

    velmora::app::Application velmora;
    velmora.show();
    // The program ends when its last window closes: an open help window
    // keeps it running after the main window is closed.
    return QApplication::exec();
}
