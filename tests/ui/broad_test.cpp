// One broad check of the desktop window against the core. After every step of
// the golden scenarios and of a seeded run of player actions (pasting with
// characters the core drops, into the middle of a text too, presses, Enter,
// boxes, set 1 off and on, haste), everything a player or an assistive tool
// can observe is compared with what a second core says it should be: that
// core is told the same actions in its own terms, never what the window shows.
#include "windowfixture.h"

#include "form/boxtext.h"
#include "ui/elidinglabel.h"
#include "ui/helpwindow.h"
#include "ui/insightwindow.h"
#include "ui/plaintext.h"
#include "view/controlnames.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace velmora::testing {
namespace {

// What the window announces: each notification shown to assistive tools.
// (Offscreen there is no platform to send accessibility events: the name a
// focused button takes on is heard by the screen-reader check.)
class Listener : public QObject {
public:
    QStringList heard;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(watched);
            if (shown != nullptr && shown->role() == QAccessible::Notification) {
                heard << shown->text(QAccessible::Name);
            }
        }
        return false;
    }
};

class BoxesStayUp : public WarningSink {
    void warn(std::string_view, std::string_view) override {}
};

QAccessible::Role roleOf(Kind kind) {
    switch (kind) {
    case Kind::TextBox:
        return QAccessible::EditableText;
    case Kind::CommandButton:
        return QAccessible::Button;
    case Kind::OptionButton:
        return QAccessible::RadioButton;
    case Kind::CheckBox:
        return QAccessible::CheckBox;
    case Kind::Frame:
        return QAccessible::Grouping;
    default:
        return QAccessible::StaticText;
    }
}

class BroadCheck : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        boxes.onShown = [this] { boxShown(); };
        QApplication::instance()->installEventFilter(&listener);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
        compare(kControlCount); // as it starts
    }

    // Into a box by a click: an entry when the focus was elsewhere.
    void focus(std::string_view name) {
        if (QApplication::focusWidget() != widget(name)) {
            focusArrived(model, control(name), FocusArrival::Pointer);
            caret.reset(); // where the click put it
            QTest::mouseClick(widget(name), Qt::LeftButton, {}, QPoint(4, 4));
            settle(control(name));
        }
    }
    // Text pasted over the whole text, or at a caret.
    void paste(std::string_view name, const QString& text, std::optional<int> at = {}) {
        focus(name);
        auto* box = as<QLineEdit>(name);
        const QString before = box->text();
        const int from = at ? std::min<int>(*at, static_cast<int>(before.size())) : 0;
        const int to = at ? from : static_cast<int>(before.size());
        box->setSelection(from, to - from);
        const QString typed = before.left(from) + text + before.mid(to);
        if (typed != before) {
            model.type(control(name), typed.toStdString());
            caret = std::pair(control(name), caretAfterKeeping(typed.toStdString(), from + text.size()));
        }
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        settle(control(name));
    }
    void press(std::string_view name) {
        const FieldId button = control(name);
        const bool ownWindow = opensHelp(button) || opensInsight(button);
        if (!ownWindow) {
            model.click(button);
        }
        QTest::mouseClick(widget(name), Qt::LeftButton);
        settle(button, !ownWindow);
    }
    void pressEnterIn(std::string_view name) {
        focus(name);
        const FieldId pressed = enterPresses(control(name));
        if (pressed != kControlCount) {
            model.click(pressed);
        }
        QTest::keyClick(widget(name), Qt::Key_Return);
        settle(control(name));
    }

    // The step's boxes have been answered when the posted events are
    // delivered; the window is activated again, as a desktop does, and the
    // focus comes back to where it was, which is no entry.
    void settle(FieldId acted, bool toldTheModel = true) {
        deliverPosted();
        EXPECT_FALSE(model.boxUp().has_value()) << "a box the window never showed";
        while (model.boxUp()) {
            model.dismissBox();
        }
        if (window.insightWindow() != nullptr) {
            window.insightWindow()->close();
        }
        if (window.helpWindow() != nullptr) {
            window.helpWindow()->close();
        }
        if (!window.isActiveWindow()) {
            reactivate();
            if (auto* back = QApplication::focusWidget(); back != nullptr && back != &window) {
                focusArrived(model, control(back->objectName().toStdString()), FocusArrival::WindowActivated);
            }
            deliverPosted();
        }
        const QString told = toldTheModel ? QString::fromStdString(announcement(model)) : QString();
        EXPECT_EQ(listener.heard, told.isEmpty() ? QStringList() : QStringList(told))
            << "announced after " << kControls[acted].name;
        listener.heard.clear();
        compare(acted);
    }
    void boxShown() {
        const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const std::optional<WarningBox> want = model.boxUp();
        ASSERT_TRUE(want.has_value()) << "a box the core did not raise: " << box->text().toStdString();
        EXPECT_EQ(box->windowTitle().toStdString(), want->title);
        EXPECT_EQ(box->text().toStdString(), want->prompt);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons().value(0)->text(), "确定");
        compare(kControlCount); // behind it, the window as before the press
        model.dismissBox();
    }

    // What the window shows and tells, against the model, after a step.
    void compare(FieldId acted) {
        const bool boxUp = model.boxUp().has_value();
        QStringList faults;
        const auto expect = [&](FieldId field, const char* what, const QString& shown, const QString& want) {
            if (shown != want) {
                faults << QString("%1 %2: shows \"%3\", the core \"%4\"")
                              .arg(ui::qText(kControls[field].name), what, shown, want);
            }
        };
        const auto yes = [](bool flag) { return QString(flag ? "yes" : "no"); };
        for (FieldId field = 1; field < kControlCount; ++field) {
            const FieldState& state = model.shown(field);
            QWidget* w = window.widget(field);
            QAccessibleInterface* exposed = QAccessible::queryAccessibleInterface(w);
            const QString text = QString::fromStdString(state.text);
            const Kind kind = kControls[field].kind;
            expect(field, "shown", yes(w->isVisibleTo(&window)), yes(state.visible));
            expect(field, "tool tip", w->toolTip(), ui::qText(kControls[field].toolTip));
            if (auto* box = qobject_cast<QLineEdit*>(w)) {
                expect(field, "text", box->text(), text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                expect(field, "caption", button->text().replace("&&", "&"), text);
                if (kind != Kind::CommandButton) {
                    expect(field, "checked", yes(button->isChecked()), yes(state.value == 1));
                    expect(field, "checked state", yes(exposed->state().checked), yes(state.value == 1));
                }
            } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
                expect(field, "title", frame->title().replace("&&", "&"), text);
            } else if (auto* label = qobject_cast<ui::ElidingLabel*>(w)) {
                // Whole, or shortened by the core's rule at the room it has.
                const QFontMetrics metrics(label->font());
                const auto fits = [&](std::string_view candidate) {
                    return metrics.horizontalAdvance(QString::fromUtf8(candidate.data(), candidate.size())) <=
                           label->contentsRect().width();
                };
                const QString drawn = staysOnOneLine(field, state.text)
                                          ? QString::fromStdString(showCaption(state.text, fits).text)
                                          : text;
                expect(field, "caption", label->text(), text);
                expect(field, "drawn", label->shownText(), drawn);
                expect(field, "description", exposed->text(QAccessible::Description),
                       drawn == text ? "" : text);
            }
            if (boxUp || !state.visible) {
                continue; // behind a box the window is inert
            }
            expect(field, "role", QString::number(exposed->role()), QString::number(roleOf(kind)));
            const bool composed = kind == Kind::TextBox || kind == Kind::Label;
            expect(field, "name", exposed->text(QAccessible::Name),
                   composed ? QString::fromStdString(accessibleNameOf(field, model.fields())) : text);
            if (kind == Kind::TextBox) {
                expect(field, "description", exposed->text(QAccessible::Description),
                       ui::qText(kControls[field].toolTip));
            }
            QStringList labels;
            QStringList wantLabels;
            for (const auto& relation : exposed->relations(QAccessible::Label)) {
                if (relation.second == QAccessible::Label &&
                    relation.first->role() != QAccessible::Grouping) {
                    labels << relation.first->object()->objectName();
                }
            }
            for (const FieldId label : labelledByOf(field)) {
                wantLabels << ui::qText(kControls[label].name);
            }
            expect(field, "labelled by", labels.join(' '), wantLabels.join(' '));
        }
        if (!boxUp && acted != kControlCount && !opensHelp(acted) && !opensInsight(acted)) {
            expect(acted, "focus", QApplication::focusWidget()->objectName(),
                   window.widget(acted)->objectName());
        }
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            box && caret && !boxUp && box == window.widget(caret->first)) {
            expect(caret->first, "caret",
                   QString("%1 %2").arg(box->cursorPosition()).arg(box->selectedText()),
                   QString("%1 ").arg(caret->second));
        }
        EXPECT_EQ(faults, QStringList());
    }

    Listener listener;
    BoxesStayUp unanswered;
    Form model{unanswered};
    BoxAnswerer boxes;
    std::optional<std::pair<FieldId, std::size_t>> caret; // where the last paste leaves it
};

class GoldenScenario : public BroadCheck, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenScenario, StepByStep) {
    QFile script(QStringLiteral(VELMORA_GOLDEN_DIR "/") + GetParam() + ".script");
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(script.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QString action = line.section(' ', 0, 0);
        const std::string name = line.section(' ', 1, 1).toStdString();
        if (action == "set") {
            paste(name, QJsonDocument::fromJson(("[" + line.section(' ', 2) + "]").toUtf8())[0].toString());
        } else if (action == "click") {
            press(name);
        } else if (action == "focus") {
            focus(name);
        } else if (action == "insight") {
            press("Command6");
        } else if (action != "dump") {
            FAIL() << "a line the check cannot play: " << line.toStdString();
        }
        if (HasFailure()) {
            FAIL() << "after " << line.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, GoldenScenario,
                         ::testing::Values("worked_example", "no_discipline", "gear_set1_haste",
                                           "near_hit_cap"));

TEST_F(BroadCheck, ASeededRunOfPlayerActions) {
    unsigned seed = 2026;
    const auto next = [&](unsigned n) {
        seed = (seed * 1103515245u + 12345u) % 2147483648u;
        return seed % n;
    };
    const char* const boxNames[] = {"Text1",  "Text3",  "Text4",  "Text5",  "Text6",
                                    "Text7",  "Text8",  "Text2",  "Text10", "Text16",
                                    "Text23", "Text30", "Text11", "Text36", "Text37"};
    const char* const texts[] = {
        "105",  "1\u200b2",         "３０", "15000", "-5", "1e307", "", "abc", "99999999999999", "0.5", "2,5",
        "1e39", "15\u200b00\u202e0"};
    const char* const buttons[] = {"Command1", "Command2", "Command3", "Command5", "Command6",
                                   "Option2",  "Option5",  "Check1",   "Check3"};
    // A refused buff, a total too long for its label, and set 1 taken off and put on, first.
    press("Option2");
    for (const auto& [name, value] : kWorkedPanel) {
        paste(name, QString::fromUtf8(value.data(), value.size()));
    }
    paste("Text5", "1.7976931348623157e308"); // a buff that would leave the range is refused
    press("Check1");
    paste("Text5", "25");
    paste("Text16", "1e307");
    for (const char* button : {"Command1", "Command2", "Command5", "Command2", "Command5"}) {
        press(button);
    }
    for (int step = 0; step < 120 && !HasFailure(); ++step) {
        const unsigned choice = next(10);
        const char* box = boxNames[next(std::size(boxNames))];
        const bool shown = widget(box)->isVisible();
        if (choice < 4 && shown) {
            paste(box, QString::fromUtf8(texts[next(std::size(texts))]));
        } else if (choice == 4 && shown) {
            paste(box, QString::fromUtf8("\u200b7\u200b"),
                  static_cast<int>(next(3))); // around dropped characters
        } else if (choice == 5 && shown) {
            pressEnterIn(box);
        } else {
            press(buttons[next(std::size(buttons))]);
        }
    }
}

} // namespace
} // namespace velmora::testing
