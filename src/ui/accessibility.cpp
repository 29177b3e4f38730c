#include "ui/accessibility.h"

#include "ui/elidinglabel.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QAccessibleWidget>

namespace velmora::ui {

namespace {

// A label named as the core names it (set by the window), and labelled by
// the row and set it belongs to.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(ElidingLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label) {
            for (QWidget* by : label()->labelledBy()) {
                found.append({QAccessible::queryAccessibleInterface(by), QAccessible::Label});
            }
        }
        return found;
    }

private:
    ElidingLabel* label() const { return static_cast<ElidingLabel*>(widget()); }
};

// The help window: a window whose text is the section printed on it, one
// line after another, empty before the first press and after a reopening.
class HelpAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpAccessible(HelpWindow* help) : QAccessibleWidget(help, QAccessible::Window) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
    QString text(int startOffset, int endOffset) const override {
        return article().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(article().size()); }

    // Nothing can be selected and there is no cursor: the text is drawn.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    // Where each character is drawn, so that a screen reader can show and
    // review the printed lines.
    QRect characterRect(int offset) const override {
        const QRect drawn = help()->characterRect(offset);
        return drawn.isNull() ? drawn : QRect(help()->mapToGlobal(drawn.topLeft()), drawn.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return help()->offsetAt(help()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    HelpWindow* help() const { return static_cast<HelpWindow*>(widget()); }
    QString article() const { return help()->printedText(); }
};

QAccessibleInterface* velmoraInterface(const QString&, QObject* object) {
    if (auto* help = qobject_cast<HelpWindow*>(object)) {
        return new HelpAccessible(help);
    }
    if (auto* main = qobject_cast<MainWindow*>(object)) {
        return new QAccessibleWidget(main, QAccessible::Window);
    }
    if (auto* label = qobject_cast<ElidingLabel*>(object)) {
        return new LabelAccessible(label);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(velmoraInterface);
        return true;
    }();
    (void)installed;
}

} // namespace velmora::ui
