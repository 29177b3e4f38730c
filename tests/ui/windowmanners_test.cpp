// What a Chinese user expects of the desktop window: Chinese buttons and
// menus, captions shown exactly as typed, Enter, one box per entry.
#include "windowfixture.h"

#include "form/form.h"
#include "ui/chinese.h"
#include "ui/elidinglabel.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyleOptionButton>
#include <QToolTip>
#include <QTranslator>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

class WindowManners : public WindowTest {
protected:
    QString caption(std::string_view name) const {
        return QString::fromStdString(form.fields().text(control(name)));
    }
    static QString accessibleName(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }
};

// Typed text that looks like markup, entities or mnemonics is shown as the
// characters typed, and read out the same way.
TEST_F(WindowManners, JudgementLabelsShowTypedTextAsItIs) {
    const char* const typed[] = {"<b>1</b>", "a&b", "&amp;", "1<2", "<img src=\"x\">"};
    BoxAnswerer boxes; // no discipline: 计算 asks for one
    for (const char* text : typed) {
        SCOPED_TRACE(text);
        const QString expected = QString::fromUtf8(text);
        type("Text4", expected);
        type("Text8", expected);
        QTest::mouseClick(widget("Command1"), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
        boxes.seen.clear();
        reactivate();
        for (const char* name : {"Label64", "Label65"}) {
            auto* label = as<ui::ElidingLabel>(name);
            EXPECT_EQ(label->text(), expected) << name;
            EXPECT_TRUE(accessibleName(label).endsWith(' ' + expected)) << name; // after its row's name
            if (label->isElided()) {
                EXPECT_EQ(label->accessibleDescription(), expected) << name;
                EXPECT_TRUE(label->shownText().startsWith(expected.left(2))) << name;
            } else {
                // A label drawn as rich text would measure "1", not the markup.
                EXPECT_EQ(label->shownText(), expected) << name;
                EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(expected)) << name;
            }
        }
    }
}

TEST_F(WindowManners, ButtonsAndFramesShowAnAmpersandAsItIs) {
    form.setText(control("Command1"), "A&B");
    form.setText(control("Frame1"), "C&D");
    EXPECT_EQ(accessibleName(widget("Command1")), "A&B");
    EXPECT_EQ(accessibleName(widget("Frame1")), "C&D");
}

// Where Qt's own translations are missing the button still reads 确定.
TEST_F(WindowManners, TheWarningButtonIsChineseWithoutQtsTranslations) {
    const QList<QTranslator*> translators = qApp->findChildren<QTranslator*>();
    for (QTranslator* translator : translators) {
        QCoreApplication::removeTranslator(translator);
    }
    const auto box = ui::createWarningBox("敢问大侠来自何门何派？", "请选择 门派·心法", &window);
    for (QTranslator* translator : translators) {
        QCoreApplication::installTranslator(translator);
    }
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST_F(WindowManners, TheTextBoxMenuIsChinese) {
    auto* box = as<QLineEdit>("Text3");
    std::unique_ptr<QMenu> menu(ui::chineseContextMenu(box));
    QStringList texts;
    for (QAction* action : menu->actions()) {
        texts << action->text();
    }
    const QString all = texts.join(' ');
    for (const char* word : {"撤销", "重做", "剪切", "复制", "粘贴", "删除", "全选"}) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(word))) << word << " in " << all.toStdString();
    }
    EXPECT_FALSE(all.contains("Undo")) << all.toStdString();
}

TEST_F(WindowManners, EnterPressesTheFocusedButton) {
    widget("Command3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(widget("Command3"), Qt::Key_Return);
    EXPECT_EQ(caption("Command3"), "无加速版");
    QTest::keyClick(widget("Command3"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption("Command3"), "加速版（测试中）");
}

TEST_F(WindowManners, TypingAtStartReplacesTheZero) {
    auto* first = as<QLineEdit>("Text1");
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(first->selectedText(), "0");
    QTest::keyClicks(first, "3000");
    EXPECT_EQ(caption("Text1"), "3000");
}

// The whole indicator square is inside the box, and the box stands where
// the table puts it (Left 240, Tops 1800, 2160, 2520 in 团队增益).
TEST_F(WindowManners, CheckBoxesShowTheirWholeIndicator) {
    const std::pair<const char*, QPoint> boxes[] = {
        {"Check1", {16, 120}}, {"Check2", {16, 144}}, {"Check3", {16, 168}}};
    for (const auto& [name, pos] : boxes) {
        auto* box = as<QCheckBox>(name);
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        EXPECT_TRUE(box->rect().contains(indicator)) << name;
        EXPECT_EQ(box->pos(), pos) << name;
    }
}

// 1.480695E+308 shortened to fit a total keeps its exponent.
TEST_F(WindowManners, AShortenedNumberKeepsItsExponent) {
    form.setText(control("Label28"), "1.480695E+308");
    auto* total = as<ui::ElidingLabel>("Label28");
    ASSERT_TRUE(total->isElided());
    EXPECT_TRUE(total->shownText().endsWith("…E+308")) << total->shownText().toStdString();
    EXPECT_TRUE(total->shownText().startsWith("1.")) << total->shownText().toStdString();
    EXPECT_EQ(total->accessibleDescription(), "1.480695E+308");
    const QPoint centre = total->rect().center();
    QHelpEvent tip(QEvent::ToolTip, centre, total->mapToGlobal(centre));
    QApplication::sendEvent(total, &tip);
    EXPECT_TRUE(QToolTip::text().contains("1.480695E+308")) << QToolTip::text().toStdString();
    QToolTip::hideText();
    form.setText(control("Label28"), "3.5");
    EXPECT_FALSE(total->isElided());
    EXPECT_EQ(total->accessibleDescription(), "");
}

// The focus can stay in a set-1 cell while set 1 is taken off (an
// assistive tool pressed the button). Coming back to it (the window
// activated again, a menu closed) is no entry; any other arrival is.
TEST_F(WindowManners, OnlyTheFocusComingBackIsNoEntry) {
    QTest::mouseClick(widget("Option2"), Qt::LeftButton);
    BoxAnswerer boxes;
    const std::pair<Qt::FocusReason, bool> reasons[] = {
        {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false},  {Qt::MouseFocusReason, true},
        {Qt::TabFocusReason, true},           {Qt::BacktabFocusReason, true}, {Qt::OtherFocusReason, true},
        {Qt::ShortcutFocusReason, true},
    };
    for (const auto& [reason, entry] : reasons) {
        SCOPED_TRACE(reason);
        form.click(control("Command5"));
        ASSERT_EQ(caption("Command5"), "穿第一套装备");
        QFocusEvent focusIn(QEvent::FocusIn, reason);
        QApplication::sendEvent(widget("Text13"), &focusIn);
        deliverPosted();
        if (entry) {
            ASSERT_TRUE(waitFor([&] { return boxes.seen.size() == 1; }));
            reactivate();
            EXPECT_EQ(caption("Command5"), "脱第一套装备");
        } else {
            EXPECT_TRUE(boxes.seen.empty());
            EXPECT_EQ(caption("Command5"), "穿第一套装备");
            form.click(control("Command5")); // worn again for the next round
        }
        boxes.seen.clear();
    }
}

// Two Tab presses that reach the window together, from the option before
// set 1's first cell while set 1 is off: one box, one put-on.
TEST_F(WindowManners, TwoQuickEntriesGiveOneGuardBox) {
    QTest::mouseClick(widget("Option7"), Qt::LeftButton);
    type("Text4", "105");
    type("Text10", "90");
    QTest::mouseClick(widget("Command5"), Qt::LeftButton);
    ASSERT_EQ(caption("Text4"), "103");
    widget("Option7")->setFocus(Qt::OtherFocusReason);
    BoxAnswerer boxes;
    QTest::keyClick(widget("Option7"), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
    deliverPosted();
    reactivate();
    deliverPosted();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, "记得有脱必有穿");
    EXPECT_EQ(caption("Command5"), "脱第一套装备");
    EXPECT_EQ(caption("Text4"), "105");
}

// The put-on's 计算 asks for a discipline; while that box is up the window
// is activated again and the focus comes back to the cell: no new entry.
TEST_F(WindowManners, FocusComingBackDuringThePutOnsBoxIsNoEntry) {
    type("Text4", "105");
    type("Text10", "90");
    BoxAnswerer boxes;
    QTest::mouseClick(widget("Command5"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return boxes.seen.size() == 1; })); // 请选择 门派·心法
    reactivate();
    boxes.seen.clear();
    bool focusCameBack = false;
    boxes.onShown = [&] {
        if (boxes.seen.size() == 1) { // the second box, 计算's own
            window.activateWindow();
            focusCameBack = waitFor([&] { return QApplication::focusWidget() == widget("Text11"); });
        }
    };
    QTest::mouseClick(widget("Text11"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return boxes.seen.size() >= 2; }));
    reactivate();
    deliverPosted();
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_TRUE(focusCameBack);
    EXPECT_EQ(boxes.seen[0].title, "记得有脱必有穿");
    EXPECT_EQ(boxes.seen[1].title, "请选择 门派·心法");
    EXPECT_EQ(caption("Command5"), "脱第一套装备");
    EXPECT_EQ(caption("Text4"), "105");
}

} // namespace
} // namespace velmora::testing
