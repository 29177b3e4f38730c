#include "ui/mainwindow.h"

#include "ui/chinese.h"
#include "ui/elidinglabel.h"
#include "ui/fonts.h"
#include "ui/helpwindow.h"
#include "ui/plaintext.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace velmora::ui {

namespace {

QRect twipsRect(const ControlDesign& design) {
    return {twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
            twipsToPixels(design.height)};
}

// The user enters a text box by mouse or keyboard; the focus also comes back
// when a box closes or the window is activated again, which is no entry.
bool isUserEntry(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

// A fitting label takes the size of its caption, but no more width than its
// frame has left; a longer caption is then shown shortened.
bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

// The indicator square of a check box is taller than the 12-pixel row the
// table gives it: the box keeps its place and grows downwards.
void fitCheckBoxHeight(QCheckBox* box) {
    box->resize(box->width(), std::max(box->height(), box->sizeHint().height()));
}

void fitCaption(QLabel* label) {
    label->adjustSize();
    const QWidget* frame = label->parentWidget();
    const int room = frame->contentsRect().right() - label->x();
    if (label->width() > room) {
        label->resize(room, label->height());
    }
}

} // namespace

MainWindow::MainWindow(Form& form) : m_form(form), m_widgets(kControlCount, nullptr) {
    setFont(dialogFont());
    build();
    m_form.setObserver(this);
}

MainWindow::~MainWindow() {
    m_form.setObserver(nullptr);
}

void MainWindow::build() {
    // Containers come before their controls in the table.
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        QWidget* container = this;
        if (!design.container.empty()) {
            FieldId frame = 0;
            findControl(design.container, frame);
            container = m_widgets[frame];
        }
        m_widgets[field] = design.kind == Kind::Window ? this : createWidget(field, container);
        if (design.kind == Kind::Window) {
            setWindowTitle(qText(design.text));
            setFixedSize(twipsToPixels(design.width), twipsToPixels(design.height));
        } else {
            m_widgets[field]->setObjectName(qText(design.name));
            m_widgets[field]->setGeometry(twipsRect(design));
            if (auto* box = qobject_cast<QCheckBox*>(m_widgets[field])) {
                fitCheckBoxHeight(box);
            }
            if (!design.toolTip.empty()) {
                m_widgets[field]->setToolTip(qText(design.toolTip));
            }
            connectEvents(field);
        }
        fieldChanged(field);
    }

    std::vector<FieldId> tabStops;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].tabIndex > 0) {
            tabStops.push_back(field);
        } else if (kControls[field].kind != Kind::Window) {
            m_widgets[field]->setFocusPolicy(Qt::NoFocus);
        }
    }
    std::sort(tabStops.begin(), tabStops.end(),
              [](FieldId a, FieldId b) { return kControls[a].tabIndex < kControls[b].tabIndex; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(m_widgets[tabStops[i - 1]], m_widgets[tabStops[i]]);
    }
    findAccessibleNames();
    updateAccessibleNames(kNoLabel);
    m_built = true;
    focusFirstBox();
}

void MainWindow::focusFirstBox() {
    auto* first = static_cast<QLineEdit*>(m_widgets[id("Text1")]);
    first->setFocus();
    first->selectAll(); // typing replaces the "0", as after entering by Tab
}

QWidget* MainWindow::createWidget(FieldId field, QWidget* container) {
    const ControlDesign& design = kControls[field];
    switch (design.kind) {
    case Kind::Frame:
        return new QGroupBox(container);
    case Kind::Label: {
        auto* label = new ElidingLabel(container);
        label->setWordWrap(design.sizing == Sizing::Fixed);
        return label;
    }
    case Kind::TextBox: {
        auto* box = new QLineEdit(container);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->installEventFilter(this);
        return box;
    }
    case Kind::CommandButton: {
        auto* button = new QPushButton(container);
        button->installEventFilter(this);
        return button;
    }
    case Kind::OptionButton:
        return new QRadioButton(container);
    case Kind::CheckBox:
        return new QCheckBox(container);
    case Kind::Window:
        break;
    }
    return nullptr;
}

void MainWindow::connectEvents(FieldId field) {
    QWidget* w = m_widgets[field];
    const auto clicked = [this, field] {
        if (field == id("Command4")) {
            openHelp();
            return;
        }
        m_form.click(field);
        // A press undone as a whole tells no change: show the core's state.
        fieldChanged(field);
    };
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        connect(box, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { m_form.type(field, text.toStdString()); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, clicked);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            const std::unique_ptr<QMenu> menu(chineseContextMenu(box));
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    // Enter presses a focused button, as Space does, and in a panel box it
    // presses 计算.
    if (isEnterKey(event)) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        const auto it = std::find(m_widgets.begin(), m_widgets.end(), watched);
        if (it != m_widgets.end() && kControls[it - m_widgets.begin()].container == "Frame1") {
            static_cast<QPushButton*>(m_widgets[id("Command1")])->click();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && isUserEntry(static_cast<QFocusEvent*>(event)->reason())) {
        const auto it = std::find(m_widgets.begin(), m_widgets.end(), watched);
        if (it != m_widgets.end()) {
            const auto field = static_cast<FieldId>(it - m_widgets.begin());
            // Not inside the focus change itself: a warning box opened here
            // would take the focus while Qt is still handing it over.
            QTimer::singleShot(0, this, [this, field] { m_form.enter(field); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::fieldChanged(FieldId field) {
    const ControlDesign& design = kControls[field];
    const FieldStore& fields = m_form.fields();
    QWidget* w = m_widgets[field];
    const QString text = QString::fromStdString(fields.text(field));
    switch (design.kind) {
    case Kind::Window:
        return;
    case Kind::Frame:
        static_cast<QGroupBox*>(w)->setTitle(withoutMnemonics(text));
        break;
    case Kind::Label: {
        auto* label = static_cast<ElidingLabel*>(w);
        if (label->text() != text) {
            label->setCaption(text);
            if (design.sizing == Sizing::Fits) {
                fitCaption(label);
            }
            if (m_built) {
                updateAccessibleNames(field);
            }
        }
        break;
    }
    case Kind::TextBox: {
        auto* box = static_cast<QLineEdit*>(w);
        if (box->text() != text) {
            box->setText(text);
            if (!box->hasFocus()) {
                box->setCursorPosition(0); // show a long number from its first digit
            }
        }
        break;
    }
    case Kind::CommandButton:
        static_cast<QPushButton*>(w)->setText(withoutMnemonics(text));
        break;
    case Kind::OptionButton:
    case Kind::CheckBox: {
        auto* button = static_cast<QAbstractButton*>(w);
        button->setText(withoutMnemonics(text));
        const bool checked = fields.value(field) == 1;
        if (button->isChecked() != checked) {
            // An exclusive option cannot be unchecked by itself.
            const bool exclusive = button->autoExclusive();
            button->setAutoExclusive(false);
            button->setChecked(checked);
            button->setAutoExclusive(exclusive);
        }
        break;
    }
    }
    w->setVisible(fields.visible(field));
}

// A text box is named by its row's caption, and in the gear-test grid by its
// set's heading too ("第二套 会心等级"): the label level with the box on its
// left, and the nearest label above that overlaps it.
void MainWindow::findAccessibleNames() {
    for (FieldId box = 0; box < kControlCount; ++box) {
        const ControlDesign& cell = kControls[box];
        if (cell.kind != Kind::TextBox) {
            continue;
        }
        NamedBy names{box, kNoLabel, kNoLabel};
        int columnTop = -1;
        for (FieldId other = 0; other < kControlCount; ++other) {
            const ControlDesign& label = kControls[other];
            if (label.kind != Kind::Label || label.container != cell.container) {
                continue;
            }
            if (label.top == cell.top && label.left < cell.left) {
                names.row = other;
            } else if (label.top < cell.top && label.top > columnTop && label.left < cell.left + cell.width &&
                       label.left + label.width > cell.left) {
                names.column = other;
                columnTop = label.top;
            }
        }
        m_namedBy.push_back(names);
    }
}

void MainWindow::updateAccessibleNames(FieldId changedLabel) {
    const auto caption = [this](FieldId label) {
        return QString::fromStdString(m_form.fields().text(label));
    };
    for (const NamedBy& names : m_namedBy) {
        if (changedLabel != kNoLabel && names.row != changedLabel && names.column != changedLabel) {
            continue;
        }
        const QString row = names.row == kNoLabel ? QString() : caption(names.row);
        m_widgets[names.box]->setAccessibleName(names.column == kNoLabel ? row
                                                                         : caption(names.column) + ' ' + row);
    }
}

void MainWindow::openHelp() {
    if (!m_help) {
        m_help = std::make_unique<HelpWindow>();
    }
    if (!m_help->isVisible()) {
        m_help->clear(); // a closed help window reopens empty
        m_help->show();
    } else if (m_help->isMinimized()) {
        m_help->showNormal(); // keeps its section
    }
    m_help->raise();
    m_help->activateWindow();
}

} // namespace velmora::ui
