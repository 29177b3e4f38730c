// The golden scenarios of form-driver, driven through the real window: set
// types into a box, click clicks with the mouse, focus enters a box with the
// mouse, and each dump is compared with what the widgets show and the boxes
// they showed, against the same expected files.
#include "windowfixture.h"

#include "ui/elidinglabel.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmora::testing {
namespace {

QStringList linesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

class GoldenThroughTheWindow : public WindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    QString shown(QWidget* w) const {
        if (auto* label = qobject_cast<ui::ElidingLabel*>(w)) {
            return label->text(); // the whole caption, shortened or not
        }
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            return box->text();
        }
        if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            return frame->title();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            return button->text().replace("&&", "&");
        }
        return w->windowTitle();
    }

    void settle() {
        QCoreApplication::processEvents();
        QTest::qWait(20); // an entry is raised once the focus change is over
        QCoreApplication::processEvents();
    }
};

TEST_P(GoldenThroughTheWindow, GivesTheExpectedDumps) {
    const QString scenario = QStringLiteral(VELMORA_GOLDEN_DIR "/") + GetParam();
    const QStringList expected = linesOf(scenario + ".expected");
    BoxAnswerer boxes;
    qsizetype dumps = 0;
    for (const QString& line : linesOf(scenario + ".script")) {
        const QString action = line.section(' ', 0, 0);
        const std::string name = line.section(' ', 1, 1).toStdString();
        if (action == "set") {
            const QString literal = line.section(' ', 2);
            const QJsonDocument parsed = QJsonDocument::fromJson(("[" + literal + "]").toUtf8());
            as<QLineEdit>(name)->setText(parsed.array().at(0).toString());
        } else if (action == "click" || action == "focus") {
            QTest::mouseClick(widget(name), Qt::LeftButton, {}, QPoint(4, 4));
            settle();
        } else if (action == "dump") {
            ASSERT_LT(dumps, expected.size());
            const QJsonObject want = QJsonDocument::fromJson(expected[dumps++].toUtf8()).object();
            const QJsonObject fields = want["fields"].toObject();
            for (auto it = fields.begin(); it != fields.end(); ++it) {
                const std::string field = it.key().toStdString();
                const QJsonObject state = it.value().toObject();
                QWidget* w = widget(field);
                SCOPED_TRACE(line.toStdString() + " " + std::to_string(dumps) + " " + field);
                EXPECT_EQ(shown(w), state["text"].toString());
                EXPECT_EQ(w == &window || w->isVisibleTo(&window), state["visible"].toBool());
                if (state.contains("value")) {
                    EXPECT_EQ(qobject_cast<QAbstractButton*>(w)->isChecked(), state["value"].toInt() == 1);
                }
            }
            QJsonArray seen;
            for (const SeenBox& box : boxes.seen) {
                seen.append(QJsonArray{box.text, box.title});
            }
            EXPECT_EQ(seen, want["warnings"].toArray()) << line.toStdString() << " " << dumps;
            boxes.seen.clear();
        }
    }
    EXPECT_EQ(dumps, expected.size());
}

INSTANTIATE_TEST_SUITE_P(Scenarios, GoldenThroughTheWindow,
                         ::testing::Values("worked_example", "no_discipline", "gear_set1_haste"));

} // namespace
} // namespace velmora::testing
