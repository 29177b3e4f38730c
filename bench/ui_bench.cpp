// Costs of what the user sees: a press with a huge pasted text, and the help
// window opened and printing its longest section. Offscreen platform.
#include "form/form.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

using namespace velmora;

class IgnoredWarnings : public WarningSink {
public:
    void warn(std::string_view, std::string_view) override {}
    bool dismissesAtOnce() const override { return true; }
};

// 100,000 characters pasted into the hit box, then 计算: the hit result
// label shows the pasted text as it stands.
void BM_CalculateWithPastedText(benchmark::State& state) {
    IgnoredWarnings warnings;
    Form form(warnings);
    ui::MainWindow window(form);
    window.show();
    QApplication::processEvents();
    auto* hit = qobject_cast<QLineEdit*>(window.widget(id("Text4")));
    const QString pasted = QString(50000, QLatin1Char('1')) + QString(50000, QChar(0x4E2D));
    form.click(id("Option2"));
    for (auto _ : state) {
        hit->setText(QString());
        hit->insert(pasted); // as a paste does
        form.type(id("Text4"), hit->text().toStdString());
        qobject_cast<QPushButton*>(window.widget(id("Command1")))->click();
        QApplication::processEvents();
        window.repaint();
    }
}
BENCHMARK(BM_CalculateWithPastedText)->Unit(benchmark::kMillisecond);

void BM_OpenHelpAndPrintBasicTheory(benchmark::State& state) {
    for (auto _ : state) {
        ui::HelpWindow help;
        help.show();
        help.button(1)->click();
        help.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenHelpAndPrintBasicTheory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
