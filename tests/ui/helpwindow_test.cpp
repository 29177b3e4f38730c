// The help window opened from the main window.
#include "uitest.h"

#include "form/form.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"
#include "ui/printedlines.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        warnings.attach(form, &main);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    void TearDown() override {
        if (main.helpWindow() != nullptr) {
            main.helpWindow()->close();
        }
    }
    ui::HelpWindow* openHelp() {
        QTest::mouseClick(main.widget(control("Command4")), Qt::LeftButton);
        ui::HelpWindow* help = main.helpWindow();
        if (help != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(help));
        }
        return help;
    }
    static QImage shot(QWidget* w) { return w->grab().toImage(); }

    ui::MessageBoxWarnings warnings;
    Form form{warnings};
    ui::MainWindow main{form};
};

TEST_F(HelpWindowTest, OpensOnceWithItsButtonsAndAnEmptyClientArea) {
    EXPECT_EQ(main.helpWindow(), nullptr);
    ui::HelpWindow* help = openHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "说明文档");
    EXPECT_EQ(help->size(), QSize(819, 585));
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_TRUE(help->testAttribute(Qt::WA_QuitOnClose)); // keeps the program running on its own
    EXPECT_FALSE(help->isModal());
    EXPECT_FALSE(help->shownSection());

    const char* captions[] = {"使用说明", "基础理论", "计算公式", "一些结论", "关于加速", "更新日志"};
    const int lefts[] = {16, 104, 192, 280, 368, 720};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(help->button(i)->text(), captions[i]);
        EXPECT_EQ(help->button(i)->geometry(), QRect(lefts[i], 8, 73, 25));
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    EXPECT_EQ(QApplication::focusWidget(), help->button(0));
    // Tab order: 使用说明, 计算公式, 基础理论, 一些结论, 关于加速, 更新日志.
    const std::size_t order[] = {0, 2, 1, 3, 4, 5};
    for (std::size_t i = 1; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), help->button(order[i])) << i;
    }

    help->button(1)->click();
    EXPECT_EQ(openHelp(), help); // a second press creates nothing
    EXPECT_EQ(help->shownSection(), 1u);
}

// Run on a wide screen and on a 1366 x 768 laptop at 150 %: the window lies
// within the room the screen has, at its designed size where there is room;
// else it scrolls, and the keyboard brings the last line of 基础理论 into view.
TEST_F(HelpWindowTest, FitsTheScreenAndScrollsWhereItMust) {
    ui::HelpWindow* help = openHelp();
    ASSERT_NE(help, nullptr);
    const QSize room = help->screen()->availableGeometry().size();
    EXPECT_TRUE(help->frameGeometry().width() <= room.width() &&
                help->frameGeometry().height() <= room.height());
    help->button(1)->click();
    const QScrollArea* scroll = help->scrollArea();
    if (room.width() >= 819 && room.height() >= 585) {
        EXPECT_EQ(help->size(), QSize(819, 585));
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible() || scroll->horizontalScrollBar()->isVisible());
        return;
    }
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    help->printedLines()->setFocus();
    QTest::keyClick(help->printedLines(), Qt::Key_End, Qt::ControlModifier);
    const QRect lastLine = help->characterRect(help->printedLines()->caret());
    const QPoint shownAt = help->printedLines()->mapTo(scroll->viewport(), lastLine.topLeft());
    EXPECT_EQ(lastLine.top(), 46 * ui::HelpWindow::kLineHeight); // the 47th line
    EXPECT_TRUE(scroll->viewport()->rect().contains(QRect(shownAt, lastLine.size())));
}

TEST_F(HelpWindowTest, APressReplacesTheShownSectionWhole) {
    ui::HelpWindow* help = openHelp();
    const QImage empty = shot(help);
    help->button(5)->click();
    const QImage changeLogAlone = shot(help);
    EXPECT_NE(changeLogAlone, empty);
    help->button(1)->click(); // 47 lines
    const QImage basicTheory = shot(help);
    EXPECT_NE(basicTheory, changeLogAlone);
    help->button(5)->click(); // 18 lines: nothing of the longer section stays
    EXPECT_EQ(shot(help), changeLogAlone);
    help->button(5)->click();
    EXPECT_EQ(shot(help), changeLogAlone);
}

TEST_F(HelpWindowTest, ReopensEmptyAfterBeingClosed) {
    ui::HelpWindow* help = openHelp();
    const QImage empty = shot(help);
    help->button(0)->click();
    help->close();
    EXPECT_EQ(openHelp(), help);
    EXPECT_FALSE(help->shownSection());
    EXPECT_EQ(shot(help), empty);
}

TEST_F(HelpWindowTest, AMinimisedHelpWindowIsRestoredWithItsSection) {
    ui::HelpWindow* help = openHelp();
    help->button(3)->click();
    const QImage conclusions = shot(help);
    help->showMinimized();
    ASSERT_TRUE(waitFor([&] { return help->isMinimized(); }));
    EXPECT_EQ(openHelp(), help);
    EXPECT_TRUE(waitFor([&] { return !help->isMinimized() && help->isVisible(); }));
    EXPECT_EQ(help->shownSection(), 3u);
    EXPECT_EQ(shot(help), conclusions);
}

TEST_F(HelpWindowTest, OpenedAgainTheFocusIsOnTheUsageButton) {
    ui::HelpWindow* help = openHelp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), help->button(1)); // 基础理论
    help->close();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(openHelp(), help);
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    EXPECT_EQ(QApplication::focusWidget(), help->button(0));
}

TEST_F(HelpWindowTest, MainWindowKeepsWorkingWhileHelpIsOpen) {
    ui::HelpWindow* help = openHelp();
    help->button(2)->click();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto* attack = qobject_cast<QLineEdit*>(main.widget(control("Text3")));
    QTest::mouseClick(attack, Qt::LeftButton);
    QTest::keyClick(attack, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(attack, "15000");
    QTest::mouseClick(main.widget(control("Option2")), Qt::LeftButton);
    QTest::mouseClick(main.widget(control("Command1")), Qt::LeftButton);
    EXPECT_EQ(qobject_cast<QLabel*>(main.widget(control("Label15")))->text(), "0.07586219");
    EXPECT_EQ(qobject_cast<QLabel*>(main.widget(control("Label16")))->text(), "2.889989");
    EXPECT_EQ(openHelp(), help); // a second 详细说明 brings it to the front
    EXPECT_TRUE(QTest::qWaitForWindowActive(help));
    EXPECT_EQ(help->shownSection(), 2u);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->shownSection(), 2u);
}

} // namespace
} // namespace velmora::testing
