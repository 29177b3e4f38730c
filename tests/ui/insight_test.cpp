// The window of exact changes and gain curves draws what the core computes.
#include "windowfixture.h"

#include "ui/gainchart.h"
#include "ui/insightwindow.h"

#include <QLabel>

namespace velmora::testing {
namespace {

class Insight : public WindowTest {};

// Near the hit cap (the sheet worked by hand in the core's tests): every
// curve is painted through the core's points, in its own colour, and the
// rows say what the core says.
TEST_F(Insight, TheWindowDrawsTheCoresCurvesAndRows) {
    clickOn("Option2");
    for (const auto& [name, value] : {std::pair{"Text1", "3000"},
                                      {"Text3", "20000"},
                                      {"Text4", "109"},
                                      {"Text5", "25"},
                                      {"Text6", "180"},
                                      {"Text7", "2000"},
                                      {"Text8", "30"},
                                      {"Text17", "135"},
                                      {"Text25", "100"}}) {
        type(name, value);
    }
    clickOn("Command1");
    clickOn("Command2");
    clickOn("Command6");
    ui::InsightWindow* insight = window.insightWindow();
    ASSERT_NE(insight, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(insight));
    EXPECT_EQ(insight->setRows()[1]->text(), "第二套 +0.87 %（命中溢出 90 点）");
    EXPECT_EQ(insight->headroom()[0]->text(), "命中还差 45 点");

    ui::GainChart* chart = insight->chart();
    const QImage drawn = chart->grab().toImage();
    const std::optional<GainPicture> picture = gainPicture(form);
    ASSERT_TRUE(picture.has_value());
    for (std::size_t i = 0; i < picture->curves.size(); ++i) {
        const QColor colour = ui::GainChart::colourOf(i);
        int found = 0;
        for (std::size_t k = 5; k < kCurvePoints; k += 10) {
            const QPoint at = chart->place(picture->curves[i].points[k]).toPoint();
            bool near = false;
            for (int dx = -2; dx <= 2 && !near; ++dx) {
                for (int dy = -2; dy <= 2 && !near; ++dy) {
                    const QColor seen = drawn.pixelColor(at + QPoint(dx, dy));
                    near = std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                               std::abs(seen.blue() - colour.blue()) <
                           40;
                }
            }
            found += near;
        }
        // Curves that run together (hit and strain until the hit cap) share pixels.
        EXPECT_GE(found, 4) << picture->curves[i].name;
    }
    insight->close();
}

} // namespace
} // namespace velmora::testing
