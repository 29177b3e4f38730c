// form-shot: renders the main window, or the help window with a section,
// offscreen to a PNG, optionally after a form-driver script.
//   form-shot [--script FILE] [--help-section 1..6] OUT.png
#include "script.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QPixmap>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::string script;
    int helpSection = 0;
    QString out;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--script") && i + 1 < args.size()) {
            script = args[++i].toStdString();
        } else if (args[i] == QLatin1String("--help-section") && i + 1 < args.size()) {
            helpSection = args[++i].toInt();
        } else {
            out = args[i];
        }
    }
    if (out.isEmpty() || helpSection < 0 || helpSection > 6) {
        std::cerr << "usage: form-shot [--script FILE] [--help-section 1..6] OUT.png\n";
        return 2;
    }

    velmora::tools::RecordingWarnings warnings;
    velmora::Form form(warnings);
    if (!script.empty()) {
        std::ifstream in(script);
        if (!in) {
            std::cerr << "form-shot: cannot read " << script << '\n';
            return 2;
        }
        velmora::tools::ScriptRunner runner(form, warnings);
        std::ostringstream ignored;
        std::string line, error;
        while (std::getline(in, line)) {
            if (!runner.runLine(line, ignored, error)) {
                std::cerr << "form-shot: " << error << '\n';
                return 2;
            }
        }
    }
    velmora::ui::MainWindow window(form);
    QWidget* shown = &window;
    if (helpSection > 0) {
        auto* help = new velmora::ui::HelpWindow;
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->printSection(static_cast<std::size_t>(helpSection - 1));
        shown = help;
    }
    shown->show();
    QApplication::processEvents();
    if (!shown->grab().save(out)) {
        std::cerr << "form-shot: cannot write " << out.toStdString() << '\n';
        return 1;
    }
    return 0;
}
