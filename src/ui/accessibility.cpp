#include "ui/accessibility.h"

#include "ui/elidinglabel.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"
#include "ui/printedlines.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>

namespace velmora::ui {

namespace {

constexpr char kLabelledBy[] = "velmoraLabelledBy";
using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// Qt's relations of a control, with the labels the window gave it: each of
// them labels the control.
Relations withLabels(const QWidget* control, Relations found, QAccessible::Relation match) {
    if (match & QAccessible::Label) {
        for (QObject* by : control->property(kLabelledBy).value<QObjectList>()) {
            found.append({QAccessible::queryAccessibleInterface(by), QAccessible::Label});
        }
    }
    return found;
}

// A label named as the core names it (set by the window), and labelled by
// the row and set it belongs to.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(ElidingLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    Relations relations(QAccessible::Relation match) const override {
        return withLabels(widget(), QAccessibleWidget::relations(match), match);
    }
};

// The help's printed section: read-only text, one line after another, with
// the caret of the keyboard stop; empty before the first press.
class PrintedLinesAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PrintedLinesAccessible(PrintedLines* lines)
        : QAccessibleWidget(lines, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? article() : QAccessibleWidget::text(kind);
    }
    QString text(int startOffset, int endOffset) const override {
        return article().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(article().size()); }

    // Nothing can be selected: the text is drawn.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return lines()->caret(); }
    void setCursorPosition(int position) override { lines()->setCaret(position); }
    // Where each character is drawn, so that a screen reader can show and
    // review the printed lines.
    QRect characterRect(int offset) const override {
        const QRect drawn = lines()->help()->characterRect(offset);
        return drawn.isNull() ? drawn : QRect(lines()->mapToGlobal(drawn.topLeft()), drawn.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return lines()->help()->offsetAt(lines()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    // One run of plain text: a screen reader reads it whole.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = std::max(characterCount(), offset);
        return {};
    }

private:
    PrintedLines* lines() const { return static_cast<PrintedLines*>(widget()); }
    QString article() const { return lines()->help()->printedText(); }
};

// A text box. Qt's own reports text attributes as empty runs, after which a
// screen reader splits the value and drops its last character; here the
// whole value is one run.
class BoxAccessible : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    // Labelled by its row and set, as a result is.
    Relations relations(QAccessible::Relation match) const override {
        return withLabels(widget(), QAccessibleWidget::relations(match), match);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.selectableText = true;
        state.hasPopup = true; // the context menu
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value) {
            box()->setText(text);
        }
    }

    QString text(int startOffset, int endOffset) const override {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = std::max(characterCount(), offset);
        return {};
    }

    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    // A character's cell: measured from the cursor, which the box places.
    QRect characterRect(int offset) const override {
        const QString text = box()->text();
        if (offset < 0 || offset >= text.size()) {
            return {};
        }
        const QFontMetrics metrics = box()->fontMetrics();
        const QRect cursor = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int origin =
            cursor.center().x() - metrics.horizontalAdvance(text.left(box()->cursorPosition()));
        const QRect cell(origin + metrics.horizontalAdvance(text.left(offset)), cursor.top(),
                         metrics.horizontalAdvance(text.at(offset)), cursor.height());
        return QRect(box()->mapToGlobal(cell.topLeft()), cell.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = box()->mapFromGlobal(point);
        return box()->rect().contains(local) ? box()->cursorPositionAt(local) : -1;
    }
    void scrollToSubstring(int startIndex, int) override { box()->setCursorPosition(startIndex); }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        QString value = box()->text();
        value.replace(startOffset, endOffset - startOffset, text);
        box()->setText(value);
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

// The notification a window speaks through: an empty widget of no size,
// shown again for each message so that the screen reader hears it appear.
class Announcer : public QWidget {
public:
    using QWidget::QWidget;
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}
};

Announcer* announcerOf(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* found = dynamic_cast<Announcer*>(child)) {
            return found;
        }
    }
    auto* announcer = new Announcer(window);
    announcer->setGeometry(0, 0, 0, 0);
    announcer->setFocusPolicy(Qt::NoFocus);
    return announcer;
}

// Qt 6.4 reports a new name with the object where the name belongs; a screen
// reader fails on it for the focused control and says nothing. The press
// that renamed it announces the new caption itself (announcement()), so such
// an event goes no further; every other event goes on to the platform.
QAccessible::UpdateHandler qtUpdate = nullptr;

void forwardToPlatform(QAccessibleEvent* event) {
    const QAccessible::UpdateHandler ours = QAccessible::installUpdateHandler(qtUpdate);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(ours);
}

void velmoraUpdate(QAccessibleEvent* event) {
    const QWidget* focused = QApplication::focusWidget();
    if (event->type() == QAccessible::NameChanged && focused != nullptr && event->object() == focused) {
        return;
    }
    forwardToPlatform(event);
}

QAccessibleInterface* velmoraInterface(const QString&, QObject* object) {
    if (auto* help = qobject_cast<HelpWindow*>(object)) {
        return new QAccessibleWidget(help, QAccessible::Window);
    }
    if (auto* lines = qobject_cast<PrintedLines*>(object)) {
        return new PrintedLinesAccessible(lines);
    }
    if (auto* main = qobject_cast<MainWindow*>(object)) {
        return new QAccessibleWidget(main, QAccessible::Window);
    }
    if (auto* label = qobject_cast<ElidingLabel*>(object)) {
        return new LabelAccessible(label);
    }
    if (auto* box = qobject_cast<QLineEdit*>(object)) {
        return new BoxAccessible(box);
    }
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new AnnouncerAccessible(announcer);
    }
    return nullptr;
}

} // namespace

void announce(QWidget* inWindow, const QString& text) {
    if (inWindow == nullptr || text.isEmpty()) {
        return;
    }
    Announcer* announcer = announcerOf(inWindow->window());
    announcer->hide();
    announcer->setAccessibleName(text);
    announcer->show();
}

void setLabelledBy(QWidget* control, const QList<QWidget*>& labels) {
    control->setProperty(kLabelledBy, QVariant::fromValue(QObjectList(labels.begin(), labels.end())));
}

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(velmoraInterface);
        qtUpdate = QAccessible::installUpdateHandler(velmoraUpdate);
        return true;
    }();
    (void)installed;
}

} // namespace velmora::ui
