// The main window as a user meets it: built from the table, typed into,
// clicked, and answering with real message boxes.
#include "windowfixture.h"

#include "form/form.h"
#include "ui/mainwindow.h"
#include "ui/messageboxwarnings.h"
#include "view/viewrules.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using velmora::twipsToPixels;

// The window's own captions, as the widgets show them.
class MainWindowTest : public WindowTest {
protected:
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
    // The worked example's results, as the window shows them.
    void expectWorkedExampleShown() const {
        for (const auto& [name, text] : kWorkedResults) {
            EXPECT_EQ(caption(name), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
                << name;
        }
    }
};

TEST_F(MainWindowTest, ControlsStandAtTheirDesignedPlaces) {
    EXPECT_EQ(window.windowTitle(), "Velmorav1.1");
    EXPECT_EQ(window.size(), QSize(584, 543)); // 8760 x 8145
    struct Place {
        const char* name;
        const char* container;
        QRect rect;
    };
    const Place places[] = {
        {"Frame1", "Form1", {144, 8, 265, 225}}, // 2160,120 3975x3375
        {"Frame6", "Form1", {16, 8, 121, 225}},    {"Frame5", "Form1", {416, 8, 153, 121}},
        {"Frame3", "Form1", {416, 136, 153, 281}}, {"Frame2", "Form1", {16, 240, 393, 297}},
        {"Frame4", "Form1", {416, 424, 153, 113}}, {"Text1", "Frame1", {64, 24, 73, 18}},
        {"Text4", "Frame1", {64, 72, 57, 18}},     {"Text8", "Frame1", {64, 168, 57, 18}},
        {"Label13", "Frame1", {144, 48, 25, 137}}, {"Option1", "Frame6", {8, 24, 89, 17}},
        {"Option7", "Frame6", {8, 168, 81, 17}},   {"Command1", "Frame6", {8, 192, 81, 25}},
        {"Label41", "Frame3", {8, 48, 137, 33}},   {"Text2", "Frame2", {88, 48, 57, 18}},
        {"Text35", "Frame2", {304, 192, 57, 18}},  {"Text40", "Frame2", {304, 216, 57, 18}},
        {"Command2", "Frame2", {16, 240, 57, 25}}, {"Label28", "Frame2", {88, 240, 57, 17}},
        {"Label34", "Frame2", {304, 240, 57, 17}}, {"Label42", "Frame2", {40, 272, 345, 17}},
        {"Command4", "Frame4", {8, 16, 137, 25}},  {"Command3", "Frame4", {8, 48, 137, 25}},
        {"Command5", "Frame4", {8, 80, 137, 25}},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        QWidget* w = widget(place.name);
        EXPECT_EQ(w->objectName(), place.name);
        // The frames stand on the window's canvas, which scrolls on a small screen.
        EXPECT_EQ(w->parentWidget(),
                  std::string_view(place.container) == "Form1" ? window.canvas() : widget(place.container));
        EXPECT_EQ(w->geometry(), place.rect);
    }
    // Fitting labels keep their place; their size follows the caption.
    const std::pair<const char*, QPoint> fitting[] = {
        {"Label1", {8, 24}},   {"Label15", {184, 48}}, {"Label11", {128, 72}}, {"Label60", {16, 24}},
        {"Label67", {88, 96}}, {"Label27", {96, 24}},  {"Label26", {16, 192}}};
    for (const auto& [name, pos] : fitting) {
        EXPECT_EQ(widget(name)->pos(), pos) << name;
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
    // Hidden controls are skipped by Tab; haste mode shows them.
    QTest::mouseClick(widget("Command3"), Qt::LeftButton);
    const char* const order[] = {
        "Text1",    "Text3",    "Text4",    "Text5",    "Text6",   "Text7",  "Text8",  "Option1", "Option2",
        "Option3",  "Option4",  "Option5",  "Option6",  "Option7", "Text2",  "Text9",  "Text10",  "Text11",
        "Text12",   "Text13",   "Text14",   "Command2", "Text15",  "Text16", "Text17", "Text18",  "Text19",
        "Text20",   "Text21",   "Text22",   "Text23",   "Text24",  "Text25", "Text26", "Text27",  "Text28",
        "Text29",   "Text30",   "Text31",   "Text32",   "Text33",  "Text34", "Text35", "Check1",  "Check2",
        "Check3",   "Command6", "Command7", "Command1", "Text36",  "Text37", "Text38", "Text39",  "Text40",
        "Command3", "Command4", "Command5"};
    QWidget* at = widget("Text1");
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do {
            at = at->nextInFocusChain();
        } while (at->focusPolicy() == Qt::NoFocus || at->isHidden());
        EXPECT_EQ(at->objectName().toStdString(), order[i]) << "stop " << i + 1;
    }
    do {
        at = at->nextInFocusChain();
    } while (at->focusPolicy() == Qt::NoFocus || at->isHidden());
    EXPECT_EQ(at, widget("Text1")); // and round again
}

// A refused press shows nothing new; the next good press shows every
// result, and a second refusal again leaves the window as it was.
TEST_F(MainWindowTest, APressAfterARefusedPressShowsEveryResult) {
    BoxAnswerer boxes;
    clickOn("Option2");
    typeWorkedExample();
    type("Text3", "1e39");
    clickOn("Command1");
    ASSERT_TRUE(waitFor([&] { return boxes.seen.size() == 1; }));
    EXPECT_EQ(boxes.seen[0].title, "数值超出范围");
    EXPECT_EQ(caption("Label15"), "内功攻击");
    EXPECT_EQ(caption("Label64"), "命中判定");
    reactivate();

    type("Text3", "15000");
    clickOn("Command1");
    expectWorkedExampleShown();
    EXPECT_EQ(boxes.seen.size(), 1u);

    type("Text7", "1e45");
    clickOn("Command1");
    ASSERT_TRUE(waitFor([&] { return boxes.seen.size() == 2; }));
    expectWorkedExampleShown();
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
        deliverPosted();
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].title, "记得有脱必有穿");
        EXPECT_EQ(boxes.seen[0].text, "大侠先把衣服穿上，小心着凉（已帮您穿上）");
        EXPECT_EQ(caption("Command5"), "脱第一套装备");
        EXPECT_EQ(caption("Text4"), "105");
    }
};

TEST_F(GearSet1Guard, EnteringACellByTabAndShiftTab) {
    takeOff();
    BoxAnswerer boxes;
    widget("Option7")->setFocus(Qt::OtherFocusReason);
    deliverPosted();
    EXPECT_TRUE(boxes.seen.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    expectOneBoxAndWorn(boxes);
    EXPECT_EQ(QApplication::focusWidget(), widget("Text2"));

    clickOn("Command5");
    boxes.seen.clear();
    widget("Command2")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    expectOneBoxAndWorn(boxes);
    EXPECT_EQ(QApplication::focusWidget(), widget("Text14"));
}

// A box the core rewrites while the focus is elsewhere shows its number from
// the first digit, as a fresh box does.
TEST_F(MainWindowTest, ABoxTheCoreRewroteShowsItsFirstDigit) {
    type("Text8", "123456789012345678901234567890");
    clickOn("Check2"); // 帮会桌子 adds to 无双
    auto* box = as<QLineEdit>("Text8");
    ASSERT_NE(box->text(), "123456789012345678901234567890");
    EXPECT_FALSE(box->hasFocus());
    EXPECT_EQ(box->cursorPosition(), 0);
}

} // namespace
} // namespace velmora::testing
