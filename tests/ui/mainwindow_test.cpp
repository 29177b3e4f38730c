// The main window as a user meets it: built from the table, typed into,
// clicked, and answering with real message boxes.
#include "uitest.h"

#include "model/form.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using ui::twipsToPixels;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        warnings.setParent(&window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* widget(std::string_view name) const { return window.widget(control(name)); }
    template <typename T> T* as(std::string_view name) const { return qobject_cast<T*>(widget(name)); }
    QString caption(std::string_view name) const {
        if (auto* label = as<QLabel>(name)) {
            return label->text();
        }
        if (auto* box = as<QLineEdit>(name)) {
            return box->text();
        }
        if (auto* frame = as<QGroupBox>(name)) {
            return frame->title();
        }
        return as<QAbstractButton>(name)->text();
    }
    void type(std::string_view name, const QString& text) {
        auto* box = as<QLineEdit>(name);
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    void clickOn(std::string_view name) { QTest::mouseClick(widget(name), Qt::LeftButton); }
    // Offscreen, closing a box leaves no window active; a desktop would give
    // the activation back, as this does.
    void reactivate() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ui::MessageBoxWarnings warnings;
    Form form{warnings};
    ui::MainWindow window{form};
};

TEST_F(MainWindowTest, EveryControlStandsWhereTheTableSays) {
    EXPECT_EQ(window.windowTitle(), "Velmorav1.1");
    EXPECT_EQ(window.size(), QSize(584, 543));
    for (FieldId field = 1; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        const QString name = QString::fromUtf8(design.name.data(), static_cast<int>(design.name.size()));
        QWidget* w = window.widget(field);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(w->objectName(), name);
        EXPECT_EQ(w->parentWidget(),
                  design.container.empty() ? &window : window.widget(control(design.container)));
        EXPECT_EQ(w->pos(), QPoint(twipsToPixels(design.left), twipsToPixels(design.top)));
        if (design.sizing == Sizing::Fixed) {
            EXPECT_EQ(w->size(), QSize(twipsToPixels(design.width), twipsToPixels(design.height)));
        }
        EXPECT_EQ(caption(design.name),
                  QString::fromUtf8(design.text.data(), static_cast<int>(design.text.size())));
        EXPECT_EQ(w->toolTip().toStdString(), design.toolTip);
        EXPECT_EQ(w->isHidden(), design.shown == Shown::No);
    }
    EXPECT_EQ(widget("Text4")->height(), 18); // 270 twips
}

TEST_F(MainWindowTest, FittingLabelsShowTheirWholeCaption) {
    for (FieldId field = 1; field < kControlCount; ++field) {
        if (kControls[field].sizing != Sizing::Fits) {
            continue;
        }
        auto* label = qobject_cast<QLabel*>(window.widget(field));
        const QFontMetrics metrics(label->font());
        EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text())) << kControls[field].name;
        EXPECT_GE(label->height(), metrics.height()) << kControls[field].name;
    }
    auto* gain = as<QLabel>("Label15");
    const int before = gain->width();
    form.setText(control("Label15"), "内功攻击的收益");
    EXPECT_GT(gain->width(), before);
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrder) {
    std::vector<std::pair<int, QWidget*>> stops;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].tabIndex > 0) {
            stops.emplace_back(kControls[field].tabIndex, window.widget(field));
        }
    }
    std::sort(stops.begin(), stops.end());
    ASSERT_EQ(stops.size(), 55u);
    QWidget* at = widget("Text1");
    for (std::size_t i = 1; i < stops.size(); ++i) {
        do {
            at = at->nextInFocusChain();
        } while (at->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(at, stops[i].second) << "stop " << stops[i].first;
    }
    EXPECT_EQ(QApplication::focusWidget(), widget("Text1"));
}

TEST_F(MainWindowTest, InputsAreNamedByTheirRowAndColumn) {
    EXPECT_EQ(widget("Text4")->accessibleName(), "命中率");
    EXPECT_EQ(widget("Text18")->accessibleName(), "第二套 会心等级");
    EXPECT_EQ(widget("Text37")->accessibleName(), "第一套 加速等级");
    clickOn("Option4");
    EXPECT_EQ(widget("Text1")->accessibleName(), "元气");
    EXPECT_EQ(widget("Text29")->accessibleName(), "第四套 元气");
}

TEST_F(MainWindowTest, TypingTheWorkedExampleAndPressingCalculate) {
    type("Text3", "15000");
    type("Text4", "105");
    type("Text5", "25");
    type("Text6", "180");
    type("Text7", "3000");
    type("Text8", "30");
    clickOn("Option2");
    EXPECT_TRUE(as<QAbstractButton>("Option2")->isChecked());
    EXPECT_EQ(caption("Label1"), "根骨");
    clickOn("Command1");
    const std::pair<const char*, const char*> shown[] = {
        {"Label64", "105"},      {"Label66", "25"},
        {"Label67", "1.330962"}, {"Label15", "1.480695"},
        {"Label16", "4.43654"},  {"Label18", "3.549232"},
        {"Label19", "2.772837"}, {"Label20", "2.580807"},
        {"Label21", "4.43654"},  {"Label14", "6.14959855139984"},
    };
    for (const auto& [name, text] : shown) {
        EXPECT_EQ(caption(name), text) << name;
    }
}

TEST_F(MainWindowTest, MissingDisciplineShowsOneWarningBoxBeforeAnyResult) {
    BoxAnswerer boxes;
    QString gainWhileShown;
    boxes.onShown = [&] { gainWhileShown = caption("Label15"); };
    clickOn("Command1");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, "请选择 门派·心法");
    EXPECT_EQ(boxes.seen[0].text, "敢问大侠来自何门何派？");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(boxes.seen[0].onlyOk);
    EXPECT_EQ(gainWhileShown, "内功攻击");
    EXPECT_EQ(caption("Label15"), "0.07586219");
}

TEST_F(MainWindowTest, AnUndonePressLeavesTheCheckBoxAsTheCoreHasIt) {
    BoxAnswerer boxes;
    form.setText(control("Text5"), "1.7976931348623157e308");
    clickOn("Check1");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, "数值超出范围");
    EXPECT_FALSE(as<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(caption("Text5"), "1.7976931348623157e308");
}

TEST_F(MainWindowTest, HasteModeShowsItsControls) {
    clickOn("Command3");
    for (const char* name : {"Label43", "Text36", "Label44", "Label45", "Label46", "Text37", "Text40"}) {
        EXPECT_TRUE(widget(name)->isVisible()) << name;
    }
    EXPECT_EQ(caption("Command3"), "无加速版");
    type("Text36", "12.5");
    clickOn("Command3");
    EXPECT_FALSE(widget("Text36")->isVisible());
    EXPECT_EQ(caption("Text36"), "0");
}

// The guard on gear set 1's cells runs once per entry by the user.
class GearSet1Guard : public MainWindowTest {
protected:
    void takeOff() {
        clickOn("Option2");
        type("Text4", "105");
        type("Text10", "90");
        clickOn("Command5");
        ASSERT_EQ(caption("Command5"), "穿第一套装备");
        ASSERT_EQ(caption("Text4"), "103");
    }
    void expectOneBoxAndWorn(const BoxAnswerer& boxes) {
        ASSERT_TRUE(waitFor([&] { return !boxes.seen.empty(); }));
        reactivate(); // the focus comes back to the cell: no new entry
        QTest::qWait(100);
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].title, "记得有脱必有穿");
        EXPECT_EQ(boxes.seen[0].text, "大侠先把衣服穿上，小心着凉（已帮您穿上）");
        EXPECT_EQ(caption("Command5"), "脱第一套装备");
        EXPECT_EQ(caption("Text4"), "105");
    }
};

TEST_F(GearSet1Guard, EnteringACellByMouse) {
    takeOff();
    BoxAnswerer boxes;
    clickOn("Text12");
    expectOneBoxAndWorn(boxes);
    EXPECT_EQ(QApplication::focusWidget(), widget("Text12"));
}

TEST_F(GearSet1Guard, EnteringACellByTabAndShiftTab) {
    takeOff();
    BoxAnswerer boxes;
    widget("Text2")->setFocus(Qt::OtherFocusReason); // placed there, not entered
    QTest::qWait(50);
    EXPECT_TRUE(boxes.seen.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    expectOneBoxAndWorn(boxes);
    EXPECT_EQ(QApplication::focusWidget(), widget("Text9"));

    clickOn("Command5");
    boxes.seen.clear();
    widget("Command2")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    expectOneBoxAndWorn(boxes);
    EXPECT_EQ(QApplication::focusWidget(), widget("Text14"));
}

TEST_F(GearSet1Guard, NothingWhileSet1IsWorn) {
    BoxAnswerer boxes;
    clickOn("Text10");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::qWait(100);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(caption("Command5"), "脱第一套装备");
}

} // namespace
} // namespace velmora::testing
