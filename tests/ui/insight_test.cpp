// The window of exact changes and gain curves draws what the core computes.
#include "nearhitcap.h"
#include "windowfixture.h"

#include <algorithm>

#include "ui/gainchart.h"
#include "ui/insightwindow.h"

#include <QLabel>
#include <QPushButton>

namespace velmora::testing {
namespace {

class Insight : public WindowTest {};

// Near the hit cap (the sheet worked by hand in the core's tests): every
// curve is painted through the core's points, in its own colour, and the
// rows say what the core says.
TEST_F(Insight, TheWindowDrawsTheCoresCurvesAndRows) {
    clickOn("Option2");
    for (const auto& [name, value] : kNearTheHitCapPanel) {
        type(name, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    }
    type("Text17", "135");
    type("Text25", "100");
    clickOn("Command1");
    clickOn("Command2");
    clickOn("Command6");
    ui::InsightWindow* insight = window.insightWindow();
    ASSERT_NE(insight, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(insight));
    EXPECT_EQ(insight->setRows()[1]->text(), "第二套 +0.87 %（命中溢出 90 点）");
    EXPECT_EQ(insight->headroom()[0]->text(), "命中还差 45 点");

    // It opens on the first set's row, and Tab reaches every line a player
    // reads: the rows, the curves in words and each cap's headroom; each
    // stop looks different while it has the focus.
    QStringList reached;
    for (int stop = 0; stop < 16; ++stop) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        const QImage withFocus = focused->grab().toImage();
        focused->clearFocus();
        EXPECT_NE(focused->grab().toImage(), withFocus)
            << focused->accessibleName().toStdString() << " shows no focus";
        focused->setFocus(Qt::TabFocusReason);
        auto* label = qobject_cast<QLabel*>(focused);
        reached << (label != nullptr ? label->text() : focused->accessibleName().left(4));
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(reached.first(), "第一套 0.00 %");
    for (const char* line :
         {"第二套 +0.87 %（命中溢出 90 点）", "收益曲线", "命中还差 45 点", "无双还差 169 点"}) {
        EXPECT_TRUE(reached.contains(QString::fromUtf8(line))) << line << " never reached by Tab";
    }

    // Each curve is drawn in its colour, and the right way up: every curve
    // rises with rating, so where its colour shows, its right end stands
    // higher than its left (the legend, right of the plot, is left out).
    ui::GainChart* chart = insight->chart();
    const QImage drawn = chart->grab().toImage();
    const std::optional<GainPicture> picture = gainPicture(form);
    ASSERT_TRUE(picture.has_value());
    for (const GainCurve& curve : picture->curves) {
        const QColor colour(QString::fromStdString(std::string(curve.colour)));
        std::vector<QPoint> seen;
        for (int x = drawn.width() / 8; x < drawn.width() * 3 / 4; ++x) {
            for (int y = 0; y < drawn.height(); ++y) {
                const QColor at = drawn.pixelColor(x, y);
                if (std::abs(at.red() - colour.red()) + std::abs(at.green() - colour.green()) +
                        std::abs(at.blue() - colour.blue()) <
                    40) {
                    seen.push_back({x, y});
                }
            }
        }
        // Curves that run together (hit and strain until the hit cap) share
        // pixels; words drawn in grey may share a curve's colour, so the ends
        // are the median heights of its leftmost and rightmost quarters.
        ASSERT_GE(seen.size(), 20u) << curve.name;
        std::sort(seen.begin(), seen.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
        const auto medianHeight = [](std::vector<QPoint> part) {
            std::nth_element(part.begin(), part.begin() + part.size() / 2, part.end(),
                             [](QPoint a, QPoint b) { return a.y() < b.y(); });
            return part[part.size() / 2].y();
        };
        const std::size_t quarter = seen.size() / 4;
        const int left = medianHeight({seen.begin(), seen.begin() + quarter});
        const int right = medianHeight({seen.end() - quarter, seen.end()});
        if (curve.name == "内功攻击") { // no cap bends it: it rises across the whole plot
            EXPECT_GT(left - right, 8) << curve.name;
        }
        EXPECT_GE(left - right, -2) << curve.name;
    }
    // 收窄范围 and 加宽范围 step through 150, 300, 600, 1200 and 2400 points from
    // 600, each off at its end of the list.
    const auto buttonNamed = [&](const char* caption) {
        for (QPushButton* button : insight->findChildren<QPushButton*>()) {
            if (button->text() == QString::fromUtf8(caption)) {
                return button;
            }
        }
        ADD_FAILURE() << caption;
        return static_cast<QPushButton*>(nullptr);
    };
    QPushButton* narrower = buttonNamed("收窄范围");
    QPushButton* wider = buttonNamed("加宽范围");
    ASSERT_TRUE(narrower != nullptr && wider != nullptr);
    const struct {
        QPushButton* press;
        int times;
        bool narrowerOn, widerOn;
    } steps[] = {{nullptr, 0, true, true},
                 {narrower, 2, false, true},
                 {wider, 3, true, true},
                 {wider, 1, true, false}};
    for (const auto& step : steps) {
        for (int i = 0; i < step.times; ++i) {
            QTest::mouseClick(step.press, Qt::LeftButton);
        }
        EXPECT_EQ(narrower->isEnabled(), step.narrowerOn) << step.times;
        EXPECT_EQ(wider->isEnabled(), step.widerOn) << step.times;
    }
    // Escape closes it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return !insight->isVisible(); }));
    insight->close();
}

} // namespace
} // namespace velmora::testing
