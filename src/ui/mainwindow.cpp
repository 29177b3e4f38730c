#include "ui/mainwindow.h"

#include "form/boxtext.h"
#include "ui/accessibility.h"
#include "ui/bestgearwindow.h"
#include "ui/chinese.h"
#include "ui/elidinglabel.h"
#include "ui/fonts.h"
#include "ui/helpwindow.h"
#include "ui/insightwindow.h"
#include "ui/plaintext.h"
#include "ui/scrolling.h"
#include "view/controlnames.h"
#include "view/layout.h"
#include "view/viewrules.h"
#include <QPlainTextEdit>
#include <QScrollArea>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace velmora::ui {

namespace {

QRect twipsRect(const ControlDesign& design) {
    return {twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
            twipsToPixels(design.height)};
}

// How the focus came, in the core's words; whether that is an entry is the
// core's rule. A warning box closing gives the focus back by activating the
// window again.
FocusArrival arrivalOf(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
        return FocusArrival::Pointer;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return FocusArrival::UserNavigation;
    case Qt::ActiveWindowFocusReason:
        return FocusArrival::WindowActivated;
    case Qt::PopupFocusReason:
        return FocusArrival::PopupClosed;
    default:
        return FocusArrival::AssistiveTool; // setFocus() on an assistive tool's request
    }
}

// The Enter key, either of them; the keypad's is no modifier.
const QKeyEvent* enterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return nullptr;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? key : nullptr;
}

bool withModifiers(const QKeyEvent* key) {
    return (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier;
}

// The indicator square of a check box is taller than the 12-pixel row the
// table gives it: the box keeps its place and grows downwards.
void fitCheckBoxHeight(QCheckBox* box) {
    box->resize(box->width(), std::max(box->height(), box->sizeHint().height()));
}

void fitCaption(QLabel* label, FieldId field) {
    label->adjustSize();
    const int room = fittingLabelRoom(field);
    if (!fitsItsRoom(label->width(), room)) {
        label->resize(room, label->height());
    }
}

} // namespace

MainWindow::MainWindow(Form& form) : m_form(form), m_widgets(kControlCount, nullptr) {
    installAccessibility();
    setFont(dialogFont());
    m_canvas = scrollingClient(this, &m_scroll);
    build();
    const QSize largest = fitTheScreen(this, m_canvas->size(), m_scroll);
    setMaximumSize(largest);
    m_form.setObserver(this);
}

MainWindow::~MainWindow() {
    m_form.setObserver(nullptr);
}

void MainWindow::build() {
    // Containers come before their controls in the table.
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        QWidget* container = m_canvas;
        if (!design.container.empty()) {
            container = m_widgets[controlNamed(design.container)];
        }
        m_widgets[field] = design.kind == Kind::Window ? this : createWidget(field, container);
        if (design.kind == Kind::Window) {
            setWindowTitle(qText(design.text));
            m_canvas->setFixedSize(twipsToPixels(design.width), twipsToPixels(design.height));
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

    // The window keeps the window layout, and its tab chain.
    const std::vector<FieldId> tabStops = tabChain(Layout::Window);
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].kind != Kind::Window &&
            std::find(tabStops.begin(), tabStops.end(), field) == tabStops.end()) {
            m_widgets[field]->setFocusPolicy(Qt::NoFocus);
        }
    }
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(m_widgets[tabStops[i - 1]], m_widgets[tabStops[i]]);
    }
    findAccessibleNames();
    updateAccessibleNames(kNoLabel);
    m_built = true;
    focusFirstBox();
}

void MainWindow::focusFirstBox() {
    auto* first = static_cast<QLineEdit*>(m_widgets[kStartFocus.field]);
    first->setFocus();
    if (kStartFocus.selectsText) {
        first->selectAll();
    }
}

QWidget* MainWindow::createWidget(FieldId field, QWidget* container) {
    const ControlDesign& design = kControls[field];
    switch (design.kind) {
    case Kind::Frame:
        return new QGroupBox(container);
    case Kind::Label: {
        return new ElidingLabel(container);
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

// Every route that changes a widget (mouse, keyboard, input method, paste,
// drop, undo, an assistive tool's action or text interface) ends in the
// same signals: they reach the core as the user's action, and the widget
// then shows what the core holds.
void MainWindow::connectEvents(FieldId field) {
    QWidget* w = m_widgets[field];
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        connect(box, &QLineEdit::textChanged, this, [this, field, box](const QString& text) {
            if (m_mirroring) {
                return;
            }
            const int cursor = box->cursorPosition();
            const std::string typed = text.toStdString();
            m_form.type(field, typed);
            fieldChanged(field); // an edit the core refused or trimmed is undone
            if (box->text() != text && box->hasFocus()) {
                const std::size_t kept = caretAfterKeeping(typed, static_cast<std::size_t>(cursor));
                box->setCursorPosition(
                    std::min(static_cast<int>(kept), static_cast<int>(box->text().size())));
            }
        });
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button == nullptr) {
        return;
    }
    const Kind kind = kControls[field].kind;
    if (kind == Kind::CommandButton) {
        connect(button, &QAbstractButton::clicked, this, [this, field] {
            if (opensHelp(field)) {
                openHelp();
                return;
            }
            if (opensInsight(field)) {
                openInsight();
                return;
            }
            if (opensBestGear(field)) {
                openBestGear();
                return;
            }
            m_form.click(field);
            fieldChanged(field); // a press undone as a whole tells no change
            refreshInsight();
            const std::string words = announcement(m_form);
            announce(this, QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size())));
        });
        return;
    }
    connect(button, &QAbstractButton::toggled, this, [this, field, kind](bool checked) {
        // An option that loses its selection follows a sibling's selection,
        // which the core hears of.
        if (m_mirroring || (kind == Kind::OptionButton && !checked)) {
            return;
        }
        if (checked != (m_form.shown(field).value == 1)) {
            // While the press's warning boxes are up, the button shows what
            // the core shows: a buff that is refused is never seen ticked.
            fieldChanged(field);
            m_form.click(field);
        }
        mirrorButtonsOfFrame(field);
    });
    if (clickOnSelectedIsClick(field)) {
        connect(button, &QAbstractButton::clicked, this, [this, field] {
            if (m_form.shown(field).value == 1) {
                m_form.click(field);
                mirrorButtonsOfFrame(field);
            }
        });
    }
}

void MainWindow::mirrorButtonsOfFrame(FieldId field) {
    for (FieldId other = 0; other < kControlCount; ++other) {
        const Kind kind = kControls[other].kind;
        if ((kind == Kind::OptionButton || kind == Kind::CheckBox) &&
            kControls[other].container == kControls[field].container) {
            fieldChanged(other);
        }
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
    const auto it = std::find(m_widgets.begin(), m_widgets.end(), watched);
    if (it == m_widgets.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const auto field = static_cast<FieldId>(it - m_widgets.begin());
    if (const QKeyEvent* key = enterKey(event)) {
        const FieldId pressed = enterPresses(field, withModifiers(key));
        if (pressed != kControlCount) {
            static_cast<QPushButton*>(m_widgets[pressed])->click();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        const FocusArrival how = arrivalOf(static_cast<QFocusEvent*>(event)->reason());
        // Not inside the focus change itself: a warning box opened here
        // would take the focus while Qt is still handing it over.
        QTimer::singleShot(0, this, [this, field, how] {
            focusArrived(m_form, field, how);
            refreshInsight();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::fieldChanged(FieldId field) {
    // Setting a widget to the core's state is no user action.
    const QScopedValueRollback<bool> mirroring(m_mirroring, true);
    const ControlDesign& design = kControls[field];
    const FieldState& shown = m_form.shown(field); // a press's changes after its boxes
    QWidget* w = m_widgets[field];
    const QString text = QString::fromStdString(shown.text);
    switch (design.kind) {
    case Kind::Window:
        return;
    case Kind::Frame:
        static_cast<QGroupBox*>(w)->setTitle(withoutMnemonics(text));
        break;
    case Kind::Label: {
        auto* label = static_cast<ElidingLabel*>(w);
        if (label->text() != text) {
            label->setCaption(text, staysOnOneLine(field, shown.text));
            if (design.sizing == Sizing::Fits) {
                fitCaption(label, field);
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
        const bool checked = shown.value == 1;
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
    w->setVisible(shown.visible);
}

// Names and relations are the core's: a box is named by its labels' captions
// ("第二套 会心等级"), a result by its row and set and its text, and each is
// labelled by what it is named by.
void MainWindow::findAccessibleNames() {
    m_nameSources.resize(kControlCount);
    for (FieldId field = 0; field < kControlCount; ++field) {
        m_nameSources[field] = nameSourcesOf(field);
        QList<QWidget*> labels;
        for (const FieldId label : labelledByOf(field)) {
            labels.append(m_widgets[label]);
        }
        setLabelledBy(m_widgets[field], labels);
    }
}

void MainWindow::updateAccessibleNames(FieldId changedLabel) {
    for (FieldId field = 0; field < kControlCount; ++field) {
        const auto& sources = m_nameSources[field];
        if (hasComposedName(field) &&
            (changedLabel == kNoLabel ||
             std::find(sources.begin(), sources.end(), changedLabel) != sources.end())) {
            m_widgets[field]->setAccessibleName(
                QString::fromStdString(accessibleNameOf(field, m_form.fields())));
        }
    }
}

void MainWindow::openInsight() {
    if (!m_insight) {
        m_insight = std::make_unique<InsightWindow>(m_form);
    }
    m_insight->refresh();
    m_insight->showNormal();
    m_insight->raise();
    m_insight->activateWindow();
    m_insight->focusFirstLine();
}

void MainWindow::openBestGear() {
    if (!m_bestGear) {
        m_bestGear = std::make_unique<BestGearWindow>(m_form);
    }
    m_bestGear->refresh();
    m_bestGear->showNormal();
    m_bestGear->raise();
    m_bestGear->activateWindow();
    m_bestGear->list()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::refreshInsight() {
    if (m_insight) {
        m_insight->refresh();
    }
    if (m_bestGear) {
        m_bestGear->refresh(); // an answer of an older panel says so
    }
}

void MainWindow::openHelp() {
    if (!m_help) {
        m_help = std::make_unique<HelpWindow>();
    }
    if (helpOpening(m_help->isVisible()) == HelpOpening::Fresh) {
        m_help->clear();
        m_help->show();
    } else if (m_help->isMinimized()) {
        m_help->showNormal();
    }
    m_help->raise();
    m_help->activateWindow();
}

} // namespace velmora::ui
