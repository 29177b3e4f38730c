// form-shot: renders the main window, the help window with a section or the
// window of exact changes and gain curves, offscreen to a PNG, optionally
// after a form-driver script.
//   form-shot [--script FILE] [--help-section 1..6 | --warning | --insight | --wider N | --best-gear
//   LIST.tsv] OUT.png
// --warning renders the last warning box the script raised, under a title
// bar drawn the way a window manager frames it (offscreen has no frames).
#include "script.h"
#include "ui/bestgearwindow.h"
#include "ui/chinese.h"
#include "ui/helpwindow.h"
#include "ui/insightwindow.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
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
    velmora::ui::installQtChineseTranslations(app);
    std::string script;
    int helpSection = 0;
    bool lastWarning = false;
    bool insight = false;
    int wider = 0;            // presses of 加宽范围 before the insight window is shown
    std::string bestGearList; // a candidate list, read in and searched to the end
    QString out;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--script") && i + 1 < args.size()) {
            script = args[++i].toStdString();
        } else if (args[i] == QLatin1String("--warning")) {
            lastWarning = true;
        } else if (args[i] == QLatin1String("--insight")) {
            insight = true;
        } else if (args[i] == QLatin1String("--wider") && i + 1 < args.size()) {
            insight = true;
            wider = args[++i].toInt();
        } else if (args[i] == QLatin1String("--best-gear") && i + 1 < args.size()) {
            bestGearList = args[++i].toStdString();
        } else if (args[i] == QLatin1String("--help-section") && i + 1 < args.size()) {
            helpSection = args[++i].toInt();
        } else {
            out = args[i];
        }
    }
    if (out.isEmpty() || helpSection < 0 || helpSection > 6) {
        std::cerr
            << "usage: form-shot [--script FILE] [--help-section 1..6 | --warning | --insight | --wider N | "
               "--best-gear LIST.tsv] OUT.png\n";
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
    if (lastWarning) {
        if (warnings.shown.empty()) {
            std::cerr << "form-shot: the script raised no warning box\n";
            return 2;
        }
        const auto& [prompt, title] = warnings.shown.back();
        const auto box = velmora::ui::createWarningBox(prompt, title, nullptr);
        box->show();
        QApplication::processEvents();
        const QPixmap client = box->grab();
        const int titleHeight = 24;
        QPixmap framed(client.width() + 2, client.height() + titleHeight + 1);
        framed.fill(QColor(0x60, 0x60, 0x60));
        QPainter painter(&framed);
        painter.fillRect(1, 1, client.width(), titleHeight - 1, QColor(0xe8, 0xe8, 0xe8));
        painter.setFont(window.font());
        painter.drawText(QRect(8, 1, client.width() - 8, titleHeight - 1), Qt::AlignVCenter | Qt::AlignLeft,
                         box->windowTitle());
        painter.drawPixmap(1, titleHeight, client);
        painter.end();
        return framed.save(out) ? 0 : 1;
    }
    QWidget* shown = &window;
    if (helpSection > 0) {
        auto* help = new velmora::ui::HelpWindow;
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->printSection(static_cast<std::size_t>(helpSection - 1));
        shown = help;
    } else if (!bestGearList.empty()) {
        auto* window = new velmora::ui::BestGearWindow(form);
        window->setAttribute(Qt::WA_DeleteOnClose);
        velmora::GearCandidates& candidates = window->candidates();
        std::ifstream in(bestGearList);
        candidates.typeDraft(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        if (!in || candidates.readDraft() || !candidates.startSearch(form.gainStore())) {
            std::cerr << "form-shot: cannot read and search " << bestGearList << '\n';
            return 2;
        }
        while (candidates.state() == velmora::GearCandidates::State::Running) {
            candidates.searchOn(velmora::kSearchSliceSteps);
        }
        window->refresh();
        shown = window;
    } else if (insight) {
        for (int press = 0; press < wider; ++press) {
            form.widenCurves();
        }
        auto* window = new velmora::ui::InsightWindow(form);
        window->setAttribute(Qt::WA_DeleteOnClose);
        shown = window;
    }
    shown->show();
    QApplication::processEvents();
    if (!shown->grab().save(out)) {
        std::cerr << "form-shot: cannot write " << out.toStdString() << '\n';
        return 1;
    }
    return 0;
}
