// The floor for start-up: a minimal Qt Widgets program showing an empty
// window of the main window's size.
#include "shownprobe.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    QWidget window;
    window.setFixedSize(584, 543);
    ShownProbe probe(window);
    window.show();
    return QApplication::exec();
}
