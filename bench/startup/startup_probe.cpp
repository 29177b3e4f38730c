// Velmora started exactly as the installed program starts, reporting when
// its main window is first shown.
#include "app/application.h"
#include "shownprobe.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    velmora::app::configure(qtApp);
    velmora::app::Application velmora;
    ShownProbe probe(velmora.window());
    velmora.show();
    return QApplication::exec();
}
