// The window of 最佳组合 shows the core's answer: a list typed by keyboard,
// read in and searched, on the sheet near the hit cap worked by hand in the
// core's tests (135 hit rating +0.87 % with 90 of it over the cap, 100
// critical rating +1.54 %, both +2.41 %).
#include "nearhitcap.h"
#include "windowfixture.h"

#include "ui/bestgearwindow.h"
#include "ui/geargrid.h"
#include "ui/insightwindow.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

namespace velmora::testing {
namespace {

class BestGear : public WindowTest {
protected:
    // 计算 on the sheet near the hit cap, then 最佳组合.
    void openOnTheSheetNearTheHitCap() {
        clickOn("Option2");
        for (const auto& [name, value] : kNearTheHitCapPanel) {
            type(name, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
        }
        clickOn("Command1");
        clickOn("Command7");
    }
};

TEST_F(BestGear, TheWindowShowsTheProvenBestAndRefusesABadPasteWhole) {
    openOnTheSheetNearTheHitCap();
    ui::BestGearWindow* best = window.bestGearWindow();
    ASSERT_NE(best, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(best));
    ASSERT_EQ(QApplication::focusWidget(), best->list()); // it opens where the list is typed
    // Pasted, and typed: Tab types a separator and leaves the focus in the list.
    best->list()->insertPlainText("帽子\t甲\t1\n帽子\t乙\t0");
    for (const char* typed : {"0", "0", "135"}) {
        QTest::keyClick(best->list(), Qt::Key_Tab);
        QTest::keyClicks(best->list(), typed);
    }
    QTest::keyClick(best->list(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), best->list());
    best->list()->insertPlainText("戒指\t丙\t1\n戒指\t丁\t0\t0\t0\t0\t100");
    QTest::keyClick(best->list(), Qt::Key_Tab, Qt::ControlModifier); // leaves the list
    ASSERT_EQ(QApplication::focusWidget(), best->readButton());
    QTest::mouseClick(best->readButton(), Qt::LeftButton);
    QTest::mouseClick(best->startButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return best->status()->text().startsWith("已比较全部"); }));
    QStringList rows;
    for (QLabel* row : best->rows()) {
        if (row->isVisible()) {
            rows << row->text();
        }
    }
    EXPECT_EQ(rows,
              QStringList({"第 1 名 +2.41 %：帽子：甲 → 乙；戒指：丙 → 丁（命中溢出 90 点）",
                           "第 2 名 +1.54 %：戒指：丙 → 丁",
                           "第 3 名 +0.87 %：帽子：甲 → 乙（命中溢出 90 点）", "第 4 名 0.00 %：不换装备"}));

    // A line that cannot be read: a box names it, and the list read before stands.
    best->list()->setPlainText("帽子\t甲\t1\n戒指\t丁\t2");
    QString boxText;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(best->readButton(), Qt::LeftButton);
    EXPECT_EQ(boxText, "第 2 行第 3 列：“已穿”应为 1 或 0");
    QTest::mouseClick(best->writeButton(), Qt::LeftButton);
    EXPECT_TRUE(best->list()->toPlainText().contains("戒指\t丁\t0\t0\t0\t0\t100"));
    EXPECT_EQ(best->rows().front()->text(), rows.front()); // the answer still belongs to that list
}

// The same list entered in the grid by keyboard, with an item added and
// removed on the way: the text area shows what the grid holds, and the
// answer is the same.
TEST_F(BestGear, AListEnteredInTheGridGivesTheSameAnswer) {
    openOnTheSheetNearTheHitCap();
    ui::BestGearWindow* best = window.bestGearWindow();
    ASSERT_TRUE(best != nullptr && QTest::qWaitForWindowExposed(best));
    ui::GearGrid* grid = best->grid();
    // Each item from 添加一件: the focus goes to its 部位, Tab walks its cells
    // (Space ticks 已穿), and the item after the last is added the same way.
    const std::vector<std::vector<const char*>> items = {{"帽子", "甲", "x"},
                                                         {"腰带", "删掉"},
                                                         {"帽子", "乙", "", "", "", "135"},
                                                         {"戒指", "丙", "x"},
                                                         {"戒指", "丁", "", "", "", "", "100"}};
    for (const auto& cells : items) {
        QTest::mouseClick(grid->addButton(), Qt::LeftButton);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            QWidget* focused = QApplication::focusWidget();
            if (column == kWornField) {
                ASSERT_EQ(focused, grid->wornBox(grid->rowCount() - 1));
                if (*cells[column] != '\0') {
                    QTest::keyClick(focused, Qt::Key_Space);
                }
            } else {
                ASSERT_EQ(focused, grid->cell(grid->rowCount() - 1, column)) << column;
                // Chinese comes from an input method, as a player types it.
                QInputMethodEvent typed;
                typed.setCommitString(QString::fromUtf8(cells[column]));
                QApplication::sendEvent(focused, &typed);
            }
            QTest::keyClick(focused, Qt::Key_Tab);
        }
    }
    QTest::mouseClick(grid->removeButton(1), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), grid->removeButton(1)); // the next item's
    EXPECT_EQ(best->list()->toPlainText(),
              "帽子\t甲\t1\n帽子\t乙\t0\t\t\t135\n戒指\t丙\t1\n戒指\t丁\t0\t\t\t\t100\n");
    QTest::mouseClick(best->readButton(), Qt::LeftButton);
    QTest::mouseClick(best->startButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return best->status()->text().startsWith("已比较全部 4 种组合"); }));
    EXPECT_EQ(best->rows().front()->text(),
              "第 1 名 +2.41 %：帽子：甲 → 乙；戒指：丙 → 丁（命中溢出 90 点）");
}

} // namespace
} // namespace velmora::testing

namespace velmora::testing {
namespace {

class ScreenFit : public WindowTest {};

// Each window fits the screen it opens on (at its designed size where there
// is room), and the last line a player tabs to comes into view: run on a wide
// screen, a 1366 × 768 laptop at 125 % and 150 %, and a 1024 × 600 netbook.
TEST_F(ScreenFit, EveryWindowFitsAndScrollsToWhatTabReaches) {
    clickOn("Option2");
    for (const auto& [name, value] : kWorkedPanel) {
        type(name, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    }
    type("Text1", "3000"); // 总收益 asks for a whole panel
    clickOn("Command1");
    clickOn("Command2");
    clickOn("Command6");
    clickOn("Command7");
    ui::InsightWindow* insight = window.insightWindow();
    ui::BestGearWindow* best = window.bestGearWindow();
    ASSERT_TRUE(insight != nullptr && best != nullptr);
    best->candidates().typeDraft("帽子\t甲\t1\n帽子\t乙\t0\t0\t0\t135");
    ASSERT_FALSE(best->candidates().readDraft().has_value());
    best->refresh();
    QTest::mouseClick(best->startButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return best->straightLine()->isVisible(); }));
    struct Shown {
        QWidget* window;
        QScrollArea* scroll;
        QWidget* beforeLast; // Tab from here reaches the window's last stop
        QWidget* last;
    };
    const Shown windows[] = {
        {&window, window.scrollArea(), widget("Command4"), widget("Command5")},
        {insight, insight->scrollArea(), insight->findChildren<QPushButton*>().front(),
         insight->findChildren<QPushButton*>().back()},                     // 收窄范围, 加宽范围
        {best, best->scrollArea(), best->rows()[1], best->straightLine()}}; // 2 combinations
    for (const Shown& shown : windows) {
        SCOPED_TRACE(shown.window->windowTitle().toStdString());
        shown.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown.window));
        const QRect room = shown.window->screen()->availableGeometry();
        EXPECT_LE(shown.window->frameGeometry().width(), room.width());
        EXPECT_LE(shown.window->frameGeometry().height(), room.height());
        shown.beforeLast->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(shown.beforeLast, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), shown.last);
        const QRect inView(shown.last->mapTo(shown.scroll->viewport(), QPoint(0, 0)), shown.last->size());
        EXPECT_TRUE(shown.scroll->viewport()->rect().contains(inView))
            << inView.x() << "," << inView.y() << " in " << shown.scroll->viewport()->width() << "x"
            << shown.scroll->viewport()->height();
    }
}

} // namespace
} // namespace velmora::testing
