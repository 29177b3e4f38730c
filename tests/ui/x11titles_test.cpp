// The titles the window manager shows, read from the X server: Qt appends
// an application display name to _NET_WM_NAME when one is set. Runs under
// Xvfb (platform xcb); skipped elsewhere.
#include "uitest.h"

#include "form/form.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

QString netWmName(QWidget* window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(5000)) {
        return QStringLiteral("(xprop did not finish)");
    }
    // _NET_WM_NAME(UTF8_STRING) = "Velmorav1.1"
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = line.indexOf('"');
    return quote < 0 ? line : line.mid(quote + 1, line.size() - quote - 2);
}

class X11Titles : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server";
        }
        warnings.attach(form, &window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ui::MessageBoxWarnings warnings;
    Form form{warnings};
    ui::MainWindow window{form};
};

TEST_F(X11Titles, WindowsAndBoxesShowExactlyTheirTitles) {
    EXPECT_EQ(netWmName(&window), "Velmorav1.1");

    QTest::mouseClick(window.widget(control("Command4")), Qt::LeftButton);
    ASSERT_NE(window.helpWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.helpWindow()));
    EXPECT_EQ(netWmName(window.helpWindow()), "说明文档");
    window.helpWindow()->close();

    // 计算 without a discipline, then 总收益 on an empty panel.
    BoxAnswerer boxes;
    QStringList shownTitles;
    boxes.onShown = [&] {
        QWidget* box = QApplication::activeModalWidget();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box));
        shownTitles << netWmName(box);
    };
    for (const char* button : {"Command1", "Command2"}) {
        const std::size_t before = boxes.seen.size();
        QTest::mouseClick(window.widget(control(button)), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return boxes.seen.size() > before; }, 5000)) << button;
    }
    EXPECT_EQ(shownTitles, (QStringList{"请选择 门派·心法", "请完善面板属性"}));
}

} // namespace
} // namespace velmora::testing
