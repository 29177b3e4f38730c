// The routes by which assistive tools read and act on the windows, through
// Qt's own accessibility interfaces: every change reaches the core, every
// focus request is an entry, the help article is text, and names say what
// each control is.
#include "windowfixture.h"

#include "form/form.h"
#include "ui/elidinglabel.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"
#include "ui/printedlines.h"
#include "view/controlnames.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

class Accessibility : public WindowTest {
protected:
    void TearDown() override {
        if (window.helpWindow() != nullptr) {
            window.helpWindow()->close();
        }
    }
    static QAccessibleInterface* a11y(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
    QAccessibleInterface* a11y(std::string_view name) const { return a11y(widget(name)); }
    int coreValue(std::string_view name) const { return form.fields().value(control(name)); }
    bool shownChecked(std::string_view name) const {
        return qobject_cast<QAbstractButton*>(widget(name))->isChecked();
    }
    QString shownText(std::string_view name) const { return qobject_cast<QLineEdit*>(widget(name))->text(); }
    void act(std::string_view name, const QString& action) {
        a11y(name)->actionInterface()->doAction(action);
    }
};

TEST_F(Accessibility, ToggleAndPressActionsReachTheCore) {
    act("Option2", QAccessibleActionInterface::toggleAction()); // 纯阳·紫霞
    EXPECT_EQ(coreValue("Option2"), 1);
    EXPECT_TRUE(shownChecked("Option2"));
    EXPECT_EQ(core("Label1"), "根骨");

    form.setText(control("Text4"), "100");
    form.setText(control("Text8"), "20");
    act("Check2", QAccessibleActionInterface::toggleAction()); // 帮会桌子
    EXPECT_EQ(coreValue("Check2"), 1);
    EXPECT_TRUE(shownChecked("Check2"));
    EXPECT_EQ(core("Text4"), "101");
    EXPECT_EQ(core("Text8"), "23");
    act("Check2", QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(coreValue("Check2"), 0);
    EXPECT_FALSE(shownChecked("Check2"));
    EXPECT_EQ(core("Text4"), "100");

    act("Check3", QAccessibleActionInterface::pressAction()); // 命中阵, pressed after a short animation
    EXPECT_TRUE(waitFor([&] { return coreValue("Check3") == 1; }));
    EXPECT_TRUE(shownChecked("Check3"));
    EXPECT_EQ(core("Text4"), "103");

    act("Option5", QAccessibleActionInterface::toggleAction()); // 万花·花间
    EXPECT_EQ(coreValue("Option2"), 0);
    EXPECT_FALSE(shownChecked("Option2"));
    EXPECT_EQ(core("Label1"), "元气");
}

TEST_F(Accessibility, TextSetThroughTheTextInterfacesReachesTheCore) {
    a11y("Text4")->editableTextInterface()->replaceText(0, 1, QStringLiteral("112"));
    EXPECT_EQ(core("Text4"), "112");
    a11y("Text8")->setText(QAccessible::Value, QStringLiteral("38"));
    EXPECT_EQ(core("Text8"), "38");
    a11y("Text3")->editableTextInterface()->insertText(1, QStringLiteral("5000"));
    EXPECT_EQ(core("Text3"), "05000");

    act("Option2", QAccessibleActionInterface::toggleAction());
    QTest::mouseClick(widget("Command1"), Qt::LeftButton);
    EXPECT_EQ(core("Label60"), "命中溢出");
    EXPECT_EQ(core("Label61"), "无双溢出");
}

TEST_F(Accessibility, UndoAndPasteReachTheCore) {
    auto* box = qobject_cast<QLineEdit*>(widget("Text5"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "25");
    ASSERT_EQ(core("Text5"), "25");
    box->undo();
    EXPECT_EQ(core("Text5"), shownText("Text5").toStdString());
    box->selectAll();
    box->insert(QStringLiteral("30")); // what a paste or a drop does
    EXPECT_EQ(core("Text5"), "30");
}

// While a press is running (its box is up) the core takes no edit: the box
// shows the core's text again.
TEST_F(Accessibility, AnEditTheCoreRefusesIsUndoneOnScreen) {
    BoxAnswerer boxes;
    boxes.onShown = [&] {
        a11y("Text3")->setText(QAccessible::Value, QStringLiteral("999"));
        EXPECT_EQ(shownText("Text3"), "0");
    };
    QTest::mouseClick(widget("Command1"), Qt::LeftButton); // no discipline: a box
    ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
    EXPECT_EQ(core("Text3"), "0");
}

// A focus request (an assistive tool's grabFocus, Qt::OtherFocusReason)
// enters a set-1 cell like a click; the focus coming back does not.
TEST_F(Accessibility, AFocusRequestEntersASet1Cell) {
    act("Option2", QAccessibleActionInterface::toggleAction());
    form.setText(control("Text4"), "105");
    form.setText(control("Text10"), "90");
    QTest::mouseClick(widget("Command5"), Qt::LeftButton);
    ASSERT_EQ(core("Text4"), "103");
    BoxAnswerer boxes;
    act("Text11", QAccessibleActionInterface::setFocusAction());
    ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    deliverPosted();
    EXPECT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(core("Command5"), "脱第一套装备");
    EXPECT_EQ(core("Text4"), "105");
    EXPECT_EQ(QApplication::focusWidget(), widget("Text11"));
}

TEST_F(Accessibility, TheHelpArticleIsReadableText) {
    QTest::mouseClick(widget("Command4"), Qt::LeftButton);
    ui::HelpWindow* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(a11y(help)->role(), QAccessible::Window);
    EXPECT_EQ(a11y(help)->text(QAccessible::Name), "说明文档");
    QAccessibleInterface* article = a11y(help->printedLines());
    QAccessibleInterface* window = article->parent();
    while (window != nullptr && window->object() != help) {
        window = window->parent(); // through the scrolling client area
    }
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(article->state().readOnly);
    QAccessibleTextInterface* text = article->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 0);
    EXPECT_EQ(help->printedLines()->focusPolicy(), Qt::NoFocus); // no stop before a press

    help->button(5)->click(); // 更新日志, 18 lines
    const QString changeLog = text->text(0, text->characterCount());
    EXPECT_TRUE(changeLog.startsWith("\n\n\n  更新日志\n\n  2013.06.27 v1.1\n  新增功能：\n"))
        << changeLog.toStdString();
    EXPECT_TRUE(changeLog.endsWith("  3.可选部分团队增益\n")) << changeLog.toStdString();
    EXPECT_EQ(changeLog.count('\n'), 18);

    help->button(4)->click(); // 关于加速 replaces it
    const QString haste = text->text(0, text->characterCount());
    EXPECT_TRUE(haste.startsWith("\n\n\n  五、关于加速\n")) << haste.toStdString();
    EXPECT_EQ(haste.count('\n'), 20);
    EXPECT_FALSE(haste.contains("更新日志"));

    // After the last button the printed lines take the focus; the caret
    // walks them as a screen reader reads them.
    ui::PrintedLines* lines = help->printedLines();
    help->button(5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(help->button(5), Qt::Key_Tab);
    ASSERT_EQ(help->focusWidget(), lines);
    for (int down = 0; down < 3; ++down) {
        QTest::keyClick(lines, Qt::Key_Down);
    }
    EXPECT_EQ(text->cursorPosition(), 3); // the start of "  五、关于加速"
    QTest::keyClick(lines, Qt::Key_End);
    EXPECT_EQ(text->text(3, text->cursorPosition()), "  五、关于加速");
    QTest::keyClick(lines, Qt::Key_Down); // onto the empty line below, not past it
    EXPECT_EQ(text->cursorPosition(), 3 + 8 + 1);
    QTest::keyClick(lines, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(text->cursorPosition(), haste.size() - 1); // the last line's feed
    QTest::keyClick(lines, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(text->cursorPosition(), 0);
    int start = -1;
    int end = -1;
    text->attributes(5, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, static_cast<int>(haste.size()))); // one run
}

// A box is one run of text: a screen reader that splits by runs reads
// "3000" whole, not "300"; its characters are where the box draws them.
TEST_F(Accessibility, ABoxIsReadWhole) {
    type("Text3", "3000");
    QAccessibleTextInterface* text = a11y("Text3")->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(a11y("Text3")->text(QAccessible::Value), "3000");
    int start = -1;
    int end = -1;
    for (int offset : {0, 3, 4}) {
        EXPECT_EQ(text->attributes(offset, &start, &end), "");
        EXPECT_EQ(std::pair(start, end), std::pair(0, 4)) << offset;
    }
    for (int offset = 0; offset < 4; ++offset) {
        const QRect cell = text->characterRect(offset);
        ASSERT_FALSE(cell.isEmpty()) << offset;
        EXPECT_TRUE(widget("Text3")->rect().contains(widget("Text3")->mapFromGlobal(cell.center())))
            << offset;
        EXPECT_EQ(text->offsetAtPoint(cell.center()), offset) << offset;
    }
    EXPECT_TRUE(text->characterRect(4).isEmpty());
}

// A help section's press is told as a notification of the help window (the
// main window's presses are in the broad check).
TEST_F(Accessibility, AHelpSectionsPressIsTold) {
    const auto told = [](QWidget* window) {
        QStringList names;
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (a11y(child)->role() == QAccessible::Notification && child->isVisible()) {
                names << a11y(child)->text(QAccessible::Name);
            }
        }
        return names.join('|');
    };
    clickOn("Command4");
    window.helpWindow()->button(1)->click();
    EXPECT_EQ(told(window.helpWindow()), "基础理论");
}

// A screen reader places every printed character where it is drawn: on its
// line, left to right, and finds it again at that point; any range of the
// text is the article's.
TEST_F(Accessibility, TheHelpTextIsWhereItIsDrawn) {
    QTest::mouseClick(widget("Command4"), Qt::LeftButton);
    ui::HelpWindow* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    QAccessibleTextInterface* text = a11y(help->printedLines())->textInterface();
    for (std::size_t section = 0; section < help::kHelpSections.size(); ++section) {
        help->button(section)->click();
        QString article;
        for (std::string_view line : help::kHelpSections[section].lines) {
            article += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())) + '\n';
        }
        ASSERT_EQ(text->characterCount(), article.size());
        // A character below U+0080 is one 6-px column, any other two; lines
        // are 12 px apart (the page is checked against the same rule).
        int row = 0;
        int column = 0;
        for (int offset = 0; offset < article.size(); ++offset) {
            const QRect cell = text->characterRect(offset);
            const QRect local(help->mapFromGlobal(cell.topLeft()), cell.size());
            const int span = article[offset].unicode() < 0x80 ? 1 : 2;
            ASSERT_FALSE(cell.isEmpty()) << section << " " << offset;
            EXPECT_EQ(local, QRect(column * 6, row * 12, span * 6, 12)) << section << " " << offset;
            EXPECT_EQ(text->offsetAtPoint(cell.center()), offset) << section << " " << offset;
            column += span;
            if (article[offset] == '\n') {
                ++row;
                column = 0;
            }
        }
        for (int start = 0; start < article.size(); start += 37) {
            const int end = std::min<int>(static_cast<int>(article.size()), start + 1 + (start * 7) % 90);
            EXPECT_EQ(text->text(start, end), article.mid(start, end - start));
        }
    }
    EXPECT_EQ(text->offsetAtPoint(help->mapToGlobal(QPoint(5, 5000))), -1);
}

// While a box of a press is up, an assistive tool can still press a button
// of the window: the press holds it off, and shows its own results only
// once the box is gone.
TEST_F(Accessibility, NothingRunsOrShowsWhileABoxIsUp) {
    BoxAnswerer boxes;
    QString resultWhileUp;
    boxes.onShown = [&] {
        as<QPushButton>("Command3")->click(); // what a tool's press action ends in
        resultWhileUp = qobject_cast<QLabel*>(widget("Label15"))->text();
    };
    clickOn("Command1"); // no discipline: a box, then the results
    ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
    EXPECT_EQ(resultWhileUp, "内功攻击");
    EXPECT_EQ(as<QPushButton>("Command3")->text(), "加速版（测试中）");
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label15"))->text(), "0.07586219");
}

TEST_F(Accessibility, TheWarningSignHasAName) {
    BoxAnswerer boxes;
    QString signName;
    boxes.onShown = [&] {
        QWidget* box = QApplication::activeModalWidget();
        auto* sign = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        signName = sign != nullptr ? a11y(sign)->text(QAccessible::Name) : QString();
    };
    QTest::mouseClick(widget("Command2"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
    EXPECT_EQ(signName, "警告");
}

} // namespace
} // namespace velmora::testing
