// For context beside the floor: the same minimal program, with one label of
// Chinese text in the main window's font, so that it pays for loading the
// font database and drawing CJK glyphs as Velmora does.
#include "shownprobe.h"
#include "ui/fonts.h"

#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    QWidget window;
    window.setFixedSize(584, 543);
    window.setFont(velmora::ui::dialogFont());
    QLabel label(QStringLiteral("面板属性 心法选择 属性判定 团队增益 配装测试"), &window);
    label.move(16, 16);
    ShownProbe probe(window);
    window.show();
    return QApplication::exec();
}
